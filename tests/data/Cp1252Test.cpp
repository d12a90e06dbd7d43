#include "data/Cp1252.h"

#include <gtest/gtest.h>

namespace vorrendal {
namespace {

struct CodecCase {
  const char* name;
  std::string utf8;
  std::string cp1252;
};

class Cp1252RoundTrip : public ::testing::TestWithParam<CodecCase> {};

TEST_P(Cp1252RoundTrip, BothWays) {
  const auto& c = GetParam();
  const auto to = Utf8ToCp1252(c.utf8);
  ASSERT_TRUE(to.has_value());
  EXPECT_EQ(*to, c.cp1252);
  EXPECT_EQ(Cp1252ToUtf8(c.cp1252), c.utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Characters, Cp1252RoundTrip,
    ::testing::Values(
        CodecCase{"Ascii", "5A62C100001", "5A62C100001"},
        CodecCase{"Empty", "", ""},
        CodecCase{"SlashedZero", "\xC3\x98", "\xD8"},           // the 1973 axle mark
        CodecCase{"Euro", "\xE2\x82\xAC", "\x80"},              // from the 0x80 row
        CodecCase{"RightQuote", "\xE2\x80\x99", "\x92"},
        CodecCase{"YDiaeresis", "\xC5\xB8", "\x9F"},            // last of the 0x80 row
        CodecCase{"UndefinedHole", "\xC2\x81", "\x81"},         // C1 control stands for the hole
        CodecCase{"Latin1High", "\xC3\xBF", "\xFF"},
        CodecCase{"Nul", std::string("a\0b", 3), std::string("a\0b", 3)}),
    [](const auto& p) { return std::string(p.param.name); });

struct BadCase {
  const char* name;
  std::string utf8;
  std::size_t badIndex;
};

class Cp1252Refused : public ::testing::TestWithParam<BadCase> {};

TEST_P(Cp1252Refused, NamesTheOffendingByte) {
  const auto& c = GetParam();
  std::size_t where = 999;
  EXPECT_FALSE(Utf8ToCp1252(c.utf8, &where).has_value());
  EXPECT_EQ(where, c.badIndex);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, Cp1252Refused,
    ::testing::Values(
        BadCase{"NoCp1252Form", "AB\xE2\x86\x92", 2},        // an arrow
        BadCase{"Cyrillic", "\xD0\x96", 0},
        BadCase{"Emoji", "x\xF0\x9F\x9A\x97", 1},
        BadCase{"TruncatedSequence", "ab\xC3", 2},
        BadCase{"LoneContinuation", "\x80", 0},
        BadCase{"Overlong", "\xC1\x81", 0},
        BadCase{"Surrogate", "\xED\xA0\x80", 0},
        BadCase{"C1NotAHole", "\xC2\x80", 0}),               // U+0080 is the Euro's byte, not a hole
    [](const auto& p) { return std::string(p.param.name); });

TEST(Cp1252, EveryByteSurvivesARoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const auto back = Utf8ToCp1252(Cp1252ToUtf8(all));
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(*back, all);
}

}  // namespace
}  // namespace vorrendal
