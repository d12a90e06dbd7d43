// The built vorrendal-decode through real pipes, as a shell runs it: a batch gives the same bytes
// every time (what they are, the golden plates keep); an output that cannot be written or an input
// that cannot be read is one line and an exit status, never a signal.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "SpawnedTool.h"

namespace vorrendal::testing {
namespace {

using Args = std::vector<std::string>;
using Fed = SpawnSetup;  // standard input, output file, output limit
constexpr int kRows = 1200;
constexpr int kRuns = 20;
const std::string kData = VORRENDAL_BIN_DIR "/Data.dat";

// Plates the shipped descriptions decode, and (every fifth from the fourth)
// three ways to be refused: a year code that cannot be read, a serial one
// character too long, a serial whose year is not named.
std::string Rows(int rows, int step = 1) {
  static const char* const good[] = {
      "5A63Z100512,63D,A,41,12C,31,4,3,", "2G53H123456,63C,4A,3E,,42,W,3,1972",
      "2A63E100025,63D,M,41,9N,33,4,2,1962", "C9GE201133,63B,H,21,3A,,1,2,"};
  static const char* const bad[] = {"X5A63Z10051,63D,A,41,12C,31,4,3,",
                                    "5A63Z1005123,63D,A,41,12C,31,4,3,",
                                    "2A63E100025,63D,M,41,9N,33,4,2,"};
  std::string csv = "serial,body,color,trim,date,dso,trans,axle,year\r\n";
  for (int row = 0; row < rows * step; row += step)
    csv += std::string(row % 5 == 3 ? bad[(row / 5) % 3] : good[row % 4]) + "\r\n";
  return csv;
}

const std::string kPlates = Rows(kRows);

class RepeatedBatch : public ::testing::TestWithParam<const char*> {};

TEST_P(RepeatedBatch, EveryRunWritesTheSameBytes) {
  std::vector<Spawned> runs;
  for (int i = 0; i < kRuns; ++i)
    runs.push_back(
        SpawnTool({"--batch", "-", "--format", GetParam(), "--data", kData}, Fed(kPlates)));
  ASSERT_FALSE(runs[0].out.empty()) << runs[0].err;
  for (int i = 1; i < kRuns; ++i) {
    EXPECT_EQ(runs[i].status, runs[0].status) << i;
    EXPECT_TRUE(runs[i].out == runs[0].out) << "run " << i << " differs";
    EXPECT_TRUE(runs[i].err == runs[0].err) << "run " << i << " says otherwise";
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, RepeatedBatch, ::testing::Values("json", "csv", "report"));

struct BrokenCase {
  const char* name;
  Args args;
  SpawnSetup setup;
  int status;
  std::string message;  // the one line on standard error holds this
};

void PrintTo(const BrokenCase& c, std::ostream* os) { *os << c.name; }
std::string CaseName(const ::testing::TestParamInfo<BrokenCase>& row) { return row.param.name; }

const std::string kBatchRows = Rows(50000, 5);  // none refused
const std::string kNotWritten = "vorrendal-decode: the output could not be written: ";
const Args kBatch = {"--batch", "-"};
const Args kCsv = {"--batch", "-", "--format", "csv"};

SpawnSetup ClosedIn() {
  SpawnSetup setup;
  setup.closeIn = true;
  return setup;
}

// The batches first: FailedWrite takes them.
const BrokenCase kOutputCases[] = {
    {"BatchToAFullDisk", kBatch, Fed(kBatchRows, "/dev/full"), 1, kNotWritten + "No space left"},
    {"CsvToAPipeClosedAfterOneLine", kCsv, Fed(kBatchRows, "", 1), 1, kNotWritten + "Broken pipe"},
    {"PlateToAFullDisk", {"5A63Z100512"}, Fed("", "/dev/full"), 1, kNotWritten},
    {"HelpToAFullDisk", {"--help"}, Fed("", "/dev/full"), 1, kNotWritten}};

const std::string kBin = VORRENDAL_BIN_DIR;
const BrokenCase kInputCases[] = {
    {"ADirectory", {"--batch", kBin}, Fed(), 2, "cannot read " + kBin + ": Is a directory"},
    {"StandardInputClosed", kBatch, ClosedIn(), 2, "cannot read standard input: Bad"},
    {"AnEndlessLine", {"--batch", "/dev/zero"}, Fed(), 2, "line 1: longer than 4096 bytes"}};

Spawned RunBroken(const BrokenCase& c) {
  std::vector<std::string> args = c.args;
  args.insert(args.end(), {"--data", kData});
  return SpawnTool(args, c.setup);
}

class BrokenStream : public ::testing::TestWithParam<BrokenCase> {};

TEST_P(BrokenStream, OneLineAndTheExitStatusNeverASignal) {
  const Spawned run = RunBroken(GetParam());
  EXPECT_EQ(run.signal, 0);
  EXPECT_EQ(run.status, GetParam().status) << run.err;
  EXPECT_NE(run.err.find(GetParam().message), std::string::npos) << run.err;
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
}

INSTANTIATE_TEST_SUITE_P(Output, BrokenStream, ::testing::ValuesIn(kOutputCases), CaseName);
INSTANTIATE_TEST_SUITE_P(Input, BrokenStream, ::testing::ValuesIn(kInputCases), CaseName);

class FailedWrite : public ::testing::TestWithParam<BrokenCase> {};

TEST_P(FailedWrite, StopsTheBatchAtOnce) {
  EXPECT_LT(RunBroken(GetParam()).fed, kBatchRows.size() / 4);
}

INSTANTIATE_TEST_SUITE_P(Output, FailedWrite, ::testing::ValuesIn(kOutputCases, kOutputCases + 2),
                         CaseName);

// A data file that cannot be read at all is said to be so, once, instead of
// every model year's "It may be corrupted"; the report follows. A FIFO is
// not opened: with no writer it would never answer.
TEST(UnreadableData, AFifoIsToldOnceAndTheReportFollows) {
  const std::string fifo = ::testing::TempDir() + "vorrendal-fifo-" + std::to_string(::getpid());
  ::unlink(fifo.c_str());
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const Spawned run = SpawnTool({"--data", fifo, "5A63Z100512"});
  ::unlink(fifo.c_str());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "vorrendal-decode: the descriptions cannot be read: " + fifo +
                         ": not a regular file\n");
  EXPECT_NE(run.out.find("Plant (A) = Description Not Found\n"), std::string::npos) << run.out;
}

}  // namespace
}  // namespace vorrendal::testing
