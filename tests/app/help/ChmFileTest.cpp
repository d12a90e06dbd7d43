// The help reader without Qt: the VRNDL.chm the build makes, damaged copies of
// it, and the rules it reads by (sitemaps, paths, the context map's prefix).
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>

#include "app/help/ChmFile.h"
#include "app/help/ChmSitemap.h"

namespace vorrendal {
namespace {

namespace fs = std::filesystem;
using Paths = std::vector<std::string>;
const fs::path kHelpFile = fs::path(VORRENDAL_BIN_DIR) / "VRNDL.chm";

void Walk(const std::vector<ChmTopicEntry>& entries, std::vector<const ChmTopicEntry*>& out) {
  for (const ChmTopicEntry& e : entries) out.push_back(&e), Walk(e.children, out);
}

// Every numbered topic opens its page. From the first page, every link and
// picture is in the file, and every contents entry (which lists every topic)
// is reached by links.
TEST(BuiltHelpFile, TopicsContentsLinksAndPicturesResolve) {
  std::string error;
  const auto chm = ChmFile::Open(kHelpFile, error);
  ASSERT_NE(chm, nullptr) << kHelpFile << ": " << error;
  const struct { std::uint32_t id; const char* page; const char* title; } topics[] = {
      {4, "/errornotice.htm", "The error notice and its words"}, {101, "/dataerror.htm", "Error Loading Data"},
      {6001, "/ctl_style.htm", "Template Style list"},          {6002, "/ctl_plate.htm", "The plate boxes"},
      {6003, "/ctl_process.htm", "Process button"},             {6004, "/ctl_clear.htm", "Clear button"},
      {6005, "/ctl_append.htm", "Append check box"},            {6006, "/ctl_drop.htm", "Report drop button"},
      {6007, "/ctl_report.htm", "Report box"},                  {6008, "/ctl_copy.htm", "Copy button"},
      {6009, "/ctl_saveas.htm", "Save As button"},              {6010, "/ctl_print.htm", "Print button"},
      {6011, "/yearchoice.htm", "Which year?"},                 {6012, "/yearok.htm", "The OK button of Which year?"},
  };
  for (const auto& t : topics) {
    EXPECT_EQ(chm->TopicOf(t.id), t.page) << t.id;
    const std::string html = chm->Read(t.page).value_or("");
    EXPECT_NE(html.find(std::string("<title>") + t.title + "</title>"), std::string::npos) << t.page;
  }
  EXPECT_EQ(chm->ContextMap().size(), std::size(topics)) << "a topic number nobody opens";
  EXPECT_EQ(chm->Read("\\ERRORNOTICE.HTM#words"), chm->Read("/errornotice.htm"));
  EXPECT_FALSE(chm->Read("/no-such-page.htm").has_value() || chm->Contains(std::string(600, 'a')));

  EXPECT_EQ(chm->Title(), "Vorrendal Help");
  EXPECT_EQ(chm->DefaultTopic(), "/index.htm");
  std::set<std::string> seen{chm->DefaultTopic()};
  std::deque<std::string> pages{chm->DefaultTopic()};
  int pictures = 0;
  for (; !pages.empty(); pages.pop_front()) {
    const std::string page = pages.front();
    const auto html = chm->Read(page);
    ASSERT_TRUE(html.has_value()) << page;
    for (const std::string attribute : {"href=\"", "src=\""}) {
      for (std::size_t at = html->find(attribute); at != std::string::npos; at = html->find(attribute, at + 1)) {
        const std::size_t start = at + attribute.size();
        const std::string target = html->substr(start, html->find('"', start) - start);
        if (target.starts_with("#") || target.find(':') != std::string::npos) continue;
        const std::string path = ChmFile::NormalizePath(target, page.substr(0, page.rfind('/') + 1));
        EXPECT_TRUE(chm->Contains(path)) << page << " links to missing " << target;
        pictures += path.ends_with(".png") && chm->Read(path).value_or("").starts_with("\x89PNG\r\n\x1a\n");
        if (path.ends_with(".htm") && seen.insert(path).second) pages.push_back(path);
      }
    }
  }
  EXPECT_EQ(pictures, 6);
  std::vector<const ChmTopicEntry*> entries;
  Walk(chm->Contents(), entries);
  EXPECT_GE(entries.size(), 30u);
  std::set<std::string> listed;
  for (const ChmTopicEntry* e : entries) {
    EXPECT_FALSE(e->name.empty());
    EXPECT_EQ(seen.count(ChmFile::NormalizePath(e->local)), 1u) << e->local << " cannot be reached by links";
    listed.insert(ChmFile::NormalizePath(e->local));
  }
  for (const auto& [id, page] : chm->ContextMap()) EXPECT_EQ(listed.count(page), 1u) << page << " not in contents";
}

// Each missing or damaged copy is refused with the sentence naming its fault.
TEST(HelpFileCopies, DamagedOnesAreRefusedWithTheirFault) {
  std::ifstream in(kHelpFile, std::ios::binary);
  const std::string good{std::istreambuf_iterator<char>(in), {}};
  std::string error;
  const auto system = ChmFile::Open(kHelpFile, error)->Read("/#SYSTEM");  // stored uncompressed
  ASSERT_TRUE(system.has_value() && good.size() > 8192 && good.find(*system) != std::string::npos);
  std::string unnamed = good;  // the contents file's name in the system data, blanked
  unnamed.replace(good.find("VRNDL.hhc", good.find(*system)), 9, 9, '\0');
  std::string renamed = good;
  renamed[good.find("/VRNDL.hhc") + 9] = 'x';  // the directory's first mention: the contents are gone

  const fs::path dir = fs::temp_directory_path() / ("vorrendal-help-" + std::to_string(std::random_device{}()));
  fs::create_directories(dir / "folder.chm");
  const struct { const char* name; std::optional<std::string> bytes; const char* error; } files[] = {
      {"missing.chm", std::nullopt, "The help file was not found."},
      {"folder.chm", std::nullopt, "The help file is not a regular file."},
      {"empty.chm", "", "it is not a compiled help file"},
      {"text.chm", "This is not a help file.", "it is not a compiled help file"},
      {"header-only.chm", good.substr(0, 512), "its system data cannot be read"},
      {"first-half.chm", good.substr(0, good.size() / 2), "its topic map cannot be read"},
      {"zeroed-after-a-third.chm", good.substr(0, good.size() / 3).append(good.size() * 2 / 3, 0),
       "its topic map cannot be read"},
      {"short-by-1k.chm", good.substr(0, good.size() - 1024), "its topic map cannot be read"},
      {"contents-renamed.chm", renamed, "its table of contents cannot be read"},
      {"contents-unnamed.chm", unnamed, "has no table of contents"},
      {"intact.chm", good, ""},
  };
  for (const auto& f : files) {
    if (f.bytes) std::ofstream(dir / f.name, std::ios::binary) << *f.bytes;
    error.clear();
    const auto chm = ChmFile::Open(dir / f.name, error);
    EXPECT_EQ(chm == nullptr, *f.error != '\0') << f.name;
    EXPECT_NE(error.find(f.error), std::string::npos) << f.name << ": " << error;
    EXPECT_EQ(chm ? chm->TopicOf(4) : "", *f.error ? "" : "/errornotice.htm") << f.name;
  }
  fs::remove_all(dir);
}

// "name>local" for each entry, children in brackets, so a tree compares as text.
std::string Flatten(const std::vector<ChmTopicEntry>& entries) {
  std::string out;
  for (const ChmTopicEntry& e : entries) {
    out += (out.empty() ? "" : " ") + e.name + ">" + e.local;
    if (!e.children.empty()) out += "[" + Flatten(e.children) + "]";
  }
  return out;
}

// One contents entry as help compilers write it.
std::string Item(const std::string& name, const std::string& local = "") {
  return R"(<LI><OBJECT type="text/sitemap"><param name="Name" value=")" + name + "\">" +
         (local.empty() ? "" : R"(<param name="Local" value=")" + local + "\">") + "</OBJECT>";
}

