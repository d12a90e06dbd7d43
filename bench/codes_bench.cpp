// The code tables of the built Data.dat: loading all sixteen years into rows,
// and one keystroke of the search, which filters every row again (under 2 ms
// a keystroke keeps typing smooth). With the desktop program built, the same
// keystroke through the window's proxy model.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "codes/CodeTable.h"
#include "data/clsDataFile.h"
#include "decode/clsDescriptionStore.h"
#ifdef VORRENDAL_BENCH_GUI
#include "app/CodeTableModel.h"
#endif

namespace {

const std::filesystem::path kDataFile = std::filesystem::path(VORRENDAL_BIN_DIR) / "Data.dat";

// What is typed, one keystroke after another: a color's name and a trim code.
const char* const kTyped[] = {"i", "in", "ink", "inkw", "inkwe", "inkwel", "inkwell", "4", "41"};

vorrendal::CodeTable LoadAll() {
  vorrendal::clsDescriptionStore store(std::make_unique<vorrendal::clsDataFile>(kDataFile));
  return vorrendal::LoadCodeTable(store);
}

bool Loaded(const vorrendal::CodeTable& table, benchmark::State& state) {
  if (table.failedYears.empty()) return true;
  state.SkipWithError("Data.dat does not load: build the data_file target");
  return false;
}

void BM_CodeTable_Load(benchmark::State& state) {
  for (auto _ : state) {
    const vorrendal::CodeTable table = LoadAll();
    if (!Loaded(table, state)) return;
    benchmark::DoNotOptimize(table.rows.size());
  }
}
BENCHMARK(BM_CodeTable_Load)->Unit(benchmark::kMillisecond);

// One keystroke: every row through the filter.
void BM_CodeTable_Keystroke(benchmark::State& state) {
  const vorrendal::CodeTable table = LoadAll();
  if (!Loaded(table, state)) return;
  std::size_t typed = 0;
  for (auto _ : state) {
    const vorrendal::CodeFilter filter(std::nullopt, std::nullopt,
                                       kTyped[typed++ % std::size(kTyped)]);
    std::size_t shown = 0;
    for (const vorrendal::CodeRow& row : table.rows) shown += filter.Matches(row) ? 1 : 0;
    benchmark::DoNotOptimize(shown);
  }
  state.counters["rows"] = static_cast<double>(table.rows.size());
}
BENCHMARK(BM_CodeTable_Keystroke)->Unit(benchmark::kMicrosecond);

#ifdef VORRENDAL_BENCH_GUI
// One keystroke through the proxy the window shows, sorted by year as it
// opens: the filter set and the proxy's rows rebuilt.
void BM_CodeTable_ProxyKeystroke(benchmark::State& state) {
  vorrendal::CodeTable table = LoadAll();
  if (!Loaded(table, state)) return;
  vorrendal::CodeTableModel rows(std::move(table.rows));
  vorrendal::CodeFilterModel shown(rows);
  shown.sort(vorrendal::CodeTableModel::kYearColumn);
  std::size_t typed = 0;
  for (auto _ : state) {
    shown.SetFilter(
        vorrendal::CodeFilter(std::nullopt, std::nullopt, kTyped[typed++ % std::size(kTyped)]));
    benchmark::DoNotOptimize(shown.rowCount());
  }
  state.counters["rows"] = static_cast<double>(rows.rowCount());
}
BENCHMARK(BM_CodeTable_ProxyKeystroke)->Unit(benchmark::kMicrosecond);
#endif

}  // namespace
