// The rules of the help window's Search tab, without Qt: words and the ranking of topics.
#include <gtest/gtest.h>

#include "help/HelpSearch.h"

namespace vorrendal {
namespace {

std::string Joined(const std::vector<std::string>& parts, const char* separator) {
  std::string out;
  for (const std::string& part : parts) out += (out.empty() ? "" : separator) + part;
  return out;
}

struct TextRow {
  const char* what;
  std::string in, out;
};
std::ostream& operator<<(std::ostream& os, const TextRow& row) { return os << row.what; }

class Words : public ::testing::TestWithParam<TextRow> {};
TEST_P(Words, AreFoldedRunsOfLettersAndDigits) {
  EXPECT_EQ(Joined(FoldedWords(GetParam().in), " "), GetParam().out);
}
INSTANTIATE_TEST_SUITE_P(
    Rows, Words,
    ::testing::Values(TextRow{"accents and case", "Cr\xE8me BR\xDBL\xC9S", "creme brules"},
                      TextRow{"the multiplication sign separates", "2\xD7z", "2 z"},
                      TextRow{"the slashed zero is part of a word", "x73-\xD8", "x73 \xF8"},
                      TextRow{"letters of the 0x80 row", "\x8Akoda \x8Cuvre", "skoda \x9Cuvre"}));

class Ranking : public ::testing::TestWithParam<TextRow> {};
TEST_P(Ranking, TitleMatchesFirstThenOccurrences) {
  TopicSearch search;
  search.Add("/c.htm", {"Cr\xE8me paint", "Cr\xE8me or creme. Axle, axle, axle, axle, axle."});
  search.Add("/b.htm", {"Body code", "The body code, and the axle once."});
  search.Add("/a.htm", {"Axle code", "The axle code: axle, axle."});
  std::vector<std::string> titles;
  for (const TopicSearch::Hit& hit : search.Find(GetParam().in)) titles.push_back(hit.title);
  EXPECT_EQ(Joined(titles, "|"), GetParam().out);
}
INSTANTIATE_TEST_SUITE_P(
    Rows, Ranking,
    ::testing::Values(TextRow{"title first", "axle", "Axle code|Cr\xE8me paint|Body code"},
                      TextRow{"every word", "axle code", "Axle code|Body code"},
                      TextRow{"a word begins", "ax", "Axle code|Cr\xE8me paint|Body code"}));

}  // namespace
}  // namespace vorrendal
