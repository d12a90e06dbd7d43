#include "tools/decode/DecodeOptions.h"

#include <gtest/gtest.h>

namespace vorrendal::decodetool {
namespace {

struct AcceptedCase {
  const char* name;
  std::vector<std::string> args;
  std::vector<std::string> codes;
  std::optional<std::string> dataFile;
  std::optional<int> year;
  OutputFormat format;
  std::optional<std::string> batchFile;
};

class OptionsAccepted : public ::testing::TestWithParam<AcceptedCase> {};

TEST_P(OptionsAccepted, Parse) {
  const AcceptedCase& c = GetParam();
  const ParsedOptions parsed = ParseDecodeOptions(c.args);
  ASSERT_TRUE(parsed.Ok()) << parsed.error;
  EXPECT_EQ(parsed.options.codes, c.codes);
  EXPECT_EQ(parsed.options.dataFile, c.dataFile);
  EXPECT_EQ(parsed.options.year, c.year);
  EXPECT_EQ(parsed.options.Format(), c.format);
  EXPECT_EQ(parsed.options.batchFile, c.batchFile);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, OptionsAccepted,
    ::testing::Values(
        AcceptedCase{"SerialAlone", {"5A62C100001"}, {"5A62C100001"}, {}, {}, OutputFormat::Report, {}},
        AcceptedCase{"FullPlate",
                     {"5A62C100001", "62A", "M", "76", "12C", "21", "4", "1"},
                     {"5A62C100001", "62A", "M", "76", "12C", "21", "4", "1"},
                     {}, {}, OutputFormat::Report, {}},
        AcceptedCase{"EmptyCodesKept", {"5A62C100001", "", "M"}, {"5A62C100001", "", "M"}, {}, {},
                     OutputFormat::Report, {}},
        AcceptedCase{"OptionsBetweenCodes",
                     {"--year", "1972", "2A62C100001", "--format=json", "62A", "--data", "d.dat"},
                     {"2A62C100001", "62A"}, std::string("d.dat"), 1972, OutputFormat::Json, {}},
        AcceptedCase{"DoubleDashEndsOptions", {"--", "-5", "--year"}, {"-5", "--year"}, {}, {},
                     OutputFormat::Report, {}},
        AcceptedCase{"LoneDashIsACode", {"-"}, {"-"}, {}, {}, OutputFormat::Report, {}},
        AcceptedCase{"BatchDefaultsToJson", {"--batch", "plates.csv"}, {}, {}, {}, OutputFormat::Json,
                     std::string("plates.csv")},
        AcceptedCase{"BatchFromStdinAsCsv", {"--batch=-", "--format", "csv"}, {}, {}, {}, OutputFormat::Csv,
                     std::string("-")},
        AcceptedCase{"BatchReport", {"--format", "report", "--batch", "p.csv", "--data=x"}, {},
                     std::string("x"), {}, OutputFormat::Report, std::string("p.csv")},
        AcceptedCase{"EarliestAndLatestYears", {"--year", "1959", "9"}, {"9"}, {}, 1959, OutputFormat::Report,
                     {}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(OptionsAccepted, HelpAndVersionNeedNoSerial) {
  for (const std::vector<std::string>& args : {std::vector<std::string>{"--help"}, {"-h"}, {"--version"}}) {
    const ParsedOptions parsed = ParseDecodeOptions(args);
    EXPECT_TRUE(parsed.Ok()) << args[0] << ": " << parsed.error;
    EXPECT_TRUE(parsed.options.help || parsed.options.version) << args[0];
  }
}

struct RefusedCase {
  const char* name;
  std::vector<std::string> args;
  const char* messagePart;  // the error must name what is wrong
};

class OptionsRefused : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(OptionsRefused, WithAMessage) {
  const RefusedCase& c = GetParam();
  const ParsedOptions parsed = ParseDecodeOptions(c.args);
  ASSERT_FALSE(parsed.Ok());
  EXPECT_NE(parsed.error.find(c.messagePart), std::string::npos) << parsed.error;
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, OptionsRefused,
    ::testing::Values(
        RefusedCase{"Nothing", {}, "no serial number"},
        RefusedCase{"NineCodes", {"1", "2", "3", "4", "5", "6", "7", "8", "9"}, "too many codes"},
        RefusedCase{"UnknownOption", {"--colour", "M", "5A62C100001"}, "unknown option --colour"},
        RefusedCase{"UnknownShortOption", {"-x", "5A62C100001"}, "unknown option -x"},
        RefusedCase{"MissingValue", {"5A62C100001", "--year"}, "--year needs a value"},
        RefusedCase{"YearNotANumber", {"--year", "72", "2A62C100001"}, "1959 to 1974"},
        RefusedCase{"YearOutOfRange", {"--year", "1975", "2A62C100001"}, "not \"1975\""},
        RefusedCase{"YearWithTrailingText", {"--year=1972x", "2A62C100001"}, "1959 to 1974"},
        RefusedCase{"UnknownFormat", {"--format", "xml", "5A62C100001"}, "report, json or csv"},
        RefusedCase{"CsvForOnePlate", {"--format", "csv", "5A62C100001"}, "--format csv is for a batch"},
        RefusedCase{"OptionTwice", {"--data", "a", "--data", "b", "5A62C100001"}, "--data is given twice"},
        RefusedCase{"EmptyDataFile", {"--data=", "5A62C100001"}, "--data needs a file name"},
        RefusedCase{"BatchWithCodes", {"--batch", "p.csv", "5A62C100001"}, "from the file"},
        RefusedCase{"BatchWithYear", {"--batch", "p.csv", "--year", "1972"}, "year column"},
        RefusedCase{"BatchWithoutFile", {"--batch"}, "--batch needs a value"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(HelpText, NamesEveryOptionAndTheExitStatus) {
  const std::string help = HelpText();
  for (const char* part : {"--data FILE", "--year YYYY", "--format", "--batch FILE", "--help", "--version",
                           "serial,body,color,trim,date,dso,trans,axle,year", "Exit status", "serial 11",
                           "axle 1"}) {
    EXPECT_NE(help.find(part), std::string::npos) << part;
  }
  for (std::size_t start = 0, end; start < help.size(); start = end + 1) {
    end = help.find('\n', start);
    if (end == std::string::npos) end = help.size();
    EXPECT_LE(end - start, 80u) << "help line too wide: " << help.substr(start, end - start);
  }
}

}  // namespace
}  // namespace vorrendal::decodetool
