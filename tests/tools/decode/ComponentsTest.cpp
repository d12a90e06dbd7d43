// The decoder's parts on their own: options, CSV reading, the codes' checks,
// the year question, the batch JSON line and the writer thread.
#include <sstream>
#include <thread>

#include <gtest/gtest.h>

#include "tools/decode/BatchJsonWriter.h"
#include "tools/decode/CsvReader.h"
#include "tools/decode/DecodeOptions.h"
#include "tools/decode/OrderedWriter.h"
#include "tools/decode/PlateInput.h"
#include "tools/decode/ResultOutput.h"
#include "tools/decode/YearChoice.h"

namespace vorrendal::decodetool {
namespace {

using Args = std::vector<std::string>;
using Opt = std::optional<std::string>;
constexpr auto kReport = OutputFormat::Report;

TEST(Options, Accepted) {
  struct Case { Args args, codes; Opt data; std::optional<int> year; OutputFormat format; Opt batch; };
  const Case cases[] = {
      {{"5A62C100001", "", "M"}, {"5A62C100001", "", "M"}, {}, {}, kReport, {}},
      {{"--year", "1972", "2A6", "--format=json", "62A", "--data", "d"}, {"2A6", "62A"}, "d", 1972,
       OutputFormat::Json, {}},
      {{"--", "-5", "--year"}, {"-5", "--year"}, {}, {}, kReport, {}},
      {{"-"}, {"-"}, {}, {}, kReport, {}},
      {{"--year", "1959", "9"}, {"9"}, {}, 1959, kReport, {}},
      {{"--batch", "p.csv"}, {}, {}, {}, OutputFormat::Json, "p.csv"},
      {{"--batch=-", "--format", "csv"}, {}, {}, {}, OutputFormat::Csv, "-"},
      {{"--format", "report", "--batch", "p", "--data=x"}, {}, "x", {}, kReport, "p"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    const ParsedOptions p = ParseDecodeOptions(c.args);
    ASSERT_TRUE(p.Ok()) << p.error;
    EXPECT_EQ(p.options.codes, c.codes);
    EXPECT_EQ(p.options.dataFile, c.data);
    EXPECT_EQ(p.options.year, c.year);
    EXPECT_EQ(p.options.Format(), c.format);
    EXPECT_EQ(p.options.batchFile, c.batch);
  }
  EXPECT_TRUE(ParseDecodeOptions({"-h"}).options.help);
  EXPECT_TRUE(ParseDecodeOptions({"--version"}).options.version);
}

TEST(Options, RefusedWithAMessageNamingTheFault) {
  const std::pair<Args, const char*> cases[] = {
      {{}, "no serial number"}, {{"1", "2", "3", "4", "5", "6", "7", "8", "9"}, "too many codes"},
      {{"--colour", "M", "5A"}, "unknown option --colour"}, {{"-x", "5A"}, "unknown option -x"},
      {{"5A", "--year"}, "--year needs a value"}, {{"--year", "72", "2A"}, "1959 to 1974"},
      {{"--year", "1975", "2A"}, "not \"1975\""}, {{"--year", "1958", "2A"}, "not \"1958\""},
      {{"--year=1972x", "2A"}, "1959 to 1974"}, {{"--format", "xml", "5A"}, "report, json or csv"},
      {{"--format", "csv", "5A"}, "--format csv is for a batch"},
      {{"--data", "a", "--data", "b", "5A"}, "--data is given twice"},
      {{"--data=", "5A"}, "--data needs a file name"}, {{"--batch", "p.csv", "5A"}, "from the file"},
      {{"--batch", "p.csv", "--year", "1972"}, "year column"}, {{"--batch"}, "--batch needs a value"},
  };
  for (const auto& [args, part] : cases) {
    const ParsedOptions p = ParseDecodeOptions(args);
    EXPECT_FALSE(p.Ok()) << ::testing::PrintToString(args);
    EXPECT_NE(p.error.find(part), std::string::npos) << ::testing::PrintToString(args) << ": " << p.error;
  }
}

TEST(CsvReader, Records) {
  struct Want { Args fields; std::size_t line; bool error = false; };
  const std::pair<std::string, std::vector<Want>> cases[] = {
      {"", {}}, {"a,b,c", {{{"a", "b", "c"}, 1}}},
      {"a,b\r\nc,d\ne,f\r\n", {{{"a", "b"}, 1}, {{"c", "d"}, 2}, {{"e", "f"}, 3}}},
      {"a\rb", {{{"a"}, 1}, {{"b"}, 2}}}, {",,", {{{"", "", ""}, 1}}}, {"a,\r\n", {{{"a", ""}, 1}}},
      {"  5A ,\t62A\t, M ", {{{"5A", "62A", "M"}, 1}}}, {"\" 5A\", \"M \" ,\"\"", {{{" 5A", "M ", ""}, 1}}},
      {"\"say \"\"hi\"\"\",\"\"\"\"", {{{"say \"hi\"", "\""}, 1}}}, {"\"a,b\",c", {{{"a,b", "c"}, 1}}},
      {"\"a\r\nb\",c\r\nd\r\n", {{{"a\r\nb", "c"}, 1}, {{"d"}, 3}}},
      {"x,\"1\n2\n3\"\ny", {{{"x", "1\n2\n3"}, 1}, {{"y"}, 4}}},
      {"\r\na\r\n\r\n   \r\nb\n\n", {{{"a"}, 2}, {{"b"}, 5}}},
      {"\xEF\xBB\xBFserial,body\r\n", {{{"serial", "body"}, 1}}},
      {"Caf\xC3\xA9,\xC3\x98", {{{"Caf\xC3\xA9", "\xC3\x98"}, 1}}}, {"a,\"bc\r\nd", {{{"a", "bc\r\nd"}, 1, true}}},
      {"\"a\"b,c\r\nnext", {{{"a"}, 1, true}, {{"next"}, 2}}}, {"ab\"c,d\r\nnext", {{{""}, 1, true}, {{"next"}, 2}}},
      {"\"a\"  ,b", {{{"a", "b"}, 1}}},
  };
  for (const auto& [text, want] : cases) {
    SCOPED_TRACE(text);
    CsvReader reader(text);
    CsvRecord record;
    std::size_t n = 0;
    for (; reader.Next(record); ++n) {
      ASSERT_LT(n, want.size()) << "extra record at line " << record.line;
      EXPECT_EQ(record.fields, want[n].fields) << n;
      EXPECT_EQ(record.line, want[n].line) << n;
      EXPECT_EQ(!record.error.empty(), want[n].error) << n << ": " << record.error;
    }
    EXPECT_EQ(n, want.size());
  }
}

// Each code is taken to Windows-1252 and held to its box's length in
// characters, not bytes; a refusal starts with the field's name.
TEST(PlateInput, BoxTextConvertsOrRefusesNamingTheField) {
  enum : std::size_t { kSerial, kBody, kColor, kTrim, kDate, kDso, kTrans, kAxle };
  struct Case { std::size_t field; std::string utf8; Opt cp1252 /* empty: refused */; Args parts; };
  const Case cases[] = {
      {kSerial, "5A62C100001", "5A62C100001", {}}, {kBody, "", "", {}}, {kBody, " 5 ", " 5 ", {}},
      {kAxle, "\xC3\x98", "\xD8", {}}, {kTrim, "\xC3\xA9\xC3\xA9\xC3\xA9", "\xE9\xE9\xE9", {}},
      {kColor, "\xE2\x82\xAC" "1", "\x80" "1", {}}, {kDso, "21", "21", {}},
      {kSerial, "5A62C1000012", {}, {"12 characters", "holds 11"}}, {kBody, "62AB", {}, {"holds 3"}},
      {kColor, "MAB", {}, {"holds 2"}}, {kTrim, "7600", {}, {"holds 3"}}, {kDate, "12CC", {}, {"holds 3"}},
      {kDso, "211", {}, {"holds 2"}}, {kTrans, "44", {}, {"holds 1"}},
      {kAxle, "\xC3\x98\xC3\x98", {}, {"2 characters", "holds 1"}},
      {kBody, "6\xE2\x86\x92", {}, {"U+2192", "Windows-1252"}}, {kTrim, "\xF0\x9F\x9A\x97", {}, {"U+1F697"}},
      {kColor, "M\xC3", {}, {"not valid UTF-8", "byte 2"}}, {kTrim, "\xE9", {}, {"not valid UTF-8"}},
      {kDso, "2\t", {}, {"control"}}, {kTrans, "\xC2\x81", {}, {"control"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.utf8);
    std::string error;
    EXPECT_EQ(BoxText(c.field, c.utf8, error), c.cp1252) << error;
    if (c.cp1252) continue;
    EXPECT_EQ(error.rfind(std::string(kPlateFields[c.field].name) + ":", 0), 0u) << error;
    for (const std::string& part : c.parts) EXPECT_NE(error.find(part), std::string::npos) << error;
  }
  std::string error;
  const auto boxes = ToPlateBoxes({"5A62C100001", "62A", "M", "76", "12C", "21", "4", "1"}, error);
  EXPECT_EQ(boxes, (PlateBoxes{"5A62C100001", "62A", "M", "76", "12C", "21", "4", "1"})) << error;
  EXPECT_FALSE(ToPlateBoxes({"5A", "62A", "MMM", "76", "12C", "21", "44", "1"}, error));
  EXPECT_EQ(error.rfind("color:", 0), 0u) << error;
}

TEST(YearChoice, OnlyADigitFrom0To4StandsForTwoYears) {
  const std::pair<const char*, int> cases[] = {{"0A62C100001", 1960}, {"2", 1962}, {"4A", 1964}, {"5A62C100001", 0},
                                               {"9", 0}, {"C9AB100001", 0}, {" 2A", 0}, {"", 0}};
  for (const auto& [serial, first] : cases) {
    const auto years = AmbiguousYears(serial);
    EXPECT_EQ(years ? std::pair(years->first, years->second) : std::pair(0, 0),
              first ? std::pair(first, first + 10) : std::pair(0, 0)) << serial;
  }
}

TEST(YearChoice, TerminalAsksUntilOneOfTheTwoIsAnswered) {
  const std::tuple<const char*, std::optional<int>, int> cases[] = {
      {"1962\n", 1962, 1}, {"72\n", 1972, 1},        {"  1972 \r\n", 1972, 1},
      {"1965\n\nx\n62\n", 1962, 4}, {"1965\n", std::nullopt, 2}, {"", std::nullopt, 1}};
  for (const auto& [typed, year, questions] : cases) {
    std::istringstream in(typed);
    std::ostringstream err;
    EXPECT_EQ(AskYearOnTerminal(in, err, CandidateYears{1962, 1972}), year) << typed;
    const std::string q = err.str();
    int n = 0;
    for (auto at = q.find("Which year? 1962 or 1972"); at != std::string::npos; at = q.find("Which", at + 1)) ++n;
    EXPECT_EQ(n, questions) << typed << q;
  }
}

// The batch reuses one JSON object; every line must still equal the freshly
// built one whatever came before: strings after nulls, shorter after longer.
TEST(BatchJsonWriter, EveryLineEqualsAFreshlyBuiltObject) {
  const auto decoded = [](const std::string& year, const std::string& report) {
    PlateResult r;
    r.Results = {year, "Atlanta, Georgia", "Caf\xE9", "C", "100001", "b", "c", "t", "d", "s", "r", "x"};
    r.SearchYear = year.substr(2);
    r.Report = report;
    return r;
  };
  PlateResult refused, badYear, flagged = decoded("1972", "short");  // flagged: both flags set
  refused.Error = "serial: not valid UTF-8 (byte 4)";
  badYear.BadYearCode = true;
  flagged.ErrorOccurred = flagged.DataLoadFailed = true;
  const PlateCodes full = {"5A62C100001", "62A", "M", "76", "12C", "21", "4", "1"};
  const std::pair<BatchRow, PlateResult> steps[] = {
      {{2, full, ""}, decoded("1965", "Serial...\r\nYear (5) = 1965")},
      {{3, {"2A", "", "", "", "", "", "", ""}, ""}, refused},
      {{4, {"X5", "q\"uote", "", "", "", "", "", ""}, "1999"}, badYear},
      {{5, {"2A", "", "", "", "", "", "", ""}, "1972"}, flagged},
      {{6, full, ""}, decoded("1965", "R\xD8")},
  };
  BatchJsonWriter writer;
  for (const auto& [row, result] : steps) {
    EXPECT_EQ(writer.Line(row, result), JsonLine(BatchJson(row, result))) << row.line;
  }
}

// Rows cross to the writer thread in chunks: each arrives once and in order
// whether the batch ends on a chunk boundary or not, and what is left is
// written by the destructor.
TEST(OrderedWriter, WritesEveryRowOnceInOrder) {
  const auto result = [](std::size_t i) { PlateResult r; r.SearchYear = std::to_string(i % 16); return r; };
  for (const std::size_t rows : {0u, 1u, 255u, 256u, 257u, 20000u}) {
    for (const bool finish : {true, false}) {
      std::vector<std::size_t> lines;
      {
        OrderedWriter writer([&](const BatchRow& row, const PlateResult& written) {
          EXPECT_EQ(written.SearchYear, std::to_string(row.line % 16));
          lines.push_back(row.line);
          if (row.line % 4096 == 0) std::this_thread::yield();
        });
        for (std::size_t i = 0; i < rows; ++i) writer.Push(BatchRow{i, {}, {}}, result(i));
        if (finish) {
          writer.Finish();
          writer.Finish();
          ASSERT_EQ(lines.size(), rows);
        }
      }
      ASSERT_EQ(lines.size(), rows) << finish;
      for (std::size_t i = 0; i < rows; ++i) ASSERT_EQ(lines[i], i);
    }
  }
}

}  // namespace
}  // namespace vorrendal::decodetool
