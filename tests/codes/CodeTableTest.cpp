#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <ostream>

#include "codes/CodeTable.h"
#include "decode/clsDescriptionStore.h"
#include "support/MemoryDataReader.h"

namespace vorrendal {
namespace {

using testing::MemoryDataReader;

// Records of two model years, added out of order; the other years have none.
std::unique_ptr<MemoryDataReader> TwoYears() {
  auto data = std::make_unique<MemoryDataReader>();
  for (int year = kFirstSearchYear; year <= kLastSearchYear; ++year)
    data->AddYear(std::to_string(year));
  data->Add("66", "c66-A", "Inkwell Black")
      .Add("65", "x65-4", "3.00:1")
      .Add("65", "t65-L4", "Red Cloth")
      .Add("65", "t65-41", "Black Pleated Vinyl")
      .Add("65", "t65-4", "Black Vinyl")
      .Add("65", "c65-K", "Cr\xE8me Yellow")
      .Add("65", "c65-A", "Inkwell Black")
      .Add("65", "p65-A", "Linden");
  return data;
}

// "1965 color A", or "month N" for a row without a year.
std::string Named(const CodeRow& row) {
  return (row.modelYear ? std::to_string(row.modelYear) + " " : std::string()) +
         std::string(FieldName(row.field)) + " " + row.code;
}
std::vector<std::string> Named(const std::vector<CodeRow>& rows, int modelYear) {
  std::vector<std::string> named;
  for (const CodeRow& row : rows)
    if (row.modelYear == modelYear) named.push_back(Named(row));
  return named;
}

TEST(CodeTable, ListsAYearByFieldThenCodeInByteOrder) {
  clsDescriptionStore store(TwoYears());
  EXPECT_THAT(Named(LoadCodeTable(store).rows, 1965),
              ::testing::ElementsAre("1965 plant A", "1965 color A", "1965 color K", "1965 trim 4",
                                     "1965 trim 41", "1965 trim L4", "1965 axle 4", "1965 year 5"));
}

struct FilterRow {
  const char* what;
  std::optional<int> year;
  std::optional<CodeField> field;
  std::string search;
  std::vector<std::string> shown;
};
std::ostream& operator<<(std::ostream& os, const FilterRow& row) { return os << row.what; }

class Filter : public ::testing::TestWithParam<FilterRow> {};

TEST_P(Filter, ShowsTheRowsThatMatch) {
  clsDescriptionStore store(TwoYears());
  const FilterRow& p = GetParam();
  const CodeFilter filter(p.year, p.field, p.search);
  std::vector<std::string> shown;
  for (const CodeRow& row : LoadCodeTable(store).rows)
    if (filter.Matches(row)) shown.push_back(Named(row));
  EXPECT_EQ(shown, p.shown);
}

constexpr auto kTrim = CodeField::Trim;

INSTANTIATE_TEST_SUITE_P(
    Rows, Filter,
    ::testing::Values(
        FilterRow{"case", {}, {}, "INKWELL", {"1965 color A", "1966 color A"}},
        FilterRow{"accents", {}, {}, "creme", {"1965 color K"}},
        FilterRow{"inside a description", {}, kTrim, "vinyl", {"1965 trim 4", "1965 trim 41"}},
        FilterRow{"prefix of a code", {}, kTrim, "4", {"1965 trim 4", "1965 trim 41"}},
        FilterRow{"months under every year", 1966, {}, "january", {"month A", "month N"}}));

}  // namespace
}  // namespace vorrendal
