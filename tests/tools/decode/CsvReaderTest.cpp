#include "tools/decode/CsvReader.h"

#include <gtest/gtest.h>

namespace vorrendal::decodetool {
namespace {

struct Expected {
  std::vector<std::string> fields;
  std::size_t line;
  bool error = false;
};

struct CsvCase {
  const char* name;
  std::string text;
  std::vector<Expected> records;
};

class CsvReading : public ::testing::TestWithParam<CsvCase> {};

TEST_P(CsvReading, Records) {
  const CsvCase& c = GetParam();
  CsvReader reader(c.text);
  CsvRecord record;
  std::size_t n = 0;
  while (reader.Next(record)) {
    ASSERT_LT(n, c.records.size()) << "extra record at line " << record.line;
    const Expected& want = c.records[n];
    EXPECT_EQ(record.fields, want.fields) << "record " << n;
    EXPECT_EQ(record.line, want.line) << "record " << n;
    EXPECT_EQ(!record.error.empty(), want.error) << "record " << n << ": " << record.error;
    ++n;
  }
  EXPECT_EQ(n, c.records.size());
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, CsvReading,
    ::testing::Values(
        CsvCase{"Empty", "", {}},
        CsvCase{"OneRecordNoBreak", "a,b,c", {{{"a", "b", "c"}, 1}}},
        CsvCase{"CrLfAndLf", "a,b\r\nc,d\ne,f\r\n", {{{"a", "b"}, 1}, {{"c", "d"}, 2}, {{"e", "f"}, 3}}},
        CsvCase{"LoneCrEndsARecord", "a\rb", {{{"a"}, 1}, {{"b"}, 2}}},
        CsvCase{"EmptyFields", ",,", {{{"", "", ""}, 1}}},
        CsvCase{"TrailingEmptyField", "a,\r\n", {{{"a", ""}, 1}}},
        CsvCase{"UnquotedSpacesDropped", "  5A62C100001 ,\t62A\t, M ", {{{"5A62C100001", "62A", "M"}, 1}}},
        CsvCase{"QuotedSpacesKept", "\" 5A\", \"M \" ,\"\"", {{{" 5A", "M ", ""}, 1}}},
        CsvCase{"DoubledQuotes", "\"say \"\"hi\"\"\",\"\"\"\"", {{{"say \"hi\"", "\""}, 1}}},
        CsvCase{"EmbeddedComma", "\"a,b\",c", {{{"a,b", "c"}, 1}}},
        CsvCase{"EmbeddedCrLfCountsLines", "\"a\r\nb\",c\r\nd\r\n", {{{"a\r\nb", "c"}, 1}, {{"d"}, 3}}},
        CsvCase{"EmbeddedLf", "x,\"1\n2\n3\"\ny", {{{"x", "1\n2\n3"}, 1}, {{"y"}, 4}}},
        CsvCase{"BlankLinesSkipped", "\r\na\r\n\r\n   \r\nb\n\n", {{{"a"}, 2}, {{"b"}, 5}}},
        CsvCase{"ByteOrderMarkSkipped", "\xEF\xBB\xBFserial,body\r\n", {{{"serial", "body"}, 1}}},
        CsvCase{"NonAsciiBytesKept", "Caf\xC3\xA9,\xC3\x98", {{{"Caf\xC3\xA9", "\xC3\x98"}, 1}}},
        CsvCase{"UnclosedQuoteAtEnd", "a,\"bc\r\nd", {{{"a", "bc\r\nd"}, 1, true}}},
        CsvCase{"TextAfterClosingQuote", "\"a\"b,c\r\nnext", {{{"a"}, 1, true}, {{"next"}, 2}}},
        CsvCase{"QuoteInsideUnquotedField", "ab\"c,d\r\nnext", {{{""}, 1, true}, {{"next"}, 2}}},
        CsvCase{"SpacesAfterClosingQuoteAllowed", "\"a\"  ,b", {{{"a", "b"}, 1}}}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace vorrendal::decodetool
