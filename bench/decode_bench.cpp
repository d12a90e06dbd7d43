// The decode as the desktop program runs it: one warm Process, the decode
// and its report. Aim: at most 2 us.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "decode/DecodePlate.h"
#include "decode/ReportWriter.h"
#include "decode/clsDescriptionStore.h"
#include "support/MemoryDataReader.h"

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
  using vorrendal::Decade;
  vorrendal::clsDescriptionStore store(BenchCatalogue());
  const vorrendal::PlateBoxes plate{"5A62C100001", "62A", "M", "76", "12C", "21", "4", "1"};
  const std::string previous;
  // Warm: the built-in tables and the year's descriptions are loaded here.
  benchmark::DoNotOptimize(vorrendal::DecodePlate(plate, Decade::k1960s, store));
  for (auto _ : state) {
    const vorrendal::DecodeResult decoded = vorrendal::DecodePlate(plate, Decade::k1960s, store);
    auto result = vorrendal::ReportWriter::Write(decoded, plate, false, previous);
    benchmark::DoNotOptimize(result);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_WarmDecodeAndReport);

}  // namespace
