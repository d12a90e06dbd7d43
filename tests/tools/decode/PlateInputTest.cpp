#include "tools/decode/PlateInput.h"

#include <sstream>

#include <gtest/gtest.h>

#include "tools/decode/YearChoice.h"

namespace vorrendal::decodetool {
namespace {

enum Field : std::size_t { kSerial, kBody, kColor, kTrim, kDate, kDso, kTrans, kAxle };

struct AcceptedCode {
  const char* name;
  std::size_t field;
  std::string utf8;
  std::string cp1252;
};

class BoxTextAccepted : public ::testing::TestWithParam<AcceptedCode> {};

TEST_P(BoxTextAccepted, ConvertedToWindows1252) {
  const AcceptedCode& c = GetParam();
  std::string error;
  const auto text = BoxText(c.field, c.utf8, error);
  ASSERT_TRUE(text.has_value()) << error;
  EXPECT_EQ(*text, c.cp1252);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, BoxTextAccepted,
    ::testing::Values(
        AcceptedCode{"FullSerial", kSerial, "5A62C100001", "5A62C100001"},
        AcceptedCode{"Empty", kBody, "", ""},
        AcceptedCode{"SpacesKept", kBody, " 5 ", " 5 "},
        AcceptedCode{"SlashedZeroAxleIsOneCharacter", kAxle, "\xC3\x98", "\xD8"},
        AcceptedCode{"AccentedTrimCountsCharactersNotBytes", kTrim, "\xC3\xA9\xC3\xA9\xC3\xA9",
                     "\xE9\xE9\xE9"},
        AcceptedCode{"EuroSignFromThe80Row", kColor, "\xE2\x82\xAC" "1", "\x80" "1"},
        AcceptedCode{"FullDso", kDso, "21", "21"}),
    [](const auto& p) { return std::string(p.param.name); });

struct RefusedCode {
  const char* name;
  std::size_t field;
  std::string utf8;
  std::vector<std::string> messageParts;
};

class BoxTextRefused : public ::testing::TestWithParam<RefusedCode> {};

TEST_P(BoxTextRefused, NamesTheField) {
  const RefusedCode& c = GetParam();
  std::string error;
  EXPECT_FALSE(BoxText(c.field, c.utf8, error).has_value());
  EXPECT_EQ(error.rfind(std::string(kPlateFields[c.field].name) + ":", 0), 0u) << error;
  for (const std::string& part : c.messageParts) EXPECT_NE(error.find(part), std::string::npos) << error;
}

INSTANTIATE_TEST_SUITE_P(
    Codes, BoxTextRefused,
    ::testing::Values(
        RefusedCode{"SerialTwelve", kSerial, "5A62C1000012", {"12 characters", "holds 11"}},
        RefusedCode{"BodyFour", kBody, "62AB", {"holds 3"}},
        RefusedCode{"ColorThree", kColor, "MAB", {"holds 2"}},
        RefusedCode{"TrimFour", kTrim, "7600", {"holds 3"}},
        RefusedCode{"DateFour", kDate, "12CC", {"holds 3"}},
        RefusedCode{"DsoThree", kDso, "211", {"holds 2"}},
        RefusedCode{"TransTwo", kTrans, "44", {"holds 1"}},
        RefusedCode{"AxleTwoAccented", kAxle, "\xC3\x98\xC3\x98", {"2 characters", "holds 1"}},
        RefusedCode{"ArrowHasNoCp1252Form", kBody, "6\xE2\x86\x92", {"U+2192", "Windows-1252"}},
        RefusedCode{"CyrillicInSerial", kSerial, "5\xD0\x96", {"U+0416"}},
        RefusedCode{"EmojiInTrim", kTrim, "\xF0\x9F\x9A\x97", {"U+1F697"}},
        RefusedCode{"MalformedUtf8", kColor, "M\xC3", {"not valid UTF-8", "byte 2"}},
        RefusedCode{"Latin1ByteIsNotUtf8", kTrim, "\xE9", {"not valid UTF-8"}},
        RefusedCode{"TabIsAControl", kDso, "2\t", {"control"}},
        RefusedCode{"LineBreakInBody", kBody, "6\n2", {"control"}},
        RefusedCode{"C1ControlForAnUndefinedByte", kTrans, "\xC2\x81", {"control"}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(ToPlateBoxes, FillsEveryBoxInOrderAndStopsAtTheFirstRefusal) {
  std::string error;
  const auto boxes = ToPlateBoxes({"5A62C100001", "62A", "M", "76", "12C", "21", "4", "1"}, error);
  ASSERT_TRUE(boxes.has_value()) << error;
  EXPECT_EQ(*boxes, (PlateBoxes{"5A62C100001", "62A", "M", "76", "12C", "21", "4", "1"}));

  EXPECT_FALSE(ToPlateBoxes({"5A62C100001", "62A", "MMM", "76", "12C", "21", "44", "1"}, error));
  EXPECT_EQ(error.rfind("color:", 0), 0u) << error;
}

struct AmbiguousCase {
  const char* name;
  std::string serial;
  std::optional<std::pair<int, int>> years;
};

class YearDigits : public ::testing::TestWithParam<AmbiguousCase> {};

TEST_P(YearDigits, StandForTwoYearsOnlyFrom0To4) {
  const AmbiguousCase& c = GetParam();
  const auto years = AmbiguousYears(c.serial);
  ASSERT_EQ(years.has_value(), c.years.has_value());
  if (years) {
    EXPECT_EQ(years->first, c.years->first);
    EXPECT_EQ(years->second, c.years->second);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Serials, YearDigits,
    ::testing::Values(AmbiguousCase{"Zero", "0A62C100001", std::pair{1960, 1970}},
                      AmbiguousCase{"Two", "2", std::pair{1962, 1972}},
                      AmbiguousCase{"Four", "4A", std::pair{1964, 1974}},
                      AmbiguousCase{"Five", "5A62C100001", std::nullopt},
                      AmbiguousCase{"Nine", "9", std::nullopt},
                      AmbiguousCase{"LetterFirst1959", "C9AB100001", std::nullopt},
                      AmbiguousCase{"LeadingSpace", " 2A", std::nullopt},
                      AmbiguousCase{"Empty", "", std::nullopt}),
    [](const auto& p) { return std::string(p.param.name); });

struct TerminalCase {
  const char* name;
  std::string typed;
  std::optional<int> year;
  int questions;  // how often "Which year?" was asked
};

class TerminalQuestion : public ::testing::TestWithParam<TerminalCase> {};

TEST_P(TerminalQuestion, AsksUntilOneOfTheTwoIsAnswered) {
  const TerminalCase& c = GetParam();
  std::istringstream in(c.typed);
  std::ostringstream err;
  EXPECT_EQ(AskYearOnTerminal(in, err, CandidateYears{1962, 1972}), c.year);
  const std::string asked = err.str();
  int n = 0;
  for (auto at = asked.find("Which year? 1962 or 1972"); at != std::string::npos;
       at = asked.find("Which year?", at + 1)) {
    ++n;
  }
  EXPECT_EQ(n, c.questions) << asked;
}

INSTANTIATE_TEST_SUITE_P(
    Answers, TerminalQuestion,
    ::testing::Values(TerminalCase{"FullFirst", "1962\n", 1962, 1},
                      TerminalCase{"ShortSecond", "72\n", 1972, 1},
                      TerminalCase{"SpacesAndCrAround", "  1972 \r\n", 1972, 1},
                      TerminalCase{"WrongThenRight", "1965\n\nx\n62\n", 1962, 4},
                      TerminalCase{"InputEnds", "1965\n", std::nullopt, 2},
                      TerminalCase{"NothingTyped", "", std::nullopt, 1}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace vorrendal::decodetool
