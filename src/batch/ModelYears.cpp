#include "ModelYears.h"

#include <charconv>

namespace vorrendal::batch {

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

}  // namespace vorrendal::batch
