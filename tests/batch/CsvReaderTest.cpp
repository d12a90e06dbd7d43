// The CSV reader: records as RFC 4180 has them; records over the bound
// refused without being kept; an input that cannot be read told, not thrown.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <system_error>

#include "batch/CsvReader.h"

namespace vorrendal::batch {
namespace {

using Fields = std::vector<std::string>;

struct Want {
  Fields fields;
  std::size_t line;
  bool error = false;
};

struct RecordsCase {
  std::string text;
  std::vector<Want> want;
};

void PrintTo(const RecordsCase& c, std::ostream* os) { *os << ::testing::PrintToString(c.text); }

std::vector<Want> ReadAll(std::istream& in) {
  CsvReader reader(in);
  std::vector<Want> got;
  for (CsvRecord record; reader.Next(record);)
    got.push_back({record.fields, record.line, !record.error.empty()});
  return got;
}

void ExpectRecords(const std::vector<Want>& got, const std::vector<Want>& want) {
  ASSERT_EQ(got.size(), want.size());
  for (std::size_t n = 0; n < got.size(); ++n) {
    EXPECT_EQ(got[n].fields, want[n].fields) << n;
    EXPECT_EQ(got[n].line, want[n].line) << n;
    EXPECT_EQ(got[n].error, want[n].error) << n;
  }
}

class Records : public ::testing::TestWithParam<RecordsCase> {};

TEST_P(Records, FromAWholeStream) {
  std::istringstream in(GetParam().text);
  ExpectRecords(ReadAll(in), GetParam().want);
}

INSTANTIATE_TEST_SUITE_P(
    Rfc4180, Records,
    ::testing::Values(RecordsCase{"", {}}, RecordsCase{"a,b,c", {{{"a", "b", "c"}, 1}}},
                      RecordsCase{"a,b\r\nc,d\ne,f\r\n",
                                  {{{"a", "b"}, 1}, {{"c", "d"}, 2}, {{"e", "f"}, 3}}},
                      RecordsCase{"a\rb", {{{"a"}, 1}, {{"b"}, 2}}},
                      RecordsCase{",,", {{{"", "", ""}, 1}}},
                      RecordsCase{"a,\r\n", {{{"a", ""}, 1}}},
                      RecordsCase{"  5A ,\t62A\t, M ", {{{"5A", "62A", "M"}, 1}}},
                      RecordsCase{"\" 5A\", \"M \" ,\"\"", {{{" 5A", "M ", ""}, 1}}},
                      RecordsCase{"\"say \"\"hi\"\"\",\"\"\"\"", {{{"say \"hi\"", "\""}, 1}}},
                      RecordsCase{"\"a,b\",c", {{{"a,b", "c"}, 1}}},
                      RecordsCase{"\"a\r\nb\",c\r\nd\r\n", {{{"a\r\nb", "c"}, 1}, {{"d"}, 3}}},
                      RecordsCase{"x,\"1\n2\n3\"\ny", {{{"x", "1\n2\n3"}, 1}, {{"y"}, 4}}},
                      RecordsCase{"\r\na\r\n\r\n   \r\nb\n\n", {{{"a"}, 2}, {{"b"}, 5}}},
                      RecordsCase{"\xEF\xBB\xBFserial,body\r\n", {{{"serial", "body"}, 1}}},
                      RecordsCase{"\xEF\xBB", {{{"\xEF\xBB"}, 1}}},
                      RecordsCase{"Caf\xC3\xA9,\xC3\x98", {{{"Caf\xC3\xA9", "\xC3\x98"}, 1}}},
                      RecordsCase{"a,\"bc\r\nd", {{{"a", "bc\r\nd"}, 1, true}}},
                      RecordsCase{"\"a\"b,c\r\nnext", {{{"a"}, 1, true}, {{"next"}, 2}}},
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

// A record over the bound comes back refused and empty; reading goes on at
// the record after it, on the right line, even when the long one holds
// quoted line breaks.
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

const std::string kCommas(50000, ',');
const std::string kLong(5000, 'x');

INSTANTIATE_TEST_SUITE_P(Records, OverLong,
                         ::testing::Values(BoundCase{kCommas, 2}, BoundCase{kLong, 2},
                                           BoundCase{"a,\"" + kLong + "\"", 2},
                                           BoundCase{"a,\"" + kLong + "\r\n\r\n,\"\"\",\"\"", 4},
                                           BoundCase{std::string(5000, ' ') + "a", 2},
                                           BoundCase{"\"" + kLong + "\",b,\"x\ny\"", 3}));

TEST(CsvReader, ARecordOfExactlyTheBoundIsRead) {
  std::istringstream in("a,\"" + std::string(CsvReader::kMaxRecordBytes - 5, 'x') + "\n\"\r\n");
  CsvReader reader(in);
  CsvRecord record;
  ASSERT_TRUE(reader.Next(record));
  EXPECT_EQ(record.error, "");
  EXPECT_EQ(record.fields.at(1).size(), CsvReader::kMaxRecordBytes - 4);
}

// An endless line (/dev/zero) is refused after the bound, not read to its
// end; the reader has taken little more than the bound.
TEST(CsvReader, AnEndlessLineIsRefusedAtTheBound) {
  class Zeros final : public std::streambuf {
   public:
    std::size_t served = 0;

   protected:
    int_type underflow() override {
      if (served > (64u << 20)) return traits_type::eof();  // the test fails; it does not hang
      served += sizeof zeros_;
      setg(zeros_, zeros_, zeros_ + sizeof zeros_);
      return 0;
    }

   private:
    char zeros_[4096] = {};
  } zeros;
  std::istream in(&zeros);
  CsvReader reader(in);
  CsvRecord record;
  ASSERT_TRUE(reader.Next(record));
  EXPECT_EQ(record.error, "longer than 4096 bytes");
  EXPECT_LT(reader.BytesRead(), 2 * CsvReader::kMaxRecordBytes);
}

struct KeepCase {
  std::string text;
  Fields kept;
  std::size_t count;
  bool dropped;
};

void PrintTo(const KeepCase& c, std::ostream* os) { *os << ::testing::PrintToString(c.text); }

class KeptFields : public ::testing::TestWithParam<KeepCase> {};

// Fields beyond those kept are counted, never stored; a non-empty one is
// marked.
TEST_P(KeptFields, BeyondTheKeptOnesCountedNotStored) {
  std::istringstream in(GetParam().text);
  CsvReader reader(in);
  reader.KeepFields(2);
  CsvRecord record;
  ASSERT_TRUE(reader.Next(record));
  EXPECT_EQ(record.fields, GetParam().kept);
  EXPECT_EQ(record.fieldCount, GetParam().count);
  EXPECT_EQ(record.dropped, GetParam().dropped);
}

INSTANTIATE_TEST_SUITE_P(Records, KeptFields,
                         ::testing::Values(KeepCase{"a", {"a"}, 1, false},
                                           KeepCase{"a,b", {"a", "b"}, 2, false},
                                           KeepCase{"a,b,,, ,\"\"", {"a", "b"}, 6, false},
                                           KeepCase{"a,b,,x,", {"a", "b"}, 5, true},
                                           KeepCase{"a,b,\"\n\"", {"a", "b"}, 3, true}));

// A directory as input, or a stream whose reads fail: the reader stops and
// says why instead of letting the failure escape.
TEST(CsvReader, AnInputThatCannotBeReadIsTold) {
  std::ifstream directory(VORRENDAL_SOURCE_DIR, std::ios::binary);
  ASSERT_TRUE(directory.is_open());
  CsvReader reader(directory);
  CsvRecord record;
  EXPECT_FALSE(reader.Next(record));
  EXPECT_EQ(reader.ReadError(), std::error_code(EISDIR, std::generic_category()).message());
}

}  // namespace
}  // namespace vorrendal::batch
