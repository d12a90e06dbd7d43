#pragma once
// A serial number whose year digit is 0 to 4 stands for two model years
// (2: 1962 or 1972). The desktop program asks which one; a batch row names it
// in its year column.

#include <optional>
#include <string>
#include <string_view>

namespace vorrendal::batch {

struct CandidateYears {
  int first = 0;   // 1960 to 1964
  int second = 0;  // 1970 to 1974
  bool Contains(int year) const { return year == first || year == second; }
};

// The two years a serial number (Windows-1252, as typed) stands for, or
// nothing when its first character is not a digit 0 to 4.
std::optional<CandidateYears> AmbiguousYears(std::string_view serial);

// "1962 or 1972"
std::string BothYears(const CandidateYears& years);

// A full model year as written in a batch's year column ("1972"); nothing
// when the text is not four digits.
std::optional<int> YearFromText(std::string_view text);

}  // namespace vorrendal::batch
