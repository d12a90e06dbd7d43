#include "ChmSitemap.h"

#include <libxml/HTMLparser.h>
#include <libxml/parserInternals.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>
#include <utility>

#include "data/Cp1252.h"

namespace vorrendal {
namespace {

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

std::string ToLower(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(), Lower);
  return out;
}

bool IsSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

struct Tag {
  std::string name;  // lower case, without '/'
  bool closing = false;
  std::vector<std::pair<std::string, std::string>> attributes;  // names lower case

  std::string Attribute(std::string_view attributeName) const {
    for (const auto& [key, value] : attributes) {
      if (key == attributeName) return value;
    }
    return {};
  }
};

// Parses the inside of one tag, between '<' and '>'.
Tag ParseTag(std::string_view body) {
  Tag tag;
  std::size_t i = 0;
  auto skipSpace = [&] {
    while (i < body.size() && IsSpace(body[i])) ++i;
  };
  skipSpace();
  if (i < body.size() && body[i] == '/') {
    tag.closing = true;
    ++i;
  }
  const std::size_t nameStart = i;
  while (i < body.size() && !IsSpace(body[i]) && body[i] != '/') ++i;
  tag.name = ToLower(body.substr(nameStart, i - nameStart));
  while (i < body.size()) {
    skipSpace();
    if (i < body.size() && body[i] == '/') {
      ++i;
      continue;
    }
    const std::size_t keyStart = i;
    while (i < body.size() && !IsSpace(body[i]) && body[i] != '=' && body[i] != '/') ++i;
    if (i == keyStart) break;
    std::string key = ToLower(body.substr(keyStart, i - keyStart));
    skipSpace();
    std::string value;
    if (i < body.size() && body[i] == '=') {
      ++i;
      skipSpace();
      if (i < body.size() && (body[i] == '"' || body[i] == '\'')) {
        const char quote = body[i++];
        const std::size_t valueStart = i;
        while (i < body.size() && body[i] != quote) ++i;
        value = DecodeHtmlEntities(body.substr(valueStart, i - valueStart));
        if (i < body.size()) ++i;
      } else {
        const std::size_t valueStart = i;
        while (i < body.size() && !IsSpace(body[i])) ++i;
        value = DecodeHtmlEntities(body.substr(valueStart, i - valueStart));
      }
    }
    tag.attributes.emplace_back(std::move(key), std::move(value));
  }
  return tag;
}

// The end of the tag that starts at html[start] == '<': the index of its '>',
// skipping '>' inside quoted values; npos when the text ends first.
std::size_t TagEnd(std::string_view html, std::size_t start) {
  char quote = 0;
  for (std::size_t i = start + 1; i < html.size(); ++i) {
    const char c = html[i];
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      // A quote only opens a value right after '='.
      std::size_t j = i;
      while (j > start && IsSpace(html[j - 1])) --j;
      if (j > start && html[j - 1] == '=') quote = c;
    } else if (c == '>') {
      return i;
    }
  }
  return std::string_view::npos;
}

}  // namespace

std::string DecodeHtmlEntities(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t semicolon = text[i] == '&' ? text.find(';', i) : std::string_view::npos;
    // The longest entity name has eight letters.
    if (semicolon == std::string_view::npos || semicolon - i > 10) {
      out += text[i++];
      continue;
    }
    const std::string name(text.substr(i + 1, semicolon - i - 1));
    std::optional<unsigned> value;
    if (name.size() > 1 && name[0] == '#') {
      const bool hex = name[1] == 'x' || name[1] == 'X';
      const std::string_view digits = std::string_view(name).substr(hex ? 2 : 1);
      unsigned number = 0;
      const auto [end, error] =
          std::from_chars(digits.data(), digits.data() + digits.size(), number, hex ? 16 : 10);
      if (!digits.empty() && error == std::errc() && end == digits.data() + digits.size()) {
        value = number;
      }
    } else if (!name.empty()) {
      // Names are case-sensitive (&Oslash; is not &oslash;), but help
      // compilers also take the basic ones in capitals (&AMP;).
      const htmlEntityDesc* entity =
          htmlEntityLookup(reinterpret_cast<const xmlChar*>(name.c_str()));
      if (entity == nullptr) {
        entity = htmlEntityLookup(reinterpret_cast<const xmlChar*>(ToLower(name).c_str()));
        if (entity != nullptr && entity->value > 0x7F) entity = nullptr;
      }
      if (entity != nullptr) value = entity->value;
    }
    // Numbers 128 to 159 name Windows-1252 bytes, as browsers read them.
    std::optional<std::string> decoded;
    if (value && *value > 0 && *value <= 0xFF) {
      decoded = std::string(1, static_cast<char>(*value));
    } else if (value && *value <= 0x10FFFF) {
      xmlChar utf8[8] = {};
      const int length = xmlCopyCharMultiByte(utf8, static_cast<int>(*value));
      if (length > 0) {
        decoded = Utf8ToCp1252(std::string_view(reinterpret_cast<const char*>(utf8),
                                                static_cast<std::size_t>(length)));
      }
    }
    if (decoded) {
      out += *decoded;
      i = semicolon + 1;
    } else {
      out += text[i++];
    }
  }
  return out;
}

std::vector<ChmTopicEntry> ParseSitemap(std::string_view html) {
  std::vector<ChmTopicEntry> root;
  // The list that new entries go into, innermost last. A nested <UL> opens
  // the children of the entry just before it.
  std::vector<std::vector<ChmTopicEntry>*> lists{&root};
  int listDepth = 0;
  bool inObject = false;
  ChmTopicEntry current;
  std::string title;  // of the next page of the current entry

  std::size_t pos = 0;
  while ((pos = html.find('<', pos)) != std::string_view::npos) {
    if (html.substr(pos, 4) == "<!--") {
      const std::size_t end = html.find("-->", pos + 4);
      if (end == std::string_view::npos) break;
      pos = end + 3;
      continue;
    }
    const std::size_t end = TagEnd(html, pos);
    if (end == std::string_view::npos) break;
    const Tag tag = ParseTag(html.substr(pos + 1, end - pos - 1));
    pos = end + 1;

    if (tag.name == "ul") {
      if (!tag.closing) {
        ++listDepth;
        if (listDepth > 1) {
          std::vector<ChmTopicEntry>& list = *lists.back();
          lists.push_back(list.empty() ? &list : &list.back().children);
        }
      } else if (listDepth > 0) {
        if (listDepth > 1) lists.pop_back();
        --listDepth;
      }
    } else if (tag.name == "object") {
      if (!tag.closing) {
        inObject = ToLower(tag.Attribute("type")) == "text/sitemap";
        current = {};
        title.clear();
      } else if (inObject) {
        inObject = false;
        if (!current.pages.empty()) current.local = current.pages.front().local;
        if (!current.name.empty() || !current.local.empty()) {
          lists.back()->push_back(std::move(current));
        }
        current = {};
      }
    } else if (tag.name == "param" && inObject) {
      const std::string paramName = ToLower(tag.Attribute("name"));
      // The first Name is the entry's; a later one titles the next Local.
      if (paramName == "name") {
        (current.name.empty() ? current.name : title) = tag.Attribute("value");
      } else if (paramName == "local") {
        current.pages.push_back({std::exchange(title, {}), tag.Attribute("value")});
      }
    }
  }
  return root;
}

}  // namespace vorrendal
