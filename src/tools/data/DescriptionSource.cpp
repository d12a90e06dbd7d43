#include "DescriptionSource.h"

#include <cstdio>
#include <map>
#include <system_error>

#include "DataFileWriter.h"
#include "data/Cp1252.h"
#include "data/KeyedTable.h"
#include "data/RegularFile.h"
#include "data/clsDataFile.h"
#include "data/clsZLib.h"
#include "decode/PlateRules.h"

namespace vorrendal {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

Checked Refused(std::string why) { return tl::unexpected(std::move(why)); }

std::string Quoted(std::string_view cp1252) { return "\"" + Cp1252ToUtf8(cp1252) + "\""; }

// Why Utf8ToCp1252 refused the text at byte offset at: a well-formed character
// that the code page cannot hold, or a malformed sequence.
std::string Utf8Problem(std::string_view text, std::size_t at) {
  char32_t cp = 0;
  const std::size_t len = Utf8CharAt(text, at, cp);
  const std::string column = " at column " + std::to_string(at + 1);
  if (len == 0) return "not valid UTF-8" + column;
  char code[16];
  std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(cp));
  return "character \"" + std::string(text.substr(at, len)) + "\" (" + code +
         ") has no Windows-1252 form" + column;
}

// The bytes of a year file, or nothing when it cannot be read or is longer
// than a year's text may be (a file is read whole only below that bound).
std::optional<std::string> ReadSource(const std::filesystem::path& path, ProblemList& problems) {
  const auto file = RegularFile::Open(path);
  if (!file) {
    problems.Add(path.string() + ": " + file.error());
    return std::nullopt;
  }
  if (file->Size() > clsZLib::kMaxTextSize) {
    problems.Add(path.string() + ": is " + std::to_string(file->Size()) +
                 " bytes, more than a year file may hold (" +
                 std::to_string(clsZLib::kMaxTextSize) + ")");
    return std::nullopt;
  }
  std::optional<std::string> bytes = file->ReadAt(0, file->Size());
  if (!bytes) problems.Add(path.string() + ": cannot be read");
  return bytes;
}

// Whether a year's records fit in a block the program reads.
Checked CheckYear(const std::vector<SourceRecord>& records) {
  const std::string most = ", more than a year may hold (";
  if (records.empty()) return Refused("holds no records");
  if (records.size() > clsDataFile::kMaxLines) {
    return Refused("holds " + std::to_string(records.size()) + " records" + most +
                   std::to_string(clsDataFile::kMaxLines) + ")");
  }
  if (const std::size_t size = DataFileWriter::YearText(records).size();
      size > clsZLib::kMaxTextSize) {
    return Refused("its records make " + std::to_string(size) + " bytes of text" + most +
                   std::to_string(clsZLib::kMaxTextSize) + ")");
  }
  return {};
}

}  // namespace

std::optional<int> DescriptionSource::YearOfFileName(std::string_view fileName) {
  if (fileName.size() != 8 || fileName.substr(4) != ".txt") return std::nullopt;
  return ModelYearNamed(fileName.substr(0, 4));
}

Checked DescriptionSource::CheckKey(std::string_view key, int year) {
  if (key.empty()) return Refused("empty key");
  for (char c : key) {
    const auto b = static_cast<unsigned char>(c);
    if (b <= 0x20 || b == 0x7F || b == 0xA0)
      return Refused("key " + Quoted(key) + " holds a space or control character");
  }
  const std::string yy = std::to_string(year % 100);
  const std::string form = " (expected the form " + std::string(1, key[0]) + yy + "-CODE)";
  const char letter = static_cast<char>(key[0] | 0x20);
  if (kRecordFieldLetters.find(letter) == std::string_view::npos) {
    return Refused("key " + Quoted(key) +
                   " does not start with a field letter (p m e b c t s r x)");
  }
  if (key.size() < 4 || key.substr(1, 2) != yy || key[3] != '-') {
    return Refused("key " + Quoted(key) + " does not carry the model year " + yy + form);
  }
  if (key.size() == 4) return Refused("key " + Quoted(key) + " has no code after the \"-\"");
  return {};
}

