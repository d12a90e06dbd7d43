#pragma once
// Helpers for the data-file tests: a scratch directory per test and a small
// three-year data set packed with the real writer.

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "data/clsDataFile.h"
#include "data/clsZLib.h"
#include "tools/data/DataFileWriter.h"

namespace vorrendal::testing_data {

class ScratchDir {
 public:
  ScratchDir() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("vorrendal-data-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(out.good()) << path;
}

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

// Three model years, each with a description holding "-" and one holding a
// byte above 127.
inline std::vector<SourceYear> SampleYears() {
  return {
      {1965,
       {{"p65-A", "Atlanta, Georgia", 1},
        {"m65-51", "Custom two-door sedan - six passenger", 2},
        {"c65-R", "Cr\xE8me Ivory", 3}}},
      {1966, {{"p66-A", "Atlanta, Georgia", 1}, {"e66-X", "390 cubic inch V8 - four-barrel", 2}}},
      {1967, {{"p67-K", "Kansas City, Missouri", 1}, {"x67-4", "3.00:1 conventional", 2}}},
  };
}

// The year blocks of some years, packed with the real writer.
inline std::vector<DataFileWriter::Block> Blocks(const std::vector<SourceYear>& years) {
  std::vector<DataFileWriter::Block> blocks;
  for (const auto& year : years) {
    blocks.push_back({std::to_string(year.year % 100), DataFileWriter::PackBlock(DataFileWriter::YearText(year.records))});
  }
  return blocks;
}

// A file whose index is written from blocks as they are.
inline std::string FileOf(const std::vector<DataFileWriter::Block>& blocks) {
  return DataFileWriter::Assemble(DataFileWriter::PackBlock(DataFileWriter::IndexText(blocks)), blocks);
}

inline const std::string kPass = clsDataFile::kPassPhrase;

// A text as compressData makes it: length prefix and zlib stream.
inline std::string Compressed(const std::string& text) {
  std::string out;
  clsZLib().compressData(text, out);
  return out;
}

// The sample's blocks with block `year` replaced by packed.
inline std::vector<DataFileWriter::Block> SampleWith(const std::string& year, const std::string& packed) {
  auto blocks = Blocks(SampleYears());
  for (auto& block : blocks) {
    if (block.yearKey == year) block.packed = packed;
  }
  return blocks;
}

// The sample file with block `year`'s text replaced; the index follows.
inline std::string WithText(const std::string& year, const std::string& text) {
  return FileOf(SampleWith(year, DataFileWriter::PackBlock(text)));
}

}  // namespace vorrendal::testing_data
