// The pieces of the Data.dat format that the reader and the checker share.
// (Whole files, damaged and sound, are tested with the packer in tests/tools/data.)
#include "data/clsDataFile.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace vorrendal {
namespace {

using namespace std::string_literals;
using Pieces = std::vector<std::string>;

Pieces Strings(const std::vector<std::string_view>& views) { return Pieces(views.begin(), views.end()); }

struct SplitCase {
  const char* name;
  std::string text;
  Pieces lines;
};

class DataFileSplitLines : public ::testing::TestWithParam<SplitCase> {};

TEST_P(DataFileSplitLines, CutsAtEveryCrLf) {
  EXPECT_EQ(Strings(clsDataFile::SplitLines(GetParam().text)), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DataFileSplitLines,
    ::testing::Values(SplitCase{"Empty", "", {}}, SplitCase{"OneLine", "a", {"a"}},
                      SplitCase{"TwoLines", "a\r\nb", {"a", "b"}},
                      SplitCase{"TrailingCrLfLeavesAnEmptyLine", "a\r\n", {"a", ""}},
                      SplitCase{"OnlyCrLf", "\r\n", {"", ""}},
                      SplitCase{"LoneCrAndLfStay", "a\rb\nc", {"a\rb\nc"}},
                      SplitCase{"NulStays", "a\0p65-A\r\nb"s, {"a\0p65-A"s, "b"}}),
    [](const auto& p) { return std::string(p.param.name); });

struct FieldCase {
  const char* name;
  std::string text;
  char separator;
  Pieces fields;
};

class DataFileSplitFields : public ::testing::TestWithParam<FieldCase> {};

TEST_P(DataFileSplitFields, CutsAtEverySeparator) {
  EXPECT_EQ(Strings(clsDataFile::SplitFields(GetParam().text, GetParam().separator)), GetParam().fields);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DataFileSplitFields,
    ::testing::Values(FieldCase{"IndexLine", "1520-1-65", '-', {"1520", "1", "65"}},
                      FieldCase{"EmptyFields", "-a--", '-', {"", "a", "", ""}},
                      FieldCase{"Empty", "", '-', {""}},
                      FieldCase{"Record", "Custom - two-door\0m65-51"s, '\0', {"Custom - two-door", "m65-51"}},
                      FieldCase{"NoSeparator", "no nul here", '\0', {"no nul here"}}),
    [](const auto& p) { return std::string(p.param.name); });

struct NumberCase {
  const char* name;
  std::string field;
  std::optional<std::int64_t> value;
};

class DataFileNumber : public ::testing::TestWithParam<NumberCase> {};

TEST_P(DataFileNumber, DecimalDigitsOnly) { EXPECT_EQ(clsDataFile::ParseNumber(GetParam().field), GetParam().value); }

INSTANTIATE_TEST_SUITE_P(
    Fields, DataFileNumber,
    ::testing::Values(NumberCase{"Zero", "0", 0}, NumberCase{"Plain", "1520", 1520},
                      NumberCase{"LeadingZeros", "007", 7},
                      NumberCase{"EighteenDigits", "999999999999999999", 999999999999999999},
                      NumberCase{"NineteenDigits", "1000000000000000000", std::nullopt},
                      NumberCase{"Empty", "", std::nullopt}, NumberCase{"Sign", "+5", std::nullopt},
                      NumberCase{"Space", " 5", std::nullopt}, NumberCase{"Fraction", "1.5", std::nullopt},
                      NumberCase{"Letters", "1x", std::nullopt}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(DataFileMissing, FailsWithoutTouchingTheOutputs) {
  clsDataFile reader("/nonexistent/vorrendal/Data.dat");
  KeyedTable table;
  std::string raw = "untouched";
  EXPECT_FALSE(reader.ReadData("65", &table, raw));
  EXPECT_FALSE(reader.ReadData("65", nullptr, raw));
  EXPECT_EQ(raw, "untouched");
  EXPECT_TRUE(table.Empty());
  EXPECT_TRUE(reader.RecordIndex().Empty());
}

}  // namespace
}  // namespace vorrendal
