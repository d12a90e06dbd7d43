// Plate codes as typed or read: each taken to Windows-1252 and held to its box's length in
// characters, not bytes; a refusal starts with the field's name.
#include <gtest/gtest.h>

#include "batch/PlateInput.h"

namespace vorrendal::batch {
namespace {

enum : std::size_t { kSerial, kBody, kColor, kTrim, kDate, kDso, kTrans, kAxle };

struct BoxCase {
  std::size_t field;
  std::string utf8;
  std::optional<std::string> cp1252;  // nothing: refused
  std::vector<std::string> parts;     // of the refusal
};

void PrintTo(const BoxCase& c, std::ostream* os) {
  *os << kPlateFields[c.field].name << " " << ::testing::PrintToString(c.utf8);
}

class BoxTextOf : public ::testing::TestWithParam<BoxCase> {};

TEST_P(BoxTextOf, ConvertsOrRefusesNamingTheField) {
  const BoxCase& c = GetParam();
  const auto text = BoxText(c.field, c.utf8);
  EXPECT_EQ(text ? std::optional(*text) : std::nullopt, c.cp1252);
  if (c.cp1252) return;
  const std::string error = text ? std::string() : text.error();
  EXPECT_EQ(error.rfind(std::string(kPlateFields[c.field].name) + ":", 0), 0u) << error;
  for (const std::string& part : c.parts) EXPECT_NE(error.find(part), std::string::npos) << error;
}

using B = BoxCase;

INSTANTIATE_TEST_SUITE_P(Accepted, BoxTextOf,
                         ::testing::Values(B{kTrim, "\xC3\xA9\xC3\xA9\xC3\xA9", "\xE9\xE9\xE9", {}},
                                           B{kColor, "\xE2\x82\xACZ", "\x80Z", {}}));

INSTANTIATE_TEST_SUITE_P(TooLong, BoxTextOf,
                         ::testing::Values(B{
                             kBody, std::string(3000, 'X'), {}, {"body: 3000 characters;"}}));

INSTANTIATE_TEST_SUITE_P(
    NotTypable, BoxTextOf,
    ::testing::Values(B{kBody, "6\xE2\x86\x92", {}, {"U+2192", "Windows-1252"}},
                      B{kColor, "M\xC3", {}, {"not valid UTF-8", "byte 2"}},
                      B{kBody, "\xED\xA0\x80", {}, {"body: not valid UTF-8 (byte 1)"}},
                      B{kAxle, "\xC2\x85", {}, {"axle: the character U+0085 has"}},
                      B{kAxle, "\xE2\x80\xAE", {}, {"axle: the character U+202E has"}},
                      B{kDso, "2\t", {}, {"control"}}, B{kTrans, "\xC2\x81", {}, {"control"}}));

}  // namespace
}  // namespace vorrendal::batch
