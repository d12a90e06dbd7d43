// What reaches a terminal: control characters in a description or an input shown, never sent raw
// (the golden report shows the common ones); input quoted in a message kept short.
#include <gtest/gtest.h>

#include "batch/RowWriters.h"

namespace vorrendal::batch {
namespace {

using VisibleCase = std::tuple<std::string, bool, std::string>;  // text, keep line feeds, shown

class Visible : public ::testing::TestWithParam<VisibleCase> {};

TEST_P(Visible, ControlCharactersAreShownNotSent) {
  const auto& [text, keepLineFeeds, shown] = GetParam();
  EXPECT_EQ(VisibleText(text, keepLineFeeds), shown);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Visible,
    ::testing::Values(VisibleCase{"a\nb\r", true, "a\nb^M"}, VisibleCase{"a\nb", false, "a^Jb"},
                      VisibleCase{"\xC2\xA0", true, "\xC2\xA0"},
                      VisibleCase{"b\xFF\xC0\xB1", false, "b\\xFF\\xC0\\xB1"}));

class QuotedInput : public ::testing::TestWithParam<std::pair<std::string, std::string>> {};

TEST_P(QuotedInput, VisibleAndShort) { EXPECT_EQ(Quoted(GetParam().first), GetParam().second); }

INSTANTIATE_TEST_SUITE_P(
    Inputs, QuotedInput,
    ::testing::Values(std::pair(std::string(5000, 'x'),
                                "\"" + std::string(24, 'x') + "...\" (5000 bytes)"),
                      std::pair(std::string(23, 'x') + "\xC3\xA9xx",
                                "\"" + std::string(23, 'x') + "...\" (27 bytes)")));

}  // namespace
}  // namespace vorrendal::batch
