#pragma once
// What the plates of 1959 to 1974 have in common, in one place: the range of
// model years, what a serial number's year code stands for, how a serial
// number is cut into its pieces, and the year rules of the report.

#include <optional>
#include <string>
#include <string_view>

namespace vorrendal {

// The model years of the line, and the same as SearchYear numbers (59 to 74).
inline constexpr int kFirstModelYear = 1959;
inline constexpr int kLastModelYear = 1974;
inline constexpr int kFirstSearchYear = kFirstModelYear % 100;
inline constexpr int kLastSearchYear = kLastModelYear % 100;

// The letters the keys of the description records begin with, one per field:
// plant, model, engine, body, color, trim, DSO, transmission, axle.
inline constexpr std::string_view kRecordFieldLetters = "pmebctsrx";

// The SearchYear number of a two-digit year text "59" to "74"; nothing for
// any other text.
std::optional<int> SearchYearNumber(std::string_view searchYear);

// The model year a text names: four digits, 1959 to 1974 ("1972").
std::optional<int> ModelYearNamed(std::string_view text);

// The built-in key of a model year: "y", the decade digit (0 for the 1950s,
// 1 for the 1960s, 2 for the 1970s), "-" and the last digit: "y1-2" for 1962.
std::string YearKey(int modelYear);

// Which of the two model years a year digit 0 to 4 stands for.
enum class Decade { k1960s, k1970s };

// The model years a serial number's year code stands for. From 1960 on the
// year code is the first character, a digit; 0 to 4 stand for two years
// (2: 1962 or 1972). In 1959 the engine letter comes first and the year
// digit, 9, second. Anything else cannot be read.
struct SerialYears {
  int first = 0;   // the year, or the 1960s one of two; 0 when unreadable
  int second = 0;  // the 1970s year of two; 0 when there is one

  bool Readable() const { return first != 0; }
  bool TwoYears() const { return second != 0; }
  bool Contains(int year) const { return year != 0 && (year == first || year == second); }
  int Chosen(Decade decade) const {
    return TwoYears() && decade == Decade::k1970s ? second : first;
  }
  // "1962 or 1972"
  std::string Both() const;
};
SerialYears YearsOfSerial(std::string_view serial);

// The pieces of a serial number, cut by the 1959 layout (engine, year, plant,
// one model letter, unit) or by the 1960-1974 one (year, plant, two model
// digits, engine, unit). A piece is shorter, or empty, where the serial number
// ends early; characters past the unit number are ignored. Views into serial.
struct SerialPieces {
  std::string_view Year, Plant, Model, Engine, Unit;
};
SerialPieces SplitSerial(std::string_view serial, int searchYear);
SerialPieces SplitSerial(std::string&& serial, int searchYear) = delete;

// Year rules of the report: the Date line is written up to 1969, the DSO line
// from 1962 (the DSO decodes to "N/A" before), and the plates of 1967 to 1971
// carry a one-character color code.
inline bool HasDateLine(int searchYear) { return searchYear <= 69; }
inline bool HasDso(int searchYear) { return searchYear >= 62; }
inline bool OneCharacterColor(int searchYear) { return searchYear >= 67 && searchYear <= 71; }

}  // namespace vorrendal
