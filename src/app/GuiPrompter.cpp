#include "GuiPrompter.h"

#include <QMessageBox>
#include <QPushButton>

#include "IHelp.h"
#include "frmCorrectYearSelect.h"

namespace vorrendal {

GuiPrompter::GuiPrompter(QWidget* owner, IHelp& help) : owner_(owner), help_(help) {}

frmCorrectYearSelect* GuiPrompter::YearDialog() const { return yearDialog_.data(); }

int GuiPrompter::AskYear(const std::string& firstYear, const std::string& secondYear) {
  if (!yearDialog_) yearDialog_ = new frmCorrectYearSelect(owner_);
  return yearDialog_->Ask(QString::fromStdString(firstYear), QString::fromStdString(secondYear));
}

void GuiPrompter::InvalidYearCode() {
  QMessageBox box(QMessageBox::Warning, QStringLiteral("Invalid Year Code"),
                  QStringLiteral("The year code must be a number from\n"
                                 "0 to 9. The year code is the first number\n"
                                 "in the serial number from 1960 to 1974.\n"
                                 "It is the second number in 1959."),
                  QMessageBox::Ok, owner_);
  box.setObjectName(QStringLiteral("msgInvalidYearCode"));
  box.exec();
}

void GuiPrompter::DataLoadFailed() {
  QMessageBox box(QMessageBox::Critical, QStringLiteral("Error Loading Data"),
                  QStringLiteral("Unable to load data file. It may be corrupted."), QMessageBox::Ok,
                  owner_);
  box.setObjectName(QStringLiteral("msgErrorLoadingData"));
  QPushButton* help = box.addButton(QMessageBox::Help);
  box.setDefaultButton(QMessageBox::Ok);
  // Escape and the close box dismiss it like OK (with Help beside OK, the
  // box would otherwise refuse to close).
  box.setEscapeButton(QMessageBox::Ok);
  // Help opens the topic and leaves the message up until it is dismissed.
  for (;;) {
    box.exec();
    if (box.clickedButton() != help) break;
    help_.ShowTopic(kDataLoadHelpTopic, owner_);
  }
}

}  // namespace vorrendal
