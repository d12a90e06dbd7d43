// vorrendal-decode's batch in-process, against the built Data.dat: 100,000
// plates in each output format, and 200,000 refused rows against 200,000 good
// ones. What it writes is counted, not kept, as a pipe to another program
// would take it. scripts/bench-batch times the real program on files of up to
// 5,000,000 rows.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "tools/decode/DecodeTool.h"

namespace {

const std::string kDataFile = VORRENDAL_BIN_DIR "/Data.dat";

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

// Plates the shipped descriptions decode, and three kinds of refused row: a
// year code that cannot be read, a serial one character too long, a serial
// whose year is not named.
std::string BatchCsv(std::size_t rows, bool refused) {
  const char* const good[] = {
      "5A63Z100512,63D,A,41,12C,31,4,3,\r\n", "2G53H123456,63C,4A,3E,,42,W,3,1972\r\n",
      "2A63E100025,63D,M,41,9N,33,4,2,1962\r\n", "C9GE201133,63B,H,21,3A,,1,2,\r\n"};
  const char* const bad[] = {"X5A63Z10051,63D,A,41,12C,31,4,3,\r\n",
                             "5A63Z1005123,63D,A,41,12C,31,4,3,\r\n",
                             "2A63E100025,63D,M,41,9N,33,4,2,\r\n"};
  std::string csv = "serial,body,color,trim,date,dso,trans,axle,year\r\n";
  for (std::size_t i = 0; i < rows; ++i) csv += refused ? bad[i % 3] : good[i % 4];
  return csv;
}

// Runs the tool on csv; false (with the state told) when it did not run.
bool RunBatch(benchmark::State& state, const std::string& csv, const std::string& format,
              std::size_t& outBytes, std::size_t& errBytes) {
  std::istringstream in(csv);
  CountingSink outSink, errSink;
  std::ostream out(&outSink), err(&errSink);
  vorrendal::decodetool::ToolEnvironment env{in, out, err, false, false, {}};
  const int status = vorrendal::decodetool::RunDecodeTool(
      {"--batch", "-", "--format", format, "--data", kDataFile}, env);
  outBytes = outSink.Written();
  errBytes = errSink.Written();
  if (status == vorrendal::decodetool::kExitUsage) {
    state.SkipWithError("the batch did not run");
    return false;
  }
  return true;
}

bool HaveDataFile(benchmark::State& state) {
  if (std::filesystem::exists(kDataFile)) return true;
  state.SkipWithError("no Data.dat in the build's bin directory: build the data_file target");
  return false;
}

// state.range(0): 0 JSON Lines, 1 CSV, 2 report. Aim: under 0.6 s each on one
// core, CSV and report no slower than JSON.
void BM_Batch100000(benchmark::State& state) {
  if (!HaveDataFile(state)) return;
  static const std::string csv = BatchCsv(100000, false);
  const char* const formats[] = {"json", "csv", "report"};
  std::size_t out = 0, err = 0;
  for (auto _ : state) {
    if (!RunBatch(state, csv, formats[state.range(0)], out, err)) return;
  }
  state.SetItemsProcessed(state.iterations() * 100000);
  state.SetLabel(formats[state.range(0)]);
  state.counters["out_bytes"] = static_cast<double>(out);
}
BENCHMARK(BM_Batch100000)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// state.range(0): 0 good rows, 1 refused rows (each with its message on
// standard error). Aim: refused rows no slower than good ones, and their
// messages short.
void BM_Batch200000Rows(benchmark::State& state) {
  if (!HaveDataFile(state)) return;
  const bool refused = state.range(0) == 1;
  static const std::string csvs[] = {BatchCsv(200000, false), BatchCsv(200000, true)};
  std::size_t out = 0, err = 0;
  for (auto _ : state) {
    if (!RunBatch(state, csvs[state.range(0)], "json", out, err)) return;
  }
  state.SetItemsProcessed(state.iterations() * 200000);
  state.SetLabel(refused ? "refused" : "good");
  state.counters["err_bytes_per_row"] = static_cast<double>(err) / 200000;
}
BENCHMARK(BM_Batch200000Rows)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
