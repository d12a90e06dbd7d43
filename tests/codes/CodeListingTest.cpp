#include <gtest/gtest.h>

#include "codes/CodeListing.h"

namespace vorrendal {
namespace {

// Rows as the table holds them (Windows-1252): a quote and an escape, the
// slashed zero and a month letter without a year.
const std::vector<CodeRow> kRows = {
    {1965, CodeField::Trim, "41", "Black \"Pleated\" Vinyl\x1B", {}, {}},
    {1973, CodeField::Axle, "\xD8", "2.47:1 Conventional, Economy Ratio", {}, {}},
    {0, CodeField::MonthLetter, "N", "January", {}, {}}};

struct FormatRow {
  const char* what;
  ListFormat format;
  std::string expected;
};
std::ostream& operator<<(std::ostream& os, const FormatRow& row) { return os << row.what; }

class Listing : public ::testing::TestWithParam<FormatRow> {};

TEST_P(Listing, WritesTheRows) {
  std::vector<const CodeRow*> shown;
  for (const CodeRow& row : kRows) shown.push_back(&row);
  EXPECT_EQ(ListRows(shown, GetParam().format), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Listing,
    ::testing::Values(
        FormatRow{"text: columns by characters, control characters shown", ListFormat::Text,
                  "year  field  code  description\n"
                  "1965  trim   41    Black \"Pleated\" Vinyl^[\n"
                  "1973  axle   \xC3\x98     2.47:1 Conventional, Economy Ratio\n"
                  "      month  N     January\n"},
        FormatRow{"csv: RFC 4180, an empty year for a month letter", ListFormat::Csv,
                  "year,field,code,description\r\n"
                  "1965,trim,41,\"Black \"\"Pleated\"\" Vinyl\x1B\"\r\n"
                  "1973,axle,\xC3\x98,\"2.47:1 Conventional, Economy Ratio\"\r\n"
                  ",month,N,January\r\n"},
        FormatRow{"json: a number or null for the year", ListFormat::Json,
                  "{\"year\":1965,\"field\":\"trim\",\"code\":\"41\",\"description\":\"Black "
                  "\\\"Pleated\\\" Vinyl\\u001b\"}\n"
                  "{\"year\":1973,\"field\":\"axle\",\"code\":\"\xC3\x98\",\"description\":\"2.47:"
                  "1 Conventional, Economy Ratio\"}\n"
                  "{\"year\":null,\"field\":\"month\",\"code\":\"N\",\"description\":"
                  "\"January\"}\n"}));

}  // namespace
}  // namespace vorrendal
