#include "DescriptionSource.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <system_error>

#include "data/Cp1252.h"
#include "data/KeyedTable.h"

namespace vorrendal {
namespace {

constexpr std::string_view kFieldLetters = "pmebctsrx";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string Quoted(std::string_view cp1252) { return "\"" + Cp1252ToUtf8(cp1252) + "\""; }

// Why Utf8ToCp1252 refused the text at byte offset at: a well-formed character
// that the code page cannot hold, or a malformed sequence.
std::string Utf8Problem(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  std::size_t len = 0;
  char32_t cp = 0;
  char32_t min = 0;  // the smallest code point that needs len bytes
  if ((lead & 0xE0) == 0xC0) {
    len = 2;
    cp = lead & 0x1Fu;
    min = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    len = 3;
    cp = lead & 0x0Fu;
    min = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    len = 4;
    cp = lead & 0x07u;
    min = 0x10000;
  }
  bool wellFormed = len != 0 && at + len <= text.size();
  for (std::size_t k = 1; wellFormed && k < len; ++k) {
    const auto b = static_cast<unsigned char>(text[at + k]);
    wellFormed = (b & 0xC0) == 0x80;
    cp = (cp << 6) | (b & 0x3Fu);
  }
  wellFormed = wellFormed && cp >= min && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
  const std::string column = " at column " + std::to_string(at + 1);
  if (!wellFormed) return "not valid UTF-8" + column;
  char code[16];
  std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(cp));
  return "character \"" + std::string(text.substr(at, len)) + "\" (" + code +
         ") has no Windows-1252 form" + column;
}

}  // namespace

std::optional<int> DescriptionSource::YearOfFileName(std::string_view fileName) {
  if (fileName.size() != 8 || fileName.substr(4) != ".txt") return std::nullopt;
  int year = 0;
  for (char c : fileName.substr(0, 4)) {
    if (c < '0' || c > '9') return std::nullopt;
    year = year * 10 + (c - '0');
  }
  if (year < kFirstYear || year > kLastYear) return std::nullopt;
  return year;
}

std::optional<std::string> DescriptionSource::KeyProblem(std::string_view key, int year) {
  if (key.empty()) return "empty key";
  for (char c : key) {
    const auto b = static_cast<unsigned char>(c);
    if (b <= 0x20 || b == 0x7F || b == 0xA0)
      return "key " + Quoted(key) + " holds a space or control character";
  }
  const std::string yy = std::to_string(year % 100);
  const std::string form = " (expected the form " + std::string(1, key[0]) + yy + "-CODE)";
  const char letter = static_cast<char>(key[0] | 0x20);
  if (kFieldLetters.find(letter) == std::string_view::npos) {
    return "key " + Quoted(key) + " does not start with a field letter (p m e b c t s r x)";
  }
  if (key.size() < 4 || key.substr(1, 2) != yy || key[3] != '-') {
    return "key " + Quoted(key) + " does not carry the model year " + yy + form;
  }
  if (key.size() == 4) return "key " + Quoted(key) + " has no code after the \"-\"";
  return std::nullopt;
}

std::optional<std::string> DescriptionSource::DescriptionProblem(std::string_view description) {
  if (description.find('\0') != std::string_view::npos) return "description holds a NUL byte";
  if (description.find_first_of("\r\n") != std::string_view::npos) {
    return "description holds a line break";
  }
  return std::nullopt;
}

std::vector<SourceRecord> DescriptionSource::ParseYear(int year, std::string_view utf8,
                                                       const std::string& fileName,
                                                       std::vector<std::string>& problems) {
  std::vector<SourceRecord> records;
  if (utf8.substr(0, kByteOrderMark.size()) == kByteOrderMark)
    utf8.remove_prefix(kByteOrderMark.size());
  int lineNumber = 0;
  std::size_t start = 0;
  while (start < utf8.size()) {
    std::size_t end = utf8.find('\n', start);
    if (end == std::string_view::npos) end = utf8.size();
    std::string_view line = utf8.substr(start, end - start);
    start = end + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::string where = fileName + ":" + std::to_string(lineNumber) + ": ";

    if (line.find_first_not_of(" \t") == std::string_view::npos) continue;  // blank
    if (line.front() == '#') continue;                                      // comment

    std::size_t bad = 0;
    const auto text = Utf8ToCp1252(line, &bad);
    if (!text) {
      problems.push_back(where + Utf8Problem(line, bad));
      continue;
    }
    const std::size_t tab = text->find('\t');
    if (tab == std::string::npos) {
      problems.push_back(where + "no TAB between the key and the description");
      continue;
    }
    SourceRecord record{text->substr(0, tab), text->substr(tab + 1), lineNumber};
    if (auto problem = KeyProblem(record.key, year)) {
      problems.push_back(where + *problem);
      continue;
    }
    if (auto problem = DescriptionProblem(record.description)) {
      problems.push_back(where + *problem);
      continue;
    }
    records.push_back(std::move(record));
  }
  return records;
}

std::optional<std::vector<SourceYear>> DescriptionSource::ReadDirectory(
    const std::filesystem::path& dir, std::vector<std::string>& problems) {
  const std::size_t problemsBefore = problems.size();
  std::error_code ec;
  if (!std::filesystem::is_directory(dir, ec)) {
    problems.push_back(dir.string() + ": not a directory");
    return std::nullopt;
  }
  std::map<int, std::filesystem::path> files;  // ascending years
  for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
    const std::string name = entry.path().filename().string();
    const std::string stem = entry.path().stem().string();
    // Only files named like a year are year files (CMakeLists.txt lives here too).
    if (entry.path().extension() != ".txt" || stem.empty() ||
        stem.find_first_not_of("0123456789") != std::string::npos) {
      continue;
    }
    if (const auto year = YearOfFileName(name)) {
      files.emplace(*year, entry.path());
    } else {
      problems.push_back(entry.path().string() +
                         ": file name is not a model year (1959.txt to 1974.txt)");
    }
  }
  if (ec) {
    problems.push_back(dir.string() + ": cannot list the directory: " + ec.message());
    return std::nullopt;
  }
  if (files.empty() && problems.size() == problemsBefore) {
    problems.push_back(dir.string() + ": no year files (1959.txt to 1974.txt)");
  }

  std::vector<SourceYear> years;
  KeyedTable seen;  // key -> "FILE:LINE" of its first record, all years together
  for (const auto& [year, path] : files) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    if (!in) {
      problems.push_back(path.string() + ": cannot be read");
      continue;
    }
    const std::string name = path.filename().string();
    SourceYear source{year, ParseYear(year, content.str(), name, problems)};
    for (const auto& record : source.records) {
      const std::string here = name + ":" + std::to_string(record.line);
      if (const std::string* first = seen.Find(record.key)) {
        problems.push_back(here + ": duplicate key " + Quoted(record.key) + " (first at " + *first +
                           ")");
      } else {
        seen.Add(record.key, here);
      }
    }
    years.push_back(std::move(source));
  }
  if (problems.size() != problemsBefore) return std::nullopt;
  return years;
}

std::string DescriptionSource::FormatYear(const SourceYear& year) {
  std::string out = "# Brantel model year " + std::to_string(year.year) +
                    ": one record per line, key<TAB>description\n";
  for (const auto& record : year.records) {
    out += Cp1252ToUtf8(record.key);
    out += '\t';
    out += Cp1252ToUtf8(record.description);
    out += '\n';
  }
  return out;
}

}  // namespace vorrendal
