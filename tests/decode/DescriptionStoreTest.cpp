// The store the decoders look codes up in: each model year read once, a failed year tried again or
// given up.
#include <gtest/gtest.h>

#include "decode/clsDescriptionStore.h"
#include "support/MemoryDataReader.h"

namespace vorrendal {
namespace {

using testing::MemoryDataReader;
using YearLoad = clsDescriptionStore::YearLoad;
using FailedYears = clsDescriptionStore::FailedYears;

struct Store {
  explicit Store(FailedYears failed = FailedYears::TryAgain)
      : data(new MemoryDataReader), store(std::unique_ptr<IDataReader>(data), failed) {}
  MemoryDataReader* data;  // owned by store
  clsDescriptionStore store;
};

TEST(DescriptionStore, EachYearIsReadOnceAndAFailedYearAgain) {
  Store s;
  s.data->Add("63", "p63-A", "Plant of 63").Add("65", "p65-B", "Other");
  s.data->SetFailing("65");
  EXPECT_EQ(s.store.Load("63"), YearLoad::Loaded);
  EXPECT_EQ(s.store.Load("63"), YearLoad::AlreadyLoaded);
  EXPECT_EQ(s.store.Load("65"), YearLoad::Failed);
  EXPECT_EQ(s.store.Load("65"), YearLoad::Failed);
  EXPECT_EQ(s.store.Load("64"), YearLoad::Failed);  // not in the file
  s.data->ClearFailures();
  EXPECT_EQ(s.store.Load("65"), YearLoad::Loaded);
  EXPECT_EQ(s.data->Reads("63"), 1);
  EXPECT_EQ(s.data->Reads("65"), 3);
  EXPECT_TRUE(s.store.YearLoaded(63) && s.store.YearLoaded(65) && !s.store.YearLoaded(64));
  ASSERT_TRUE(s.store.Descriptions().Contains("P63-a"));  // years side by side, any letter case
  EXPECT_EQ(*s.store.Descriptions().Find("p65-B"), "Other");
}

TEST(DescriptionStore, AYearGivenUpIsReadOnce) {
  Store s(FailedYears::GiveUp);
  s.data->SetFailing("65");
  EXPECT_EQ(s.store.Load("65"), YearLoad::Failed);
  EXPECT_EQ(s.store.Load("65"), YearLoad::GivenUp);
  EXPECT_EQ(s.data->Reads("65"), 1);
  EXPECT_FALSE(s.store.YearLoaded(65));
}

}  // namespace
}  // namespace vorrendal
