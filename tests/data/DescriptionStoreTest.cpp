// The table every description lives in; the built-in years and months, and
// the per-year bookkeeping: each year read once, a failed year tried again,
// years side by side.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "data/clsDescriptionStore.h"
#include "support/MemoryDataReader.h"

namespace vorrendal {
namespace {

using testing::MemoryDataReader;
using YearLoad = clsDescriptionStore::YearLoad;

struct Store {
  Store() : data(new MemoryDataReader), store(std::unique_ptr<IDataReader>(data)) {}
  MemoryDataReader* data;  // owned by store
  clsDescriptionStore store;
};

TEST(KeyedTable, FoldsOnlyAsciiLettersKeepsTheFirstItemAndTheOrder) {
  KeyedTable t;
  ASSERT_TRUE(t.Add("c65-M", "Maroon"));
  ASSERT_TRUE(t.Add("x73-\xD8", "3.08:1"));
  ASSERT_TRUE(t.Add("a", ""));
  EXPECT_FALSE(t.Add("C65-m", "Mist Green"));
  ASSERT_NE(t.Find("C65-m"), nullptr);
  EXPECT_EQ(*t.Find("C65-m"), "Maroon");
  EXPECT_EQ(t.Find("x73-\xF8"), nullptr);  // 0xF8 is not the small form of 0xD8 here
  EXPECT_EQ(t.Find("c65-"), nullptr);
  EXPECT_EQ(t.Find(""), nullptr);
  ASSERT_EQ(t.Count(), 3u);
  EXPECT_EQ(t.Entries()[0].first, "c65-M");
  EXPECT_EQ(t.Entries()[1].first, "x73-\xD8");
  EXPECT_EQ(t.Entries()[2].second, "");
}

TEST(DescriptionStore, BuiltInsAreTheYearsThenTheMonthsOnce) {
  Store s;
  EXPECT_TRUE(s.store.BuiltInDescriptions().Empty());
  EXPECT_EQ(s.store.Load(""), YearLoad::NoYear);
  EXPECT_EQ(s.store.Load(""), YearLoad::NoYear);  // written once
  const auto& entries = s.store.BuiltInDescriptions().Entries();
  ASSERT_EQ(entries.size(), 40u);
  std::string all;
  for (const auto& [key, item] : entries) all += key + "=" + item + " ";
  EXPECT_EQ(all,
            "y0-9=1959 y1-0=1960 y1-1=1961 y1-2=1962 y1-3=1963 y1-4=1964 y1-5=1965 y1-6=1966 "
            "y1-7=1967 y1-8=1968 "
            "y1-9=1969 y2-0=1970 y2-1=1971 y2-2=1972 y2-3=1973 y2-4=1974 d-A=January d-B=February "
            "d-C=March "
            "d-D=April d-E=May d-F=June d-G=July d-H=August d-J=September d-K=October d-L=November "
            "d-M=December "
            "d-N=January d-P=February d-Q=March d-R=April d-S=May d-T=June d-U=July d-V=August "
            "d-W=September "
            "d-X=October d-Y=November d-Z=December ");
}

TEST(DescriptionStore, OnlyTheTextsOfModelYearsLoadAYear) {
  for (int y = 59; y <= 74; ++y) EXPECT_EQ(clsDescriptionStore::YearNumber(std::to_string(y)), y);
  for (const char* year : {"", "58", "75", "6", "063", "6a", " 62", "62 ", "-1", "00"}) {
    Store s;
    s.data->Add("62", "p62-A", "Plant");
    EXPECT_EQ(clsDescriptionStore::YearNumber(year), std::nullopt) << year;
    EXPECT_EQ(s.store.Load(year), YearLoad::NoYear) << year;
    EXPECT_EQ(s.data->TotalReads(), 0) << year;
  }
}

TEST(DescriptionStore, EachYearIsReadOnceAndAFailedYearAgain) {
  Store s;
  s.data->Add("63", "p63-A", "Plant of 63")
      .Add("65", "p65-A", "Plant of 65")
      .Add("65", "p65-B", "Other");
  s.data->SetFailing("65");
  const struct {
    const char* year;
    YearLoad load;
  } steps[] = {
      {"63", YearLoad::Loaded}, {"63", YearLoad::AlreadyLoaded}, {"65", YearLoad::Failed},
      {"65", YearLoad::Failed}, {"64", YearLoad::Failed},  // not in the file
  };
  for (const auto& step : steps) EXPECT_EQ(s.store.Load(step.year), step.load) << step.year;
  EXPECT_EQ(s.data->Reads("65"), 2);
  s.data->ClearFailures();
  EXPECT_EQ(s.store.Load("65"), YearLoad::Loaded);
  EXPECT_EQ(s.store.Load("65"), YearLoad::AlreadyLoaded);
  for (int y = 55; y <= 78; ++y) EXPECT_EQ(s.store.YearLoaded(y), y == 63 || y == 65) << y;
  const KeyedTable& d = s.store.Descriptions();
  ASSERT_TRUE(d.Contains("P63-a") && d.Contains("p65-B"));
  EXPECT_EQ(*d.Find("P63-a") + "|" + *d.Find("p65-B"), "Plant of 63|Other");
}

TEST(DescriptionStore, RecordsOfABlockThatFailedHalfWayStay) {
  Store s;
  s.data->Add("65", "p65-A", "Plant").Add("65", "p65-B", "Other plant");
  s.data->SetFailing("65", 1);
  EXPECT_EQ(s.store.Load("65"), YearLoad::Failed);
  EXPECT_NE(s.store.Descriptions().Find("p65-A"), nullptr);
  EXPECT_EQ(s.store.Descriptions().Find("p65-B"), nullptr);
  s.data->ClearFailures();  // the block now fails on the record already there
  EXPECT_EQ(s.store.Load("65"), YearLoad::Failed);
  EXPECT_FALSE(s.store.YearLoaded(65));
}

TEST(DescriptionStore, RawBlocksAndAMissingReader) {
  Store s;
  s.data->Add("70", "p70-A", "Plant A").Add("70", "x70-3", "3.08:1");
  std::string raw;
  ASSERT_TRUE(s.store.ReadData("70", nullptr, raw));
  EXPECT_EQ(raw, std::string("Plant A\0p70-A\r\n3.08:1\0x70-3", 27));
  EXPECT_FALSE(s.store.YearLoaded(70));  // raw text loads nothing

  clsDescriptionStore without(nullptr);
  EXPECT_EQ(without.Load("74"), YearLoad::Failed);
  raw = "unchanged";
  EXPECT_FALSE(without.ReadData("63", nullptr, raw));
  EXPECT_EQ(raw, "unchanged");
}

}  // namespace
}  // namespace vorrendal
