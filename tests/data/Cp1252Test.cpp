#include <gtest/gtest.h>

#include "data/Cp1252.h"

namespace vorrendal {
namespace {

using Texts = std::pair<std::string, std::string>;  // UTF-8, Windows-1252

class Lossy : public ::testing::TestWithParam<Texts> {};

TEST_P(Lossy, PutsOneReplacementForEachCharacterOrMalformedSequence) {
  EXPECT_EQ(Utf8ToCp1252Lossy(GetParam().first, '?'), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Texts, Lossy,
                         ::testing::Values(Texts{"a\xE2\x86\x92z", "a?z"},  // no form
                                           Texts{"a\xE2\x86z", "a?z"},      // cut short
                                           Texts{"a\x80\x80z", "a??z"}));

}  // namespace
}  // namespace vorrendal
