#pragma once
// The desktop program's answers to the decoder's questions: the year dialog
// and the two message boxes, owned by the main window.

#include <QPointer>

#include "decode/IPrompter.h"

class QWidget;

namespace vorrendal {

class IHelp;
class frmCorrectYearSelect;

class GuiPrompter final : public IPrompter {
 public:
  // The topic the Help button of "Error Loading Data" opens.
  static constexpr int kDataLoadHelpTopic = 101;

  GuiPrompter(QWidget* owner, IHelp& help);

  int AskYear(const std::string& firstYear, const std::string& secondYear) override;
  void InvalidYearCode(const std::string& title, const std::string& text) override;
  void DataLoadFailed(const std::string& title, const std::string& text) override;

  // The year dialog once the first question has loaded it; null before.
  frmCorrectYearSelect* YearDialog() const;

 private:
  QPointer<QWidget> owner_;
  IHelp& help_;
  QPointer<frmCorrectYearSelect> yearDialog_;
};

}  // namespace vorrendal
