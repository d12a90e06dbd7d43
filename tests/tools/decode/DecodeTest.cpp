// vorrendal-decode run in process against descriptions held in memory: the
// command line, the year asked on a terminal, what is read and opened, and
// the progress of a long batch. (What it writes is kept by the golden tests.)
#include <gtest/gtest.h>

#include <sstream>

#include "SpawnedTool.h"
#include "support/MemoryDataReader.h"
#include "tools/decode/DecodeTool.h"
#include "tools/decode/YearChoice.h"

namespace vorrendal::decodetool {
namespace {

namespace fs = std::filesystem;
using vorrendal::testing::MemoryDataReader;
using Args = std::vector<std::string>;

const Args kPlate62or72 = {"2A62C100001", "62A", "4A", "76", "12C", "21", "4", "1"};
const std::string kHeader = "serial,body,color,trim,date,dso,trans,axle,year\r\n";

// Lends the test's reader to the tool, so that its counts outlive the run.
struct LentReader final : IDataReader {
  explicit LentReader(std::shared_ptr<MemoryDataReader> lent) : data(std::move(lent)) {}
  bool ReadData(const std::string& id, KeyedTable* table, std::string& raw) override {
    return data->ReadData(id, table, raw);
  }
  std::shared_ptr<MemoryDataReader> data;
};

struct ToolRun {
  int status;
  std::string out, err;
  std::shared_ptr<MemoryDataReader> data;
  Args opened;
};

// stdinText: what standard input holds; terminals: standard input and error are terminals.
ToolRun RunTool(const Args& args, const std::string& stdinText = "", bool stdinTerminal = false,
                bool stderrTerminal = false) {
  auto data = std::make_shared<MemoryDataReader>();
  for (const char* year : {"62", "65", "72"}) data->Add(year, "p" + std::string(year) + "-A", "A");
  Args opened;
  std::istringstream in(stdinText);
  std::ostringstream out, err;
  ToolEnvironment env{in, out, err, stdinTerminal, stderrTerminal, [&](const fs::path& path) {
                        opened.push_back(path.string());
                        return std::unique_ptr<IDataReader>(std::make_unique<LentReader>(data));
                      }};
  const int status = RunDecodeTool(args, env);
  return {status, out.str(), err.str(), data, opened};
}

using Refused = std::pair<Args, std::string>;  // the arguments, a part of the message

class WrongCommandLine : public ::testing::TestWithParam<Refused> {};

TEST_P(WrongCommandLine, IsRefusedNamingTheFault) {
  const auto o = ParseDecodeOptions(GetParam().first);
  ASSERT_FALSE(o);
  EXPECT_NE(o.error().find(GetParam().second), std::string::npos) << o.error();
}

INSTANTIATE_TEST_SUITE_P(
    Options, WrongCommandLine,
    ::testing::Values(Refused{{}, "no serial number"},
                      Refused{{"1", "2", "3", "4", "5", "6", "7", "8", "9"}, "too many codes"},
                      Refused{{"--colour", "M", "5A"}, "unknown option '--colour'"},
                      Refused{{"5A", "--year"}, "'--year' needs a value"},
                      Refused{{"--year", "1975", "2A"}, "from 1959 to 1974, not \"1975\""},
                      Refused{{"--format", "csv", "5A"}, "--format csv is for a batch"},
                      Refused{{"--batch", "p.csv", "5A"}, "from the file"}));

using Answer = std::tuple<std::string, std::optional<int>, int>;  // typed, year, questions

class TerminalYear : public ::testing::TestWithParam<Answer> {};

TEST_P(TerminalYear, IsAskedUntilOneOfTheTwoIsAnswered) {
  const auto& [typed, year, questions] = GetParam();
  std::istringstream in(typed);
  std::ostringstream err;
  EXPECT_EQ(AskYearOnTerminal(in, err, SerialYears{1962, 1972}), year);
  std::string asked;
  for (int i = 0; i < questions; ++i) asked += "Which year? 1962 or 1972: ";
  EXPECT_EQ(err.str(), asked + (year ? "" : "\n"));
}

INSTANTIATE_TEST_SUITE_P(Answers, TerminalYear,
                         ::testing::Values(Answer{"  1972 \r\n", 1972, 1},
                                           Answer{"1965\n\nx\n62\n", 1962, 4}));

TEST(OnePlate, TheYearAnsweredOnATerminalIsDecoded) {
  const ToolRun run = RunTool(kPlate62or72, "1972\n", true, true);
  EXPECT_EQ(run.status, kExitIncomplete) << run.err;  // 1972 has one record only
  EXPECT_NE(run.out.find("Year (2) = 1972\n"), std::string::npos) << run.out;
}

TEST(OnePlate, NoAnswerOnATerminalRefusesThePlateWithoutOpeningTheData) {
  const ToolRun run = RunTool(kPlate62or72, "", true, true);
  EXPECT_EQ(run.status, kExitUsage);
  EXPECT_NE(run.err.find("no year chosen"), std::string::npos) << run.err;
  EXPECT_TRUE(run.opened.empty());
}

TEST(OnePlate, TheYearIsAskedOnlyWhenStandardErrorIsATerminalToo) {
  const ToolRun run = RunTool(kPlate62or72, "1972\n", true, false);
  EXPECT_EQ(run.status, kExitUsage);
  EXPECT_NE(run.err.find("name one with --year 1962 or --year 1972"), std::string::npos);
}

TEST(Batch, EachModelYearIsReadOnce) {
  std::string csv = kHeader;
  for (int i = 0; i < 4; ++i)
    csv += "5A62C100001\r\n2A62C100001,,,,,,,,1972\r\n2A62C100001,,,,,,,,1962\r\n";
  const ToolRun run = RunTool({"--batch", "-"}, csv);
  EXPECT_EQ(run.opened.size(), 1u);
  EXPECT_EQ(run.data->ReadLog(), (std::vector<std::string>{"65", "72", "62"}));
}

TEST(Batch, ProgressOnlyOnATerminalAndOnlyForLongBatches) {
  std::string csv = kHeader;
  for (std::size_t i = 0; i < kProgressFrom + kProgressEvery; ++i) csv += "5A62C100001\n";
  const auto shown = [](std::size_t n) {
    return "\rvorrendal-decode: " + std::to_string(n) + " plates";
  };
  const std::string terminal = RunTool({"--batch", "-"}, csv, false, true).err;
  EXPECT_NE(terminal.find(shown(kProgressFrom)), std::string::npos);
  EXPECT_NE(terminal.find(shown(kProgressFrom + kProgressEvery) + "\n"), std::string::npos);
  EXPECT_EQ(terminal.find(shown(kProgressFrom - kProgressEvery)), std::string::npos);
  EXPECT_EQ(RunTool({"--batch", "-"}, csv).err.find("plates"), std::string::npos);
}

// The 1970s over a whole batch are kept by the golden transcript; the 1960s here.
TEST(Batch, TheDecadeNamesTheYearOfARowThatLeavesItOpen) {
  const ToolRun run = RunTool({"--batch", "-", "--format", "csv", "--decade", "1960s"},
                              kHeader + "2A62C100001\r\n");
  EXPECT_NE(run.out.find("\r\n2A62C100001,,,,,,,,1962,1962,"), std::string::npos) << run.out;
}

TEST(EndToEnd, TheBuiltProgramReadsTheDataBesideIt) {
  const testing::Spawned run = testing::SpawnTool({"5A62C100001"});
  EXPECT_NE(run.out.find("Plant (A) = Linden, New Jersey\n"), std::string::npos) << run.out;
}

}  // namespace
}  // namespace vorrendal::decodetool
