#pragma once
// Helpers for the data-file tests: a scratch directory and a small three-year
// data set packed with the real writer, to be spoiled one way at a time.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "data/clsDataFile.h"
#include "data/clsZLib.h"
#include "tools/data/DataFileWriter.h"

namespace vorrendal::testing_data {

namespace fs = std::filesystem;
using Block = DataFileWriter::Block;

struct ScratchDir {
  inline static int counter = 0;
  fs::path path = fs::temp_directory_path() / ("vorrendal-data-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  ScratchDir() { fs::remove_all(path); fs::create_directories(path); }
  ~ScratchDir() { fs::remove_all(path); }
  fs::path operator/(const std::string& name) const { return path / name; }
};

inline void WriteBytes(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }
inline std::string ReadBytes(const fs::path& path) {
  std::ostringstream content;
  content << std::ifstream(path, std::ios::binary).rdbuf();
  return content.str();
}

// Three years; descriptions hold "-" and a byte above 127.
inline std::vector<Block> SampleBlocks() {
  const std::vector<SourceYear> years = {
      {1965, {{"p65-A", "Atlanta, Georgia"}, {"m65-51", "Custom two-door sedan - six passenger"}, {"c65-R", "Cr\xE8me Ivory"}}},
      {1966, {{"p66-A", "Atlanta, Georgia"}, {"e66-X", "390 cubic inch V8 - four-barrel"}}},
      {1967, {{"p67-K", "Kansas City, Missouri"}, {"x67-4", "3.00:1 conventional"}}},
  };
  std::vector<Block> blocks;
  for (const auto& y : years) blocks.push_back({std::to_string(y.year % 100), DataFileWriter::PackBlock(DataFileWriter::YearText(y.records))});
  return blocks;
}

// A file of blocks behind the index text given, or the one the writer makes.
inline std::string FileOf(const std::vector<Block>& blocks, const std::optional<std::string>& index = {}) {
  return DataFileWriter::Assemble(DataFileWriter::PackBlock(index.value_or(DataFileWriter::IndexText(blocks))), blocks);
}
inline const std::string kSample = FileOf(SampleBlocks());
inline const std::string kSampleIndex = DataFileWriter::IndexText(SampleBlocks());
inline const std::size_t kIndexSize = DataFileWriter::PackBlock(kSampleIndex).size();
inline const std::string kPass = clsDataFile::kPassPhrase;

// The sample with year's block replaced by packed bytes, or by text packed.
inline std::string WithBlock(const std::string& year, const std::string& packed) {
  auto blocks = SampleBlocks();
  for (auto& block : blocks) block.packed = block.yearKey == year ? packed : block.packed;
  return FileOf(blocks);
}
inline std::string WithText(const std::string& year, const std::string& text) { return WithBlock(year, DataFileWriter::PackBlock(text)); }

// The sample behind its index with line n (from 0) replaced.
inline std::string WithIndexLine(std::size_t n, const std::string& replacement) {
  std::string index;
  std::size_t i = 0;
  for (const std::string_view line : clsDataFile::SplitLines(std::string_view(kSampleIndex).substr(0, kSampleIndex.size() - 2))) {
    index += (i++ == n ? replacement : std::string(line)) + "\r\n";
  }
  return FileOf(SampleBlocks(), index);
}

// A text as compressData makes it: length prefix and zlib stream.
inline std::string Compressed(const std::string& text) {
  std::string out;
  clsZLib().compressData(text, out);
  return out;
}

}  // namespace vorrendal::testing_data
