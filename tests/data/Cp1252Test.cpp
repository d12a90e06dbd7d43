#include <gtest/gtest.h>

#include "data/Cp1252.h"

namespace vorrendal {
namespace {

struct LossyCase {
  std::string utf8, cp1252;
};
void PrintTo(const LossyCase& c, std::ostream* os) { *os << ::testing::PrintToString(c.utf8); }

class Lossy : public ::testing::TestWithParam<LossyCase> {};

TEST_P(Lossy, PutsOneReplacementForEachCharacterOrMalformedSequence) {
  EXPECT_EQ(Utf8ToCp1252Lossy(GetParam().utf8, '?'), GetParam().cp1252);
}

INSTANTIATE_TEST_SUITE_P(Texts, Lossy,
                         ::testing::Values(LossyCase{"Cr\xC3\xA8me", "Cr\xE8me"},
                                           LossyCase{"a\xE2\x86\x92z", "a?z"},  // no form
                                           LossyCase{"a\xE2\x86z", "a?z"},      // cut short
                                           LossyCase{"a\x80\x80z", "a??z"}));

}  // namespace
}  // namespace vorrendal
