// The table every description lives in: keys in any ASCII letter case, the
// first item of a key kept, the order of adding.
#include <gtest/gtest.h>

#include "data/KeyedTable.h"

namespace vorrendal {
namespace {

TEST(KeyedTable, KeysFoldOnlyAsciiLetters) {
  KeyedTable t;
  ASSERT_TRUE(t.Add("c65-M", "Maroon"));
  ASSERT_TRUE(t.Add("x73-\xD8", "3.08:1"));
  ASSERT_NE(t.Find("C65-m"), nullptr);
  EXPECT_EQ(*t.Find("C65-m"), "Maroon");
  EXPECT_EQ(t.Find("x73-\xF8"), nullptr);  // 0xF8 is not the small form of 0xD8 here
  EXPECT_EQ(t.Find("c65-"), nullptr);
}

TEST(KeyedTable, AnAddedKeyKeepsItsFirstItemAndTheOrder) {
  KeyedTable t;
  ASSERT_TRUE(t.Add("z", "first"));
  ASSERT_TRUE(t.Add("a", ""));
  EXPECT_FALSE(t.Add("Z", "second"));
  EXPECT_EQ(*t.Find("z"), "first");
  ASSERT_EQ(t.Count(), 2u);
  EXPECT_EQ(t.Entries()[0].first + t.Entries()[1].first, "za");
}

}  // namespace
}  // namespace vorrendal
