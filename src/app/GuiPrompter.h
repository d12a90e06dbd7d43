#pragma once
// What the window asks and tells around a decode: the year question before
// it, and its two message boxes ("Invalid Year Code", "Error Loading Data").

#include <QPointer>
#include <string>

class QWidget;

namespace vorrendal {

class IHelp;
class frmCorrectYearSelect;

class GuiPrompter {
 public:
  // The topic the Help button of "Error Loading Data" opens.
  static constexpr int kDataLoadHelpTopic = 101;

  GuiPrompter(QWidget* owner, IHelp& help);

  // A year digit 0 to 4 stands for two model years: firstYear is the 196x
  // one ("1962"), secondYear the 197x one. Returns 0 for the first, 1 for the
  // second, as the year dialog's YearOptionSelected.
  int AskYear(const std::string& firstYear, const std::string& secondYear);
  // The year code could not be read.
  void InvalidYearCode();
  // A model year's descriptions could not be loaded; returns when dismissed.
  void DataLoadFailed();

  // The year dialog once the first question has loaded it; null before.
  frmCorrectYearSelect* YearDialog() const;

 private:
  QPointer<QWidget> owner_;
  IHelp& help_;
  QPointer<frmCorrectYearSelect> yearDialog_;
};

}  // namespace vorrendal
