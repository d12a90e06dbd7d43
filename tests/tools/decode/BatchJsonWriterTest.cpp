#include "tools/decode/BatchJsonWriter.h"

#include <gtest/gtest.h>

namespace vorrendal::decodetool {
namespace {

PlateResult Decoded(const std::string& modelYear, const std::string& report) {
  PlateResult r;
  r.Results = {modelYear, "Atlanta, Georgia", "Caf\xE9", "C", "100001", "b", "c", "t", "d", "s", "r", "x"};
  r.SearchYear = modelYear.substr(2);
  r.Report = report;
  return r;
}

PlateResult Refused(const std::string& error) {
  PlateResult r;
  r.Error = error;
  return r;
}

PlateResult BadYear() {
  PlateResult r;
  r.BadYearCode = true;
  return r;
}

// The reused object must give exactly the fresh object's line whatever came
// before it: strings after nulls, nulls after strings, shorter after longer.
TEST(BatchJsonWriter, EveryLineEqualsAFreshlyBuiltObject) {
  struct Step {
    BatchRow row;
    PlateResult result;
  };
  PlateResult flagged = Decoded("1972", "short");
  flagged.ErrorOccurred = true;
  flagged.DataLoadFailed = true;
  const std::vector<Step> steps = {
      {{2, {"5A62C100001", "62A", "M", "76", "12C", "21", "4", "1"}, ""}, Decoded("1965", "Serial...\r\nYear (5) = 1965")},
      {{3, {"2A62C100001", "", "", "", "", "", "", ""}, ""}, Refused("the serial number stands for 1962 or 1972")},
      {{4, {"X5", "q\"uote", "", "", "", "", "", ""}, "1999"}, BadYear()},
      {{5, {"2A", "", "", "", "", "", "", ""}, "1972"}, flagged},
      {{6, {"5A62C100001", "62A", "M", "76", "12C", "21", "4", "1"}, ""}, Decoded("1965", "R\xD8")},
      {{7, {"bad\xFF", "", "", "", "", "", "", ""}, ""}, Refused("serial: not valid UTF-8 (byte 4)")},
  };
  BatchJsonWriter writer;
  for (const Step& step : steps) {
    SCOPED_TRACE("line " + std::to_string(step.row.line));
    EXPECT_EQ(writer.Line(step.row, step.result), JsonLine(BatchJson(step.row, step.result)));
  }
}

}  // namespace
}  // namespace vorrendal::decodetool
