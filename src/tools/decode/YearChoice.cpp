#include "YearChoice.h"

#include <string>
#include <string_view>

namespace vorrendal::decodetool {

std::optional<int> AskYearOnTerminal(std::istream& in, std::ostream& err,
                                     const SerialYears& years) {
  std::string answer;
  for (;;) {
    err << "Which year? " << years.Both() << ": " << std::flush;
    if (!std::getline(in, answer)) {
      err << '\n';
      return std::nullopt;
    }
    const auto first = answer.find_first_not_of(" \t\r");
    const auto last = answer.find_last_not_of(" \t\r");
    const std::string_view typed = first == std::string::npos
                                       ? std::string_view()
                                       : std::string_view(answer).substr(first, last - first + 1);
    for (const int year : {years.first, years.second}) {
      const std::string full = std::to_string(year);
      if (typed == full || typed == std::string_view(full).substr(2)) return year;
    }
  }
}

}  // namespace vorrendal::decodetool
