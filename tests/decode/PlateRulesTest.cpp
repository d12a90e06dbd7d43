// The rules every plate keeps: what a year code stands for, where the pieces
// of a serial number are, which texts name a model year.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "decode/PlateRules.h"

namespace vorrendal {
namespace {

struct YearsCase {
  std::string serial;
  int first, second;  // 0: none
};
void PrintTo(const YearsCase& c, std::ostream* os) { *os << ::testing::PrintToString(c.serial); }

class YearCode : public ::testing::TestWithParam<YearsCase> {};

TEST_P(YearCode, StandsForItsModelYears) {
  const SerialYears years = YearsOfSerial(GetParam().serial);
  EXPECT_EQ(years.first, GetParam().first);
  EXPECT_EQ(years.second, GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Serials, YearCode,
                         ::testing::Values(YearsCase{"7A62C100001", 1967, 0},
                                           YearsCase{"5", 1965, 0},
                                           YearsCase{"3A62C100001", 1963, 1973},
                                           YearsCase{"0A", 1960, 1970}, YearsCase{"4", 1964, 1974},
                                           YearsCase{"c9ab100001", 1959, 0}, YearsCase{"", 0, 0},
                                           YearsCase{" 5A62C100001", 0, 0},  // not trimmed
                                           YearsCase{"C5AB100001", 0, 0}, YearsCase{"C", 0, 0},
                                           YearsCase{"\xD8"
                                                     "9AB100001",
                                                     0, 0}));

TEST(YearCode, TheDecadeChoosesOnlyBetweenTwoYears) {
  EXPECT_EQ(YearsOfSerial("2A").Chosen(Decade::k1970s), 1972);
  EXPECT_EQ(YearsOfSerial("2A").Chosen(Decade::k1960s), 1962);
  EXPECT_EQ(YearsOfSerial("7A").Chosen(Decade::k1970s), 1967);
}

struct PiecesCase {
  std::string serial;
  int year;
  std::string pieces;  // year|plant|model|engine|unit
};
void PrintTo(const PiecesCase& c, std::ostream* os) { *os << c.serial << " " << c.year; }

class Serial : public ::testing::TestWithParam<PiecesCase> {};

TEST_P(Serial, IsCutByTheLayoutOfItsYear) {
  const SerialPieces p = SplitSerial(GetParam().serial, GetParam().year);
  std::string pieces;
  for (const std::string_view piece : {p.Year, p.Plant, p.Model, p.Engine, p.Unit})
    pieces += std::string(piece) + "|";
  EXPECT_EQ(pieces, GetParam().pieces + "|");
}

INSTANTIATE_TEST_SUITE_P(Layouts, Serial,
                         ::testing::Values(PiecesCase{"5A62C1000019", 65, "5|A|62|C|100001"},
                                           PiecesCase{"C9AB1000019", 59, "9|A|B|C|100001"},
                                           PiecesCase{"5A6", 65, "5|A|6||"},
                                           PiecesCase{"C9", 59, "9|||C|"}));

struct NameCase {
  std::string text;
  std::optional<int> year;
};
void PrintTo(const NameCase& c, std::ostream* os) { *os << ::testing::PrintToString(c.text); }

class SearchYearText : public ::testing::TestWithParam<NameCase> {};

TEST_P(SearchYearText, NamesAModelYearOnlyFrom59To74) {
  EXPECT_EQ(SearchYearNumber(GetParam().text), GetParam().year);
}

INSTANTIATE_TEST_SUITE_P(Texts, SearchYearText,
                         ::testing::Values(NameCase{"59", 59}, NameCase{"74", 74},
                                           NameCase{"58", {}}, NameCase{"75", {}},
                                           NameCase{"6", {}}, NameCase{"063", {}},
                                           NameCase{"6a", {}}, NameCase{"", {}}));

class ModelYearText : public ::testing::TestWithParam<NameCase> {};

TEST_P(ModelYearText, IsFourDigitsFrom1959To1974) {
  EXPECT_EQ(ModelYearNamed(GetParam().text), GetParam().year);
}

INSTANTIATE_TEST_SUITE_P(Texts, ModelYearText,
                         ::testing::Values(NameCase{"1959", 1959}, NameCase{"1974", 1974},
                                           NameCase{"1958", {}}, NameCase{"1975", {}},
                                           NameCase{"72", {}}, NameCase{"1972x", {}},
                                           NameCase{"+972", {}}));

TEST(YearKey, IsTheDecadeDigitAndTheLastDigit) {
  EXPECT_EQ(YearKey(1959), "y0-9");
  EXPECT_EQ(YearKey(1960), "y1-0");
  EXPECT_EQ(YearKey(1974), "y2-4");
}

}  // namespace
}  // namespace vorrendal
