// The header of a batch: what is wrong with it, said on one line that names
// the line and shows the offending name as it is, never raw.
#include <gtest/gtest.h>

#include <sstream>

#include "batch/PlateRows.h"

namespace vorrendal::batch {
namespace {

struct HeaderCase {
  std::string csv;
  std::string error;  // "": the header is good
};

void PrintTo(const HeaderCase& c, std::ostream* os) { *os << ::testing::PrintToString(c.csv); }

class Header : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(Header, IsReadOrRefusedOnOneLine) {
  std::istringstream in(GetParam().csv);
  PlateRows rows(in);
  const auto header = rows.ReadHeader();
  const std::string error = header ? std::string() : header.error();
  if (GetParam().error.empty()) {
    EXPECT_EQ(error, "");
  } else {
    EXPECT_EQ(error.substr(0, GetParam().error.size()), GetParam().error);
  }
  EXPECT_EQ(error.find('\n'), std::string::npos);
  EXPECT_LE(error.size(), 200u);
}

INSTANTIATE_TEST_SUITE_P(
    Headers, Header,
    ::testing::Values(
        HeaderCase{"serial,body,color,trim,date,dso,trans,axle,year\r\n", ""},
        HeaderCase{"AXLE,Trans,serial\n", ""}, HeaderCase{"", "no header"},
        HeaderCase{"serial,colour\n", "line 1: unknown column \"colour\""},
        HeaderCase{std::string("serial,bo\0dy\x1B\n", 14), "line 1: unknown column \"bo^@dy^[\""},
        HeaderCase{"serial," + std::string(3000, 'y') + "\n",
                   "line 1: unknown column \"" + std::string(24, 'y') + "...\" (3000 bytes)"},
        HeaderCase{"\n\nserial,body,body\n", "the column body is named twice"},
        HeaderCase{"body,color\n", "the first line must be the header"},
        HeaderCase{"serial,\"body\n", "line 1: a quoted field is not closed"},
        HeaderCase{std::string(5000, '\0'), "line 1: longer than 4096 bytes"}));

// Fields beyond the header refuse their row only when one is not empty.
TEST(Rows, ExtraFieldsRefuseTheRowOnlyWhenNotEmpty) {
  std::istringstream in("serial,body\n5A,62A,,\n5A,62A,,x,\n");
  PlateRows rows(in);
  ASSERT_TRUE(rows.ReadHeader());
  BatchRow row;
  ASSERT_TRUE(rows.Next(row));
  EXPECT_EQ(row.error, "");
  ASSERT_TRUE(rows.Next(row));
  EXPECT_EQ(row.error, "5 fields, the header names 2");
}

}  // namespace
}  // namespace vorrendal::batch
