// Runs vorrendal-decode in-process against descriptions held in memory and
// compares what it writes with what the desktop program's report box holds.
#include "tools/decode/DecodeTool.h"

#include <sstream>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "../../support/MemoryDataReader.h"
#include "../../support/ScriptedPrompter.h"
#include "data/Cp1252.h"
#include "decode/ReportWriter.h"
#include "decode/clsCodeReader.h"
#include "tools/decode/CsvReader.h"

namespace vorrendal::decodetool {
namespace {

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
class LentReader final : public IDataReader {
 public:
  explicit LentReader(std::shared_ptr<MemoryDataReader> data) : data_(std::move(data)) {}
  bool ReadData(const std::string& id, KeyedTable* table, std::string& raw) override {
    return data_->ReadData(id, table, raw);
  }

 private:
  std::shared_ptr<MemoryDataReader> data_;
};

struct RunSetup {
  std::string stdinText;
  bool terminal = false;      // stdin and stderr are terminals
  bool emptyData = false;     // every year fails to load
  bool brokenOutput = false;  // standard output cannot be written
};

struct ToolRun {
  int status = -1;
  std::string out, err;
  std::shared_ptr<MemoryDataReader> data;
  Args opened;  // the paths the tool opened
};

ToolRun RunTool(const Args& args, const RunSetup& setup = {}) {
  ToolRun run;
  run.data = setup.emptyData ? std::make_shared<MemoryDataReader>() : std::shared_ptr(Catalogue());
  std::istringstream in(setup.stdinText);
  std::ostringstream out, err;
  if (setup.brokenOutput) out.setstate(std::ios::badbit);
  ToolEnvironment env{in, out, err, setup.terminal, setup.terminal, [&run](const std::filesystem::path& path) {
                        run.opened.push_back(path.string());
                        return std::unique_ptr<IDataReader>(std::make_unique<LentReader>(run.data));
                      }};
  run.status = RunDecodeTool(args, env);
  run.out = out.str();
  run.err = err.str();
  return run;
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
std::string ReportBoxText(const Args& codes, int answer = 0) {
  vorrendal::testing::ScriptedPrompter prompter;
  prompter.SetDefaultYearAnswer(answer);
  clsCodeReader reader(prompter, Catalogue());
  const PlateBoxes boxes{codes[0], codes[1], codes[2], codes[3], codes[4], codes[5], codes[6], codes[7]};
  const auto result = ReportWriter::Process(reader, boxes, false, std::string());
  return result ? result->Report : std::string();
}

// Terminal text (UTF-8, LF, final newline) taken back to the report box's.
std::string BackToReportBox(const std::string& terminal) {
  EXPECT_EQ(terminal.find('\r'), std::string::npos);
  EXPECT_TRUE(!terminal.empty() && terminal.back() == '\n');
  std::string crlf;
  for (std::size_t i = 0; i + 1 < terminal.size(); ++i) crlf += terminal[i] == '\n' ? "\r\n" : terminal.substr(i, 1);
  return Utf8ToCp1252(crlf).value_or("(not Windows-1252)");
}

std::vector<Json> JsonLines(const std::string& text) {
  std::vector<Json> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(Json::parse(line));
  EXPECT_TRUE(text.empty() || text.back() == '\n');
  return lines;
}

TEST(OnePlate, ReportIsTheReportBoxTextInUtf8WithLf) {
  const std::tuple<Args, Args, int> cases[] = {
      {{}, kPlate1965, 0}, {{}, {"5a62c100001", "62a", "m", "76", "12c", "21", "4", "1"}, 0},
      {{"--year", "1962"}, kPlate1962, 0}, {{"--year=1972"}, kPlate62or72, 1},
  };
  for (const auto& [options, codes, answer] : cases) {
    const ToolRun run = RunTool(With(options, codes));
    EXPECT_EQ(run.status, kExitClean) << run.err;
    const std::string expected = ReportBoxText(codes, answer);
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(BackToReportBox(run.out), expected) << codes[0];
  }
}

TEST(OnePlate, JsonHoldsTheTwelveResultsUnwrappedAndTheExactReport) {
  const ToolRun run = RunTool(With({"--format", "json"}, kPlate1965));
  ASSERT_EQ(run.status, kExitClean) << run.err;
  const std::vector<Json> lines = JsonLines(run.out);
  ASSERT_EQ(lines.size(), 1u);
  const Json& j = lines[0];
  Args keys;
  for (const auto& item : j.items()) keys.push_back(item.key());
  keys.resize(12);
  EXPECT_EQ(keys, (Args{"ModelYear", "AssemblyPlant", "Model", "EngineType", "UnitNumber", "Body", "Color", "Trim",
                        "DateProduced", "DSO", "TransmissionType", "AxleRatio"}));
  const Json want = {{"ModelYear", "1965"}, {"Model", kLongModel}, {"Color", "Caf\xC3\xA9 Cr\xC3\xA8me"},
                     {"DateProduced", "Manufactured March 12"}, {"SearchYear", "65"}, {"BadYearCode", false},
                     {"ErrorOccurred", false}};
  for (const auto& [key, value] : want.items()) EXPECT_EQ(j[key], value) << key;
  EXPECT_EQ(j["report"], Cp1252ToUtf8(ReportBoxText(kPlate1965)));
  EXPECT_NE(j["report"].get<std::string>().find("\r\n"), std::string::npos);

  const ToolRun bad = RunTool({"--format", "json", "C5AB100001"});
  EXPECT_EQ(bad.status, kExitUsage);
  const Json b = JsonLines(bad.out).at(0);
  EXPECT_TRUE(b["BadYearCode"] == true && b["report"].is_null() && b["ModelYear"].is_null()) << b;
  EXPECT_EQ(Occurrences(bad.err, "Invalid Year Code"), 1);
}

TEST(OnePlate, ExitStatusAndMessage) {
  struct Case { Args args; RunSetup setup; int status; Args errParts; bool outEmpty, dataOpened; };
  const Case cases[] = {
      {kPlate1965, {}, kExitClean, {}, false, true},
      {{"5B62C100001", "62A", "M", "76", "12C", "21", "4", "1"}, {}, kExitIncomplete, {}, false, true},
      {kPlate1965, {"", false, true}, kExitIncomplete, {"Error Loading Data", kLoadFailed, "1965"}, false, true},
      {{"X5A62C10000"}, {}, kExitUsage, {"Invalid Year Code", "It is the second number in 1959."}, true, true},
      {{""}, {}, kExitUsage, {"Invalid Year Code"}, true, true},
      {kPlate62or72, {}, kExitUsage, {"1962 or 1972", "--year"}, true, false},
      {With({"--year", "1965"}, kPlate62or72), {}, kExitUsage, {"1962 or 1972", "1965"}, true, false},
      {kPlate62or72, {"1972\n", true}, kExitClean, {"Which year? 1962 or 1972"}, false, true},
      {kPlate62or72, {"", true}, kExitUsage, {"no year chosen"}, true, false},
      {With({"--year", "1972"}, kPlate1965), {}, kExitClean, {}, false, true},
      {{"5A62C100001", "62AB"}, {}, kExitUsage, {"body:", "holds 3"}, true, false},
      {{"5A62C100001", "62A", "M", "\xE2\x86\x92"}, {}, kExitUsage, {"trim:", "U+2192"}, true, false},
      {{"--bogus"}, {}, kExitUsage, {"unknown option --bogus", "Usage:"}, true, false},
      {{"--help"}, {}, kExitClean, {}, false, false},
      {kPlate1965, {"", false, false, true}, kExitIncomplete, {"the output could not be written"}, true, true},
      {{"--batch", "-"}, {"serial\n5A62C100001\n", false, false, true}, kExitIncomplete,
       {"the output could not be written"}, true, true},
      {{"--batch", "/nonexistent/p.csv"}, {}, kExitUsage, {"cannot open /nonexistent/p.csv"}, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.empty() ? "" : c.args[0] + " " + c.setup.stdinText);
    const ToolRun run = RunTool(c.args, c.setup);
    EXPECT_EQ(run.status, c.status) << run.err;
    for (const std::string& part : c.errParts) EXPECT_NE(run.err.find(part), std::string::npos) << run.err;
    EXPECT_EQ(run.out.empty(), c.outEmpty) << run.out;
    EXPECT_EQ(!run.opened.empty(), c.dataOpened);
  }
  EXPECT_EQ(RunTool({"--data", "/tmp/other.dat", "5A6"}).opened, Args{"/tmp/other.dat"});
  EXPECT_EQ(std::filesystem::path(RunTool({"5A6"}).opened.at(0)).filename(), "Data.dat");
}

TEST(Batch, RowsComeOutInOrderAndBadRowsCarryAnError) {
  const std::tuple<std::string, const char*, const char*> table[] = {  // CSV row from line 2, ModelYear, error
      {"5A62C100001,62A,M,76,12C,21,4,1", "1965", nullptr},
      {"2A62C100001,62A,4A,76,12C,21,4,1,1972", "1972", nullptr},
      {"2A62C100001,62A,4A,76,12C,21,4,1", nullptr, "1962 or 1972"},
      {"2A62C100001,62A,4A,76,12C,21,4,1,1965", nullptr, "\"1965\""},
      {"X5A62C10000,62A,M,76,12C,21,4,1", nullptr, "Invalid Year Code"},
      {"5A62C100001,62AB,M,76,12C,21,4,1", nullptr, "body:"},
      {"5A62C100001,62A,M,76,12C,21,4,1,,extra", nullptr, "10 fields"}, {"", nullptr, nullptr},
      {"2A62C100001,62A,M,76,12C,21,4,1,1962", "1962", nullptr}, {"5A62C100001,\"62A\"x,M", nullptr, "closing quote"},
      {"5B62C100001,62A,M,76,12C,21,4,1", "1965", nullptr},
  };  // blank lines are skipped; 5B has no description but decodes
  std::string csv = kHeader;
  for (const auto& row : table) csv += std::get<0>(row) + "\r\n";
  const ToolRun run = RunTool({"--batch", "-"}, {csv});
  EXPECT_EQ(run.status, kExitIncomplete);
  const std::vector<Json> rows = JsonLines(run.out);
  ASSERT_EQ(rows.size(), std::size(table) - 1);
  for (std::size_t i = 0, line = 2; i < rows.size(); ++i, ++line) {
    if (std::get<0>(table[line - 2]).empty()) ++line;
    const auto& [text, year, error] = table[line - 2];
    SCOPED_TRACE(text);
    const Json& r = rows[i];
    EXPECT_EQ(r["line"], line);
    EXPECT_EQ(r["ModelYear"].is_null(), !year);
    EXPECT_EQ(r["report"].is_null(), !year);
    EXPECT_EQ(r["error"].is_null(), !error);
    EXPECT_TRUE(year ? r["ModelYear"] == year : r["error"].get<std::string>().find(error) != std::string::npos) << r;
  }
  EXPECT_EQ(rows[4]["BadYearCode"], true);
  EXPECT_TRUE(rows[4]["Model"].is_null());  // nothing left over from the row before
  EXPECT_EQ(rows[0]["ErrorOccurred"], false);
  EXPECT_EQ(rows[9]["ErrorOccurred"], true);
  EXPECT_EQ(rows[7]["report"], Cp1252ToUtf8(ReportBoxText(kPlate1962)));
  EXPECT_NE(run.err.find("standard input line 7: body:"), std::string::npos) << run.err;
}

TEST(Batch, EachModelYearIsReadOnceAndAFailedYearToldOnce) {
  std::string csv = kHeader;
  for (int i = 0; i < 4; ++i) csv += "5A62C100001\r\n2A62C100001,,,,,,,,1972\r\n2A62C100001,,,,,,,,1962\r\n";
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

TEST(Batch, CsvOutputHasTheInputColumnsAndTheTwelveResults) {
  const std::string csv = kHeader + "5A62C100001,62A,M,76,12C,21,4,1\r\n\" 2A62C1000\",62A,4A,,,,,,1972\r\n";
  const ToolRun run = RunTool({"--batch", "-", "--format", "csv"}, {csv});
  EXPECT_NE(run.out.find("\r\n"), std::string::npos);
  CsvReader reader(run.out);
  CsvRecord header, first, second, none;
  ASSERT_TRUE(reader.Next(header) && reader.Next(first) && reader.Next(second));
  EXPECT_FALSE(reader.Next(none));
  EXPECT_EQ(header.fields, (Args{"serial", "body", "color", "trim", "date", "dso", "trans", "axle", "year",
                                 "ModelYear", "AssemblyPlant", "Model", "EngineType", "UnitNumber", "Body", "Color",
                                 "Trim", "DateProduced", "DSO", "TransmissionType", "AxleRatio", "error"}));
  ASSERT_TRUE(first.fields.size() == 22 && second.fields.size() == 22);
  const std::tuple<const CsvRecord&, std::size_t, std::string> cells[] = {
      {first, 0, "5A62C100001"}, {first, 10, "Atlanta, Georgia"}, {first, 11, kLongModel},
      {first, 15, "Caf\xC3\xA9 Cr\xC3\xA8me"}, {first, 21, ""}, {second, 0, " 2A62C1000"}, {second, 9, ""},
      {second, 21, "Invalid Year Code"}};
  for (const auto& [record, column, text] : cells) EXPECT_EQ(record.fields[column], text) << column;
}

TEST(Batch, ReportsAreSeparatedAsInAppendMode) {
  const std::string csv = kHeader + "5A62C100001,62A,M,76,12C,21,4,1\n2A62C100001,62A,M,76,12C,21,4,1,1962\n2A6\n";
  const ToolRun run = RunTool({"--batch", "-", "--format", "report"}, {csv});
  EXPECT_EQ(run.status, kExitIncomplete) << run.err;
  const std::string separator = "\n\n" + std::string(40, '_') + "\n\n";
  const std::size_t first = run.out.find(separator);
  const std::size_t second = run.out.find(separator, first + 1);
  ASSERT_NE(second, std::string::npos) << run.out;
  EXPECT_EQ(BackToReportBox(run.out.substr(0, first) + "\n"), ReportBoxText(kPlate1965));
  const std::size_t from = first + separator.size();
  EXPECT_EQ(BackToReportBox(run.out.substr(from, second - from) + "\n"), ReportBoxText(kPlate1962));
  EXPECT_EQ(run.out.substr(second + separator.size()),
            "Line 4: the serial number stands for 1962 or 1972; name one in the year column\n");
}

TEST(Batch, HeaderNamesTheColumns) {
  const std::tuple<std::string, int, std::size_t, const char*> cases[] = {  // csv, status, rows, error
      {"serial,body,color,trim,date,dso,trans,axle\n5A62C100001,62A,M,76,12C,21,4,1\n", kExitClean, 1, ""},
      {"AXLE,Trans,DSO,date,trim,color,body,Serial\n1,4,21,12C,76,M,62A,5A62C100001\n", kExitClean, 1, ""},
      {kHeader, kExitClean, 0, ""}, {"", kExitUsage, 0, "no header"},
      {"serial,colour\n5A62C100001,M\n", kExitUsage, 0, "unknown column \"colour\""},
      {"body,color\n62A,M\n", kExitUsage, 0, "serial"}, {"serial,body,body\n", kExitUsage, 0, "named twice"},
      {"5A62C100001,62A,M\n", kExitUsage, 0, "unknown column"},
  };
  for (const auto& [csv, status, count, error] : cases) {
    const ToolRun run = RunTool({"--batch", "-"}, {csv});
    EXPECT_EQ(run.status, status) << csv << run.err;
    const std::vector<Json> rows = JsonLines(run.out);
    ASSERT_EQ(rows.size(), count) << csv;
    EXPECT_NE(run.err.find(error), std::string::npos) << run.err;
    EXPECT_TRUE(count == 0 || rows[0]["report"] == Cp1252ToUtf8(ReportBoxText(kPlate1965))) << csv;
  }
  // Quoted spaces reach the decode as typed; a short row's missing codes are empty.
  const std::vector<Json> rows = JsonLines(RunTool({"--batch", "-"}, {kHeader + "5A62C100001,\"62 \"\n"}).out);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0]["input"]["body"], "62 ");
  EXPECT_EQ(rows[0]["Body"], "Incorrect Code");
  EXPECT_EQ(rows[0]["input"]["axle"], "");
}

TEST(Batch, ProgressOnlyOnATerminalAndOnlyForLongBatches) {
  const std::size_t rows = kProgressFrom + kProgressEvery;
  std::string csv = kHeader;
  for (std::size_t i = 0; i < rows; ++i) csv += "5A62C100001\n";
  const std::string shortCsv = csv.substr(0, kHeader.size() + (kProgressFrom - 1) * 12);
  const auto shown = [](std::size_t n) { return "\rvorrendal-decode: " + std::to_string(n) + " plates"; };
  const ToolRun terminal = RunTool({"--batch", "-"}, {csv, true});
  EXPECT_NE(terminal.err.find(shown(kProgressFrom)), std::string::npos);
  EXPECT_NE(terminal.err.find(shown(rows) + "\n"), std::string::npos);
  EXPECT_EQ(terminal.err.find(shown(kProgressFrom - kProgressEvery)), std::string::npos);
  const ToolRun piped = RunTool({"--batch", "-"}, {csv, false});
  EXPECT_EQ(piped.err.find("plates"), std::string::npos) << piped.err;
  EXPECT_EQ(JsonLines(piped.out).size(), rows);
  EXPECT_EQ(RunTool({"--batch", "-"}, {shortCsv, true}).err.find("plates"), std::string::npos);
}

}  // namespace
}  // namespace vorrendal::decodetool
