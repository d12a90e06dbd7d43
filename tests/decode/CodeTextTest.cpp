#include "decode/CodeText.h"

#include <gtest/gtest.h>

#include <string>

namespace vorrendal {
namespace {

TEST(CodeText, OccursIsAContiguousSearchWhereNothingAlwaysOccurs) {
  struct Case {
    std::string_view alphabet;
    std::string part;
    bool occurs;
  };
  const Case cases[] = {
      {kLetters, "A", true},     {kLetters, "Z", true},   {kLetters, "a", false},
      {kLetters, "", true},      {kLetters, " ", false},  {kLetters, "AB", true},
      {kLetters, "BA", false},   {kDigits, "0", true},    {kDigits, "9", true},
      {kDigits, "90", true},     {kDigits, "09", false},  {kDigits, "", true},
      {kDigits, "A", false},     {kLettersAndDigits, "Z1", true},
      {kLettersAndDigits, "\xD8", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Occurs(c.alphabet, c.part), c.occurs) << c.alphabet << " / '" << c.part << "'";
  }
}

TEST(CodeText, MidCountsFromOneAndShortensAtTheEnd) {
  struct Case {
    std::string text;
    std::size_t start, count;
    std::string expected;
  };
  const Case cases[] = {
      {"5A62C100001", 1, 1, "5"},       {"5A62C100001", 3, 2, "62"},
      {"5A62C100001", 6, 6, "100001"},  {"5A62C10", 6, 6, "10"},
      {"5A62C", 6, 6, ""},              {"5A62C", 5, 1, "C"},
      {"", 1, 1, ""},                   {"abc", 0, 2, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Mid(c.text, c.start, c.count), c.expected) << c.text << " " << c.start;
  }
}

TEST(CodeText, UpperCaseCoversTheCodePageLetters) {
  struct Case {
    std::string in, out;
  };
  const Case cases[] = {
      {"5a62c", "5A62C"},
      {"az AZ 09 -_", "AZ AZ 09 -_"},
      {"\xF8", "\xD8"},                  // slashed o
      {"\xE0\xE9\xFE", "\xC0\xC9\xDE"},  // a grave, e acute, thorn
      {"\xF7", "\xF7"},                  // the division sign has no capital
      {"\xDF", "\xDF"},                  // nor has sharp s
      {"\x9A\x9C\x9E\xFF", "\x8A\x8C\x8E\x9F"},
      {"{`}", "{`}"},
  };
  for (const Case& c : cases) EXPECT_EQ(UpperCase(c.in), c.out) << c.in;
}

TEST(CodeText, TrimSpacesRemovesOnlyOuterSpaces) {
  struct Case {
    std::string in, out;
  };
  const Case cases[] = {
      {" 4 ", "4"}, {"   ", ""}, {"", ""}, {"1 2", "1 2"}, {"\t4", "\t4"}, {"12A  ", "12A"},
  };
  for (const Case& c : cases) EXPECT_EQ(TrimSpaces(c.in), c.out) << "'" << c.in << "'";
}

}  // namespace
}  // namespace vorrendal
