// One decode where no plate through the program reaches: a one-character trim code stands for the
// code with a leading zero (no shipped code looks so), and the axle code is trimmed (its box holds
// one character). The rest is kept by the golden plates. "#key" as a result names the record found.
#include <gtest/gtest.h>

#include "Keys.h"
#include "decode/clsDescriptionStore.h"

namespace vorrendal {
namespace {

using namespace testing;

TEST(DecodePlate, AOneCharacterTrimCodeHasALeadingZero) {
  clsDescriptionStore store(Keys("t62-05"));
  EXPECT_EQ(DecodePlate(Boxes("2A62C100001|||5"), Decade::k1960s, store).Trim, "#t62-05");
}

TEST(DecodePlate, TheAxleCodeIsTrimmed) {
  clsDescriptionStore store(Keys("x65-4"));
  EXPECT_EQ(DecodePlate(Boxes("5A62C100001||||||| 4 "), Decade::k1960s, store).AxleRatio, "#x65-4");
}

}  // namespace
}  // namespace vorrendal
