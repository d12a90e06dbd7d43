#pragma once
// How the decode speaks to the person at the command line: the year question
// is answered from what the command line or the batch row named, the
// messages go to standard error in UTF-8.

#include <optional>
#include <ostream>
#include <string>

#include "decode/IPrompter.h"

namespace vorrendal::decodetool {

class OnceDataReader;

class ToolPrompter final : public IPrompter {
 public:
  // data tells which model year failed to load; dataName names the file in
  // the message.
  ToolPrompter(std::ostream& err, OnceDataReader& data, std::string dataName);

  // Put before the messages of the plate being decoded ("plates.csv line 7:
  // "); empty for a single plate.
  void SetContext(std::string context) { context_ = std::move(context); }

  // The full model year that answers the next year question, if one comes.
  void SetYearAnswer(std::optional<int> year) { yearAnswer_ = year; }

  // True, once, when a year question came that the answer set did not answer.
  bool TakeUnansweredQuestion();

  int AskYear(const std::string& firstYear, const std::string& secondYear) override;
  void InvalidYearCode(const std::string& title, const std::string& text) override;
  void DataLoadFailed(const std::string& title, const std::string& text) override;

 private:
  void Tell(const std::string& heading, const std::string& text);

  std::ostream& err_;
  OnceDataReader& data_;
  std::string dataName_;
  std::string context_;
  std::optional<int> yearAnswer_;
  bool unanswered_ = false;
  bool toldLoadFailureWithoutYear_ = false;
};

}  // namespace vorrendal::decodetool
