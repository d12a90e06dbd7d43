#include "clsDataFile.h"

#include <zlib.h>

#include <limits>

#include "RegularFile.h"
#include "clsCrypto.h"
#include "clsZLib.h"

namespace vorrendal {
namespace {

constexpr std::string_view kCrLf = "\r\n";

// compressData's output for the longest text, its length prefix and the trailer.
static_assert(clsZLib::kMaxTextSize + clsZLib::kMaxTextSize / 100 + 13 + 4 +
                  clsDataFile::kTrailerSize <=
              clsDataFile::kMaxBlockSize);

// Reads a block of size bytes at a 0-based position: nothing is allocated for
// a size past the bound or the end of the file.
std::optional<std::string> ReadBlock(const RegularFile& file, std::uint64_t position,
                                     std::uint64_t size) {
  if (size > clsDataFile::kMaxBlockSize) return std::nullopt;
  return file.ReadAt(position, size);
}

// A block's text without its final CR LF, or nothing for a text shorter than two.
std::optional<std::string_view> Body(const std::string& text) {
  if (text.size() < kCrLf.size()) return std::nullopt;
  return std::string_view(text).substr(0, text.size() - kCrLf.size());
}

// text cut at every separator: one field more than there are separators.
std::vector<std::string_view> SplitAt(std::string_view text, std::string_view separator) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find(separator, start)) != std::string_view::npos;
       start = end + separator.size()) {
    fields.push_back(text.substr(start, end - start));
  }
  fields.push_back(text.substr(start));
  return fields;
}

}  // namespace

clsDataFile::clsDataFile(std::filesystem::path file) : file_(std::move(file)) {}
clsDataFile::~clsDataFile() = default;

std::vector<std::string_view> clsDataFile::SplitLines(std::string_view text) {
  if (text.empty()) return {};
  return SplitAt(text, kCrLf);
}

std::vector<std::string_view> clsDataFile::SplitFields(std::string_view text, char separator) {
  return SplitAt(text, std::string_view(&separator, 1));
}

std::optional<std::int64_t> clsDataFile::ParseNumber(std::string_view field) {
  if (field.empty() || field.size() > 18) return std::nullopt;
  std::int64_t value = 0;
  for (char c : field) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

tl::expected<std::string, clsDataFile::UnpackError> clsDataFile::Unpack(
    clsCrypto& crypto, const clsZLib& zlib, std::string_view block, std::size_t* trailingBytes) {
  crypto.SetInBuffer(std::string(block));
  crypto.SetPassword(kPassPhrase);
  crypto.Decrypt();
  const std::string& plain = crypto.OutBuffer();
  const std::string_view passPhrase(kPassPhrase);
  if (plain.size() < passPhrase.size() ||
      std::string_view(plain).substr(plain.size() - passPhrase.size()) != passPhrase) {
    return tl::unexpected(UnpackError::TrailerMismatch);
  }
  std::string text;
  const std::int32_t status =
      zlib.decompressData(plain.substr(0, plain.size() - passPhrase.size()), text, trailingBytes);
  if (status == Z_BUF_ERROR && text.size() == clsZLib::kMaxTextSize)
    return tl::unexpected(UnpackError::TooLong);
  if (status != Z_OK) return tl::unexpected(UnpackError::DecompressFailed);
  return text;
}

bool clsDataFile::UnpackBlock(std::string& block) {
  if (!crypto_) crypto_ = std::make_unique<clsCrypto>();
  if (!zlib_) zlib_ = std::make_unique<clsZLib>();
  auto text = Unpack(*crypto_, *zlib_, block);
  if (!text) return false;
  block = *std::move(text);
  return true;
}

// Reads, unpacks and parses the index. The index is taken whole or not at
// all: a damaged index leaves RecordIndex empty, so the next call reads it again.
bool clsDataFile::ReadIndex(const RegularFile& file) {
  const std::optional<std::string> lengthBytes = file.ReadAt(0, 4);
  if (!lengthBytes) return false;
  const std::int32_t length = clsZLib::stringToLong(*lengthBytes);
  if (length < 0) return false;

  std::optional<std::string> block = ReadBlock(file, 4, static_cast<std::uint64_t>(length));
  if (!block || !UnpackBlock(*block)) return false;
  const auto body = Body(*block);
  if (!body) return false;

  const auto lines = SplitLines(*body);
  if (lines.size() > kMaxLines) return false;
  KeyedTable index;
  for (const std::string_view line : lines) {
    const auto fields = SplitFields(line, '-');
    if (fields.size() < 3) return false;
    std::string item(fields[0]);
    item += '-';
    item += fields[1];
    if (!index.Add(fields[2], std::move(item))) return false;
  }
  recordIndex_ = std::move(index);
  indexLength_ = length;
  return true;
}

bool clsDataFile::ReadData(const std::string& recordId, KeyedTable* data, std::string& rawData) {
  const auto file = RegularFile::Open(file_);  // closed by its destructor on every way out
  if (!file) return false;
  if (recordIndex_.Empty() && !ReadIndex(*file)) return false;

  const std::string* entry = recordIndex_.Find(recordId);
  if (!entry) return false;
  const auto fields = SplitFields(*entry, '-');
  const auto length = ParseNumber(fields[0]);
  const auto offset = fields.size() > 1 ? ParseNumber(fields[1]) : std::nullopt;
  if (!length || !offset || *length > std::numeric_limits<std::int32_t>::max() || *offset < 1) {
    return false;
  }
  // offset counts from 1 at the first byte after the index block.
  const auto position =
      static_cast<std::uint64_t>(*offset) + static_cast<std::uint64_t>(indexLength_) + 3;
  std::optional<std::string> block =
      ReadBlock(*file, position, static_cast<std::uint64_t>(*length));
  if (!block || !UnpackBlock(*block)) return false;
  const auto body = Body(*block);
  if (!body) return false;

  if (!data) {
    rawData.assign(*body);
    return true;
  }
  const auto lines = SplitLines(*body);
  if (lines.size() > kMaxLines) return false;
  for (const std::string_view line : lines) {
    const auto recordFields = SplitFields(line, '\0');
    if (recordFields.size() < 2) return false;
    if (!data->Add(recordFields[1], std::string(recordFields[0]))) return false;
  }
  return true;
}

}  // namespace vorrendal
