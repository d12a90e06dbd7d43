// The help file as built (VRNDL.chm beside the program) read through the
// help layer: the numbered topics the program opens, the contents, the links
// between pages, and files that are missing or damaged.
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <set>
#include <string>

#include "app/help/ChmFile.h"

namespace vorrendal {
namespace {

namespace fs = std::filesystem;

const fs::path kHelpFile = fs::path(VORRENDAL_BIN_DIR) / "VRNDL.chm";

std::unique_ptr<ChmFile> OpenBuilt() {
  std::string error;
  auto chm = ChmFile::Open(kHelpFile, error);
  EXPECT_NE(chm, nullptr) << kHelpFile << ": " << error;
  return chm;
}

std::string TitleOf(const std::string& html) {
  const std::size_t start = html.find("<title>");
  const std::size_t end = html.find("</title>");
  if (start == std::string::npos || end == std::string::npos || end < start) return {};
  return html.substr(start + 7, end - start - 7);
}

// The values of every href="..." and src="..." of a page, in order.
std::vector<std::string> References(const std::string& html) {
  std::vector<std::string> out;
  for (const std::string attribute : {"href=\"", "src=\""}) {
    for (std::size_t at = html.find(attribute); at != std::string::npos;
         at = html.find(attribute, at + 1)) {
      const std::size_t start = at + attribute.size();
      const std::size_t end = html.find('"', start);
      if (end == std::string::npos) break;
      out.push_back(html.substr(start, end - start));
    }
  }
  return out;
}

// The topics the program opens by number, each with the page and title it
// must show.
struct Topic {
  std::uint32_t id;
  const char* page;
  const char* title;
};
const Topic kTopics[] = {
    {4, "/errornotice.htm", "The error notice and its words"},
    {101, "/dataerror.htm", "Error Loading Data"},
    {6001, "/ctl_style.htm", "Template Style list"},
    {6002, "/ctl_plate.htm", "The plate boxes"},
    {6003, "/ctl_process.htm", "Process button"},
    {6004, "/ctl_clear.htm", "Clear button"},
    {6005, "/ctl_append.htm", "Append check box"},
    {6006, "/ctl_drop.htm", "Report drop button"},
    {6007, "/ctl_report.htm", "Report box"},
    {6008, "/ctl_copy.htm", "Copy button"},
    {6009, "/ctl_saveas.htm", "Save As button"},
    {6010, "/ctl_print.htm", "Print button"},
    {6011, "/yearchoice.htm", "Which year?"},
    {6012, "/yearok.htm", "The OK button of Which year?"},
};

TEST(BuiltHelpFile, EveryTopicNumberOpensItsPage) {
  const auto chm = OpenBuilt();
  ASSERT_NE(chm, nullptr);
  for (const Topic& t : kTopics) {
    SCOPED_TRACE(t.id);
    EXPECT_EQ(chm->TopicOf(t.id), t.page);
    const auto html = chm->Read(chm->TopicOf(t.id));
    ASSERT_TRUE(html.has_value());
    EXPECT_EQ(TitleOf(*html), t.title);
  }
  EXPECT_EQ(chm->ContextMap().size(), std::size(kTopics)) << "a topic number nobody opens";
  EXPECT_EQ(chm->TopicOf(5), "");
  EXPECT_EQ(chm->TopicOf(0), "");
}

TEST(BuiltHelpFile, SystemDataNamesTitleContentsAndFirstPage) {
  const auto chm = OpenBuilt();
  ASSERT_NE(chm, nullptr);
  EXPECT_EQ(chm->Title(), "Vorrendal Help");
  EXPECT_EQ(chm->ContentsFile(), "/VRNDL.hhc");
  EXPECT_EQ(chm->DefaultTopic(), "/index.htm");
  EXPECT_TRUE(chm->Contains(chm->DefaultTopic()));
}

void Walk(const std::vector<ChmTopicEntry>& entries, const std::function<void(const ChmTopicEntry&)>& visit) {
  for (const ChmTopicEntry& e : entries) {
    visit(e);
    Walk(e.children, visit);
  }
}

TEST(BuiltHelpFile, EveryContentsEntryResolvesAndEveryTopicIsListed) {
  const auto chm = OpenBuilt();
  ASSERT_NE(chm, nullptr);
  std::set<std::string> listed;
  int entries = 0;
  Walk(chm->Contents(), [&](const ChmTopicEntry& e) {
    ++entries;
    EXPECT_FALSE(e.name.empty());
    ASSERT_FALSE(e.local.empty()) << e.name;
    EXPECT_TRUE(chm->Contains(e.local)) << e.name << " -> " << e.local;
    listed.insert(ChmFile::NormalizePath(e.local));
  });
  EXPECT_GE(entries, 30);
  for (const Topic& t : kTopics) EXPECT_EQ(listed.count(t.page), 1u) << t.page << " is not in the contents";
}

// Follows every link and picture from the first page: each must be in the
// file, and every page of the contents must be reachable.
TEST(BuiltHelpFile, EveryLinkAndPictureResolves) {
  const auto chm = OpenBuilt();
  ASSERT_NE(chm, nullptr);
  std::set<std::string> seen{chm->DefaultTopic()};
  std::deque<std::string> pages{chm->DefaultTopic()};
  int pictures = 0;
  while (!pages.empty()) {
    const std::string page = pages.front();
    pages.pop_front();
    const auto html = chm->Read(page);
    ASSERT_TRUE(html.has_value()) << page;
    const std::string folder = page.substr(0, page.rfind('/') + 1);
    for (const std::string& target : References(*html)) {
      if (target.starts_with("#") || target.find(':') != std::string::npos) continue;
      const std::string path = ChmFile::NormalizePath(target, folder);
      EXPECT_TRUE(chm->Contains(path)) << page << " links to missing " << target;
      if (path.ends_with(".png")) {
        ++pictures;
        const auto png = chm->Read(path);
        ASSERT_TRUE(png.has_value());
        EXPECT_EQ(png->substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8)) << path;
      }
      if (path.ends_with(".htm") && seen.insert(path).second) pages.push_back(path);
    }
  }
  EXPECT_EQ(pictures, 6);
  Walk(chm->Contents(), [&](const ChmTopicEntry& e) {
    EXPECT_EQ(seen.count(ChmFile::NormalizePath(e.local)), 1u) << e.local << " cannot be reached by links";
  });
}

TEST(BuiltHelpFile, ReadsByPathInAnyFormChmlibAccepts) {
  const auto chm = OpenBuilt();
  ASSERT_NE(chm, nullptr);
  const auto page = chm->Read("/errornotice.htm");
  ASSERT_TRUE(page.has_value());
  for (const char* form : {"errornotice.htm", "/ERRORNOTICE.HTM", "./images/../errornotice.htm#words",
                           "\\errornotice.htm"}) {
    const auto again = chm->Read(form);
    ASSERT_TRUE(again.has_value()) << form;
    EXPECT_EQ(*again, *page) << form;
  }
  EXPECT_FALSE(chm->Read("/no-such-page.htm").has_value());
  EXPECT_FALSE(chm->Contains(std::string(600, 'a')));
}

// A scratch folder for damaged copies, removed afterwards.
class DamagedHelpFile : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("vorrendal-help-" + std::to_string(std::random_device{}()));
    fs::create_directories(dir_);
    std::ifstream in(kHelpFile, std::ios::binary);
    good_.assign(std::istreambuf_iterator<char>(in), {});
    ASSERT_GT(good_.size(), 4096u);
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path Write(const std::string& name, const std::string& bytes) {
    const fs::path p = dir_ / name;
    std::ofstream(p, std::ios::binary) << bytes;
    return p;
  }

