// One decode: the year chosen and what a failed load leaves. (Each field's
// shapes by year are kept by the golden plates.) "#key" as a result names the
// record found.
#include <gtest/gtest.h>

#include <string>

#include "Keys.h"
#include "decode/clsDescriptionStore.h"

namespace vorrendal {
namespace {

using namespace testing;

const std::string kMiss = kNotFound;

// What no plate through the program shows: a one-character trim code stands
// for the code with a leading zero (no shipped code looks so), and the axle
// code is trimmed (its box holds one character).
TEST(DecodePlate, AOneCharacterTrimCodeHasALeadingZero) {
  clsDescriptionStore store(Keys("t62-05"));
  EXPECT_EQ(DecodePlate(Boxes("2A62C100001|||5"), Decade::k1960s, store).Trim, "#t62-05");
}

TEST(DecodePlate, TheAxleCodeIsTrimmed) {
  clsDescriptionStore store(Keys("x65-4"));
  EXPECT_EQ(DecodePlate(Boxes("5A62C100001||||||| 4 "), Decade::k1960s, store).AxleRatio, "#x65-4");
}

TEST(DecodePlate, TheDecadeChoosesTheYearOfADigitThatStandsForTwo) {
  auto data = Keys("p62-A p72-A");
  MemoryDataReader& reads = *data;
  clsDescriptionStore store(std::move(data));
  const DecodeResult r = DecodePlate(Boxes("2A62C100001"), Decade::k1970s, store);
  EXPECT_EQ(r.ModelYear + " " + r.SearchYear + " " + r.AssemblyPlant, "1972 72 #p72-A");
  EXPECT_EQ(reads.ReadLog(), std::vector<std::string>{"72"});  // only the year chosen
}

TEST(DecodePlate, AFailedLoadIsToldAndEveryLookupMisses) {
  auto data = Keys("p65-A");
  data->SetFailing("65");
  clsDescriptionStore store(std::move(data));
  const DecodeResult r = DecodePlate(Boxes("5A62C100001|54A||12|9A"), Decade::k1960s, store);
  EXPECT_EQ(r.LoadFailures, std::vector<int>{1965});
  EXPECT_EQ(r.AssemblyPlant + "|" + r.Body, kMiss + "|" + kMiss);
  EXPECT_EQ(r.DateProduced, "Manufactured January 9");  // built in
  EXPECT_TRUE(r.ErrorOccurred);
}

}  // namespace
}  // namespace vorrendal
