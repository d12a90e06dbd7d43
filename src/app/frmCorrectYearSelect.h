#pragma once
// "Which year?": asks which of two model years a year digit 0 to 4 stands
// for. Created on the first question and only hidden afterwards, so the last
// answer is preselected the next time.

#include <QDialog>

class QGroupBox;
class QPushButton;
class QRadioButton;

namespace vorrendal {

class frmCorrectYearSelect final : public QDialog {
  Q_OBJECT
 public:
  explicit frmCorrectYearSelect(QWidget* parent = nullptr);

  // 0: the first year (optYear1), 1: the second. Changed only by OK.
  int YearOptionSelected = 0;

  // Sets the two captions, shows the dialog modally and returns
  // YearOptionSelected once it is hidden (by OK, the close box or Escape).
  int Ask(const QString& firstYear, const QString& secondYear);

 public slots:
  void reject() override;

 private:
  void cmdOK_Click();

  QGroupBox* Frame1;
  QRadioButton* optYear1;
  QRadioButton* optYear2;
  QPushButton* cmdOK;
};

}  // namespace vorrendal
