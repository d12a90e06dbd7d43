#pragma once
// The table of contents (.hhc) and the index (.hhk) of a compiled help file
// are HTML "sitemaps": nested <UL> lists whose <LI> items carry an
// <OBJECT type="text/sitemap"> with <param name="Name"> and
// <param name="Local"> values. An index entry may name several pages, each
// Local after a Name of its own that titles it. No Qt here.

#include <string>
#include <string_view>
#include <vector>

namespace vorrendal {

// One page that an entry names, and the title given with it (often empty).
struct ChmPageLink {
  std::string title;
  std::string local;
  bool operator==(const ChmPageLink&) const = default;
};

struct ChmTopicEntry {
  std::string name;   // the entry's caption, entities decoded (Windows-1252 bytes)
  std::string local;  // the (first) page inside the help file as written; empty for a heading
  std::vector<ChmTopicEntry> children;
  std::vector<ChmPageLink> pages;  // every page it names, in order: local is the first
};

// Reads a sitemap. Tolerates what help compilers accept: tags and parameter
// names in any letter case, quoted or bare attribute values, comments, and
// unbalanced closing tags. Objects of other types are skipped.
std::vector<ChmTopicEntry> ParseSitemap(std::string_view html);

// Decodes HTML character references (named and numeric) into Windows-1252.
// A reference to a character the code page lacks, or to none, is kept as
// written.
std::string DecodeHtmlEntities(std::string_view text);

}  // namespace vorrendal
