// What reaches a terminal: control characters in a description or an input
// shown, never sent raw; input quoted in a message kept short.
#include <gtest/gtest.h>

#include "batch/RowWriters.h"

namespace vorrendal::batch {
namespace {

struct VisibleCase {
  std::string text;
  bool keepLineFeeds;
  std::string shown;
};

void PrintTo(const VisibleCase& c, std::ostream* os) { *os << ::testing::PrintToString(c.text); }

class Visible : public ::testing::TestWithParam<VisibleCase> {};

TEST_P(Visible, ControlCharactersAreShownNotSent) {
  EXPECT_EQ(VisibleText(GetParam().text, GetParam().keepLineFeeds), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Visible,
    ::testing::Values(VisibleCase{"Caf\xC3\xA9 \xE2\x82\xAC", true, "Caf\xC3\xA9 \xE2\x82\xAC"},
                      VisibleCase{"\x1B[31mRed", true, "^[[31mRed"},
                      VisibleCase{"a\x7F", true, "a^?"}, VisibleCase{"a\tb", true, "a^Ib"},
                      VisibleCase{std::string("a\0b", 3), false, "a^@b"},
                      VisibleCase{"a\nb\r", true, "a\nb^M"}, VisibleCase{"a\nb", false, "a^Jb"},
                      VisibleCase{"\xC2\x81\xC2\x9B", true, "<U+0081><U+009B>"},
                      VisibleCase{"\xC2\xA0", true, "\xC2\xA0"},
                      VisibleCase{"b\xFF\xC0\xB1", false, "b\\xFF\\xC0\\xB1"}));

struct QuotedCase {
  std::string input;
  std::string quoted;
};

void PrintTo(const QuotedCase& c, std::ostream* os) {
  *os << c.input.size() << " bytes: " << ::testing::PrintToString(c.input.substr(0, 30));
}

class QuotedInput : public ::testing::TestWithParam<QuotedCase> {};

TEST_P(QuotedInput, VisibleAndShort) { EXPECT_EQ(Quoted(GetParam().input), GetParam().quoted); }

INSTANTIATE_TEST_SUITE_P(
    Inputs, QuotedInput,
    ::testing::Values(QuotedCase{"colour", "\"colour\""},
                      QuotedCase{std::string("se\0rial", 7), "\"se^@rial\""},
                      QuotedCase{std::string(24, 'x'), "\"" + std::string(24, 'x') + "\""},
                      QuotedCase{std::string(5000, 'x'),
                                 "\"" + std::string(24, 'x') + "...\" (5000 bytes)"},
                      QuotedCase{std::string(23, 'x') + "\xC3\xA9xx",
                                 "\"" + std::string(23, 'x') + "...\" (27 bytes)"}));

}  // namespace
}  // namespace vorrendal::batch
