// The code reader the window holds: the last decode's results in its
// members, a bad year code changing nothing but BadYearCode, ErrorOccurred
// and LoadFailures cleared only by the caller, and the previous plate's year
// tried again by LoadDescriptionData.
#include <gtest/gtest.h>

#include "Keys.h"
#include "decode/clsCodeReader.h"

namespace vorrendal {
namespace {

using namespace testing;

void Read(clsCodeReader& r, const std::string& serial, const std::string& body = "") {
  r.ReadCodes(serial, body, "", "", "", "", "", "");
}

TEST(CodeReader, ABadYearCodeChangesOnlyBadYearCode) {
  clsCodeReader r(Keys("b65-54A"));
  Read(r, "5A62C100001", "54A");
  ASSERT_FALSE(r.BadYearCode);
  Read(r, " 5A62C100001", "11B");
  EXPECT_TRUE(r.BadYearCode);
  EXPECT_EQ(r.ModelYear + " " + r.SearchYear + " " + r.Body, "1965 65 #b65-54A");
  Read(r, "5A62C100001", "54A");
  EXPECT_FALSE(r.BadYearCode);
}

TEST(CodeReader, ErrorOccurredIsClearedOnlyByTheCaller) {
  clsCodeReader r(Keys("p65-A m65-62 e65-C b65-54A"));
  Read(r, "5A62C100001", "99Z");
  EXPECT_TRUE(r.ErrorOccurred);
  Read(r, "5A62C100001", "54A");
  EXPECT_TRUE(r.ErrorOccurred);
  r.ErrorOccurred = false;
  Read(r, "5A62C100001", "54A");
  EXPECT_FALSE(r.ErrorOccurred);
}

// A Process: the previous plate's year first, then the plate.
void Process(clsCodeReader& r, const std::string& serial) {
  r.LoadDescriptionData();
  Read(r, serial);
}

TEST(CodeReader, AFailedYearIsTriedAgainByEveryLoadThatNamesIt) {
  auto data = Keys("p63-A p66-A");
  data->SetFailing("66");
  MemoryDataReader& reads = *data;
  clsCodeReader r(std::move(data));
  Process(r, "3A");  // no year before the first: the built-ins only
  EXPECT_EQ(r.LoadFailures, std::vector<int>{});
  Process(r, "6A");
  EXPECT_EQ(r.LoadFailures, std::vector<int>{1966});
  Process(r, "6A");  // the previous year, then this one
  EXPECT_EQ(r.LoadFailures, (std::vector<int>{1966, 1966, 1966}));
  r.LoadFailures.clear();
  reads.ClearFailures();
  Process(r, "3A");  // 1966 again first: it loads now
  EXPECT_EQ(r.LoadFailures, std::vector<int>{});
  EXPECT_EQ(reads.Reads("66"), 4);
  EXPECT_EQ(reads.Reads("63"), 1);
}

}  // namespace
}  // namespace vorrendal