TEST(ContentsSitemap, ReadsTheTreeAsCompilersWriteIt) {
  const struct { const char* what; std::string html; const char* expected; } cases[] = {
      {"a nested list opens the children of the entry before it",
       "<UL>" + Item("Book") + "<UL>" + Item("P1", "p1.htm") + "<UL>" + Item("Deep", "d.htm") + "</UL>" +
           Item("P2", "p2.htm") + "</UL>" + Item("After", "z.htm") + "</UL>",
       "Book>[P1>p1.htm[Deep>d.htm] P2>p2.htm] After>z.htm"},
      {"other objects are not entries", R"(<OBJECT type="x"><param name="Name" value="X"></OBJECT>)", ""},
      {"letter case, bare and single-quoted values, spaces around '=', the first Local wins",
       "<Ul><lI><oBjEcT TYPE=text/sitemap><PARAM NAME=name VALUE='Mixed case'>"
       "<param name = \"LOCAL\" value = \"m.htm\"><param name=Local value=x.htm></oBjEcT></uL>",
       "Mixed case>m.htm"},
      {"entities up to one byte, the rest kept as written; '>' inside a quoted value",
       "<UL>" + Item("Copy &amp; Save &gt; &lt;&quot;&apos;&#216; &#x42;&#X43;&#8364; AT&T &AMP;&#;", "a>b.htm"),
       "Copy & Save > <\"'\xD8 BC&#8364; AT&T &&#;>a>b.htm"},
      {"comments are skipped, even when they hold tags",
       "<UL><!-- " + Item("Gone", "g.htm") + " -->" + Item("Kept", "k.htm") + "</UL>", "Kept>k.htm"},
      {"stray closing lists and an unclosed tail lose no entry",
       "</UL></UL><UL>" + Item("A", "a.htm") + "</UL></UL>" + Item("B", "b.htm") + "<UL><LI><OBJECT",
       "A>a.htm B>b.htm"},
  };
  for (const auto& c : cases) EXPECT_EQ(Flatten(ParseSitemap(c.html)), c.expected) << c.what;
}

