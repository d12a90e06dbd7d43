// The help reader without Qt: the VRNDL.chm the build makes, damaged copies of it, its paths.
#include <gtest/gtest.h>

#include <array>
#include <deque>
#include <filesystem>
#include <fstream>
#include <set>

#include "../tools/data/ScratchFiles.h"
#include "help/ChmFile.h"
#include "help/ChmSitemap.h"
#include "help/HelpSearch.h"

namespace vorrendal {
namespace {

namespace fs = std::filesystem;
const fs::path kHelpFile = fs::path(VORRENDAL_BIN_DIR) / "VRNDL.chm";

// Every entry of the contents, at any depth, is named; their pages go into listed.
void Walk(const std::vector<ChmTopicEntry>& entries, std::set<std::string>& listed) {
  for (const ChmTopicEntry& e : entries) {
    EXPECT_FALSE(e.name.empty()) << e.local;
    listed.insert(ChmFile::NormalizePath(e.local));
    Walk(e.children, listed);
  }
}

// The sixteen topics the program opens; every link and picture reached from
// the first page is in the file, and so is every contents entry. Each missing
// or damaged copy of the file is refused with the sentence naming its fault.
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
        if (path.ends_with(".htm") && seen.insert(path).second) pages.push_back(path);
      }
    }
  }
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
  std::string renamed = good;  // the directory's first mention: the contents are gone
  renamed[good.find("/VRNDL.hhc") + 9] = 'x';
  const testing::ScratchDir dir;
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
}

// The Search tab reads page text up to a bound, and says when it left pages out.
TEST(BuiltHelpFile, SearchKeepsWithinItsTextBound) {
  std::string error;
  const auto chm = ChmFile::Open(kHelpFile, error);
  ASSERT_NE(chm, nullptr) << kHelpFile << ": " << error;
  const TopicSearch all = TopicSearch::Of(*chm);
  const TopicSearch bounded = TopicSearch::Of(*chm, 4096);
  EXPECT_TRUE(all.Complete());
  EXPECT_FALSE(bounded.Complete());
  EXPECT_LT(bounded.Size(), all.Size());
}

// A link never leads out of the file, however many "../" it holds.
TEST(ReadingRules, PathsStayInsideTheFile) {
  for (const auto& [path, base, expected] :
       {std::array{"a.htm", "/sub/", "/sub/a.htm"}, std::array{"", "/", "/"},
        std::array{"../../../a.htm", "/sub/", "/a.htm"},
        std::array{"x//y/./z.htm", "/", "/x/y/z.htm"}})
    EXPECT_EQ(ChmFile::NormalizePath(path, base), expected) << path;
}

}  // namespace
}  // namespace vorrendal
