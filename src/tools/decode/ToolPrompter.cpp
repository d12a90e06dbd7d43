#include "ToolPrompter.h"

#include <utility>

#include "OnceDataReader.h"
#include "ResultOutput.h"

namespace vorrendal::decodetool {

ToolPrompter::ToolPrompter(std::ostream& err, OnceDataReader& data, std::string dataName)
    : err_(err), data_(data), dataName_(std::move(dataName)) {}

bool ToolPrompter::TakeUnansweredQuestion() { return std::exchange(unanswered_, false); }

int ToolPrompter::AskYear(const std::string& firstYear, const std::string& secondYear) {
  if (yearAnswer_) {
    const std::string wanted = std::to_string(*yearAnswer_);
    if (wanted == firstYear) return 0;
    if (wanted == secondYear) return 1;
  }
  unanswered_ = true;
  return 0;
}

void ToolPrompter::Tell(const std::string& heading, const std::string& text) {
  err_ << "vorrendal-decode: " << context_ << heading << '\n' << TerminalText(text) << '\n';
  err_.flush();
}

void ToolPrompter::InvalidYearCode(const std::string& title, const std::string& text) {
  Tell(TerminalText(title), text);
}

void ToolPrompter::DataLoadFailed(const std::string& title, const std::string& text) {
  // Told once per model year: the reader asks again at every decode of a
  // year that failed, and the data reader no longer reads it.
  const std::optional<std::string> year = data_.TakeUntoldFailure();
  if (year) {
    err_ << "vorrendal-decode: " << TerminalText(title) << " (model year 19" << *year << ", "
         << dataName_ << ")\n"
         << TerminalText(text) << '\n';
    err_.flush();
  } else if (!data_.AnyFailed() && !toldLoadFailureWithoutYear_) {
    // A failure that did not come from reading a block.
    toldLoadFailureWithoutYear_ = true;
    err_ << "vorrendal-decode: " << TerminalText(title) << " (" << dataName_ << ")\n"
         << TerminalText(text) << '\n';
    err_.flush();
  }
}

}  // namespace vorrendal::decodetool
