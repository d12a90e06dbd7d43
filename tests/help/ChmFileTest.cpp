// The help reader without Qt: the VRNDL.chm the build makes, damaged copies of
// it, and the rules it reads by (sitemaps, paths, the context map's prefix).
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>

#include "help/ChmFile.h"
#include "help/ChmSitemap.h"

namespace vorrendal {
namespace {

namespace fs = std::filesystem;
using Paths = std::vector<std::string>;
const fs::path kHelpFile = fs::path(VORRENDAL_BIN_DIR) / "VRNDL.chm";

// Every entry of the contents, at any depth, is named; their pages go into listed.
void Walk(const std::vector<ChmTopicEntry>& entries, std::set<std::string>& listed) {
  for (const ChmTopicEntry& e : entries) {
    EXPECT_FALSE(e.name.empty()) << e.local;
    listed.insert(ChmFile::NormalizePath(e.local));
    Walk(e.children, listed);
  }
}

// The topic map holds the sixteen numbers the program opens (the help
// window tests show each one's page). From the first page, every link and
// picture is in the file, and every contents entry (which lists every topic)
// is reached by links. Each missing or damaged copy of the file is refused
// with the sentence naming its fault.
TEST(BuiltHelpFile, ResolvesAndDamagedCopiesAreRefused) {
  std::string error;
  const auto chm = ChmFile::Open(kHelpFile, error);
  ASSERT_NE(chm, nullptr) << kHelpFile << ": " << error;
  EXPECT_EQ(chm->ContextMap().size(), 16u) << "a topic number nobody opens";
  EXPECT_EQ(chm->Read("\\ERRORNOTICE.HTM#words"), chm->Read("/errornotice.htm"));
  EXPECT_FALSE(chm->Read("/no-such-page.htm").has_value() || chm->Contains(std::string(600, 'a')));
  EXPECT_EQ(chm->Title() + " " + chm->DefaultTopic(), "Vorrendal Help /index.htm");
  std::set<std::string> seen{chm->DefaultTopic()};
  std::deque<std::string> pages{chm->DefaultTopic()};
  int pictures = 0;
  for (; !pages.empty(); pages.pop_front()) {
    const std::string page = pages.front();
    const std::string html = chm->Read(page).value_or("");
    for (const std::string attribute : {"href=\"", "src=\""}) {
      for (std::size_t at = html.find(attribute); at != std::string::npos;
           at = html.find(attribute, at + 1)) {
        const std::size_t start = at + attribute.size();
        const std::string target = html.substr(start, html.find('"', start) - start);
        if (target.starts_with("#") || target.find(':') != std::string::npos) continue;
        const std::string path =
            ChmFile::NormalizePath(target, page.substr(0, page.rfind('/') + 1));
        EXPECT_TRUE(chm->Contains(path)) << page << " links to missing " << target;
        pictures +=
            path.ends_with(".png") && chm->Read(path).value_or("").starts_with("\x89PNG\r\n\x1a\n");
        if (path.ends_with(".htm") && seen.insert(path).second) pages.push_back(path);
      }
    }
  }
  EXPECT_EQ(pictures, 6);
  std::set<std::string> listed;
  Walk(chm->Contents(), listed);
  for (const std::string& page : listed)
    EXPECT_EQ(seen.count(page), 1u) << page << " unreachable by links";
  for (const auto& [id, page] : chm->ContextMap())
    EXPECT_EQ(listed.count(page), 1u) << page << " not in contents";

  std::ifstream in(kHelpFile, std::ios::binary);
  const std::string good{std::istreambuf_iterator<char>(in), {}};
  const auto system = chm->Read("/#SYSTEM");  // stored uncompressed
  ASSERT_TRUE(system.has_value() && good.size() > 8192 && good.find(*system) != std::string::npos);
  std::string unnamed = good;  // the contents file's name in the system data, blanked
  unnamed.replace(good.find("VRNDL.hhc", good.find(*system)), 9, 9, '\0');
  std::string renamed = good;
  renamed[good.find("/VRNDL.hhc") + 9] =
      'x';  // the directory's first mention: the contents are gone
  const fs::path dir =
      fs::temp_directory_path() / ("vorrendal-help-" + std::to_string(std::random_device{}()));
  fs::create_directories(dir / "folder.chm");
  const struct {
    const char* name;
    std::optional<std::string> bytes;
    const char* error;
  } files[] = {
      {"missing.chm", std::nullopt, "The help file was not found."},
      {"folder.chm", std::nullopt, "The help file is not a regular file."},
      {"text.chm", "This is not a help file.", "it is not a compiled help file"},
      {"header-only.chm", good.substr(0, 512), "its system data cannot be read"},
      {"first-half.chm", good.substr(0, good.size() / 2), "its topic map cannot be read"},
      {"contents-renamed.chm", renamed, "its table of contents cannot be read"},
      {"contents-unnamed.chm", unnamed, "has no table of contents"},
      {"intact.chm", good, ""},
  };
  for (const auto& f : files) {
    if (f.bytes) std::ofstream(dir / f.name, std::ios::binary) << *f.bytes;
    error.clear();
    const auto copy = ChmFile::Open(dir / f.name, error);
    EXPECT_NE(error.find(f.error), std::string::npos) << f.name << ": " << error;
    EXPECT_EQ(copy ? copy->TopicOf(4) : "", *f.error ? "" : "/errornotice.htm") << f.name;
  }
  fs::remove_all(dir);
}

// "name>local" for each entry, its pages in braces when it names several,
// children in brackets, so a tree compares as text.
std::string Flatten(const std::vector<ChmTopicEntry>& entries) {
  std::string out;
  for (const ChmTopicEntry& e : entries) {
    out += (out.empty() ? "" : " ") + e.name + ">" + e.local;
    if (e.pages.size() > 1) {
      out += "{";
      for (const ChmPageLink& page : e.pages)
        out += (&page == &e.pages[0] ? "" : " ") + page.title + ":" + page.local;
      out += "}";
    }
    if (!e.children.empty()) out += "[" + Flatten(e.children) + "]";
  }
  return out;
}

// One contents entry as help compilers write it.
std::string Item(const std::string& name, const std::string& local = "") {
  return R"(<LI><OBJECT type="text/sitemap"><param name="Name" value=")" + name + "\">" +
         (local.empty() ? "" : R"(<param name="Local" value=")" + local + "\">") + "</OBJECT>";
}

