// Fuzzes the description sources. The first input byte picks the model year,
// the rest is that year's file, read from a scratch folder as
// `vorrendal-data pack` reads it. Checks that nothing crashes, that no more
// problems are listed than the bound, that accepted records come back the
// same once written in source form and read again, and that the Data.dat
// packed from them is sound to the checker and the program's reader.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "decode/PlateRules.h"
#include "tools/data/DataFileChecker.h"
#include "tools/data/DataFileWriter.h"
#include "tools/data/DescriptionSource.h"

namespace {

namespace fs = std::filesystem;
using vorrendal::DescriptionSource;
using vorrendal::ProblemList;
using vorrendal::SourceRecord;

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "sources: %s\n", what);
  std::abort();
}

const fs::path& Scratch() {
  static const fs::path dir = [] {
    const fs::path path =
        fs::temp_directory_path() / ("fuzz_sources_" + std::to_string(::getpid()));
    fs::create_directories(path / "src");
    return path;
  }();
  return dir;
}

std::string Joined(const std::vector<SourceRecord>& records) {
  std::string text;
  for (const auto& record : records) text += record.key + '\t' + record.description + '\n';
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int year = vorrendal::kFirstModelYear + data[0] % 16;
  static fs::path file;  // the one year file in the folder
  if (!file.empty()) fs::remove(file);
  file = Scratch() / "src" / (std::to_string(year) + ".txt");
  std::ofstream(file, std::ios::binary)
      .write(reinterpret_cast<const char*>(data) + 1, static_cast<std::streamsize>(size - 1));

  ProblemList problems;
  const auto years = DescriptionSource::ReadDirectory(Scratch() / "src", problems);
  if (problems.Listed().size() > ProblemList::kListed) Fail("more problems listed than the bound");
  if (!years) return 0;
  if (years->size() != 1 || years->front().records.empty()) Fail("a year accepted empty");

  ProblemList again;
  const auto back = DescriptionSource::ParseYear(
      year, DescriptionSource::FormatYear(years->front()), "again", again);
  if (!again.Empty() || Joined(back) != Joined(years->front().records))
    Fail("the source form does not read back the same");

  const fs::path packed = Scratch() / "Data.dat";
  const std::string bytes = vorrendal::DataFileWriter::Build(*years);
  std::ofstream(packed, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  const auto result = vorrendal::DataFileChecker::CheckFile(packed);
  if (!result.problems.Empty() || result.RecordCount() != back.size())
    Fail("pack wrote what check refuses");
  return 0;
}