  fs::path dir_;
  std::string good_;
};

TEST_F(DamagedHelpFile, EachIsRefusedWithAReason) {
  std::mt19937 random(42);
  std::string noise(8192, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  std::string zeroedBody = good_;
  std::fill(zeroedBody.begin() + static_cast<std::ptrdiff_t>(good_.size() / 3), zeroedBody.end(), '\0');

  const std::vector<std::pair<std::string, std::string>> files = {
      {"empty.chm", ""},
      {"text.chm", "This is not a help file.\r\n"},
      {"noise.chm", noise},
      {"header-only.chm", good_.substr(0, 512)},
      {"first-4k.chm", good_.substr(0, 4096)},
      {"first-half.chm", good_.substr(0, good_.size() / 2)},
      {"zeroed-after-a-third.chm", zeroedBody},
      {"all-but-last-byte.chm", good_.substr(0, good_.size() - 1024)},
  };
  for (const auto& [name, bytes] : files) {
    std::string error;
    const auto chm = ChmFile::Open(Write(name, bytes), error);
    EXPECT_EQ(chm, nullptr) << name << " was accepted";
    EXPECT_FALSE(error.empty()) << name;
  }
}

TEST_F(DamagedHelpFile, MissingFileAndFolderAreNamedAsSuch) {
  std::string error;
  EXPECT_EQ(ChmFile::Open(dir_ / "VRNDL.chm", error), nullptr);
  EXPECT_EQ(error, "The help file was not found.");
  error.clear();
  EXPECT_EQ(ChmFile::Open(dir_, error), nullptr);
  EXPECT_EQ(error, "The help file is not a regular file.");
}

TEST_F(DamagedHelpFile, AnIntactCopyOpensAnywhere) {
  std::string error;
  const auto chm = ChmFile::Open(Write("copy.chm", good_), error);
  ASSERT_NE(chm, nullptr) << error;
  EXPECT_EQ(chm->TopicOf(4), "/errornotice.htm");
}

}  // namespace
}  // namespace vorrendal
