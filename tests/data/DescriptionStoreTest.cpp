#include "data/clsDescriptionStore.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "support/MemoryDataReader.h"

namespace vorrendal {
namespace {

using testing::MemoryDataReader;
using YearLoad = clsDescriptionStore::YearLoad;

struct Store {
  Store() {
    auto reader = std::make_unique<MemoryDataReader>();
    data = reader.get();
    store = std::make_unique<clsDescriptionStore>(std::move(reader));
  }
  MemoryDataReader* data;  // owned by the store
  std::unique_ptr<clsDescriptionStore> store;
};

// All sixteen model years 1959-1974 need an entry for the year decoder to
// reach them, so the table holds 16 + 24 = 40 entries.
TEST(DescriptionStore, BuiltInsAreTheYearsThenTheMonthsInOrder) {
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"y0-9", "1959"},     {"y1-0", "1960"},      {"y1-1", "1961"},     {"y1-2", "1962"},
      {"y1-3", "1963"},     {"y1-4", "1964"},      {"y1-5", "1965"},     {"y1-6", "1966"},
      {"y1-7", "1967"},     {"y1-8", "1968"},      {"y1-9", "1969"},     {"y2-0", "1970"},
      {"y2-1", "1971"},     {"y2-2", "1972"},      {"y2-3", "1973"},     {"y2-4", "1974"},
      {"d-A", "January"},   {"d-B", "February"},   {"d-C", "March"},     {"d-D", "April"},
      {"d-E", "May"},       {"d-F", "June"},       {"d-G", "July"},      {"d-H", "August"},
      {"d-J", "September"}, {"d-K", "October"},    {"d-L", "November"},  {"d-M", "December"},
      {"d-N", "January"},   {"d-P", "February"},   {"d-Q", "March"},     {"d-R", "April"},
      {"d-S", "May"},       {"d-T", "June"},       {"d-U", "July"},      {"d-V", "August"},
      {"d-W", "September"}, {"d-X", "October"},    {"d-Y", "November"},  {"d-Z", "December"},
  };
  Store s;
  EXPECT_FALSE(s.store->BuiltInsLoaded());
  EXPECT_TRUE(s.store->BuiltInDescriptions().Empty());
  EXPECT_EQ(s.store->Load(""), YearLoad::NoYear);
  EXPECT_TRUE(s.store->BuiltInsLoaded());
  EXPECT_EQ(s.store->BuiltInDescriptions().Entries(), expected);
  // Written once: later calls add nothing and fail no add.
  EXPECT_EQ(s.store->Load(""), YearLoad::NoYear);
  EXPECT_EQ(s.store->BuiltInDescriptions().Count(), expected.size());
}

TEST(DescriptionStore, MonthLettersIAndOAndCaseOfKeys) {
  Store s;
  s.store->Load("");
  const KeyedTable& b = s.store->BuiltInDescriptions();
  struct { const char* key; const char* item; } cases[] = {
      {"d-N", "January"}, {"d-n", "January"}, {"D-a", "January"}, {"d-Z", "December"},
      {"Y2-4", "1974"},   {"d-I", nullptr},   {"d-O", nullptr},    {"d-", nullptr},
      {"y0-8", nullptr},  {"y2-5", nullptr},  {"y1-", nullptr},
  };
  for (const auto& c : cases) {
    const std::string* found = b.Find(c.key);
    if (c.item == nullptr) {
      EXPECT_EQ(found, nullptr) << c.key;
    } else {
      ASSERT_NE(found, nullptr) << c.key;
      EXPECT_EQ(*found, c.item) << c.key;
    }
  }
}

TEST(DescriptionStore, TextsThatNameNoModelYearLoadOnlyTheBuiltIns) {
  for (const char* year : {"", "58", "75", "6", "063", "6a", " 62", "62 ", "-1", "99", "00"}) {
    SCOPED_TRACE(year);
    Store s;
    s.data->AddYear("58").AddYear("75").AddYear("62").AddYear("06");
    EXPECT_EQ(s.store->Load(year), YearLoad::NoYear);
    EXPECT_TRUE(s.store->BuiltInsLoaded());
    EXPECT_EQ(s.data->TotalReads(), 0);
  }
}

TEST(DescriptionStore, YearNumberAcceptsExactlyTheModelYears) {
  for (int y = 59; y <= 74; ++y) {
    EXPECT_EQ(clsDescriptionStore::YearNumber(std::to_string(y)), y);
  }
  for (const char* text : {"58", "75", "5", "590", "", "a9", "6 "}) {
    EXPECT_EQ(clsDescriptionStore::YearNumber(text), std::nullopt) << text;
  }
}

