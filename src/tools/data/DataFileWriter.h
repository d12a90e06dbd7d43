#pragma once
// Writes Data.dat: the 4-byte index length, the packed index, then one packed
// block per model year laid one after another. A packed block is the text
// compressed with its length in front, the pass phrase appended as a plain
// trailer, and the whole encrypted under the same pass phrase.

#include <filesystem>
#include <string>
#include <string_view>
#include <tl/expected.hpp>
#include <vector>

#include "DescriptionSource.h"

namespace vorrendal {

class DataFileWriter {
 public:
  // One year block as it goes into the file.
  struct Block {
    std::string yearKey;  // "59" to "74"
    std::string packed;
  };

  // Packs a text (index or year block) into its stored bytes.
  static std::string PackBlock(std::string_view text);

  // The last step of packing: appends the trailer to compressed and encrypts
  // the whole under passPhrase. PackBlock uses the program's pass phrase for both.
  static std::string Seal(std::string_view compressed, std::string_view passPhrase,
                          std::string_view trailer);

  // A year's records as block text: a line "description NUL key CR LF" per
  // record; a year without records is a lone CR LF.
  static std::string YearText(const std::vector<SourceRecord>& records);

  // The index text for blocks laid in the given order, the first at offset 1.
  static std::string IndexText(const std::vector<Block>& blocks);

  // The file: the length of packedIndex, packedIndex, then the blocks' bytes.
  static std::string Assemble(std::string_view packedIndex, const std::vector<Block>& blocks);

  // The whole file for the given years, in the order given.
  static std::string Build(const std::vector<SourceYear>& years);

  // Writes bytes to path through a temporary file beside it (see StagedFiles),
  // so that a failed write never leaves half a file. Fails with a message.
  static tl::expected<void, std::string> WriteFile(const std::filesystem::path& path,
                                                   std::string_view bytes);
};

}  // namespace vorrendal