Checked DescriptionSource::CheckDescription(std::string_view description) {
  for (const char c : description) {
    const auto b = static_cast<unsigned char>(c);
    // The five bytes Windows-1252 leaves undefined come out as C1 controls.
    const bool undefined = b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
    if (b >= 0x20 && b != 0x7F && !undefined) continue;
    if (b == 0) return Refused("description holds a NUL byte");
    if (b == '\r' || b == '\n') return Refused("description holds a line break");
    if (b == '\t') return Refused("description holds a TAB");
    char code[8];
    std::snprintf(code, sizeof code, "0x%02X", b);
    return Refused("description holds the control character " + std::string(code));
  }
  return {};
}

std::vector<SourceRecord> DescriptionSource::ParseYear(int year, std::string_view utf8,
                                                       const std::string& fileName,
                                                       ProblemList& problems) {
  std::vector<SourceRecord> records;
  if (utf8.substr(0, kByteOrderMark.size()) == kByteOrderMark)
    utf8.remove_prefix(kByteOrderMark.size());
  int lineNumber = 0;
  std::size_t start = 0;
  while (start < utf8.size()) {
    // A line ends at CR LF, LF or CR, whichever the editor wrote.
    std::size_t end = utf8.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = utf8.size();
    const std::string_view line = utf8.substr(start, end - start);
    start = utf8.substr(end, 2) == "\r\n" ? end + 2 : end + 1;
    ++lineNumber;
    const std::string where = fileName + ":" + std::to_string(lineNumber) + ": ";

    if (line.find_first_not_of(" \t") == std::string_view::npos) continue;  // blank
    if (line.front() == '#') continue;                                      // comment

    std::size_t bad = 0;
    const auto text = Utf8ToCp1252(line, &bad);
    if (!text) {
      problems.Add(where + Utf8Problem(line, bad));
      continue;
    }
    const std::size_t tab = text->find('\t');
    if (tab == std::string::npos) {
      problems.Add(where + "no TAB between the key and the description");
      continue;
    }
    SourceRecord record{text->substr(0, tab), text->substr(tab + 1), lineNumber};
    if (const Checked key = CheckKey(record.key, year); !key) {
      problems.Add(where + key.error());
      continue;
    }
    if (const Checked description = CheckDescription(record.description); !description) {
      problems.Add(where + description.error());
      continue;
    }
    records.push_back(std::move(record));
  }
  return records;
}

std::optional<std::vector<SourceYear>> DescriptionSource::ReadDirectory(
    const std::filesystem::path& dir, ProblemList& problems) {
  const std::size_t problemsBefore = problems.Count();
  std::error_code ec;
  if (!std::filesystem::is_directory(dir, ec)) {
    problems.Add(dir.string() + ": not a directory");
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
      problems.Add(entry.path().string() +
                   ": file name is not a model year (1959.txt to 1974.txt)");
    }
  }
  if (ec) {
    problems.Add(dir.string() + ": cannot list the directory: " + ec.message());
    return std::nullopt;
  }
  if (files.empty() && problems.Count() == problemsBefore) {
    problems.Add(dir.string() + ": no year files (1959.txt to 1974.txt)");
  }

  std::vector<SourceYear> years;
  KeyedTable seen;  // key -> "FILE:LINE" of its first record, all years together
  for (const auto& [year, path] : files) {
    const auto content = ReadSource(path, problems);
    if (!content) continue;
    const std::string name = path.filename().string();
    const std::size_t problemsInFile = problems.Count();
    SourceYear source{year, ParseYear(year, *content, name, problems)};
    if (problems.Count() == problemsInFile) {
      if (const Checked fits = CheckYear(source.records); !fits)
        problems.Add(path.string() + ": " + fits.error());
    }
    for (const auto& record : source.records) {
      const std::string here = name + ":" + std::to_string(record.line);
      if (const std::string* first = seen.Find(record.key)) {
        problems.Add(here + ": duplicate key " + Quoted(record.key) + " (first at " + *first + ")");
      } else {
        seen.Add(record.key, here);
      }
    }
    years.push_back(std::move(source));
  }
  if (problems.Count() != problemsBefore) return std::nullopt;
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
