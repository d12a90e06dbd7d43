// One decode: each field's shape rules by model year and the key it looks up,
// the serial number's pieces, the year chosen, and what a failed load leaves.
// "#key" as a result names the record found; "Description Not Found" sets
// ErrorOccurred.
#include <gtest/gtest.h>

#include <string>

#include "Keys.h"
#include "decode/clsDescriptionStore.h"

namespace vorrendal {
namespace {

using namespace testing;

// The plant, model and engine keys of the serial number Decode makes up.
std::string SerialKeys(int year) {
  const std::string y = std::to_string(year);
  return "p" + y + "-A m" + y + (year == 59 ? "-B" : "-62") + " e" + y + "-C";
}

// Decodes boxes as year 19yy with descriptions under keys; an empty serial is
// made up: plant A, model 62 (B in 1959), engine C.
DecodeResult Decode(int year, PlateBoxes boxes, const std::string& keys) {
  if (boxes.SerialNumber.empty())
    boxes.SerialNumber = year == 59 ? "C9AB100001" : std::to_string(year % 10) + "A62C100001";
  clsDescriptionStore store(Keys(SerialKeys(year) + " " + keys));
  return DecodePlate(boxes, year >= 70 ? Decade::k1970s : Decade::k1960s, store);
}

struct FieldCase {
  char field;
  int year;
  const char* code;
  const char* keys;
  std::string want;
};
void PrintTo(const FieldCase& c, std::ostream* os) {
  *os << c.field << c.year << " '" << c.code << "'";
}

class Field : public ::testing::TestWithParam<FieldCase> {};

TEST_P(Field, HasTheShapeOfItsYearAndLooksUpItsKey) {
  const FieldCase& c = GetParam();
  PlateBoxes boxes;
  const std::string field = "bctdsrx";
  std::string PlateBoxes::*const codes[] = {
      &PlateBoxes::Body, &PlateBoxes::Color, &PlateBoxes::Trim, &PlateBoxes::Date,
      &PlateBoxes::DSO,  &PlateBoxes::Trans, &PlateBoxes::Axle};
  std::string DecodeResult::*const results[] = {
      &DecodeResult::Body,         &DecodeResult::Color, &DecodeResult::Trim,
      &DecodeResult::DateProduced, &DecodeResult::DSO,   &DecodeResult::TransmissionType,
      &DecodeResult::AxleRatio};
  const std::size_t i = field.find(c.field);
  boxes.*codes[i] = c.code;
  const DecodeResult r = Decode(c.year, boxes, c.keys);  // only this field can miss
  EXPECT_EQ(r.*results[i], c.want);
  EXPECT_EQ(r.ErrorOccurred, c.want.find(kNotFound) != std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Body, Field,
                         ::testing::Values(FieldCase{'b', 62, "54a", "b62-54A", "#b62-54A"},
                                           FieldCase{'b', 70, "5", "b70-5",
                                                     "#b70-5"},  // absent characters pass
                                           FieldCase{'b', 66, "54AB", "b66-54AB", "#b66-54AB"},
                                           FieldCase{'b', 62, "A54", "b62-A54", kIncorrect},
                                           FieldCase{'b', 66, "545", "b66-545", kIncorrect},
                                           FieldCase{'b', 62, "", "", kIncorrect},
                                           FieldCase{'b', 62, "54A", "b63-54A", kNotFound}));

INSTANTIATE_TEST_SUITE_P(
    Color, Field,
    ::testing::Values(
        FieldCase{'c', 62, "ma", "c62-M c62-A", "#c62-M (Lower body); #c62-A (Upper body)"},
        FieldCase{'c', 62, "MA", "c62-M",
                  "#c62-M (Lower body); Description Not Found (Upper body)"},
        FieldCase{'c', 62, "MA", "c62-A",
                  "Description Not Found (Lower body); #c62-A (Upper body)"},
        FieldCase{'c', 59, "M", "c59-M", "#c59-M"}, FieldCase{'c', 64, "", "", "Special Paint"},
        FieldCase{'c', 64, "M4", "c64-M", kIncorrect},
        FieldCase{'c', 65, "7A", "c65-7 c65-A", "#c65-7 (Lower body); #c65-A (Upper body)"},
        FieldCase{'c', 66, "K", "c66-K", "#c66-K"}, FieldCase{'c', 65, "", "", kIncorrect},
        FieldCase{'c', 66, "7-", "c66-7", kIncorrect},
        FieldCase{'c', 67, "KX", "c67-K c67-KX", "#c67-K"},  // 1967-1971: the first only
        FieldCase{'c', 71, "3", "c71-3", "#c71-3"}, FieldCase{'c', 69, "*A", "", kIncorrect},
        FieldCase{'c', 72, "4a", "c72-4A", "#c72-4A"},
        FieldCase{'c', 73, "46", "c73-46", kIncorrect},
        FieldCase{'c', 74, "46", "c74-46", "#c74-46"},
        FieldCase{'c', 72, "A4", "c72-A4", kIncorrect},
        FieldCase{'c', 72, "5", "c72-5", "#c72-5"}));

INSTANTIATE_TEST_SUITE_P(Trim, Field,
                         ::testing::Values(FieldCase{'t', 62, "5", "t62-05",
                                                     "#t62-05"},  // one character: leading 0
                                           FieldCase{'t', 62, "123", "t62-123", "#t62-123"},
                                           FieldCase{'t', 64, "A2", "t64-A2", kIncorrect},
                                           FieldCase{'t', 65, "a2", "t65-A2", "#t65-A2"},
                                           FieldCase{'t', 65, "2A", "t65-2A", kIncorrect},
                                           FieldCase{'t', 66, "2A", "t66-2A", "#t66-2A"},
                                           FieldCase{'t', 74, "A", "t74-0A", "#t74-0A"},
                                           FieldCase{'t', 59, "12", "t59-12", "#t59-12"},
                                           FieldCase{'t', 66, "76", "", kNotFound},
                                           FieldCase{'t', 66, "", "", kIncorrect}));

INSTANTIATE_TEST_SUITE_P(
    Date, Field,
    ::testing::Values(
        FieldCase{'d', 65, "9a", "", "Manufactured January 9"},
        FieldCase{'d', 65, "12N", "", "Manufactured January 12"},
        FieldCase{'d', 65, "31M", "", "Manufactured December 31"},
        FieldCase{'d', 65, "12I", "", kNotFound},  // I and O are no month letters
        FieldCase{'d', 65, "12", "", kNotFound}, FieldCase{'d', 65, "123", "", kIncorrect},
        FieldCase{'d', 65, " 9A", "", kIncorrect}, FieldCase{'d', 65, "9A ", "", kIncorrect},
        FieldCase{'d', 70, "123", "", "N/A"}, FieldCase{'d', 71, "", "", kIncorrect}));

INSTANTIATE_TEST_SUITE_P(Dso, Field,
                         ::testing::Values(FieldCase{'s', 61, "12", "s61-12", "N/A"},
                                           FieldCase{'s', 62, "", "", kIncorrect},
                                           FieldCase{'s', 65, "5", "s65-5", "#s65-5"},
                                           FieldCase{'s', 65, "5A", "s65-5A", kIncorrect},
                                           FieldCase{'s', 68, "A5", "s68-A5", kIncorrect},
                                           FieldCase{'s', 69, "a5", "s69-A5", "#s69-A5"},
                                           FieldCase{'s', 74, "12", "", kNotFound}));

INSTANTIATE_TEST_SUITE_P(Transmission, Field,
                         ::testing::Values(FieldCase{'r', 66, "4", "r66-4", "#r66-4"},
                                           FieldCase{'r', 66, "A", "r66-A", kIncorrect},
                                           FieldCase{'r', 67, "a", "r67-A", "#r67-A"},
                                           FieldCase{'r', 70, "#", "", kIncorrect},
                                           FieldCase{'r', 70, "", "", kIncorrect},
                                           FieldCase{'r', 67, "8", "", kNotFound}));

INSTANTIATE_TEST_SUITE_P(Axle, Field,
                         ::testing::Values(FieldCase{'x', 73, "\xF8", "x73-\xD8",
                                                     "#x73-\xD8"},  // slashed zero, small
                                           FieldCase{'x', 74, "\xD8", "x74-\xD8", "#x74-\xD8"},
                                           FieldCase{'x', 72, "\xD8", "x72-\xD8", kIncorrect},
                                           FieldCase{'x', 65, " 4 ", "x65-4", "#x65-4"},
                                           FieldCase{'x', 59, "a", "x59-A", "#x59-A"},
                                           FieldCase{'x', 65, "", "", kIncorrect},
                                           FieldCase{'x', 65, "21", "x65-21", kIncorrect},
                                           FieldCase{'x', 74, "9", "", kNotFound}));

struct SerialCase {
  int year;
  const char* serial;
  const char* keys;
  std::string results;  // plant|model|engine|unit
};
void PrintTo(const SerialCase& c, std::ostream* os) { *os << c.serial; }

class SerialNumber : public ::testing::TestWithParam<SerialCase> {};

TEST_P(SerialNumber, PiecesHaveTheShapeOfTheirYear) {
  PlateBoxes boxes;
  boxes.SerialNumber = GetParam().serial;
  clsDescriptionStore store(Keys(GetParam().keys));
  const DecodeResult r =
      DecodePlate(boxes, GetParam().year >= 70 ? Decade::k1970s : Decade::k1960s, store);
  ASSERT_EQ(r.SearchYear, std::to_string(GetParam().year));
  EXPECT_EQ(r.AssemblyPlant + "|" + r.Model + "|" + r.EngineType + "|" + r.UnitNumber,
            GetParam().results);
}

const std::string kMiss = kNotFound, kBad = kIncorrect;

INSTANTIATE_TEST_SUITE_P(
    Serials, SerialNumber,
    ::testing::Values(
        SerialCase{65, "5a62c1000019", "p65-A m65-62 e65-C", "#p65-A|#m65-62|#e65-C|100001"},
        SerialCase{59, "c9ab1000019", "p59-A m59-B e59-C", "#p59-A|#m59-B|#e59-C|100001"},
        SerialCase{65, "5A62C123", "", kMiss + "|" + kMiss + "|" + kMiss + "|123"},
        SerialCase{65, "5", "", kBad + "|" + kBad + "|" + kBad + "|Invalid Number"},
        SerialCase{65, "5A6", "m65-6", kMiss + "|#m65-6|" + kBad + "|Invalid Number"},
        SerialCase{62, "2151X100001", "", kBad + "|" + kMiss + "|" + kMiss + "|100001"},
        SerialCase{59, "C9A5100001", "", kMiss + "|" + kBad + "|" + kMiss + "|100001"},
        SerialCase{62, "2A5XC100001", "", kMiss + "|" + kBad + "|" + kMiss + "|100001"},
        SerialCase{62, "2A518100001", "", kMiss + "|" + kMiss + "|" + kBad + "|100001"},
        SerialCase{63, "3A518100001", "e63-8", kMiss + "|" + kMiss + "|#e63-8|100001"},
        SerialCase{60, "0A51*100001", "", kMiss + "|" + kMiss + "|" + kBad + "|100001"},
        SerialCase{65, "5A62C12A456", "", kMiss + "|" + kMiss + "|" + kMiss + "|Invalid Number"},
        SerialCase{59, "C9AB10000A", "", kMiss + "|" + kMiss + "|" + kMiss + "|Invalid Number"},
        SerialCase{59, "C9", "e59-C", kBad + "|" + kBad + "|#e59-C|Invalid Number"},
        SerialCase{74, "4A51Z100001", "e74-Z", kMiss + "|" + kMiss + "|#e74-Z|100001"}));

TEST(DecodePlate, AnUnreadableYearCodeDecodesAndLoadsNothing) {
  auto data = Keys("p65-A");
  MemoryDataReader& reads = *data;
  clsDescriptionStore store(std::move(data));
  const DecodeResult r = DecodePlate(Boxes("C5AB100001|54A"), Decade::k1960s, store);
  EXPECT_TRUE(r.BadYearCode);
  EXPECT_EQ(r.ModelYear + r.SearchYear + r.Body, "");
  EXPECT_EQ(reads.TotalReads(), 0);
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
