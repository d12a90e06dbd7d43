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
  EXPECT_EQ(error.substr(0, GetParam().error.size()), GetParam().error);
  EXPECT_EQ(error.empty(), GetParam().error.empty()) << error;
  EXPECT_EQ(error.find('\n'), std::string::npos);
  EXPECT_LE(error.size(), 200u);
}

INSTANTIATE_TEST_SUITE_P(
    Headers, Header,
    ::testing::Values(HeaderCase{"AXLE,Trans,serial\n", ""}, HeaderCase{"", "no header"},
                      HeaderCase{"serial,colour\n", "line 1: unknown column \"colour\""},
                      HeaderCase{std::string("serial,bo\0dy\x1B\n", 14),
                                 "line 1: unknown column \"bo^@dy^[\""},
                      HeaderCase{"\n\nserial,body,body\n", "the column body is named twice"},
                      HeaderCase{"body,color\n", "the first line must be the header"},
                      HeaderCase{"serial,\"body\n", "line 1: a quoted field is not closed"}));

}  // namespace
}  // namespace vorrendal::batch
