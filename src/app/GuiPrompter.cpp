#include "GuiPrompter.h"

#include <QMessageBox>
#include <QPushButton>

#include "IHelp.h"
#include "ReportText.h"
#include "frmCorrectYearSelect.h"

namespace vorrendal {

GuiPrompter::GuiPrompter(QWidget* owner, IHelp& help) : owner_(owner), help_(help) {}

frmCorrectYearSelect* GuiPrompter::YearDialog() const { return yearDialog_.data(); }

int GuiPrompter::AskYear(const std::string& firstYear, const std::string& secondYear) {
  if (!yearDialog_) yearDialog_ = new frmCorrectYearSelect(owner_);
  return yearDialog_->Ask(ReportText::FromCp1252(firstYear), ReportText::FromCp1252(secondYear));
}

void GuiPrompter::InvalidYearCode(const std::string& title, const std::string& text) {
  QMessageBox box(QMessageBox::Warning, ReportText::FromCp1252(title), ReportText::FromReport(text),
                  QMessageBox::Ok, owner_);
  box.setObjectName(QStringLiteral("msgInvalidYearCode"));
  box.exec();
}

void GuiPrompter::DataLoadFailed(const std::string& title, const std::string& text) {
  QMessageBox box(QMessageBox::Critical, ReportText::FromCp1252(title),
                  ReportText::FromReport(text), QMessageBox::Ok, owner_);
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
