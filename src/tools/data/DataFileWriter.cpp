#include "DataFileWriter.h"

#include "StagedFiles.h"
#include "data/clsCrypto.h"
#include "data/clsDataFile.h"
#include "data/clsZLib.h"

namespace vorrendal {

std::string DataFileWriter::Seal(std::string_view compressed, std::string_view passPhrase,
                                 std::string_view trailer) {
  clsCrypto crypto;
  crypto.SetInBuffer(std::string(compressed) + std::string(trailer));
  crypto.SetPassword(std::string(passPhrase));
  crypto.Encrypt();
  return crypto.OutBuffer();
}

std::string DataFileWriter::PackBlock(std::string_view text) {
  std::string compressed;
  clsZLib().compressData(std::string(text), compressed);  // cannot fail below 2 GiB
  return Seal(compressed, clsDataFile::kPassPhrase, clsDataFile::kPassPhrase);
}

std::string DataFileWriter::YearText(const std::vector<SourceRecord>& records) {
  if (records.empty()) return "\r\n";
  std::string text;
  for (const auto& record : records) {
    text += record.description;
    text += '\0';
    text += record.key;
    text += "\r\n";
  }
  return text;
}

std::string DataFileWriter::IndexText(const std::vector<Block>& blocks) {
  std::string text;
  std::size_t offset = 1;
  for (const auto& block : blocks) {
    text += std::to_string(block.packed.size()) + "-" + std::to_string(offset) + "-" +
            block.yearKey + "\r\n";
    offset += block.packed.size();
  }
  return text;
}

std::string DataFileWriter::Assemble(std::string_view packedIndex,
                                     const std::vector<Block>& blocks) {
  std::string file = clsZLib::longToString(static_cast<std::int32_t>(packedIndex.size()));
  file += packedIndex;
  for (const auto& block : blocks) file += block.packed;
  return file;
}

std::string DataFileWriter::Build(const std::vector<SourceYear>& years) {
  std::vector<Block> blocks;
  for (const auto& year : years) {
    blocks.push_back({std::to_string(year.year % 100), PackBlock(YearText(year.records))});
  }
  return Assemble(PackBlock(IndexText(blocks)), blocks);
}

tl::expected<void, std::string> DataFileWriter::WriteFile(const std::filesystem::path& path,
                                                          std::string_view bytes) {
  StagedFiles file;
  return file.Stage(path, bytes).and_then([&file] { return file.Commit(); });
}

}  // namespace vorrendal
