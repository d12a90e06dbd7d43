// The CSV reader: records as RFC 4180 has them (the golden batch keeps the
// common shapes); records over the bound refused without being kept.
#include <gtest/gtest.h>

#include <sstream>

#include "batch/CsvReader.h"

namespace vorrendal::batch {
namespace {

using Fields = std::vector<std::string>;

struct Want {
  Fields fields;
  std::size_t line;
  bool error = false;
  bool operator==(const Want&) const = default;
};
void PrintTo(const Want& w, std::ostream* os) {
  *os << ::testing::PrintToString(w.fields) << " line " << w.line << (w.error ? " refused" : "");
}

struct RecordsCase {
  std::string text;
  std::vector<Want> want;
};
void PrintTo(const RecordsCase& c, std::ostream* os) { *os << ::testing::PrintToString(c.text); }

class Records : public ::testing::TestWithParam<RecordsCase> {};

TEST_P(Records, FromAWholeStream) {
  std::istringstream in(GetParam().text);
  CsvReader reader(in);
  std::vector<Want> got;
  for (CsvRecord record; reader.Next(record);)
    got.push_back({record.fields, record.line, !record.error.empty()});
  EXPECT_EQ(got, GetParam().want);
}

INSTANTIATE_TEST_SUITE_P(
    Rfc4180, Records,
    ::testing::Values(RecordsCase{"", {}},
                      RecordsCase{"a,b\r\nc,d\ne,f\r\n",
                                  {{{"a", "b"}, 1}, {{"c", "d"}, 2}, {{"e", "f"}, 3}}},
                      RecordsCase{"a\rb", {{{"a"}, 1}, {{"b"}, 2}}},
                      RecordsCase{"\"a\r\nb\",c\r\nd\r\n", {{{"a\r\nb", "c"}, 1}, {{"d"}, 3}}},
                      RecordsCase{"\r\na\r\n\r\n   \r\nb\n\n", {{{"a"}, 2}, {{"b"}, 5}}},
                      RecordsCase{"\xEF\xBB\xBFserial,body\r\n", {{{"serial", "body"}, 1}}},
                      RecordsCase{"\xEF\xBB", {{{"\xEF\xBB"}, 1}}},
                      RecordsCase{"a,\"bc\r\nd", {{{"a", "bc\r\nd"}, 1, true}}},
                      RecordsCase{"ab\"c,d\r\nnext", {{{""}, 1, true}, {{"next"}, 2}}},
                      RecordsCase{"\"a\"  ,b", {{{"a", "b"}, 1}}}));

struct BoundCase {
  std::string longRecord;
  std::size_t nextLine;
};
void PrintTo(const BoundCase& c, std::ostream* os) {
  *os << c.longRecord.size() << " bytes from "
      << ::testing::PrintToString(c.longRecord.substr(0, 8));
}

class OverLong : public ::testing::TestWithParam<BoundCase> {};

// Reading goes on at the record after it, on the right line, even when the
// long one holds quoted line breaks.
TEST_P(OverLong, RefusedEmptyAndTheNextRecordReadOnItsLine) {
  std::istringstream in(GetParam().longRecord + "\r\nnext,row\r\n");
  CsvReader reader(in);
  CsvRecord record;
  ASSERT_TRUE(reader.Next(record));
  EXPECT_EQ(record.error, "longer than 4096 bytes");
  EXPECT_TRUE(record.fields.empty());
  ASSERT_TRUE(reader.Next(record));
  EXPECT_EQ(record.fields, (Fields{"next", "row"}));
  EXPECT_EQ(record.line, GetParam().nextLine);
}

const std::string kLong(5000, 'x');

INSTANTIATE_TEST_SUITE_P(Records, OverLong,
                         ::testing::Values(BoundCase{std::string(50000, ','), 2},
                                           BoundCase{kLong, 2}, BoundCase{"a,\"" + kLong + "\"", 2},
                                           BoundCase{"a,\"" + kLong + "\r\n\r\n,\"\"\",\"\"", 4},
                                           BoundCase{std::string(5000, ' ') + "a", 2},
                                           BoundCase{"\"" + kLong + "\",b,\"x\ny\"", 3}));

}  // namespace
}  // namespace vorrendal::batch
