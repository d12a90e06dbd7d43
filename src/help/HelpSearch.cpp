#include "HelpSearch.h"

#include <libxml/HTMLparser.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <tuple>

#include "data/Cp1252.h"
#include "data/TextFold.h"
#include "help/ChmFile.h"

namespace vorrendal {
namespace {

// Letters and digits of folded Windows-1252 text (FoldText leaves no capitals).
bool IsWordByte(unsigned char c) {
  if (c < 0x80) return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z');
  switch (c) {
    case 0x83:  // f with hook
    case 0x9C:  // oe ligature
    case 0xAA:  // ordinal indicators and micro sign
    case 0xB5:
    case 0xBA:
      return true;
    default:
      return c >= 0xC0 && c != 0xD7 && c != 0xF7;
  }
}

// Elements that run inside a line of text: their edges do not end a word.
bool IsInline(const char* name) {
  static constexpr const char* kInline[] = {
      "a",      "abbr",   "acronym", "b",    "big", "cite", "code", "dfn",   "em",
      "font",   "i",      "kbd",     "mark", "q",   "s",    "samp", "small", "span",
      "strike", "strong", "sub",     "sup",  "tt",  "u",    "var"};
  for (const char* inlineName : kInline) {
    if (std::strcmp(name, inlineName) == 0) return true;
  }
  return false;
}

// Elements whose text is not read as the page's: the head (the title is
// read on its own), scripts and style sheets.
bool IsSkipped(const char* name) {
  return std::strcmp(name, "head") == 0 || std::strcmp(name, "title") == 0 ||
         std::strcmp(name, "script") == 0 || std::strcmp(name, "style") == 0;
}

const char* NameOf(const xmlNode* node) { return reinterpret_cast<const char*>(node->name); }

const xmlNode* ChildElement(const xmlNode* parent, const char* name) {
  for (const xmlNode* child = parent->children; child != nullptr; child = child->next) {
    if (child->type == XML_ELEMENT_NODE && std::strcmp(NameOf(child), name) == 0) return child;
  }
  return nullptr;
}

// The text of the element and everything in it, in reading order (UTF-8).
// Each block (a paragraph, a cell, a line break) ends a word; inline markup
// inside a word does not.
std::string TextOf(const xmlNode* root) {
  std::string text;
  const xmlNode* node = root;
  while (node != nullptr) {
    bool descend = true;
    if (node->type == XML_ELEMENT_NODE) {
      descend = node == root || !IsSkipped(NameOf(node));
      if (!IsInline(NameOf(node))) text += ' ';
    } else if ((node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE) &&
               node->content != nullptr) {
      text += reinterpret_cast<const char*>(node->content);
    }
    if (descend && node->children != nullptr) {
      node = node->children;
      continue;
    }
    // On to the next sibling of this node or of the nearest ancestor that
    // has one, ending a word at the end of each block left on the way.
    while (node != root && node->next == nullptr) {
      node = node->parent;
      if (node->type == XML_ELEMENT_NODE && !IsInline(NameOf(node))) text += ' ';
    }
    node = node == root ? nullptr : node->next;
  }
  return text;
}

// libxml2 reports bytes its decoders refuse on standard error, whatever the
// parser is told; a page is read for what it holds, without a word to the
// terminal. Restores the previous reporter when it goes.
class QuietXml {
 public:
  QuietXml() : previous_(xmlGenericError), context_(xmlGenericErrorContext) {
    xmlSetGenericErrorFunc(nullptr, Ignore);
  }
  ~QuietXml() { xmlSetGenericErrorFunc(context_, previous_); }
  QuietXml(const QuietXml&) = delete;
  QuietXml& operator=(const QuietXml&) = delete;

 private:
  static void Ignore(void*, const char*, ...) {}
  xmlGenericErrorFunc previous_;
  void* context_;
};

bool StartsWithByteOrderMark(std::string_view html) {
  return html.starts_with("\xEF\xBB\xBF") || html.starts_with("\xFF\xFE") ||
         html.starts_with("\xFE\xFF");
}

}  // namespace

std::vector<std::string> FoldedWords(std::string_view cp1252) {
  const std::string folded = FoldText(cp1252);
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < folded.size()) {
    while (i < folded.size() && !IsWordByte(static_cast<unsigned char>(folded[i]))) ++i;
    const std::size_t start = i;
    while (i < folded.size() && IsWordByte(static_cast<unsigned char>(folded[i]))) ++i;
    if (i > start) words.push_back(folded.substr(start, i - start));
  }
  return words;
}

