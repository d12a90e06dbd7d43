// A batch row's JSON object is the single plate's object with the row's line
// and input in front and its error behind, whatever rows came before it from
// the same writer.
#include <gtest/gtest.h>

#include "batch/JsonWriter.h"

namespace vorrendal::batch {
namespace {

PlateResult Decoded(const std::string& year, const std::string& report) {
  PlateResult result;
  const std::string texts[] = {
      year, "Atlanta, Georgia", "Caf\xE9", "C", "100001", "b", "c", "t", "d", "s", "r", "x"};
  for (std::size_t i = 0; i < kResultFields.size(); ++i)
    result.Decode.*kResultFields[i].value = texts[i];
  result.Decode.SearchYear = year.substr(2);
  result.Report = report;
  return result;
}

struct Step {
  BatchRow row;
  PlateResult result;
};

std::vector<Step> Steps() {
  PlateResult refused, badYear, flagged = Decoded("1972", "short");
  refused.Error = "serial: not valid UTF-8 (byte 4)";
  badYear.Decode.BadYearCode = true;
  flagged.Decode.ErrorOccurred = flagged.DataLoadFailed = true;
  const PlateCodes full = {"5A62C100001", "62A", "M", "76", "12C", "21", "4", "1"};
  return {{{2, full, "", {}, {}}, Decoded("1965", "Serial...\r\nYear (5) = 1965")},
          {{3, {"2A", "", "", "", "", "", "", ""}, "", {}, {}}, refused},
          {{4, {"X5", "q\"uote", "", "", "", "", "", ""}, "1999", {}, {}}, badYear},
          {{5, {"2A", "", "", "", "", "", "", ""}, "1972", {}, {}}, flagged},
          {{6, full, "", {}, {}}, Decoded("1965", "R\xD8")}};
}

class RowObject : public ::testing::TestWithParam<std::size_t> {};

TEST_P(RowObject, IsThePlateObjectBetweenTheInputAndTheError) {
  JsonWriter rows, plates;
  std::string line, plate;
  for (std::size_t i = 0; i <= GetParam(); ++i) {
    line.clear();
    rows.AppendRow(Steps()[i].row, Steps()[i].result, line);
  }
  plates.AppendPlate(Steps()[GetParam()].result, plate);
  ASSERT_GE(plate.size(), 3u);
  const std::string inner = plate.substr(1, plate.size() - 3);  // without { and }\n
  EXPECT_EQ(line.rfind("{\"line\":" + std::to_string(Steps()[GetParam()].row.line) + ",", 0), 0u)
      << line;
  EXPECT_NE(line.find("}," + inner + ",\"error\":"), std::string::npos) << line << "\n" << plate;
}

INSTANTIATE_TEST_SUITE_P(AfterEarlierRows, RowObject, ::testing::Range<std::size_t>(0, 5));

}  // namespace
}  // namespace vorrendal::batch
