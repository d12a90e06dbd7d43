// The CSV reader: records as RFC 4180 has them (the golden batch keeps the
// common shapes); records over the bound refused without being kept.
#include <gtest/gtest.h>

#include <sstream>

#include "batch/CsvReader.h"

namespace vorrendal::batch {
namespace {

using Fields = std::vector<std::string>;

// A record as "line:field|field", with "!" for ":" when it is refused.
std::string Shown(const CsvRecord& record) {
  std::string shown = std::to_string(record.line) + (record.error.empty() ? ":" : "!");
  for (std::size_t i = 0; i < record.fields.size(); ++i) shown += (i ? "|" : "") + record.fields[i];
  return shown;
}

using RecordsCase = std::pair<std::string, Fields>;  // the input, its records shown

class Records : public ::testing::TestWithParam<RecordsCase> {};

TEST_P(Records, FromAWholeStream) {
  std::istringstream in(GetParam().first);
  CsvReader reader(in);
  Fields got;
  for (CsvRecord record; reader.Next(record);) got.push_back(Shown(record));
  EXPECT_EQ(got, GetParam().second);
}

using R = RecordsCase;

INSTANTIATE_TEST_SUITE_P(
    Rfc4180, Records,
    ::testing::Values(R{"", {}}, R{"a,b\r\nc,d\ne,f\r\n", {"1:a|b", "2:c|d", "3:e|f"}},
                      R{"a\rb", {"1:a", "2:b"}}, R{"\"a\r\nb\",c\r\nd\r\n", {"1:a\r\nb|c", "3:d"}},
                      R{"\r\na\r\n\r\n   \r\nb\n\n", {"2:a", "5:b"}},
                      R{"\xEF\xBB\xBFserial,body\r\n", {"1:serial|body"}},
                      R{"a,\"bc\r\nd", {"1!a|bc\r\nd"}}, R{"ab\"c,d\r\nnext", {"1!", "2:next"}},
                      R{"\"a\"  ,b", {"1:a|b"}}));

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