TEST(ChmPaths, NormalizeAsChmlibLooksThemUp) {
  const struct { const char* path; const char* base; const char* expected; } cases[] = {
      {"a.htm", "/", "/a.htm"}, {"/a.htm", "/sub/", "/a.htm"}, {"a.htm", "/sub/", "/sub/a.htm"}, {"", "/", "/"},
      {"./a.htm", "/sub", "/sub/a.htm"}, {"../a.htm", "/sub/", "/a.htm"}, {"../../../a.htm", "/sub/", "/a.htm"},
      {"images\\p.png", "/", "/images/p.png"}, {"a.htm?x=1#y", "/", "/a.htm"}, {"x//y/./z.htm", "/", "/x/y/z.htm"},
      {"#only", "/sub/", "/sub"}, {"/#SYSTEM", "/", "/#SYSTEM"}, {"/$WW/#x", "/", "/$WW/#x"}, {"a#f/#x", "/", "/a"},
  };
  for (const auto& c : cases) EXPECT_EQ(ChmFile::NormalizePath(c.path, c.base), c.expected) << c.path;
}

// Help compilers write the context map's pages relative, or under the folder
// they ran in (as the built file has it): one prefix, the longest that fits
// every entry, is stripped.
TEST(ContextMap, StripsTheLongestPrefixThatFitsEveryEntry) {
  const struct { const char* what; Paths raw; std::set<std::string> files; Paths expected; } cases[] = {
      {"sub-folder: entry by entry, or a shorter prefix, picks other pages", {"/build/p/a.htm", "/build/p/sub/a.htm"},
       {"/a.htm", "/sub/a.htm", "/p/a.htm", "/p/sub/a.htm"}, {"/a.htm", "/sub/a.htm"}},
      {"first entry in a sub-folder: the prefix must fit the others too", {"/build/p/sub/a.htm", "/build/p/b.htm"},
       {"/sub/a.htm", "/b.htm", "/a.htm"}, {"/sub/a.htm", "/b.htm"}},
      {"relative paths", {"a.htm", "sub/b.htm"}, {"/a.htm", "/sub/b.htm"}, {"/a.htm", "/sub/b.htm"}},
      {"Windows paths", {"C:\\work\\help\\a.htm", "C:\\work\\help\\B.HTM"}, {"/a.htm", "/B.HTM"}, {"/a.htm", "/B.HTM"}},
      {"a page missing from the file maps to nothing", {"/p/a.htm", "/p/gone.htm", "/p/b.htm"}, {"/a.htm", "/b.htm"},
       {"/a.htm", "", "/b.htm"}},
      {"nothing resolves", {"/p/x.htm"}, {"/a.htm"}, {""}},
      {"empty map", {}, {"/a.htm"}, {}},
  };
  for (const auto& c : cases) {
    const auto exists = [&](const std::string& p) { return c.files.count(p) > 0; };
    EXPECT_EQ(ChmFile::ResolveContextPaths(c.raw, exists), c.expected) << c.what;
  }
}

}  // namespace
}  // namespace vorrendal
