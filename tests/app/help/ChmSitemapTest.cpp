// The sitemap reader and path rules of the help layer, on hand-made input.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "app/help/ChmFile.h"
#include "app/help/ChmSitemap.h"

namespace vorrendal {
namespace {

// "name>local" for each entry, children in brackets, so a tree compares as text.
std::string Flatten(const std::vector<ChmTopicEntry>& entries) {
  std::string out;
  for (const ChmTopicEntry& e : entries) {
    if (!out.empty()) out += ' ';
    out += e.name + ">" + e.local;
    if (!e.children.empty()) out += "[" + Flatten(e.children) + "]";
  }
  return out;
}

struct SitemapCase {
  const char* what;
  const char* html;
  const char* expected;
};

class SitemapTest : public testing::TestWithParam<SitemapCase> {};

TEST_P(SitemapTest, ReadsTheTree) {
  EXPECT_EQ(Flatten(ParseSitemap(GetParam().html)), GetParam().expected) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, SitemapTest,
    testing::Values(
        SitemapCase{"flat list",
                    R"(<UL><LI><OBJECT type="text/sitemap"><param name="Name" value="A">)"
                    R"(<param name="Local" value="a.htm"></OBJECT>)"
                    R"(<LI><OBJECT type="text/sitemap"><param name="Name" value="B">)"
                    R"(<param name="Local" value="b.htm"></OBJECT></UL>)",
                    "A>a.htm B>b.htm"},
        SitemapCase{"nested lists open the children of the entry before them",
                    R"(<ul><li><object type="text/sitemap"><param name="Name" value="Book"></object>)"
                    R"(<ul><li><object type="text/sitemap"><param name="Name" value="P1"><param name="Local" value="p1.htm"></object>)"
                    R"(<ul><li><object type="text/sitemap"><param name="Name" value="Deep"><param name="Local" value="d.htm"></object></ul>)"
                    R"(<li><object type="text/sitemap"><param name="Name" value="P2"><param name="Local" value="p2.htm"></object></ul>)"
                    R"(<li><object type="text/sitemap"><param name="Name" value="After"><param name="Local" value="z.htm"></object></ul>)",
                    "Book>[P1>p1.htm[Deep>d.htm] P2>p2.htm] After>z.htm"},
        SitemapCase{"site properties and other objects are not entries",
                    R"(<OBJECT type="text/site properties"><param name="Window Styles" value="0x800025"></OBJECT>)"
                    R"(<UL><LI><OBJECT type="text/sitemap"><param name="Name" value="Only"><param name="Local" value="o.htm"></OBJECT>)"
                    R"(<OBJECT type="application/x-oleobject"><param name="Name" value="X"></OBJECT></UL>)",
                    "Only>o.htm"},
        SitemapCase{"letter case, bare and single-quoted values, spaces around '='",
                    "<Ul><lI><oBjEcT TYPE=text/sitemap><PARAM NAME=name VALUE='Mixed case'>"
                    "<param name = \"LOCAL\" value = \"m.htm\"></oBjEcT></uL>",
                    "Mixed case>m.htm"},
        SitemapCase{"entities in values and '>' inside a quoted value",
                    R"(<UL><LI><OBJECT type="text/sitemap"><param name="Name" value="Copy &amp; Save &gt; Print">)"
                    R"(<param name="Local" value="a>b.htm"></OBJECT></UL>)",
                    "Copy & Save > Print>a>b.htm"},
        SitemapCase{"comments are skipped, even when they hold tags",
                    R"(<UL><!-- <LI><OBJECT type="text/sitemap"><param name="Name" value="Gone"></OBJECT> -->)"
                    R"(<LI><OBJECT type="text/sitemap"><param name="Name" value="Kept"><param name="Local" value="k.htm"></OBJECT></UL>)",
                    "Kept>k.htm"},
        SitemapCase{"the first Name and Local of an entry win",
                    R"(<UL><LI><OBJECT type="text/sitemap"><param name="Name" value="First"><param name="Name" value="Second">)"
                    R"(<param name="Local" value="1.htm"><param name="Local" value="2.htm"></OBJECT></UL>)",
                    "First>1.htm"},
        SitemapCase{"stray closing lists and an unclosed tail do not lose entries",
                    R"(</UL></UL><UL><LI><OBJECT type="text/sitemap"><param name="Name" value="A"><param name="Local" value="a.htm"></OBJECT>)"
                    R"(</UL></UL><LI><OBJECT type="text/sitemap"><param name="Name" value="B"><param name="Local" value="b.htm"></OBJECT><UL><LI><OBJECT)",
                    "A>a.htm B>b.htm"},
        SitemapCase{"no lists at all", "<html><body><p>nothing here</p></body></html>", ""},
        SitemapCase{"empty text", "", ""}),
    [](const testing::TestParamInfo<SitemapCase>& param) { return "Case" + std::to_string(param.index); });

TEST(HtmlEntities, DecodesWhatSitemapsUse) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"a &amp; b", "a & b"},
      {"&lt;tag&gt;", "<tag>"},
      {"&quot;q&quot; &apos;s&apos;", "\"q\" 's'"},
      {"&#65;&#x42;&#X43;", "ABC"},
      {"&#216;", "\xD8"},          // the slashed zero of the axle codes, in Windows-1252
      {"&#8364;", "&#8364;"},      // beyond one byte: kept as written
      {"&unknown; &amp", "&unknown; &amp"},
      {"AT&T", "AT&T"},
      {"&#;&#x;", "&#;&#x;"},
      {"&AMP;", "&"},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(DecodeHtmlEntities(in), out) << in;
}

