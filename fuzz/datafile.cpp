// Fuzzes the Data.dat reader. The first input byte picks what the rest is:
//   0  a whole file, checked in memory and on disk as vorrendal-data would,
//      and read year by year
//   1  one packed year block, placed behind a sound index
//   2  the plain text of a year block, packed properly so that the record
//      parser sees it
//   3  a compressed text for the decompressor
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "data/KeyedTable.h"
#include "data/clsDataFile.h"
#include "data/clsZLib.h"
#include "tools/data/DataFileChecker.h"
#include "tools/data/DataFileWriter.h"

namespace {

using vorrendal::DataFileWriter;

const std::filesystem::path& ScratchFile() {
  static const std::filesystem::path path =
      std::filesystem::temp_directory_path() /
      ("fuzz_datafile_" + std::to_string(::getpid()) + ".dat");
  return path;
}

void Write(const std::string& bytes) {
  std::ofstream out(ScratchFile(), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Reads every year of the scratch file into one table, and 1966 as raw text.
void ReadAllYears() {
  vorrendal::clsDataFile reader(ScratchFile());
  vorrendal::KeyedTable table;
  std::string raw;
  for (int year = 59; year <= 74; ++year) reader.ReadData(std::to_string(year), &table, raw);
  reader.ReadData("66", nullptr, raw);
}

// A file whose 1966 block is `block` between two sound years.
std::string AroundBlock(const std::string& block) {
  std::vector<DataFileWriter::Block> blocks = {
      {"65", DataFileWriter::PackBlock(std::string("Atlanta\0p65-A\r\n", 15))},
      {"66", block},
      {"67", DataFileWriter::PackBlock(std::string("Kansas City\0p67-K\r\n", 19))}};
  return DataFileWriter::Assemble(DataFileWriter::PackBlock(DataFileWriter::IndexText(blocks)),
                                  blocks);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  switch (data[0] % 4) {
    case 0:
      vorrendal::DataFileChecker::Check(rest, "fuzz");
      Write(rest);
      vorrendal::DataFileChecker::CheckFile(ScratchFile());
      ReadAllYears();
      break;
    case 1:
      Write(AroundBlock(rest));
      ReadAllYears();
      break;
    case 2: {
      const std::string file = AroundBlock(DataFileWriter::PackBlock(rest));
      vorrendal::DataFileChecker::Check(file, "fuzz");
      Write(file);
      ReadAllYears();
      break;
    }
    default: {
      std::string out;
      vorrendal::clsZLib().decompressData(rest, out);
      break;
    }
  }
  return 0;
}
