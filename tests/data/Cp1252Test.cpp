#include <gtest/gtest.h>

#include <string>

#include "data/Cp1252.h"

namespace vorrendal {
namespace {

using namespace std::string_literals;

TEST(Cp1252, ConvertsBothWays) {
  const struct {
    std::string utf8, cp1252;
  } rows[] = {
      {"5A62C100001", "5A62C100001"},
      {"\xC3\x98", "\xD8"},      // the slashed zero of the 1973 axle codes
      {"\xE2\x82\xAC", "\x80"},  // first of the 0x80 row
      {"\xC5\xB8", "\x9F"},      // last of the 0x80 row
      {"\xC2\x81", "\x81"},      // an undefined byte travels as its C1 control
      {"\xC3\xBF", "\xFF"},
      {"a\0b"s, "a\0b"s},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(Utf8ToCp1252(r.utf8), r.cp1252) << r.utf8;
    EXPECT_EQ(Cp1252ToUtf8(r.cp1252), r.utf8) << r.utf8;
  }
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(Cp1252, RefusesAndNamesTheOffendingByte) {
  const struct {
    std::string utf8;
    std::size_t at;
  } rows[] = {
      {"AB\xE2\x86\x92", 2},  // an arrow has no Windows-1252 form
      {"x\xF0\x9F\x9A\x97", 1},
      {"ab\xC3", 2},        // truncated
      {"\x80", 0},          // lone continuation byte
      {"\xC1\x81", 0},      // overlong
      {"\xED\xA0\x80", 0},  // surrogate
      {"\xC2\x80", 0},      // U+0080 is not one of the undefined bytes
  };
  for (const auto& r : rows) {
    std::size_t at = 999;
    EXPECT_FALSE(Utf8ToCp1252(r.utf8, &at).has_value()) << r.utf8;
    EXPECT_EQ(at, r.at) << r.utf8;
  }
}

struct LossyCase {
  std::string utf8, cp1252;
};
void PrintTo(const LossyCase& c, std::ostream* os) { *os << ::testing::PrintToString(c.utf8); }

class Lossy : public ::testing::TestWithParam<LossyCase> {};

TEST_P(Lossy, PutsOneReplacementForEachCharacterOrMalformedSequence) {
  EXPECT_EQ(Utf8ToCp1252Lossy(GetParam().utf8, '?'), GetParam().cp1252);
}

INSTANTIATE_TEST_SUITE_P(Texts, Lossy,
                         ::testing::Values(LossyCase{"Cr\xC3\xA8me", "Cr\xE8me"},
                                           LossyCase{"a\xE2\x86\x92z", "a?z"},  // no form
                                           LossyCase{"a\xE2\x86z", "a?z"},      // cut short
                                           LossyCase{"a\x80\x80z", "a??z"}));

}  // namespace
}  // namespace vorrendal
