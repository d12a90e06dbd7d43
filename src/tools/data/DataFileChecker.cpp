#include "DataFileChecker.h"

#include <cstdint>
#include <functional>
#include <optional>

#include "data/Cp1252.h"
#include "data/KeyedTable.h"
#include "data/RegularFile.h"
#include "data/clsCrypto.h"
#include "data/clsDataFile.h"
#include "data/clsZLib.h"
#include "decode/PlateRules.h"

namespace vorrendal {
namespace {

const std::string kMost = ", more than a block may hold (";

class Checker {
 public:
  // Reads size bytes at a 0-based position that lies within the file.
  using Reader =
      std::function<std::optional<std::string>(std::uint64_t position, std::uint64_t size)>;

  // Checks a file of fileSize bytes, reading only the ranges its index names.
  Checker(std::string name, std::uint64_t fileSize, Reader read)
      : name_(std::move(name)), size_(fileSize), read_(std::move(read)) {}

  DataFileChecker::Result Run();

 private:
  void Problem(const std::string& where, const std::string& what) {
    result_.problems.Add(name_ + ": " + where + ": " + what);
  }
  std::optional<std::string> Read(std::uint64_t position, std::uint64_t size,
                                  const std::string& where) {
    std::optional<std::string> bytes = read_(position, size);
    if (!bytes) Problem(where, "cannot be read");
    return bytes;
  }
  std::optional<std::string> Unpack(std::string_view packed, const std::string& where);
  std::optional<std::vector<std::string_view>> Lines(const std::string& text,
                                                     const std::string& where);
  void CheckIndexLine(std::string_view line, std::size_t lineNumber);
  void CheckBlock(int year, std::string_view packed);

  struct Entry {
    int year;
    std::int64_t length;
    std::int64_t offset;
  };

  std::string name_;
  std::uint64_t size_;
  Reader read_;
  DataFileChecker::Result result_;
  clsCrypto crypto_;
  clsZLib zlib_;
  std::vector<Entry> entries_;
  KeyedTable years_;  // year key -> index line
  KeyedTable keys_;   // record key -> where it was first seen
};

std::optional<std::string> Checker::Unpack(std::string_view packed, const std::string& where) {
  std::size_t trailing = 0;
  auto text = clsDataFile::Unpack(crypto_, zlib_, packed, &trailing);
  if (!text) {
    switch (text.error()) {
      case clsDataFile::UnpackError::TooLong:
        Problem(where, "the text inflates past " + std::to_string(clsZLib::kMaxTextSize) +
                           " bytes, more than a block may hold");
        break;
      case clsDataFile::UnpackError::TrailerMismatch:
        Problem(where,
                "the trailer is not the pass phrase (wrong pass phrase, damaged bytes, or not a "
                "packed block)");
        break;
      case clsDataFile::UnpackError::DecompressFailed:
        Problem(where, "the compressed data is damaged");
        break;
    }
    return std::nullopt;
  }
  // The program's reader ignores what follows the stream; a writer adds nothing.
  if (trailing != 0) {
    Problem(where, std::to_string(trailing) + " bytes after the end of the compressed data");
  }
  // Unpack checked the trailer; now the length prefix must be exact.
  crypto_.SetInBuffer(std::string(packed.substr(0, 4)));
  crypto_.Decrypt();
  const std::int32_t prefix = clsZLib::stringToLong(crypto_.OutBuffer());
  if (static_cast<std::size_t>(prefix) != text->size()) {
    Problem(where, "the length prefix says " + std::to_string(prefix) + " bytes, the text has " +
                       std::to_string(text->size()));
  }
  return *std::move(text);
}

std::optional<std::vector<std::string_view>> Checker::Lines(const std::string& text,
                                                            const std::string& where) {
  if (text.size() < 2 || text.compare(text.size() - 2, 2, "\r\n") != 0) {
    Problem(where, "the text does not end with CR LF");
    return std::nullopt;
  }
  auto lines = clsDataFile::SplitLines(std::string_view(text).substr(0, text.size() - 2));
  if (lines.size() > clsDataFile::kMaxLines) {
    Problem(where, "the text has " + std::to_string(lines.size()) + " lines" + kMost +
                       std::to_string(clsDataFile::kMaxLines) + ")");
    return std::nullopt;
  }
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].empty()) Problem(where, "line " + std::to_string(i + 1) + " is empty");
  }
  return lines;
}

