#include "data/KeyedTable.h"

#include <gtest/gtest.h>

namespace vorrendal {
namespace {

TEST(KeyedTable, LookupIgnoresLetterCaseAndMissesDistinctly) {
  KeyedTable t;
  ASSERT_TRUE(t.Add("p62-A", "Kingsport, Tennessee"));
  ASSERT_TRUE(t.Add("D-n", "January"));
  struct { const char* key; const char* item; } cases[] = {
      {"p62-A", "Kingsport, Tennessee"}, {"P62-a", "Kingsport, Tennessee"},
      {"d-N", "January"}, {"d-n", "January"}, {"p62-B", nullptr}, {"p62-", nullptr},
      {"", nullptr}};
  for (const auto& c : cases) {
    const std::string* found = t.Find(c.key);
    if (c.item == nullptr) {
      EXPECT_EQ(found, nullptr) << c.key;
    } else {
      ASSERT_NE(found, nullptr) << c.key;
      EXPECT_EQ(*found, c.item) << c.key;
    }
  }
}

TEST(KeyedTable, AddingAnExistingKeyFailsAndKeepsTheFirstItem) {
  KeyedTable t;
  ASSERT_TRUE(t.Add("c65-M", "Maroon"));
  EXPECT_FALSE(t.Add("C65-m", "Mist Green"));
  EXPECT_FALSE(t.Add("c65-M", "Maroon"));
  EXPECT_EQ(t.Count(), 1u);
  EXPECT_EQ(*t.Find("c65-M"), "Maroon");
  EXPECT_EQ(t.Entries().front().first, "c65-M");
}

TEST(KeyedTable, KeepsInsertionOrderAndBytesAboveAscii) {
  KeyedTable t;
  const std::string slashed = "x73-\xD8";
  ASSERT_TRUE(t.Add("y1-0", "1960"));
  ASSERT_TRUE(t.Add(slashed, "3.08:1"));
  ASSERT_TRUE(t.Add("a", ""));
  // Only ASCII letters fold: 0xF8 (the small slashed o) is another key.
  EXPECT_EQ(t.Find("x73-\xF8"), nullptr);
  ASSERT_NE(t.Find(slashed), nullptr);
  ASSERT_EQ(t.Count(), 3u);
  EXPECT_EQ(t.Entries()[0].first, "y1-0");
  EXPECT_EQ(t.Entries()[1].first, slashed);
  EXPECT_EQ(t.Entries()[2].second, "");
}

}  // namespace
}  // namespace vorrendal
