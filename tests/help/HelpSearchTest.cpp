// The rules of the help window's Index and Search tabs, without Qt: words,
// pages read as text, the keyword filter and the ranking of topics; then the
// index of the VRNDL.chm the build makes.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "help/ChmFile.h"
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
    ::testing::Values(TextRow{"a dot separates", "Data.dat", "data dat"},
                      TextRow{"an apostrophe separates", "What's This?", "what s this"},
                      TextRow{"accents and case",
                              "Cr\xE8me BR\xDBL\xC9"
                              "E",
                              "creme brulee"},
                      TextRow{"the multiplication sign separates",
                              "2\xD7"
                              "3",
                              "2 3"},
                      TextRow{"the slashed zero is part of a word", "x73-\xD8", "x73 \xF8"},
                      TextRow{"letters of the 0x80 row", "\x8Akoda \x8Cuvre", "skoda \x9Cuvre"}));

struct PageRow {
  const char* what;
  std::string html, title, words;
};
std::ostream& operator<<(std::ostream& os, const PageRow& row) { return os << row.what; }

class PageTexts : public ::testing::TestWithParam<PageRow> {};
TEST_P(PageTexts, TitleAndBodyWords) {
  const PageText text = ReadPageText(GetParam().html);
  EXPECT_EQ(text.title + "|" + Joined(FoldedWords(text.body), " "),
            GetParam().title + "|" + GetParam().words);
}
INSTANTIATE_TEST_SUITE_P(
    Rows, PageTexts,
    ::testing::Values(
        PageRow{
            "declared UTF-8",
            "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"
            "<title>Cr\xC3\xA8me</title></head><body>Cr\xC3\xA8me</body></html>",
            "Cr\xE8me", "creme"},
        PageRow{"nothing declared: Windows-1252",
                "<title>A\x97"
                "B</title><p>\x8Akoda",
                "A\x97"
                "B",
                "skoda"},
        PageRow{"a UTF-8 byte order mark", "\xEF\xBB\xBF<title>Cr\xC3\xA8me</title>", "Cr\xE8me",
                ""},
        PageRow{"references", "<title>&Oslash; &amp; &mdash;</title><p>Cr&egrave;me&#233;",
                "\xD8 & \x97", "cremee"},
        PageRow{"a title character Windows-1252 lacks",
                "<meta charset=\"utf-8\"><title>a \xE2\x86\x92 b", "a ? b", ""},
        PageRow{"the title on one line", "<title>\n  Two\n\tlines </title>", "Two lines", ""},
        PageRow{"blocks end words",
                "<p>one</p><p>two</p><table><tr><td>a</td><td>b</td></tr></table>c<br>d", "",
                "one two a b c d"},
        PageRow{"inline markup does not", "<p>Proc<b>e</b><a href=x>s</a><span>s</span></p>", "",
                "process"},
        PageRow{"head, scripts, styles and comments are not text",
                "<head><title>T</title><style>p{x}</style></head><body><script>var y;</script>"
                "<!-- z --><p>w</p></body>",
                "T", "w"}));

// Lines of an index: two keywords with one sub-keyword, one with a branch two deep.
const std::vector<IndexLine> kLines = {
    {"Axle code", 0, {}}, {"slashed zero", 1, {}}, {"Cr\xE8me", 0, {}}, {"Plate", 0, {}},
    {"finding", 1, {}},   {"worn", 1, {}},         {"deep", 2, {}},     {"Slashed zero", 0, {}},
};

class IndexFilter : public ::testing::TestWithParam<TextRow> {};
TEST_P(IndexFilter, ShowsMatchesWithTheirKeywords) {
  std::string shown;  // names, a star on those that match
  for (const ShownLine& line : FilterIndex(kLines, GetParam().in)) {
    shown += (shown.empty() ? "" : "|") + kLines[line.line].name + (line.matches ? "*" : "");
  }
  EXPECT_EQ(shown, GetParam().out);
}
INSTANTIATE_TEST_SUITE_P(Rows, IndexFilter,
                         ::testing::Values(TextRow{"every keyword above, no others", "deep",
                                                   "Plate|worn|deep*"}));

struct RankRow {
  const char* what;
  std::string query, titles;
};
std::ostream& operator<<(std::ostream& os, const RankRow& row) { return os << row.what; }

class Ranking : public ::testing::TestWithParam<RankRow> {};
TEST_P(Ranking, TitleMatchesFirstThenOccurrences) {
  TopicSearch search;
  // Added out of title order, so that a tie must be settled by the title.
  // Fender and Etui hold rim and tyre as often, each word in another measure.
  search.Add("/d.htm", {"", "A page without a title names the code."});
  search.Add("/c.htm", {"Cr\xE8me paint", "Cr\xE8me or creme. Axle, axle, axle, axle, axle."});
  search.Add("/b.htm", {"Body code", "The body code, and the axle once."});
  search.Add("/a.htm", {"Axle code", "The axle code: axle, axle."});
  search.Add("/f.htm", {"Fender", "Rim, tyre, tyre, tyre, hub."});
  search.Add("/e.htm", {"\xC9tui", "Rim, rim, rim, tyre, hub."});
  std::vector<std::string> titles;
  for (const TopicSearch::Hit& hit : search.Find(GetParam().query)) titles.push_back(hit.title);
  EXPECT_EQ(Joined(titles, "|"), GetParam().titles);
}
INSTANTIATE_TEST_SUITE_P(
    Rows, Ranking,
    ::testing::Values(
        RankRow{"a title match beats more occurrences", "axle",
                "Axle code|Cr\xE8me paint|Body code"},
        RankRow{"case and accents, in the title and the text", "CREME", "Cr\xE8me paint"},
        RankRow{"every word must be there; more title words first", "axle code",
                "Axle code|Body code"},
        RankRow{"a word finds the words it begins", "ax", "Axle code|Cr\xE8me paint|Body code"},
        RankRow{"equal ranks by title; no title, the page", "code", "Axle code|Body code|/d.htm"},
        RankRow{"a title that holds the word is enough", "paint", "Cr\xE8me paint"},
        RankRow{"equal ranks by the folded title", "hub", "\xC9tui|Fender"},
        RankRow{"a word twice counts once", "tyre tyre rim", "\xC9tui|Fender"},
        RankRow{"not found", "axle gearbox", ""}));

const std::filesystem::path kHelpFile = std::filesystem::path(VORRENDAL_BIN_DIR) / "VRNDL.chm";

// The built file's index names only pages it holds, and names every page.
TEST(BuiltHelpIndex, NamesEveryPageAndOnlyPagesThatExist) {
  std::string error;
  const auto chm = ChmFile::Open(kHelpFile, error);
  ASSERT_NE(chm, nullptr) << error;
  std::set<std::string> named;
  bool several = false;
  for (const IndexLine& line : IndexLines(chm->Index())) {
    EXPECT_FALSE(line.name.empty() || line.pages.empty()) << line.name;
    several = several || line.pages.size() > 1;
    for (const ChmPageLink& page : line.pages) {
      EXPECT_TRUE(chm->Contains(page.local)) << line.name << ": " << page.local;
      named.insert(page.local);
    }
  }
  EXPECT_TRUE(several) << "no keyword names several topics";
  for (const std::string& page : chm->Pages()) EXPECT_EQ(named.count(page), 1u) << page;
}

}  // namespace
}  // namespace vorrendal
