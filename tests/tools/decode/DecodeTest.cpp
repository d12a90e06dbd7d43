// vorrendal-decode: the tool run in-process against descriptions held in
// memory, what it writes compared with what the desktop
// program's report box holds; and the built program run as a user would.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <nlohmann/json.hpp>
#include <sstream>

#include "../../support/MemoryDataReader.h"
#include "../../support/ScriptedPrompter.h"
#include "data/Cp1252.h"
#include "decode/ReportWriter.h"
#include "decode/clsCodeReader.h"
#include "tools/decode/DecodeTool.h"
#include "tools/decode/YearChoice.h"

namespace vorrendal::decodetool {
namespace {

namespace fs = std::filesystem;
using vorrendal::testing::MemoryDataReader;
using Json = nlohmann::ordered_json;
using Args = std::vector<std::string>;

// Longer than the report's line budget, so that the report wraps it.
const std::string kLongModel = "Two-door hardtop coupe, eight cylinders, bucket seats and console";
const Args kPlate1965 = {"5A62C100001", "62A", "M", "76", "12C", "21", "4", "1"};
const Args kPlate1962 = {"2A62C100001", "62A", "M", "76", "12C", "21", "4", "1"};
const Args kPlate62or72 = {"2A62C100001", "62A", "4A", "76", "12C", "21", "4", "1"};
const std::string kHeader = "serial,body,color,trim,date,dso,trans,axle,year\r\n";
const char* const kLoadFailed = "Unable to load data file. It may be corrupted.";

// Descriptions for 1965, 1962 and 1972, with Windows-1252 accents in 1965.
std::unique_ptr<MemoryDataReader> Catalogue() {
  auto data = std::make_unique<MemoryDataReader>();
  for (const std::string y : {"62", "65", "72"}) {
    data->Add(y, "p" + y + "-A", "Atlanta, Georgia")
        .Add(y, "m" + y + "-62", y == "65" ? kLongModel : "Two-door hardtop")
        .Add(y, "e" + y + "-C", "289 cu in V8, 2-bbl carburettor")
        .Add(y, "b" + y + "-62A", "Two-door hardtop")
        .Add(y, "c" + y + (y == "72" ? "-4A" : "-M"), y == "65" ? "Caf\xE9 Cr\xE8me" : "Black")
        .Add(y, "t" + y + "-76", "Black vinyl")
        .Add(y, "s" + y + "-21", "Atlanta")
        .Add(y, "r" + y + "-4", "Three-speed automatic")
        .Add(y, "x" + y + "-1", "3.00:1");
  }
  return data;
}

// Lends the test's reader to the tool, so that its counts outlive the run.
struct LentReader final : IDataReader {
  explicit LentReader(std::shared_ptr<MemoryDataReader> lent) : data(std::move(lent)) {}
  bool ReadData(const std::string& id, KeyedTable* table, std::string& raw) override {
    return data->ReadData(id, table, raw);
  }
  std::shared_ptr<MemoryDataReader> data;
};

// stdinText: what standard input holds; terminal: stdin and stderr are terminals;
// emptyData: every year fails to load.
struct RunSetup {
  std::string stdinText = "";
  bool terminal = false, emptyData = false;
};
// What a run wrote, the reader it was lent and the paths it opened.
struct ToolRun {
  int status;
  std::string out, err;
  std::shared_ptr<MemoryDataReader> data;
  Args opened;
};

ToolRun RunTool(const Args& args, const RunSetup& setup = {}) {
  const auto data =
      setup.emptyData ? std::make_shared<MemoryDataReader>() : std::shared_ptr(Catalogue());
  Args opened;
  std::istringstream in(setup.stdinText);
  std::ostringstream out, err;
  ToolEnvironment env{in, out, err, setup.terminal, setup.terminal, [&](const fs::path& path) {
                        opened.push_back(path.string());
                        return std::unique_ptr<IDataReader>(std::make_unique<LentReader>(data));
                      }};
  return {RunDecodeTool(args, env), out.str(), err.str(), data,
          opened};  // the run first: braces keep order
}

Args With(Args args, const Args& more) {
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

int Occurrences(const std::string& text, const std::string& part) {
  int n = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

// What the report box holds after one Process in replace mode, the year
// question answered with answer.
std::string ReportBoxText(const Args& c, int answer = 0) {
  vorrendal::testing::ScriptedPrompter prompter;
  prompter.SetDefaultYearAnswer(answer);
  clsCodeReader reader(prompter, Catalogue());
  const PlateBoxes boxes{c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7]};
  const auto result = ReportWriter::Process(reader, boxes, false, std::string());
  return result ? result->Report : std::string();
}

// Terminal text (UTF-8, LF, final newline) taken back to the report box's.
std::string BackToReportBox(const std::string& terminal) {
  EXPECT_EQ(terminal.find('\r'), std::string::npos);
  EXPECT_TRUE(!terminal.empty() && terminal.back() == '\n');
  std::string crlf = terminal.substr(0, terminal.size() - 1);  // without the final newline
  for (auto i = crlf.find('\n'); i != std::string::npos; i = crlf.find('\n', i + 2))
    crlf.insert(i, "\r");
  return Utf8ToCp1252(crlf).value_or("(not Windows-1252)");
}

std::vector<Json> JsonLines(const std::string& text) {
  std::vector<Json> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(Json::parse(line));
  EXPECT_TRUE(text.empty() || text.back() == '\n');
  return lines;
}

using Opt = std::optional<std::string>;
constexpr auto kReport = OutputFormat::Report;
constexpr auto kJson = OutputFormat::Json;

TEST(Options, Accepted) {
  struct Case {
    Args args, codes;
    Opt data;
    std::optional<int> year;
    OutputFormat format;
    Opt batch;
  };
  const Case cases[] = {
      {{"5A62C100001", "", "M"}, {"5A62C100001", "", "M"}, {}, {}, kReport, {}},
      {{"--year", "1972", "2A6", "--format=json", "62A"}, {"2A6", "62A"}, {}, 1972, kJson, {}},
      {{"--", "-5", "--year"}, {"-5", "--year"}, {}, {}, kReport, {}},
      {{"-"}, {"-"}, {}, {}, kReport, {}},
      {{"--year", "1959", "9"}, {"9"}, {}, 1959, kReport, {}},
      {{"--batch", "p.csv"}, {}, {}, {}, kJson, "p.csv"},
      {{"--batch=-", "--format", "csv"}, {}, {}, {}, OutputFormat::Csv, "-"},
      {{"--format", "report", "--batch", "p", "--data=x"}, {}, "x", {}, kReport, "p"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    const ParsedOptions p = ParseDecodeOptions(c.args);
    ASSERT_TRUE(p.Ok()) << p.error;
    const DecodeOptions& o = p.options;
    EXPECT_EQ(std::tuple(o.codes, o.dataFile, o.year, o.Format(), o.batchFile),
              std::tuple(c.codes, c.data, c.year, c.format, c.batch));
  }
  EXPECT_TRUE(ParseDecodeOptions({"-h"}).options.help);
  EXPECT_TRUE(ParseDecodeOptions({"--version"}).options.version);
}

TEST(Options, RefusedWithAMessageNamingTheFault) {
  const std::pair<Args, const char*> cases[] = {
      {{}, "no serial number"},
      {{"1", "2", "3", "4", "5", "6", "7", "8", "9"}, "too many codes"},
      {{"--colour", "M", "5A"}, "unknown option --colour"},
      {{"-x", "5A"}, "unknown option -x"},
      {{"5A", "--year"}, "--year needs a value"},
      {{"--year", "72", "2A"}, "1959 to 1974"},
      {{"--year", "1975", "2A"}, "not \"1975\""},
      {{"--year", "1958", "2A"}, "not \"1958\""},
      {{"--year=1972x", "2A"}, "1959 to 1974"},
      {{"--format", "xml", "5A"}, "report, json or csv"},
      {{"--format", "csv", "5A"}, "--format csv is for a batch"},
      {{"--data", "a", "--data", "b", "5A"}, "--data is given twice"},
      {{"--data=", "5A"}, "--data needs a file name"},
      {{"--batch", "p.csv", "5A"}, "from the file"},
      {{"--batch", "p.csv", "--year", "1972"}, "year column"},
      {{"--batch"}, "--batch needs a value"},
  };
  for (const auto& [args, part] : cases) {
    const ParsedOptions p = ParseDecodeOptions(args);
    EXPECT_FALSE(p.Ok()) << ::testing::PrintToString(args);
    EXPECT_NE(p.error.find(part), std::string::npos)
        << ::testing::PrintToString(args) << ": " << p.error;
  }
}

TEST(YearChoice, TerminalAsksUntilOneOfTheTwoIsAnswered) {
  const std::tuple<const char*, std::optional<int>, int> cases[] = {
      {"1962\n", 1962, 1},          {"72\n", 1972, 1},           {"  1972 \r\n", 1972, 1},
      {"1965\n\nx\n62\n", 1962, 4}, {"1965\n", std::nullopt, 2}, {"", std::nullopt, 1}};
  for (const auto& [typed, year, questions] : cases) {
    std::istringstream in(typed);
    std::ostringstream err;
    EXPECT_EQ(AskYearOnTerminal(in, err, batch::CandidateYears{1962, 1972}), year) << typed;
    EXPECT_EQ(Occurrences(err.str(), "Which year? 1962 or 1972"), questions) << typed << err.str();
  }
}

TEST(OnePlate, ReportIsTheReportBoxTextInUtf8WithLf) {
  const std::tuple<Args, Args, int> cases[] = {
      {{}, kPlate1965, 0},
      {{}, {"5a62c100001", "62a", "m", "76", "12c", "21", "4", "1"}, 0},
      {{"--year", "1962"}, kPlate1962, 0},
      {{"--year=1972"}, kPlate62or72, 1},
  };
  for (const auto& [options, codes, answer] : cases) {
    const ToolRun run = RunTool(With(options, codes));
    EXPECT_EQ(run.status, kExitClean) << run.err;
    EXPECT_EQ(BackToReportBox(run.out), ReportBoxText(codes, answer)) << codes[0];
  }
}

TEST(OnePlate, JsonHoldsTheTwelveResultsUnwrappedAndTheExactReport) {
  const std::vector<Json> lines = JsonLines(RunTool(With({"--format", "json"}, kPlate1965)).out);
  ASSERT_EQ(lines.size(), 1u);
  std::string keys;
  for (const auto& item : lines[0].items()) keys += item.key() + ' ';
  EXPECT_EQ(
      keys.rfind(
          "ModelYear AssemblyPlant Model EngineType UnitNumber Body Color Trim DateProduced DSO "
          "TransmissionType AxleRatio ",
          0),
      0u)
      << keys;
  const Json want = {{"ModelYear", "1965"},
                     {"Model", kLongModel},
                     {"Color", "Caf\xC3\xA9 Cr\xC3\xA8me"},
                     {"DateProduced", "Manufactured March 12"},
                     {"SearchYear", "65"},
                     {"BadYearCode", false},
                     {"ErrorOccurred", false},
                     {"report", Cp1252ToUtf8(ReportBoxText(kPlate1965))}};
  for (const auto& [key, value] : want.items()) EXPECT_EQ(lines[0][key], value) << key;

  const ToolRun bad = RunTool({"--format", "json", "C5AB100001"});
  EXPECT_EQ(bad.status, kExitUsage);
  const Json b = JsonLines(bad.out).at(0);
  EXPECT_TRUE(b["BadYearCode"] == true && b["report"].is_null() && b["ModelYear"].is_null()) << b;
  EXPECT_EQ(Occurrences(bad.err, "Invalid Year Code"), 1);
}

TEST(OnePlate, ExitStatusAndMessage) {
  struct Case {
    Args args;
    RunSetup setup;
    int status;
    Args errParts;
    bool outEmpty, dataOpened;
  };
  const Case cases[] = {
      {{"5B62C100001", "62A", "M", "76", "12C", "21", "4", "1"},
       {},
       kExitIncomplete,
       {},
       false,
       true},
      {kPlate1965,
       {.emptyData = true},
       kExitIncomplete,
       {"Error Loading Data", kLoadFailed, "1965", "Data.dat)"},
       false,
       true},
      {{"X5A62C10000"}, {}, kExitUsage, {"It is the second number in 1959."}, true, true},
      {{""}, {}, kExitUsage, {"Invalid Year Code"}, true, true},
      {kPlate62or72, {}, kExitUsage, {"1962 or 1972", "--year"}, true, false},
      {With({"--year", "1965"}, kPlate62or72),
       {},
       kExitUsage,
       {"1962 or 1972", "1965"},
       true,
       false},
      {kPlate62or72, {"1972\n", true}, kExitClean, {"Which year? 1962 or 1972"}, false, true},
      {kPlate62or72, {"", true}, kExitUsage, {"no year chosen"}, true, false},
      {With({"--year", "1972"}, kPlate1965), {}, kExitClean, {}, false, true},
      {{"5A62C100001", "62AB"}, {}, kExitUsage, {"body:", "holds 3"}, true, false},
      {{"5A62C100001", "62A", "M", "\xE2\x86\x92"},
       {},
       kExitUsage,
       {"trim:", "U+2192"},
       true,
       false},
      {{"--bogus"}, {}, kExitUsage, {"unknown option --bogus", "Usage:"}, true, false},
      {{"--help"}, {}, kExitClean, {}, false, false},
      {{"--batch", "/nonexistent/p.csv"},
       {},
       kExitUsage,
       {"cannot open /nonexistent/p.csv"},
       true,
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.empty() ? "" : c.args[0] + " " + c.setup.stdinText);
    const ToolRun run = RunTool(c.args, c.setup);
    EXPECT_EQ(run.status, c.status) << run.err;
    for (const std::string& part : c.errParts)
      EXPECT_NE(run.err.find(part), std::string::npos) << run.err;
    EXPECT_EQ(run.out.empty(), c.outEmpty) << run.out;
    EXPECT_EQ(!run.opened.empty(), c.dataOpened);
  }
  EXPECT_EQ(RunTool({"--data", "/tmp/other.dat", "5A6"}).opened, Args{"/tmp/other.dat"});
  EXPECT_EQ(fs::path(RunTool({"5A6"}).opened.at(0)).filename(), "Data.dat");
  // The year is asked for only when standard error is a terminal too.
  std::istringstream in("1972\n");
  std::ostringstream out, err;
  ToolEnvironment errPiped{in, out, err, true, false, {}};
  EXPECT_EQ(RunDecodeTool(kPlate62or72, errPiped), kExitUsage) << err.str();
}

TEST(Batch, EachModelYearIsReadOnceAndAFailedYearToldOnce) {
  std::string csv = kHeader;
  for (int i = 0; i < 4; ++i)
    csv += "5A62C100001\r\n2A62C100001,,,,,,,,1972\r\n2A62C100001,,,,,,,,1962\r\n";
  for (const bool fail : {false, true}) {
    SCOPED_TRACE(fail);
    const ToolRun run = RunTool({"--batch", "-"}, {csv, false, fail});
    EXPECT_EQ(run.status, fail ? kExitIncomplete : kExitClean) << run.err;
    EXPECT_EQ(run.opened.size(), 1u);
    for (const char* year : {"62", "65", "72"}) EXPECT_EQ(run.data->Reads(year), 1) << year;
    EXPECT_EQ(run.data->TotalReads(), 3);
    EXPECT_EQ(Occurrences(run.err, kLoadFailed), fail ? 3 : 0) << run.err;
    EXPECT_EQ(Occurrences(run.err, "model year 1965"), fail ? 1 : 0) << run.err;
    const std::vector<Json> rows = JsonLines(run.out);
    EXPECT_EQ(rows.size(), 12u);
    for (const Json& row : rows) EXPECT_EQ(row["DataLoadFailed"], fail);
  }
}

TEST(Batch, HeaderNamesTheColumns) {
  const std::tuple<std::string, int, std::size_t, const char*> cases[] = {
      // csv, status, rows, error
      {"serial,body,color,trim,date,dso,trans,axle\n5A62C100001,62A,M,76,12C,21,4,1\n", kExitClean,
       1, ""},
      {"AXLE,Trans,DSO,date,trim,color,body,Serial\n1,4,21,12C,76,M,62A,5A62C100001\n", kExitClean,
       1, ""},
      {kHeader, kExitClean, 0, ""},
      {"serial,colour\n5A62C100001,M\n", kExitUsage, 0, "unknown column \"colour\""},
  };
  for (const auto& [csv, status, count, error] : cases) {
    const ToolRun run = RunTool({"--batch", "-"}, {csv});
    EXPECT_EQ(run.status, status) << csv << run.err;
    const std::vector<Json> rows = JsonLines(run.out);
    ASSERT_EQ(rows.size(), count) << csv;
    EXPECT_NE(run.err.find(error), std::string::npos) << run.err;
    EXPECT_TRUE(count == 0 || rows[0]["report"] == Cp1252ToUtf8(ReportBoxText(kPlate1965))) << csv;
  }
}

TEST(Batch, ProgressOnlyOnATerminalAndOnlyForLongBatches) {
  const std::size_t rows = kProgressFrom + kProgressEvery;
  std::string csv = kHeader;
  for (std::size_t i = 0; i < rows; ++i) csv += "5A62C100001\n";
  const std::string shortCsv = csv.substr(0, kHeader.size() + (kProgressFrom - 1) * 12);
  const auto shown = [](std::size_t n) {
    return "\rvorrendal-decode: " + std::to_string(n) + " plates";
  };
  const ToolRun terminal = RunTool({"--batch", "-"}, {csv, true});
  EXPECT_NE(terminal.err.find(shown(kProgressFrom)), std::string::npos);
  EXPECT_NE(terminal.err.find(shown(rows) + "\n"), std::string::npos);
  EXPECT_EQ(terminal.err.find(shown(kProgressFrom - kProgressEvery)), std::string::npos);
  const ToolRun piped = RunTool({"--batch", "-"}, {csv, false});
  EXPECT_EQ(piped.err.find("plates"), std::string::npos) << piped.err;
  EXPECT_EQ(JsonLines(piped.out).size(), rows);
  EXPECT_EQ(RunTool({"--batch", "-"}, {shortCsv, true}).err.find("plates"), std::string::npos);
}

// The built program as a user runs it: main hands over the arguments and the
// exit status, finds no terminal on a pipe and reads the Data.dat beside it.
TEST(EndToEnd, BuiltProgram) {
  // Runs a command line in the directory of the built programs: its exit status and standard
  // output.
  const auto shell = [](const std::string& command) {
    FILE* const pipe = ::popen(("cd '" VORRENDAL_BIN_DIR "' && " + command).c_str(), "r");
    std::string out;
    for (int c; (c = std::fgetc(pipe)) != EOF;) out += static_cast<char>(c);
    const int raw = ::pclose(pipe);
    return std::pair(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, out);
  };
  // A year is not asked for on a pipe, however plainly the answer waits there.
  const auto [refused, said] = shell("echo 1962 | ./vorrendal-decode 2A62C100001 2>&1");
  EXPECT_EQ(refused, kExitUsage);
  EXPECT_NE(said.find("1962 or 1972"), std::string::npos) << said;
  // The Data.dat the build packed from resources/descriptions, found beside the program.
  const std::string packed = shell("./vorrendal-decode 5A62C100001 2>&1").second;
  EXPECT_NE(packed.find("Plant (A) = Linden, New Jersey\n"), std::string::npos) << packed;
  EXPECT_EQ(packed.find(kLoadFailed), std::string::npos) << packed;
}

}  // namespace
}  // namespace vorrendal::decodetool
