#pragma once
// Reads Data.dat: a packed index and one packed block per model year.
// The file is opened and closed on every call; nothing stays open.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <tl/expected.hpp>
#include <vector>

#include "IDataReader.h"
#include "KeyedTable.h"

namespace vorrendal {

class clsCrypto;
class RegularFile;
class clsZLib;

class clsDataFile final : public IDataReader {
 public:
  // The pass phrase every packed block of Data.dat is encrypted under and
  // ends with.
  static constexpr const char* kPassPhrase = "C4E19B2-9D07A3F1-26B8E05C-7F3A91D4";

  explicit clsDataFile(std::filesystem::path file);
  ~clsDataFile() override;

  bool ReadData(const std::string& recordId, KeyedTable* data, std::string& rawData) override;

  const KeyedTable& RecordIndex() const { return recordIndex_; }
  std::int32_t IndexLength() const { return indexLength_; }

  // The pieces of the format, shared with the writer's checker so that both
  // read a file the same way.

  // Length of the pass phrase, which is also the plain trailer of every block.
  static constexpr std::size_t kTrailerSize = 34;

  // The longest packed block (the index or a year) that is read: room for the
  // longest text clsZLib inflates even where it does not shrink. The shipped
  // blocks pack to 1.3 to 2 KB.
  static constexpr std::size_t kMaxBlockSize = std::size_t{2} << 20;
  // The most lines a block's text may have: a model year has under 200 records.
  static constexpr std::size_t kMaxLines = 10000;

  enum class UnpackError { TrailerMismatch, DecompressFailed, TooLong };
  // Decrypts a packed block, checks and removes its trailer and inflates the
  // rest into the block's text. TooLong: the text inflates past
  // clsZLib::kMaxTextSize. trailingBytes (if given) receives the number of
  // bytes after the end of the zlib stream, which the reader ignores.
  static tl::expected<std::string, UnpackError> Unpack(clsCrypto& crypto, const clsZLib& zlib,
                                                       std::string_view block,
                                                       std::size_t* trailingBytes = nullptr);

  // The lines of a block's text once its final CR LF is dropped: the text cut
  // at every CR LF. An empty text has no lines.
  static std::vector<std::string_view> SplitLines(std::string_view text);
  // text cut at every separator (at least one field, possibly empty).
  static std::vector<std::string_view> SplitFields(std::string_view text, char separator);
  // A field of the index: decimal digits only, at most 18 of them.
  static std::optional<std::int64_t> ParseNumber(std::string_view field);

 private:
  bool UnpackBlock(std::string& block);
  bool ReadIndex(const RegularFile& file);

  std::filesystem::path file_;
  KeyedTable recordIndex_;
  std::int32_t indexLength_ = 0;
  std::unique_ptr<clsCrypto> crypto_;  // created on first use
  std::unique_ptr<clsZLib> zlib_;      // created on first use
};

}  // namespace vorrendal
