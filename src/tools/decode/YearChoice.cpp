#include "YearChoice.h"

#include <charconv>

namespace vorrendal::decodetool {

std::optional<CandidateYears> AmbiguousYears(std::string_view serial) {
  if (serial.empty() || serial[0] < '0' || serial[0] > '4') return std::nullopt;
  const int digit = serial[0] - '0';
  return CandidateYears{1960 + digit, 1970 + digit};
}

std::string BothYears(const CandidateYears& years) {
  return std::to_string(years.first) + " or " + std::to_string(years.second);
}

std::optional<int> YearFromText(std::string_view text) {
  if (text.size() != 4) return std::nullopt;
  int year = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), year);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return year;
}

std::optional<int> AskYearOnTerminal(std::istream& in, std::ostream& err,
                                     const CandidateYears& years) {
  std::string answer;
  for (;;) {
    err << "Which year? " << BothYears(years) << ": " << std::flush;
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