// The rules the reader reads by: the contents tree as help compilers write
// it, paths normalized as chmlib looks them up, and the context map's pages,
// which compilers write relative or under the folder they ran in (as the
// built file has it): one prefix, the longest that fits every entry, is
// stripped.
TEST(ReadingRules, SitemapPathsAndContextMapPrefix) {
  const struct {
    const char* what;
    std::string html;
    const char* expected;
  } sitemaps[] = {
      {"a nested list opens the children of the entry before it",
       "<UL>" + Item("Book") + "<UL>" + Item("P1", "p1.htm") + "<UL>" + Item("Deep", "d.htm") +
           "</UL>" + Item("P2", "p2.htm") + "</UL>" + Item("After", "z.htm") + "</UL>",
       "Book>[P1>p1.htm[Deep>d.htm] P2>p2.htm] After>z.htm"},
      {"other objects are not entries",
       R"(<OBJECT type="x"><param name="Name" value="X"></OBJECT>)", ""},
      {"letter case, bare and single-quoted values, spaces around '=', the first Local shown",
       "<Ul><lI><oBjEcT TYPE=text/sitemap><PARAM NAME=name VALUE='Mixed case'>"
       "<param name = \"LOCAL\" value = \"m.htm\"><param name=Local value=x.htm></oBjEcT></uL>",
       "Mixed case>m.htm{:m.htm :x.htm}"},
      {"references to Windows-1252, the rest kept as written; '>' inside a quoted value",
       "<UL>" +
           Item("Copy &amp; Save &gt; &lt;&quot;&apos;&#216; &#x42;&#X43;&#8364;&mdash;&Oslash;"
                "&oslash; &#9731;&rarr;&OSLASH; AT&T &AMP;&#;",
                "a>b.htm"),
       "Copy & Save > <\"'\xD8 BC\x80\x97\xD8\xF8 &#9731;&rarr;&OSLASH; AT&T &&#;>a>b.htm"},
      {"an index entry's pages, each with the Name before it (or none)",
       R"(<UL><LI><OBJECT type="text/sitemap"><param name="Name" value="Key">)"
       R"(<param name="Name" value="T1"><param name="Local" value="a.htm">)"
       R"(<param name="Local" value="b.htm"></OBJECT></UL>)",
       "Key>a.htm{T1:a.htm :b.htm}"},
      {"comments are skipped, even when they hold tags",
       "<UL><!-- " + Item("Gone", "g.htm") + " -->" + Item("Kept", "k.htm") + "</UL>",
       "Kept>k.htm"},
      {"stray closing lists and an unclosed tail lose no entry",
       "</UL></UL><UL>" + Item("A", "a.htm") + "</UL></UL>" + Item("B", "b.htm") +
           "<UL><LI><OBJECT",
       "A>a.htm B>b.htm"},
  };
  for (const auto& c : sitemaps) EXPECT_EQ(Flatten(ParseSitemap(c.html)), c.expected) << c.what;
  const struct {
    const char* path;
    const char* base;
    const char* expected;
  } paths[] = {
      {"a.htm", "/", "/a.htm"},
      {"/a.htm", "/sub/", "/a.htm"},
      {"a.htm", "/sub/", "/sub/a.htm"},
      {"", "/", "/"},
      {"./a.htm", "/sub", "/sub/a.htm"},
      {"../a.htm", "/sub/", "/a.htm"},
      {"../../../a.htm", "/sub/", "/a.htm"},
      {"images\\p.png", "/", "/images/p.png"},
      {"a.htm?x=1#y", "/", "/a.htm"},
      {"x//y/./z.htm", "/", "/x/y/z.htm"},
      {"#only", "/sub/", "/sub"},
      {"/#SYSTEM", "/", "/#SYSTEM"},
      {"/$WW/#x", "/", "/$WW/#x"},
      {"a#f/#x", "/", "/a"},
  };
  for (const auto& c : paths)
    EXPECT_EQ(ChmFile::NormalizePath(c.path, c.base), c.expected) << c.path;
  const struct {
    const char* what;
    Paths raw;
    std::set<std::string> files;
    Paths expected;
  } maps[] = {
      {"sub-folder: entry by entry, or a shorter prefix, picks other pages",
       {"/build/p/a.htm", "/build/p/sub/a.htm"},
       {"/a.htm", "/sub/a.htm", "/p/a.htm", "/p/sub/a.htm"},
       {"/a.htm", "/sub/a.htm"}},
      {"first entry in a sub-folder: the prefix must fit the others too",
       {"/build/p/sub/a.htm", "/build/p/b.htm"},
       {"/sub/a.htm", "/b.htm", "/a.htm"},
       {"/sub/a.htm", "/b.htm"}},
      {"relative paths",
       {"a.htm", "sub/b.htm"},
       {"/a.htm", "/sub/b.htm"},
       {"/a.htm", "/sub/b.htm"}},
      {"Windows paths",
       {"C:\\work\\help\\a.htm", "C:\\work\\help\\B.HTM"},
       {"/a.htm", "/B.HTM"},
       {"/a.htm", "/B.HTM"}},
      {"a page missing from the file maps to nothing",
       {"/p/a.htm", "/p/gone.htm", "/p/b.htm"},
       {"/a.htm", "/b.htm"},
       {"/a.htm", "", "/b.htm"}},
      {"nothing resolves", {"/p/x.htm"}, {"/a.htm"}, {""}},
      {"empty map", {}, {"/a.htm"}, {}},
  };
  for (const auto& c : maps) {
    const auto exists = [&](const std::string& p) { return c.files.count(p) > 0; };
    EXPECT_EQ(ChmFile::ResolveContextPaths(c.raw, exists), c.expected) << c.what;
  }
}

}  // namespace
}  // namespace vorrendal
