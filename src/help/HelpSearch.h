#pragma once
// The rules behind the help window's Index and Search tabs, without Qt.
// Everything here is Windows-1252 text, as the sitemaps are; UTF-8 (pages
// that declare it, what the user types) is converted where it comes in.
// Matching ignores letter case and accents (FoldText).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "data/Cp1252.h"
#include "help/ChmSitemap.h"

namespace vorrendal {

class ChmFile;

// The words of a text, folded: runs of letters and digits. Everything else
// (spaces, punctuation, hyphens, apostrophes) separates words.
std::vector<std::string> FoldedWords(std::string_view cp1252);

// What a page says: its <title> and the text of its body, without tags,
// scripts and style sheets, references decoded. A page that declares no
// character set is taken for Windows-1252, the code page of the help.
struct PageText {
  std::string title;
  std::string body;
};
PageText ReadPageText(std::string_view html);

// The index as the Index tab lists it: one line per keyword, in the file's
// order, a sub-keyword one level below the keyword it follows.
struct IndexLine {
  std::string name;
  int level = 0;
  std::vector<ChmPageLink> pages;
};
std::vector<IndexLine> IndexLines(const std::vector<ChmTopicEntry>& index);

// The lines to show for what the user typed (leading spaces aside): those
// whose keyword begins with it, each with the keywords it stands under and
// the sub-keywords under it, in the index's order. Everything when nothing
// is typed.
struct ShownLine {
  std::size_t line;
  bool matches;  // its own keyword begins with what was typed
  bool operator==(const ShownLine&) const = default;
};
std::vector<ShownLine> FilterIndex(const std::vector<IndexLine>& lines, std::string_view typed);

// The full-text search over the pages of a help file, indexed once.
class TopicSearch {
 public:
  // Page bytes read in all; pages beyond are not searched.
  static constexpr std::size_t kMaxText = 64u * 1024u * 1024u;

  struct Hit {
    std::string page;
    std::string title;  // the page's title, or its path when it has none
    bool operator==(const Hit&) const = default;
  };

  // Reads and indexes every page of the file.
  static TopicSearch Of(const ChmFile& file, std::size_t maxText = kMaxText);

  void Add(std::string page, const PageText& text);

  // The topics that hold every word of the query, a word matching the words
  // of the text that begin with it. Topics whose title holds more of the
  // words come first; then those where they occur most often in the body;
  // then by title. No words, no topics.
  std::vector<Hit> Find(std::string_view query) const;

  std::size_t Size() const { return topics_.size(); }
  // False when pages were left out to keep within maxText.
  bool Complete() const { return complete_; }

 private:
  struct Topic {
    Hit hit;
    std::string order;  // the title folded
    std::vector<std::string> titleWords;
    std::vector<std::pair<std::string, std::uint32_t>> words;  // sorted, with their counts
  };

  std::vector<Topic> topics_;
  bool complete_ = true;
};

}  // namespace vorrendal