PageText ReadPageText(std::string_view html) {
  if (html.empty() || html.size() > static_cast<std::size_t>(INT_MAX)) return {};
  constexpr int kOptions =
      HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET;
  const auto parse = [html](const char* encoding) {
    return std::unique_ptr<xmlDoc, void (*)(xmlDoc*)>(
        htmlReadMemory(html.data(), static_cast<int>(html.size()), nullptr, encoding, kOptions),
        xmlFreeDoc);
  };
  const QuietXml quiet;
  auto doc = parse(nullptr);
  // Without a declaration (or a byte order mark) the parser would read
  // Latin-1, which lacks the quotes and dashes of the Windows code page.
  if (doc != nullptr && doc->encoding == nullptr && !StartsWithByteOrderMark(html)) {
    doc = parse("windows-1252");
  }
  if (doc == nullptr) return {};
  const xmlNode* root = xmlDocGetRootElement(doc.get());
  if (root == nullptr) return {};
  const xmlNode* head = ChildElement(root, "head");
  const xmlNode* titleElement = head != nullptr ? ChildElement(head, "title") : nullptr;
  PageText text;
  // A title is shown: an unknown character stands out as '?'. In the body
  // it only has to separate words.
  const std::string title =
      Utf8ToCp1252Lossy(titleElement != nullptr ? TextOf(titleElement) : std::string(), '?');
  text.body = Utf8ToCp1252Lossy(TextOf(root), ' ');
  // The title on one line: each run of white space one space, none around it.
  for (const char c : title) {
    const bool space = c == ' ' || c == '\n' || c == '\r' || c == '\t';
    if (!space) {
      text.title += c;
    } else if (!text.title.empty() && text.title.back() != ' ') {
      text.title += ' ';
    }
  }
  if (!text.title.empty() && text.title.back() == ' ') text.title.pop_back();
  return text;
}

std::vector<IndexLine> IndexLines(const std::vector<ChmTopicEntry>& index) {
  std::vector<IndexLine> lines;
  const auto add = [&lines](const auto& self, const std::vector<ChmTopicEntry>& entries,
                            int level) -> void {
    for (const ChmTopicEntry& entry : entries) {
      lines.push_back({entry.name, level, entry.pages});
      self(self, entry.children, level + 1);
    }
  };
  add(add, index, 0);
  return lines;
}

std::vector<ShownLine> FilterIndex(const std::vector<IndexLine>& lines, std::string_view typed) {
  typed.remove_prefix(std::min(typed.find_first_not_of(' '), typed.size()));
  const std::string prefix = FoldText(typed);
  std::vector<bool> matches(lines.size());
  std::vector<bool> shown(lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!FoldText(lines[i].name).starts_with(prefix)) continue;
    matches[i] = shown[i] = true;
    // The keywords above it...
    int level = lines[i].level;
    for (std::size_t up = i; up-- > 0 && level > 0;) {
      if (lines[up].level < level) {
        shown[up] = true;
        level = lines[up].level;
      }
    }
    // ...and the ones under it.
    for (std::size_t down = i + 1; down < lines.size() && lines[down].level > lines[i].level;
         ++down) {
      shown[down] = true;
    }
  }
  std::vector<ShownLine> result;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (shown[i]) result.push_back({i, matches[i]});
  }
  return result;
}

TopicSearch TopicSearch::Of(const ChmFile& file, std::size_t maxText) {
  TopicSearch search;
  std::size_t read = 0;
  for (std::string& page : file.Pages()) {
    const std::optional<std::string> html = file.Read(page);
    if (!html) continue;
    if (html->size() > maxText - read) {
      search.complete_ = false;
      continue;
    }
    read += html->size();
    search.Add(std::move(page), ReadPageText(*html));
  }
  return search;
}

void TopicSearch::Add(std::string page, const PageText& text) {
  Topic topic;
  topic.hit.title = text.title.empty() ? page : text.title;
  topic.hit.page = std::move(page);
  topic.order = FoldText(topic.hit.title);
  topic.titleWords = FoldedWords(text.title);
  std::map<std::string, std::uint32_t> counts;
  for (std::string& word : FoldedWords(text.body)) ++counts[std::move(word)];
  topic.words.assign(counts.begin(), counts.end());
  topics_.push_back(std::move(topic));
}

std::vector<TopicSearch::Hit> TopicSearch::Find(std::string_view query) const {
  std::vector<std::string> words = FoldedWords(query);
  std::sort(words.begin(), words.end());
  words.erase(std::unique(words.begin(), words.end()), words.end());
  if (words.empty()) return {};

  struct Ranked {
    const Topic* topic;
    std::size_t titleMatches;
    std::uint64_t occurrences;
  };
  std::vector<Ranked> ranked;
  for (const Topic& topic : topics_) {
    Ranked rank{&topic, 0, 0};
    bool all = true;
    for (const std::string& word : words) {
      const bool inTitle =
          std::any_of(topic.titleWords.begin(), topic.titleWords.end(),
                      [&word](const std::string& w) { return w.starts_with(word); });
      std::uint64_t count = 0;
      for (auto it = std::lower_bound(topic.words.begin(), topic.words.end(),
                                      std::make_pair(word, std::uint32_t{0}));
           it != topic.words.end() && it->first.starts_with(word); ++it) {
        count += it->second;
      }
      if (!inTitle && count == 0) {
        all = false;
        break;
      }
      rank.titleMatches += inTitle;
      rank.occurrences += count;
    }
    if (all) ranked.push_back(rank);
  }
  std::stable_sort(ranked.begin(), ranked.end(), [](const Ranked& a, const Ranked& b) {
    return std::forward_as_tuple(b.titleMatches, b.occurrences, a.topic->order) <
           std::forward_as_tuple(a.titleMatches, a.occurrences, b.topic->order);
  });
  std::vector<Hit> hits;
  hits.reserve(ranked.size());
  for (const Ranked& r : ranked) hits.push_back(r.topic->hit);
  return hits;
}

}  // namespace vorrendal
