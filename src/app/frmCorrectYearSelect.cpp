#include "frmCorrectYearSelect.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include "WhatsThisRouter.h"
#include "resources/help/context.h"
#include "ui/ScreenUnits.h"

namespace vorrendal {

frmCorrectYearSelect::frmCorrectYearSelect(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::WindowContextHelpButtonHint) {
  setObjectName(QStringLiteral("frmCorrectYearSelect"));
  setWindowTitle(QStringLiteral("Which year?"));
  setModal(true);
  setFont(FontAtPoints(DialogFace(), 8.25));
  setFixedSize(TwipsToPixels(1815), TwipsToPixels(1500));

  // Made first: OK leads the tab order, then the first option, the frame
  // and the second option.
  cmdOK = new QPushButton(QStringLiteral("&OK"), this);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  PlaceTwips(cmdOK, 360, 1080, 1095, 375);
  cmdOK->setDefault(true);
  cmdOK->setAutoDefault(true);
  connect(cmdOK, &QPushButton::clicked, this, &frmCorrectYearSelect::cmdOK_Click);

  Frame1 = new QGroupBox(QStringLiteral("Select correct year"), this);
  Frame1->setObjectName(QStringLiteral("Frame1"));
  PlaceTwips(Frame1, 120, 120, 1575, 855);

  optYear1 = new QRadioButton(QStringLiteral("Year1"), Frame1);
  optYear1->setObjectName(QStringLiteral("optYear1"));
  PlaceTwips(optYear1, 240, 360, 735, 255);
  optYear1->setChecked(true);

  optYear2 = new QRadioButton(QStringLiteral("Year2"), Frame1);
  optYear2->setObjectName(QStringLiteral("optYear2"));
  PlaceTwips(optYear2, 240, 600, 735, 255);

  WhatsThisRouter::SetContext(Frame1, IDH_YEAR_CHOICE);
  WhatsThisRouter::SetContext(optYear1, IDH_YEAR_CHOICE);
  WhatsThisRouter::SetContext(optYear2, IDH_YEAR_CHOICE);
  WhatsThisRouter::SetContext(cmdOK, IDH_YEAR_OK);
}

int frmCorrectYearSelect::Ask(const QString& firstYear, const QString& secondYear) {
  optYear1->setText(firstYear);
  optYear2->setText(secondYear);
  cmdOK->setFocus(Qt::OtherFocusReason);
  exec();
  return YearOptionSelected;
}

void frmCorrectYearSelect::cmdOK_Click() {
  if (optYear1->isChecked()) YearOptionSelected = 0;
  if (optYear2->isChecked()) YearOptionSelected = 1;
  accept();
}

void frmCorrectYearSelect::reject() {
  // Closed without OK: the answer stays the last one given, and so does the
  // option that shows it, so the next question opens with it preselected.
  (YearOptionSelected == 1 ? optYear2 : optYear1)->setChecked(true);
  QDialog::reject();
}

}  // namespace vorrendal
