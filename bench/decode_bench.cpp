// The decode as the desktop program runs it: one warm Process.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "../tests/support/MemoryDataReader.h"
#include "../tests/support/ScriptedPrompter.h"
#include "decode/ReportWriter.h"
#include "decode/clsCodeReader.h"

namespace {

using vorrendal::testing::MemoryDataReader;

std::unique_ptr<MemoryDataReader> BenchCatalogue() {
  auto data = std::make_unique<MemoryDataReader>();
  for (const std::string y : {"62", "65", "72"}) {
    data->Add(y, "p" + y + "-A", "Atlanta, Georgia")
        .Add(y, "m" + y + "-62",
             "Two-door hardtop coupe, eight cylinders, bucket seats and console")
        .Add(y, "e" + y + "-C", "289 cu in V8, 2-bbl carburettor")
        .Add(y, "b" + y + "-62A", "Two-door hardtop")
        .Add(y, "c" + y + "-M", "Raven black")
        .Add(y, "c" + y + "-4A", "Bright red")
        .Add(y, "t" + y + "-76", "Black vinyl")
        .Add(y, "s" + y + "-21", "Atlanta")
        .Add(y, "r" + y + "-4", "Three-speed automatic transmission with column shift")
        .Add(y, "x" + y + "-1", "3.00:1");
  }
  return data;
}

void BM_WarmDecodeAndReport(benchmark::State& state) {
  vorrendal::testing::ScriptedPrompter prompter;
  vorrendal::clsCodeReader reader(prompter, BenchCatalogue());
  const vorrendal::PlateBoxes plate{"5A62C100001", "62A", "M", "76", "12C", "21", "4", "1"};
  const std::string previous;
  // Warm: the built-in tables and the year's descriptions are loaded here.
  benchmark::DoNotOptimize(vorrendal::ReportWriter::Process(reader, plate, false, previous));
  for (auto _ : state) {
    auto result = vorrendal::ReportWriter::Process(reader, plate, false, previous);
    benchmark::DoNotOptimize(result);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_WarmDecodeAndReport);

}  // namespace
