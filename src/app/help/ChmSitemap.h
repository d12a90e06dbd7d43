#pragma once
// The table of contents of a compiled help file (.hhc) is an HTML "sitemap":
// nested <UL> lists whose <LI> items carry an <OBJECT type="text/sitemap">
// with <param name="Name"> and <param name="Local"> values. No Qt here.

#include <string>
#include <string_view>
#include <vector>

namespace vorrendal {

struct ChmTopicEntry {
  std::string name;   // the entry's caption, entities decoded (Windows-1252 bytes)
  std::string local;  // the page inside the help file as written; empty for a heading
  std::vector<ChmTopicEntry> children;
};

// Reads a sitemap. Tolerates what help compilers accept: tags and parameter
// names in any letter case, quoted or bare attribute values, comments, and
// unbalanced closing tags. Objects of other types are skipped.
std::vector<ChmTopicEntry> ParseSitemap(std::string_view html);

// Decodes the HTML character references that sitemaps and pages use
// (&amp; &lt; &gt; &quot; &apos; &nbsp; and numeric ones up to 255).
// Anything it does not know is kept as written.
std::string DecodeHtmlEntities(std::string_view text);

}  // namespace vorrendal