TEST(DescriptionStore, AYearIsReadOnceAndYearsLiveSideBySide) {
  Store s;
  s.data->Add("63", "p63-A", "Plant of 63").Add("65", "p65-A", "Plant of 65");
  EXPECT_EQ(s.store->Load("63"), YearLoad::Loaded);
  EXPECT_EQ(s.store->Load("63"), YearLoad::AlreadyLoaded);
  EXPECT_EQ(s.store->Load("65"), YearLoad::Loaded);
  EXPECT_EQ(s.store->Load("63"), YearLoad::AlreadyLoaded);
  EXPECT_EQ(s.data->ReadLog(), (std::vector<std::string>{"63", "65"}));

  const KeyedTable& d = s.store->Descriptions();
  ASSERT_NE(d.Find("P63-a"), nullptr);
  EXPECT_EQ(*d.Find("P63-a"), "Plant of 63");
  ASSERT_NE(d.Find("p65-A"), nullptr);
  EXPECT_EQ(*d.Find("p65-A"), "Plant of 65");

  for (int y = 55; y <= 78; ++y) {
    EXPECT_EQ(s.store->YearLoaded(y), y == 63 || y == 65) << y;
  }
}

TEST(DescriptionStore, AFailedYearIsTriedAgainEveryTime) {
  Store s;
  s.data->Add("65", "p65-A", "Plant").Add("65", "p65-B", "Other plant");
  s.data->Add("66", "p66-A", "Plant of 66");
  s.data->SetFailing("65");
  EXPECT_EQ(s.store->Load("65"), YearLoad::Failed);
  EXPECT_EQ(s.store->Load("65"), YearLoad::Failed);
  EXPECT_EQ(s.data->Reads("65"), 2);
  EXPECT_FALSE(s.store->YearLoaded(65));
  // Another year is unaffected by the failure.
  EXPECT_EQ(s.store->Load("66"), YearLoad::Loaded);

  s.data->ClearFailures();
  EXPECT_EQ(s.store->Load("65"), YearLoad::Loaded);
  EXPECT_TRUE(s.store->YearLoaded(65));
  EXPECT_EQ(s.store->Load("65"), YearLoad::AlreadyLoaded);
  EXPECT_EQ(s.data->Reads("65"), 3);
}

TEST(DescriptionStore, RecordsOfABlockThatFailedHalfWayStay) {
  Store s;
  s.data->Add("65", "p65-A", "Plant").Add("65", "p65-B", "Other plant");
  s.data->SetFailing("65", true, 1);
  EXPECT_EQ(s.store->Load("65"), YearLoad::Failed);
  ASSERT_NE(s.store->Descriptions().Find("p65-A"), nullptr);
  EXPECT_EQ(s.store->Descriptions().Find("p65-B"), nullptr);
  // Repaired later, the block still fails on the record already present.
  s.data->ClearFailures();
  EXPECT_EQ(s.store->Load("65"), YearLoad::Failed);
  EXPECT_FALSE(s.store->YearLoaded(65));
}

TEST(DescriptionStore, MissingYearsAndAMissingReaderFail) {
  Store s;
  s.data->Add("63", "p63-A", "Plant");
  EXPECT_EQ(s.store->Load("64"), YearLoad::Failed);
  EXPECT_EQ(s.store->Load("63"), YearLoad::Loaded);

  clsDescriptionStore without(nullptr);
  for (const char* year : {"59", "74"}) {
    EXPECT_EQ(without.Load(year), YearLoad::Failed) << year;
  }
  std::string raw = "unchanged";
  EXPECT_FALSE(without.ReadData("63", nullptr, raw));
  EXPECT_EQ(raw, "unchanged");
  EXPECT_TRUE(without.BuiltInsLoaded());
}

TEST(DescriptionStore, ReadDataPassesTheRawBlockThrough) {
  Store s;
  s.data->Add("70", "p70-A", "Plant A").Add("70", "x70-3", "3.08:1");
  std::string raw;
  ASSERT_TRUE(s.store->ReadData("70", nullptr, raw));
  EXPECT_EQ(raw, std::string("Plant A\0p70-A\r\n3.08:1\0x70-3", 27));
  // Reading raw text loads nothing.
  EXPECT_TRUE(s.store->Descriptions().Empty());
  EXPECT_FALSE(s.store->YearLoaded(70));
}

}  // namespace
}  // namespace vorrendal
