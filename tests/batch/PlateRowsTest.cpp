// The header of a batch: what is wrong with it, said on one line that names
// the line and shows the offending name as it is, never raw.
#include <gtest/gtest.h>

#include <sstream>

#include "batch/PlateRows.h"

namespace vorrendal::batch {
namespace {

using HeaderCase = std::pair<std::string, std::string>;  // a header, its error ("": good)

class Header : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(Header, IsReadOrRefusedOnOneLine) {
  const auto& [csv, want] = GetParam();
  std::istringstream in(csv);
  PlateRows rows(in);
  const auto header = rows.ReadHeader();
  const std::string error = header ? std::string() : header.error();
  EXPECT_EQ(error.substr(0, want.size()), want);
  EXPECT_EQ(error.empty(), want.empty()) << error;
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