TEST(ChmPaths, NormalizeAsChmlibLooksThemUp) {
  struct Case {
    const char* path;
    const char* base;
    const char* expected;
  };
  const Case cases[] = {
      {"a.htm", "/", "/a.htm"},
      {"/a.htm", "/sub/", "/a.htm"},
      {"a.htm", "/sub/", "/sub/a.htm"},
      {"./a.htm", "/sub", "/sub/a.htm"},
      {"../a.htm", "/sub/", "/a.htm"},
      {"../../../a.htm", "/sub/", "/a.htm"},
      {"images\\plate62.png", "/", "/images/plate62.png"},
      {"a.htm#anchor", "/", "/a.htm"},
      {"a.htm?x=1#y", "/", "/a.htm"},
      {"x//y/./z.htm", "/", "/x/y/z.htm"},
      {"#only", "/sub/", "/sub"},
      {"/#SYSTEM", "/", "/#SYSTEM"},
      {"/$WWKeywordLinks/#x", "/", "/$WWKeywordLinks/#x"},
      {"page.htm#frag/#x", "/", "/page.htm"},
      {"", "/", "/"},
  };
  for (const Case& c : cases) EXPECT_EQ(ChmFile::NormalizePath(c.path, c.base), c.expected) << c.path;
}

struct ContextCase {
  const char* what;
  std::vector<std::string> raw;
  std::set<std::string> files;
  std::vector<std::string> expected;
};

class ContextPathsTest : public testing::TestWithParam<ContextCase> {};

TEST_P(ContextPathsTest, StripsTheLongestPrefixThatFitsEveryEntry) {
  const ContextCase& c = GetParam();
  const auto exists = [&](const std::string& p) { return c.files.count(p) > 0; };
  EXPECT_EQ(ChmFile::ResolveContextPaths(c.raw, exists), c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Maps, ContextPathsTest,
    testing::Values(
        ContextCase{"absolute path of the build folder",
                    {"/build/help/project/a.htm", "/build/help/project/b.htm"},
                    {"/a.htm", "/b.htm"},
                    {"/a.htm", "/b.htm"}},
        ContextCase{"pages in a sub-folder: an entry-by-entry strip would pick the root page",
                    {"/build/p/a.htm", "/build/p/sub/a.htm"},
                    {"/a.htm", "/sub/a.htm"},
                    {"/a.htm", "/sub/a.htm"}},
        ContextCase{"first entry in a sub-folder: the prefix must fit the others too",
                    {"/build/p/sub/a.htm", "/build/p/b.htm"},
                    {"/sub/a.htm", "/b.htm", "/a.htm"},
                    {"/sub/a.htm", "/b.htm"}},
        ContextCase{"relative paths as other compilers write them",
                    {"a.htm", "sub/b.htm"},
                    {"/a.htm", "/sub/b.htm"},
                    {"/a.htm", "/sub/b.htm"}},
        ContextCase{"Windows paths with drive and backslashes",
                    {"C:\\work\\help\\a.htm", "C:\\work\\help\\B.HTM"},
                    {"/a.htm", "/B.HTM"},
                    {"/a.htm", "/B.HTM"}},
        ContextCase{"a page missing from the file maps to nothing, the rest still resolve",
                    {"/p/a.htm", "/p/gone.htm", "/p/b.htm"},
                    {"/a.htm", "/b.htm"},
                    {"/a.htm", "", "/b.htm"}},
        ContextCase{"nothing resolves", {"/p/x.htm"}, {"/a.htm"}, {""}},
        ContextCase{"empty map", {}, {"/a.htm"}, {}}),
    [](const testing::TestParamInfo<ContextCase>& param) { return "Case" + std::to_string(param.index); });

}  // namespace
}  // namespace vorrendal
