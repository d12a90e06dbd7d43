#include "tools/decode/DecodeTool.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "../../support/ScriptedPrompter.h"
#include "DecodeToolTestSupport.h"
#include "data/Cp1252.h"
#include "decode/ReportWriter.h"
#include "decode/clsCodeReader.h"
#include "tools/decode/CsvReader.h"

namespace vorrendal::decodetool::testing {
namespace {

using vorrendal::testing::ScriptedPrompter;
using Json = nlohmann::ordered_json;

const std::vector<std::string> kPlate1965 = {"5A62C100001", "62A", "M", "76", "12C", "21", "4", "1"};
const std::vector<std::string> kPlate62or72 = {"2A62C100001", "62A", "4A", "76", "12C", "21", "4", "1"};
const char* const kLoadFailed = "Unable to load data file. It may be corrupted.";
const char* const kYearCodeLines[] = {"The year code must be a number from",
                                      "0 to 9. The year code is the first number",
                                      "in the serial number from 1960 to 1974.",
                                      "It is the second number in 1959."};

PlateBoxes Boxes(const std::vector<std::string>& codes) {
  std::vector<std::string> c = codes;
  c.resize(8);
  return {c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7]};
}

// What the report box holds after one Process in replace mode, with the same
// descriptions and the year question answered with answer.
std::string ReportBoxText(const std::vector<std::string>& codes, int answer = 0) {
  ScriptedPrompter prompter;
  prompter.SetDefaultYearAnswer(answer);
  clsCodeReader reader(prompter, Catalogue());
  const auto result = ReportWriter::Process(reader, Boxes(codes), false, std::string());
  return result ? result->Report : std::string();
}

// The terminal text taken back to what the report box holds.
std::string BackToReportBox(const std::string& terminal) {
  EXPECT_EQ(terminal.find('\r'), std::string::npos);
  EXPECT_TRUE(!terminal.empty() && terminal.back() == '\n');
  std::string crlf;
  for (std::size_t i = 0; i + 1 < terminal.size(); ++i) {
    if (terminal[i] == '\n') crlf += '\r';
    crlf += terminal[i];
  }
  const auto cp1252 = Utf8ToCp1252(crlf);
  EXPECT_TRUE(cp1252.has_value());
  return cp1252.value_or(std::string());
}

std::vector<std::string> With(std::vector<std::string> args, const std::vector<std::string>& more) {
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

std::vector<Json> JsonLines(const std::string& text) {
  std::vector<Json> lines;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = text.find('\n', start);
    EXPECT_NE(end, std::string::npos) << "JSON line without its line break";
    lines.push_back(Json::parse(text.substr(start, end - start)));
    start = end + 1;
  }
  return lines;
}

// ---- one plate ------------------------------------------------------------

struct ReportCase {
  const char* name;
  std::vector<std::string> args;  // before the codes
  std::vector<std::string> codes;
  int answer;  // the year question's answer the report box got
};

class SinglePlateReport : public ::testing::TestWithParam<ReportCase> {};

TEST_P(SinglePlateReport, IsTheReportBoxTextInUtf8WithLf) {
  const ReportCase& c = GetParam();
  const ToolRun run = RunTool(With(c.args, c.codes));
  EXPECT_EQ(run.status, kExitClean) << run.err;
  const std::string expected = ReportBoxText(c.codes, c.answer);
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(BackToReportBox(run.out), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Plates, SinglePlateReport,
    ::testing::Values(ReportCase{"Year1965WithWrapAndAccents", {}, kPlate1965, 0},
                      ReportCase{"LowerCaseCodes", {}, {"5a62c100001", "62a", "m", "76", "12c", "21", "4", "1"}, 0},
                      ReportCase{"Year1962Named", {"--year", "1962"}, {"2A62C100001", "62A", "M", "76", "12C", "21", "4", "1"}, 0},
                      ReportCase{"Year1972Named", {"--year=1972"}, kPlate62or72, 1}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(SinglePlate, ReportTextIsUtf8) {
  const ToolRun run = RunTool(kPlate1965);
  EXPECT_NE(run.out.find("Color (M) = Caf\xC3\xA9 Cr\xC3\xA8me\n"), std::string::npos) << run.out;
}

TEST(SinglePlate, JsonHoldsTheResultsBeforeWrappingAndTheExactReport) {
  const ToolRun run = RunTool(With({"--format", "json"}, kPlate1965));
  ASSERT_EQ(run.status, kExitClean) << run.err;
  const std::vector<Json> lines = JsonLines(run.out);
  ASSERT_EQ(lines.size(), 1u);
  const Json& j = lines[0];
  const std::vector<std::string> names = {"ModelYear", "AssemblyPlant", "Model", "EngineType", "UnitNumber",
                                          "Body", "Color", "Trim", "DateProduced", "DSO", "TransmissionType",
                                          "AxleRatio"};
  std::vector<std::string> keys;
  for (const auto& item : j.items()) keys.push_back(item.key());
  ASSERT_GE(keys.size(), names.size());
  EXPECT_EQ(std::vector<std::string>(keys.begin(), keys.begin() + 12), names);

  EXPECT_EQ(j["ModelYear"], "1965");
  EXPECT_EQ(j["Model"], kLongModel);  // unwrapped, while the report wraps it
  EXPECT_EQ(j["Color"], "Caf\xC3\xA9 Cr\xC3\xA8me");
  EXPECT_EQ(j["DateProduced"], "Manufactured March 12");
  EXPECT_EQ(j["UnitNumber"], "100001");
  EXPECT_EQ(j["SearchYear"], "65");
  EXPECT_EQ(j["BadYearCode"], false);
  EXPECT_EQ(j["ErrorOccurred"], false);
  EXPECT_EQ(j["DataLoadFailed"], false);
  const std::string report = j["report"];
  EXPECT_EQ(report, Cp1252ToUtf8(ReportBoxText(kPlate1965)));
  EXPECT_NE(report.find("\r\n"), std::string::npos);
  EXPECT_EQ(report.find(kLongModel), std::string::npos) << "the report should wrap the long model";
}

struct ExitCase {
  const char* name;
  std::vector<std::string> args;
  RunSetup setup;
  int status;
  std::vector<std::string> errParts;  // each must be on stderr
  bool outEmpty;
  bool dataOpened;
};

class SinglePlateExit : public ::testing::TestWithParam<ExitCase> {};

TEST_P(SinglePlateExit, StatusAndMessage) {
  const ExitCase& c = GetParam();
  const ToolRun run = RunTool(c.args, c.setup);
  EXPECT_EQ(run.status, c.status) << run.err;
  for (const std::string& part : c.errParts) EXPECT_NE(run.err.find(part), std::string::npos) << run.err;
  EXPECT_EQ(run.out.empty(), c.outEmpty) << run.out;
  EXPECT_EQ(!run.openedPaths.empty(), c.dataOpened);
}

INSTANTIATE_TEST_SUITE_P(
    Plates, SinglePlateExit,
    ::testing::Values(
        ExitCase{"Clean", kPlate1965, {}, kExitClean, {}, false, true},
        ExitCase{"DescriptionMissing", {"5B62C100001", "62A", "M", "76", "12C", "21", "4", "1"}, {},
                 kExitIncomplete, {}, false, true},
        ExitCase{"DataDoesNotLoad", kPlate1965, {"", false, true}, kExitIncomplete,
                 {"Error Loading Data", kLoadFailed, "1965"}, false, true},
        ExitCase{"BadYearCode", {"X5A62C10000"}, {}, kExitUsage,
                 {"Invalid Year Code", kYearCodeLines[0], kYearCodeLines[3]}, true, true},
        ExitCase{"EmptySerial", {""}, {}, kExitUsage, {"Invalid Year Code"}, true, true},
        ExitCase{"YearNotNamed", kPlate62or72, {}, kExitUsage, {"1962 or 1972", "--year"}, true, false},
        ExitCase{"YearWrong", With({"--year", "1965"}, kPlate62or72), {}, kExitUsage, {"1962 or 1972"}, true,
                 false},
        ExitCase{"YearAskedOnATerminal", kPlate62or72, {"1972\n", true}, kExitClean, {"Which year? 1962 or 1972"},
                 false, true},
        ExitCase{"TerminalQuestionUnanswered", kPlate62or72, {"", true}, kExitUsage, {"no year chosen"}, true,
                 false},
        ExitCase{"YearIgnoredForADigitFrom5", With({"--year", "1972"}, kPlate1965), {}, kExitClean, {}, false,
                 true},
        ExitCase{"CodeTooLong", {"5A62C100001", "62AB"}, {}, kExitUsage, {"body:", "holds 3"}, true, false},
        ExitCase{"NoCp1252Form", {"5A62C100001", "62A", "M", "\xE2\x86\x92"}, {}, kExitUsage, {"trim:", "U+2192"},
                 true, false},
        ExitCase{"UsageError", {"--bogus"}, {}, kExitUsage, {"unknown option --bogus", "Usage:"}, true, false},
        ExitCase{"Help", {"--help"}, {}, kExitClean, {}, false, false},
        ExitCase{"Version", {"--version"}, {}, kExitClean, {}, false, false},
        ExitCase{"OutputNotWritable", kPlate1965, {"", false, false, true}, kExitIncomplete,
                 {"the output could not be written"}, true, true},
        ExitCase{"BatchOutputNotWritable", {"--batch", "-"}, {"serial\n5A62C100001\n", false, false, true},
                 kExitIncomplete, {"the output could not be written"}, true, true},
        ExitCase{"BatchFileMissing", {"--batch", "/nonexistent/plates.csv"}, {}, kExitUsage,
                 {"cannot open /nonexistent/plates.csv"}, true, false}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(SinglePlate, BadYearCodeInJsonHasNullReport) {
  const ToolRun run = RunTool({"--format", "json", "C5AB100001"});
  EXPECT_EQ(run.status, kExitUsage);
  const std::vector<Json> lines = JsonLines(run.out);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0]["BadYearCode"], true);
  EXPECT_TRUE(lines[0]["report"].is_null());
  EXPECT_TRUE(lines[0]["ModelYear"].is_null());
  EXPECT_EQ(Occurrences(run.err, "Invalid Year Code"), 1);
}

TEST(SinglePlate, DataFileFromOptionOrBesideTheProgram) {
  EXPECT_EQ(RunTool({"--data", "/tmp/other.dat", "5A62C100001"}).openedPaths,
            std::vector<std::string>{"/tmp/other.dat"});
  const ToolRun run = RunTool({"5A62C100001"});
  ASSERT_EQ(run.openedPaths.size(), 1u);
  EXPECT_EQ(std::filesystem::path(run.openedPaths[0]).filename(), "Data.dat");
}

// ---- batches --------------------------------------------------------------

const std::string kHeader = "serial,body,color,trim,date,dso,trans,axle,year\r\n";

TEST(Batch, RowsComeOutInOrderAndBadRowsCarryAnError) {
  const std::string csv = kHeader +
                          "5A62C100001,62A,M,76,12C,21,4,1\r\n"          // line 2: clean
                          "2A62C100001,62A,4A,76,12C,21,4,1,1972\r\n"    // 3: year named
                          "2A62C100001,62A,4A,76,12C,21,4,1\r\n"         // 4: year missing
                          "2A62C100001,62A,4A,76,12C,21,4,1,1965\r\n"    // 5: year wrong
                          "X5A62C10000,62A,M,76,12C,21,4,1\r\n"          // 6: bad year code
                          "5A62C100001,62AB,M,76,12C,21,4,1\r\n"         // 7: body too long
                          "5A62C100001,62A,M,76,12C,21,4,1,,extra\r\n"   // 8: too many fields
                          "\r\n"                                         // 9: skipped
                          "2A62C100001,62A,M,76,12C,21,4,1,1962\r\n"     // 10: year named
                          "5A62C100001,\"62A\"x,M\r\n"                   // 11: malformed
                          "5B62C100001,62A,M,76,12C,21,4,1\r\n";         // 12: no description
  const ToolRun run = RunTool({"--batch", "-"}, {csv});
  EXPECT_EQ(run.status, kExitIncomplete);
  const std::vector<Json> rows = JsonLines(run.out);
  ASSERT_EQ(rows.size(), 10u);

  struct Want {
    std::size_t line;
    const char* modelYear;  // nullptr: not decoded
    const char* errorPart;  // nullptr: no error
  };
  const Want want[] = {{2, "1965", nullptr},
                       {3, "1972", nullptr},
                       {4, nullptr, "1962 or 1972"},
                       {5, nullptr, "\"1965\""},
                       {6, nullptr, "Invalid Year Code"},
                       {7, nullptr, "body:"},
                       {8, nullptr, "10 fields"},
                       {10, "1962", nullptr},
                       {11, nullptr, "closing quote"},
                       {12, "1965", nullptr}};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE("row " + std::to_string(i));
    EXPECT_EQ(rows[i]["line"], want[i].line);
    if (want[i].modelYear) {
      EXPECT_EQ(rows[i]["ModelYear"], want[i].modelYear);
      EXPECT_TRUE(rows[i]["error"].is_null());
      EXPECT_TRUE(rows[i]["report"].is_string());
    } else {
      EXPECT_TRUE(rows[i]["ModelYear"].is_null());
      EXPECT_TRUE(rows[i]["report"].is_null());
      ASSERT_TRUE(rows[i]["error"].is_string());
      EXPECT_NE(rows[i]["error"].get<std::string>().find(want[i].errorPart), std::string::npos)
          << rows[i]["error"];
    }
  }
  EXPECT_EQ(rows[4]["BadYearCode"], true);
  EXPECT_EQ(rows[9]["ErrorOccurred"], true);
  EXPECT_EQ(rows[0]["ErrorOccurred"], false);
  // A refused row must not show the results of the row before it.
  EXPECT_TRUE(rows[4]["Model"].is_null());
  EXPECT_EQ(rows[7]["report"], Cp1252ToUtf8(ReportBoxText({"2A62C100001", "62A", "M", "76", "12C", "21", "4", "1"}, 0)));
  EXPECT_NE(run.err.find("standard input line 7: body:"), std::string::npos) << run.err;
}

TEST(Batch, EachModelYearIsReadOnce) {
  std::string csv = kHeader;
  for (int i = 0; i < 4; ++i) {
    csv += "5A62C100001,62A,M,76,12C,21,4,1\r\n2A62C100001,62A,4A,76,12C,21,4,1,1972\r\n"
           "2A62C100001,62A,M,76,12C,21,4,1,1962\r\n";
  }
  const ToolRun run = RunTool({"--batch", "-"}, {csv});
  EXPECT_EQ(run.status, kExitClean) << run.err;
  EXPECT_EQ(JsonLines(run.out).size(), 12u);
  EXPECT_EQ(run.openedPaths.size(), 1u);
  EXPECT_EQ(run.data->Reads("65"), 1);
  EXPECT_EQ(run.data->Reads("72"), 1);
  EXPECT_EQ(run.data->Reads("62"), 1);
  EXPECT_EQ(run.data->TotalReads(), 3);
}

TEST(Batch, AFailedLoadIsToldAndTriedOncePerYear) {
  std::string csv = kHeader;
  for (int i = 0; i < 5; ++i) csv += "5A62C100001,62A,M\r\n2A62C100001,62A,4A,,,,,,1972\r\n";
  const ToolRun run = RunTool({"--batch", "-"}, {csv, false, true});
  EXPECT_EQ(run.status, kExitIncomplete);
  EXPECT_EQ(Occurrences(run.err, kLoadFailed), 2) << run.err;
  EXPECT_EQ(Occurrences(run.err, "model year 1965"), 1) << run.err;
  EXPECT_EQ(Occurrences(run.err, "model year 1972"), 1) << run.err;
  EXPECT_EQ(run.data->Reads("65"), 1);
  EXPECT_EQ(run.data->Reads("72"), 1);
  for (const Json& row : JsonLines(run.out)) {
    EXPECT_EQ(row["DataLoadFailed"], true);
    EXPECT_EQ(row["ErrorOccurred"], true);
    EXPECT_EQ(row["AssemblyPlant"], "Description Not Found");
  }
}

TEST(Batch, CsvOutputHasTheInputColumnsAndTheTwelveResults) {
  const std::string csv = kHeader + "5A62C100001,62A,M,76,12C,21,4,1\r\n\" 2A62C1000\",62A,4A,,,,,,1972\r\n";
  const ToolRun run = RunTool({"--batch", "-", "--format", "csv"}, {csv});
  CsvReader reader(run.out);
  CsvRecord record;
  ASSERT_TRUE(reader.Next(record));
  EXPECT_EQ(record.fields,
            (std::vector<std::string>{"serial", "body", "color", "trim", "date", "dso", "trans", "axle", "year",
                                      "ModelYear", "AssemblyPlant", "Model", "EngineType", "UnitNumber", "Body",
                                      "Color", "Trim", "DateProduced", "DSO", "TransmissionType", "AxleRatio",
                                      "error"}));
  ASSERT_TRUE(reader.Next(record));
  ASSERT_EQ(record.fields.size(), 22u);
  EXPECT_EQ(record.fields[0], "5A62C100001");
  EXPECT_EQ(record.fields[10], "Atlanta, Georgia");  // a comma inside, read back whole
  EXPECT_EQ(record.fields[11], kLongModel);
  EXPECT_EQ(record.fields[15], "Caf\xC3\xA9 Cr\xC3\xA8me");
  EXPECT_EQ(record.fields[21], "");
  ASSERT_TRUE(reader.Next(record));
  ASSERT_EQ(record.fields.size(), 22u);
  EXPECT_EQ(record.fields[0], " 2A62C1000");  // the leading space survives the round trip
  EXPECT_EQ(record.fields[9], "");
  EXPECT_EQ(record.fields[21], "Invalid Year Code");
  EXPECT_FALSE(reader.Next(record));
  EXPECT_NE(run.out.find("\r\n"), std::string::npos);
}

TEST(Batch, ReportsAreSeparatedAsInAppendMode) {
  const std::string csv = kHeader + "5A62C100001,62A,M,76,12C,21,4,1\n2A62C100001,62A,M,76,12C,21,4,1,1962\n" +
                          "2A62C100001\n";
  const ToolRun run = RunTool({"--batch", "-", "--format", "report"}, {csv});
  EXPECT_EQ(run.status, kExitIncomplete) << run.err;
  const std::string separator = "\n\n" + std::string(40, '_') + "\n\n";
  const std::size_t first = run.out.find(separator);
  ASSERT_NE(first, std::string::npos);
  const std::size_t second = run.out.find(separator, first + 1);
  ASSERT_NE(second, std::string::npos);
  EXPECT_EQ(BackToReportBox(run.out.substr(0, first) + "\n"), ReportBoxText(kPlate1965));
  const std::size_t from = first + separator.size();
  EXPECT_EQ(BackToReportBox(run.out.substr(from, second - from) + "\n"),
            ReportBoxText({"2A62C100001", "62A", "M", "76", "12C", "21", "4", "1"}, 0));
  EXPECT_EQ(run.out.substr(second + separator.size()),
            "Line 4: the serial number stands for 1962 or 1972; name one in the year column\n");
}

struct HeaderCase {
  const char* name;
  std::string csv;
  int status;
  std::size_t rows;
  const char* errPart;
};

class BatchHeader : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(BatchHeader, NamesTheColumns) {
  const HeaderCase& c = GetParam();
  const ToolRun run = RunTool({"--batch", "-"}, {c.csv});
  EXPECT_EQ(run.status, c.status) << run.err;
  EXPECT_EQ(JsonLines(run.out).size(), c.rows);
  if (c.errPart) {
    EXPECT_NE(run.err.find(c.errPart), std::string::npos) << run.err;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, BatchHeader,
    ::testing::Values(
        HeaderCase{"NoYearColumn", "serial,body,color,trim,date,dso,trans,axle\n5A62C100001,62A,M,76,12C,21,4,1\n",
                   kExitClean, 1, nullptr},
        HeaderCase{"ColumnsReorderedAndUpperCase",
                   "AXLE,Trans,DSO,date,trim,color,body,Serial\n1,4,21,12C,76,M,62A,5A62C100001\n", kExitClean, 1,
                   nullptr},
        HeaderCase{"ShortRowsHaveEmptyCodes", kHeader + "5A62C100001,62A\n", kExitClean, 1, nullptr},
        HeaderCase{"HeaderOnly", kHeader, kExitClean, 0, nullptr},
        HeaderCase{"Empty", "", kExitUsage, 0, "no header"},
        HeaderCase{"UnknownColumn", "serial,colour\n5A62C100001,M\n", kExitUsage, 0, "unknown column \"colour\""},
        HeaderCase{"NoSerialColumn", "body,color\n62A,M\n", kExitUsage, 0, "serial"},
        HeaderCase{"ColumnTwice", "serial,body,body\n", kExitUsage, 0, "named twice"},
        HeaderCase{"HeaderMissing", "5A62C100001,62A,M\n", kExitUsage, 0, "unknown column"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(Batch, ShortRowAndQuotedSpacesReachTheDecodeAsTyped) {
  const std::string csv = kHeader + "5A62C100001,\"62 \"\n5A62C100001,  62A  \n";
  const ToolRun run = RunTool({"--batch", "-"}, {csv});
  const std::vector<Json> rows = JsonLines(run.out);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0]["input"]["body"], "62 ");
  EXPECT_EQ(rows[0]["error"], nullptr);
  EXPECT_EQ(rows[0]["Body"], "Incorrect Code");  // typed with its spaces
  EXPECT_EQ(rows[1]["input"]["body"], "62A");
  EXPECT_EQ(rows[1]["Body"], "Two-door hardtop");
  EXPECT_EQ(rows[1]["input"]["axle"], "");
  EXPECT_EQ(rows[1]["Trim"], "Incorrect Code");
}

TEST(Batch, ProgressOnlyOnATerminalAndOnlyForLongBatches) {
  std::string csv = kHeader;
  for (std::size_t i = 0; i < kProgressFrom + kProgressEvery; ++i) csv += "5A62C100001,62A,M,76,12C,21,4,1\n";
  const std::string total = std::to_string(kProgressFrom + kProgressEvery);

  const ToolRun terminal = RunTool({"--batch", "-"}, {csv, true});
  EXPECT_NE(terminal.err.find("\rvorrendal-decode: " + std::to_string(kProgressFrom) + " plates"), std::string::npos);
  EXPECT_NE(terminal.err.find("\rvorrendal-decode: " + total + " plates\n"), std::string::npos);
  EXPECT_EQ(terminal.err.find("\rvorrendal-decode: " + std::to_string(kProgressFrom - kProgressEvery) + " plates"),
            std::string::npos);

  const ToolRun piped = RunTool({"--batch", "-"}, {csv, false});
  EXPECT_EQ(piped.err.find("plates"), std::string::npos) << piped.err;
  EXPECT_EQ(JsonLines(piped.out).size(), kProgressFrom + kProgressEvery);

  std::string shortCsv = kHeader;
  for (std::size_t i = 0; i + 1 < kProgressFrom; ++i) shortCsv += "5A62C100001\n";
  EXPECT_EQ(RunTool({"--batch", "-"}, {shortCsv, true}).err.find("plates"), std::string::npos);
}

}  // namespace
}  // namespace vorrendal::decodetool::testing
