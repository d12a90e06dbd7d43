#include "PlateRules.h"

#include "CodeText.h"

namespace vorrendal {

std::optional<int> SearchYearNumber(std::string_view searchYear) {
  if (searchYear.size() != 2) return std::nullopt;
  const char tens = searchYear[0];
  const char ones = searchYear[1];
  if (tens < '0' || tens > '9' || ones < '0' || ones > '9') return std::nullopt;
  const int year = (tens - '0') * 10 + (ones - '0');
  if (year < kFirstSearchYear || year > kLastSearchYear) return std::nullopt;
  return year;
}

std::optional<int> ModelYearNamed(std::string_view text) {
  if (text.size() != 4) return std::nullopt;
  int year = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    year = year * 10 + (c - '0');
  }
  if (year < kFirstModelYear || year > kLastModelYear) return std::nullopt;
  return year;
}

std::string YearKey(int modelYear) {
  return {'y', static_cast<char>('0' + modelYear / 10 % 10 - 5), '-',
          static_cast<char>('0' + modelYear % 10)};
}

std::string SerialYears::Both() const {
  return std::to_string(first) + " or " + std::to_string(second);
}

SerialYears YearsOfSerial(std::string_view serial) {
  const std::string_view code = Mid(serial, 1, 1);
  if (!code.empty() && Occurs(kDigits, code)) {
    const int digit = code[0] - '0';
    if (digit <= 4) return {1960 + digit, 1970 + digit};
    return {1960 + digit, 0};
  }
  // 1959: an engine letter first, then the year digit, which must be 9.
  if (!code.empty() && Occurs(kLetters, UpperCase(code)) && Mid(serial, 2, 1) == "9")
    return {kFirstModelYear, 0};
  return {};
}

SerialPieces SplitSerial(std::string_view serial, int searchYear) {
  if (searchYear == kFirstSearchYear) {
    return {Mid(serial, 2, 1), Mid(serial, 3, 1), Mid(serial, 4, 1), Mid(serial, 1, 1),
            Mid(serial, 5, 6)};
  }
  return {Mid(serial, 1, 1), Mid(serial, 2, 1), Mid(serial, 3, 2), Mid(serial, 5, 1),
          Mid(serial, 6, 6)};
}

}  // namespace vorrendal