void Checker::CheckIndexLine(std::string_view line, std::size_t lineNumber) {
  if (line.empty()) return;  // already reported
  const std::string where = "index line " + std::to_string(lineNumber);
  const auto fields = clsDataFile::SplitFields(line, '-');
  if (fields.size() != 3) {
    Problem(where, "has " + std::to_string(fields.size()) + " fields, not length-offset-year");
    return;
  }
  const auto length = clsDataFile::ParseNumber(fields[0]);
  const auto offset = clsDataFile::ParseNumber(fields[1]);
  const std::string yearKey(fields[2]);
  if (!length || *length > INT32_MAX)
    Problem(where, "the length \"" + std::string(fields[0]) + "\" is not a number");
  if (!offset) Problem(where, "the offset \"" + std::string(fields[1]) + "\" is not a number");
  const auto year = SearchYearNumber(yearKey);
  if (!year) {
    Problem(where, "the year key \"" + Cp1252ToUtf8(yearKey) + "\" is not 59 to 74");
    return;
  }
  if (const std::string* first = years_.Find(yearKey)) {
    Problem(where, "year " + yearKey + " is listed twice (first on " + *first + ")");
    return;
  }
  years_.Add(yearKey, where);
  if (length && offset) entries_.push_back({static_cast<int>(*year), *length, *offset});
}

void Checker::CheckBlock(int year, std::string_view packed) {
  const std::string block = "block " + std::to_string(year);
  const auto text = Unpack(packed, block);
  if (!text) return;
  const auto lines = Lines(*text, block);
  if (!lines) return;
  SourceYear source{1900 + year, {}};
  for (std::size_t i = 0; i < lines->size(); ++i) {
    const std::string_view line = (*lines)[i];
    if (line.empty()) continue;  // already reported
    const std::string where = block + " line " + std::to_string(i + 1);
    const auto fields = clsDataFile::SplitFields(line, '\0');
    if (fields.size() != 2) {
      Problem(where, fields.size() < 2 ? "the record has no NUL between description and key"
                                       : "the record has more than one NUL");
      continue;
    }
    SourceRecord record{std::string(fields[1]), std::string(fields[0]), 0};
    if (const Checked key = DescriptionSource::CheckKey(record.key, 1900 + year); !key)
      Problem(where, key.error());
    if (const Checked shown = DescriptionSource::CheckDescription(record.description); !shown)
      Problem(where, shown.error());
    if (const std::string* first = keys_.Find(record.key)) {
      Problem(where,
              "key \"" + Cp1252ToUtf8(record.key) + "\" is there twice (first on " + *first + ")");
    } else {
      keys_.Add(record.key, where);
    }
    source.records.push_back(std::move(record));
  }
  result_.years.push_back(std::move(source));
}

