// The numbers of Data.dat's index. (Whole files, damaged and sound, are
// tested with the packer in tests/tools/data.)
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "data/clsDataFile.h"

namespace vorrendal {
namespace {

struct NumberCase {
  const char* field;
  std::optional<std::int64_t> value;
};
void PrintTo(const NumberCase& c, std::ostream* os) { *os << '"' << c.field << '"'; }

class IndexNumber : public ::testing::TestWithParam<NumberCase> {};

TEST_P(IndexNumber, IsUpToEighteenDecimalDigits) {
  EXPECT_EQ(clsDataFile::ParseNumber(GetParam().field), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Fields, IndexNumber,
                         ::testing::Values(NumberCase{"007", 7},
                                           NumberCase{"999999999999999999", 999999999999999999},
                                           NumberCase{"1000000000000000000", std::nullopt},
                                           NumberCase{"", std::nullopt},
                                           NumberCase{"+5", std::nullopt}));

}  // namespace
}  // namespace vorrendal
