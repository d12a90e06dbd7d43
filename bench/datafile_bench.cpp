// Loading descriptions from the built Data.dat: one model year (read,
// decrypt, trailer check, inflate, parse into the table), the same with the
// index read first as on a program's first decode, and all sixteen years.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "data/KeyedTable.h"
#include "data/clsDataFile.h"

namespace {

const std::filesystem::path kDataFile = std::filesystem::path(VORRENDAL_BIN_DIR) / "Data.dat";

bool HaveDataFile(benchmark::State& state) {
  if (std::filesystem::exists(kDataFile)) return true;
  state.SkipWithError("no Data.dat in the build's bin directory: build the data_file target");
  return false;
}

// One year, the index already read.
void BM_DataFile_OneYear(benchmark::State& state) {
  if (!HaveDataFile(state)) return;
  const std::string year = std::to_string(state.range(0));
  vorrendal::clsDataFile reader(kDataFile);
  std::string raw;
  vorrendal::KeyedTable warm;
  if (!reader.ReadData(year, &warm, raw)) {
    state.SkipWithError("the year does not load");
    return;
  }
  for (auto _ : state) {
    vorrendal::KeyedTable table;
    benchmark::DoNotOptimize(reader.ReadData(year, &table, raw));
    benchmark::DoNotOptimize(table.Count());
  }
  state.counters["records"] = static_cast<double>(warm.Count());
}
BENCHMARK(BM_DataFile_OneYear)->Arg(59)->Arg(66)->Arg(74)->Unit(benchmark::kMicrosecond);

// One year with a new reader, so the index is read and unpacked as well.
void BM_DataFile_OneYearWithIndex(benchmark::State& state) {
  if (!HaveDataFile(state)) return;
  const std::string year = std::to_string(state.range(0));
  std::string raw;
  for (auto _ : state) {
    vorrendal::clsDataFile reader(kDataFile);
    vorrendal::KeyedTable table;
    benchmark::DoNotOptimize(reader.ReadData(year, &table, raw));
  }
}
BENCHMARK(BM_DataFile_OneYearWithIndex)->Arg(59)->Arg(74)->Unit(benchmark::kMicrosecond);

// Every model year into one table, as a session that decodes all of them.
void BM_DataFile_AllYears(benchmark::State& state) {
  if (!HaveDataFile(state)) return;
  std::string raw;
  std::size_t records = 0;
  for (auto _ : state) {
    vorrendal::clsDataFile reader(kDataFile);
    vorrendal::KeyedTable table;
    for (int year = 59; year <= 74; ++year) {
      if (!reader.ReadData(std::to_string(year), &table, raw))
        state.SkipWithError("a year does not load");
    }
    records = table.Count();
  }
  state.counters["records"] = static_cast<double>(records);
}
BENCHMARK(BM_DataFile_AllYears)->Unit(benchmark::kMillisecond);

}  // namespace