DataFileChecker::Result Checker::Run() {
  if (size_ == 0) {
    Problem("file", "the file is empty");
    return result_;
  }
  if (size_ < 4) {
    Problem("file", "the file is shorter than its 4-byte index length");
    return result_;
  }
  const auto lengthBytes = Read(0, 4, "file");
  if (!lengthBytes) return result_;
  const std::int32_t indexLength = clsZLib::stringToLong(*lengthBytes);
  const std::string length = "the index length " + std::to_string(indexLength);
  if (indexLength < 0) {
    Problem("index", length + " is negative");
    return result_;
  }
  const std::uint64_t indexEnd = 4 + static_cast<std::uint64_t>(indexLength);
  if (indexEnd > size_) {
    Problem("index",
            length + " runs past the end of the file (" + std::to_string(size_) + " bytes)");
    return result_;
  }
  if (static_cast<std::uint64_t>(indexLength) > clsDataFile::kMaxBlockSize) {
    Problem("index", length + " is more than a block may hold (" +
                         std::to_string(clsDataFile::kMaxBlockSize) + " bytes)");
    return result_;
  }
  const auto indexBlock = Read(4, static_cast<std::uint64_t>(indexLength), "index");
  if (!indexBlock) return result_;
  const auto indexText = Unpack(*indexBlock, "index");
  if (!indexText) return result_;
  const auto lines = Lines(*indexText, "index");
  if (!lines) return result_;
  for (std::size_t i = 0; i < lines->size(); ++i) CheckIndexLine((*lines)[i], i + 1);
  if (entries_.empty() && result_.problems.Empty()) Problem("index", "lists no year");

  std::int64_t expectedOffset = 1;  // blocks follow one another from offset 1
  bool laidOut = true;
  for (const auto& entry : entries_) {
    const std::string block = "block " + std::to_string(entry.year);
    if (entry.offset != expectedOffset) {
      Problem(block, "starts at offset " + std::to_string(entry.offset) + ", expected " +
                         std::to_string(expectedOffset) +
                         " (blocks follow one another from offset 1)");
      laidOut = false;
    }
    expectedOffset = entry.offset + entry.length;
    const std::uint64_t start = indexEnd + static_cast<std::uint64_t>(entry.offset) - 1;
    const auto blockLength = static_cast<std::uint64_t>(entry.length);
    if (entry.offset < 1 || start > size_ || blockLength > size_ - start) {
      Problem(block, "runs past the end of the file");
      laidOut = false;
      continue;
    }
    if (blockLength > clsDataFile::kMaxBlockSize) {
      Problem(block, "is " + std::to_string(blockLength) + " bytes long" + kMost +
                         std::to_string(clsDataFile::kMaxBlockSize) + ")");
      continue;
    }
    if (const auto packed = Read(start, blockLength, block)) CheckBlock(entry.year, *packed);
  }
  const std::uint64_t end = indexEnd + static_cast<std::uint64_t>(expectedOffset) - 1;
  if (laidOut && end < size_) {
    Problem("file", std::to_string(size_ - end) + " stray bytes after the last block");
  }
  return result_;
}

}  // namespace

std::size_t DataFileChecker::Result::RecordCount() const {
  std::size_t count = 0;
  for (const auto& year : years) count += year.records.size();
  return count;
}

DataFileChecker::Result DataFileChecker::Check(std::string_view bytes, const std::string& name) {
  return Checker(name, bytes.size(),
                 [bytes](std::uint64_t position, std::uint64_t size) {
                   return std::optional<std::string>(bytes.substr(
                       static_cast<std::size_t>(position), static_cast<std::size_t>(size)));
                 })
      .Run();
}

DataFileChecker::Result DataFileChecker::CheckFile(const std::filesystem::path& path) {
  const auto file = RegularFile::Open(path);
  if (!file) {
    Result result;
    result.problems.Add(path.string() + ": " + file.error());
    return result;
  }
  Result result =
      Checker(path.string(), file->Size(), [&file](std::uint64_t position, std::uint64_t size) {
        return file->ReadAt(position, size);
      }).Run();
  if (!result.problems.Empty()) return result;

  // The program's own reader must take every year, all into one table.
  clsDataFile reader(path);
  KeyedTable all;
  for (const auto& year : result.years) {
    const std::string key = std::to_string(year.year % 100);
    std::string unused;
    if (!reader.ReadData(key, &all, unused)) {
      result.problems.Add(path.string() + ": block " + key + ": the program's reader refuses it");
    }
  }
  return result;
}

}  // namespace vorrendal
