// What a year code stands for, the rule the window and the tools settle the
// year by before a decode.
#include <gtest/gtest.h>

#include "decode/PlateRules.h"

namespace vorrendal {
namespace {

using Y = std::tuple<std::string, int, int>;  // a serial, its years (0: none)

class YearCode : public ::testing::TestWithParam<Y> {};

TEST_P(YearCode, StandsForItsModelYears) {
  const auto& [serial, first, second] = GetParam();
  const SerialYears years = YearsOfSerial(serial);
  EXPECT_EQ(std::pair(years.first, years.second), std::pair(first, second));
}

INSTANTIATE_TEST_SUITE_P(Serials, YearCode,
                         ::testing::Values(Y{"7A62C100001", 1967, 0}, Y{"0A", 1960, 1970},
                                           Y{"4", 1964, 1974}, Y{"c9ab100001", 1959, 0},
                                           Y{"", 0, 0}, Y{" 5A62C100001", 0, 0},  // not trimmed
                                           Y{"C5AB100001", 0, 0},
                                           Y{std::string("\xD8") + "9AB100001", 0, 0}));

TEST(YearCode, TheDecadeChoosesOnlyBetweenTwoYears) {
  EXPECT_EQ(YearsOfSerial("2A").Chosen(Decade::k1970s), 1972);
  EXPECT_EQ(YearsOfSerial("2A").Chosen(Decade::k1960s), 1962);
  EXPECT_EQ(YearsOfSerial("7A").Chosen(Decade::k1970s), 1967);
}

}  // namespace
}  // namespace vorrendal
