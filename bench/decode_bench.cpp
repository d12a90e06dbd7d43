// The decode as the desktop program runs it (one warm Process), and a batch
// of 100,000 plates through vorrendal-decode's batch path, in memory.
#include <benchmark/benchmark.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "../tests/support/MemoryDataReader.h"
#include "../tests/support/ScriptedPrompter.h"
#include "decode/ReportWriter.h"
#include "decode/clsCodeReader.h"
#include "tools/decode/DecodeTool.h"

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

// Counts what the batch writes and keeps none of it, as a pipe to another
// program would take it.
class CountingSink final : public std::streambuf {
 public:
  std::size_t Written() const { return written_; }

 protected:
  std::streamsize xsputn(const char*, std::streamsize n) override {
    written_ += static_cast<std::size_t>(n);
    return n;
  }
  int_type overflow(int_type c) override {
    if (!traits_type::eq_int_type(c, traits_type::eof())) ++written_;
    return traits_type::not_eof(c);
  }

 private:
  std::size_t written_ = 0;
};

std::string BatchCsv(std::size_t rows) {
  const char* const plates[] = {
      "5A62C100001,62A,M,76,12C,21,4,1,\r\n", "2A62C100001,62A,4A,76,,21,4,1,1972\r\n",
      "2A62C100002,62A,M,76,9N,21,4,1,1962\r\n", "5A62C100003,62a,m,76,3A,21,4,1,\r\n"};
  std::string csv = "serial,body,color,trim,date,dso,trans,axle,year\r\n";
  for (std::size_t i = 0; i < rows; ++i) csv += plates[i % 4];
  return csv;
}

// state.range(0): 0 JSON Lines, 1 CSV, 2 report.
void BM_Batch100000(benchmark::State& state) {
  static const std::string csv = BatchCsv(100000);
  const char* const formats[] = {"json", "csv", "report"};
  const std::vector<std::string> args = {"--batch", "-", "--format", formats[state.range(0)]};
  for (auto _ : state) {
    std::istringstream in(csv);
    CountingSink sink;
    std::ostream out(&sink);
    std::ostringstream err;
    vorrendal::decodetool::ToolEnvironment env{
        in,
        out,
        err,
        false,
        false,
        [](const std::filesystem::path&) -> std::unique_ptr<vorrendal::IDataReader> {
          return BenchCatalogue();
        }};
    const int status = vorrendal::decodetool::RunDecodeTool(args, env);
    if (status != vorrendal::decodetool::kExitClean) state.SkipWithError(err.str().c_str());
    benchmark::DoNotOptimize(sink.Written());
  }
  state.SetItemsProcessed(state.iterations() * 100000);
  state.SetLabel(formats[state.range(0)]);
}
// The batch writes on a second thread: count the CPU time of both.
BENCHMARK(BM_Batch100000)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
