// Body, color, trim, date, DSO, transmission and axle codes across the model
// years whose rules differ. Each case stores records under the keys it lists;
// a stored description is "#" and its key, so a result names the key used.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DecodeRig.h"

namespace vorrendal {
namespace {

using testing::DecodeRig;
using testing::Described;
using testing::Only;

constexpr const char* kIncorrect = "Incorrect Code";
constexpr const char* kNotFound = "Description Not Found";

struct FieldCase {
  int year;
  std::string code;
  std::vector<std::string> stored;
  std::string expected;
  bool error;  // ErrorOccurred after the decode
};

// Decodes every case with only this field typed and checks its result.
void CheckField(const char* name, std::string PlateBoxes::*box, std::string clsCodeReader::*result,
                const std::vector<FieldCase>& cases) {
  for (const FieldCase& c : cases) {
    SCOPED_TRACE(std::string(name) + " 19" + std::to_string(c.year) + " code '" + c.code + "'");
    DecodeRig rig;
    rig.StoreSerialKeys(c.year).Store(c.stored);
    PlateBoxes boxes;
    boxes.*box = c.code;
    rig.Decode(c.year, boxes);
    ASSERT_FALSE(rig.Reader().BadYearCode);
    EXPECT_EQ(rig.Reader().*result, c.expected);
    EXPECT_EQ(rig.Reader().ErrorOccurred, c.error);
  }
}

std::string TwoTone(const std::string& lower, const std::string& upper) {
  return lower + " (Lower body); " + upper + " (Upper body)";
}

TEST(PlateCodeDecoders, Body) {
  CheckField("body", &PlateBoxes::Body, &clsCodeReader::Body, {
      {62, "54a", {"b62-54A"}, Described("b62-54A"), false},
      {62, "54A", {"b62-54A"}, Described("b62-54A"), false},
      {70, "54", {"b70-54"}, Described("b70-54"), false},   // absent third character passes
      {70, "5", {"b70-5"}, Described("b70-5"), false},
      {66, "54AB", {"b66-54AB"}, Described("b66-54AB"), false},  // the whole code is the key
      {59, "11A", {"b59-11A"}, Described("b59-11A"), false},
      {62, "A54", {"b62-A54"}, kIncorrect, false},
      {66, "545", {"b66-545"}, kIncorrect, false},
      {62, "5 A", {}, kIncorrect, false},
      {62, "", {}, kIncorrect, false},
      {62, " ", {}, kIncorrect, false},
      {62, "54A", {"b63-54A"}, kNotFound, true},  // another year's record does not count
  });
}

TEST(PlateCodeDecoders, Color) {
  CheckField("color", &PlateBoxes::Color, &clsCodeReader::Color, {
      // 1959-1964: one or two letters; no code at all is a paint off the chart.
      {62, "MA", {"c62-M", "c62-A"}, TwoTone(Described("c62-M"), Described("c62-A")), false},
      {62, "ma", {"c62-M", "c62-A"}, TwoTone(Described("c62-M"), Described("c62-A")), false},
      {62, "M", {"c62-M"}, Described("c62-M"), false},
      {59, "", {}, "Special Paint", false},
      {64, "", {}, "Special Paint", false},
      {62, "4", {"c62-4"}, kIncorrect, false},
      {62, "M4", {"c62-M"}, kIncorrect, false},
      {62, " ", {}, kIncorrect, false},
      {62, "MA", {"c62-M"}, TwoTone(Described("c62-M"), kNotFound), true},
      {62, "MA", {"c62-A"}, TwoTone(kNotFound, Described("c62-A")), true},
      {62, "MA", {}, TwoTone(kNotFound, kNotFound), true},
      {62, "M", {}, kNotFound, true},
      // 1965-1966: one or two letters or digits; none is an error.
      {65, "7A", {"c65-7", "c65-A"}, TwoTone(Described("c65-7"), Described("c65-A")), false},
      {66, "7", {"c66-7"}, Described("c66-7"), false},
      {66, "K", {"c66-K"}, Described("c66-K"), false},
      {65, "", {}, kIncorrect, false},
      {66, "7-", {"c66-7"}, kIncorrect, false},
      // 1967-1971: the first character only.
      {68, "KX", {"c68-K", "c68-KX"}, Described("c68-K"), false},
      {71, "3", {"c71-3"}, Described("c71-3"), false},
      {67, "", {}, kIncorrect, false},
      {69, "*A", {}, kIncorrect, false},
      // 1972-1974: a digit and a letter; 1974 also two digits.
      {73, "4A", {"c73-4A"}, Described("c73-4A"), false},
      {74, "4a", {"c74-4A"}, Described("c74-4A"), false},
      {73, "46", {"c73-46"}, kIncorrect, false},
      {74, "46", {"c74-46"}, Described("c74-46"), false},
      {72, "5", {"c72-5"}, Described("c72-5"), false},
      {72, "A4", {"c72-A4"}, kIncorrect, false},
      {72, "", {}, kIncorrect, false},
      {73, "4A", {}, kNotFound, true},
  });
}

TEST(PlateCodeDecoders, Trim) {
  CheckField("trim", &PlateBoxes::Trim, &clsCodeReader::Trim, {
      {62, "5", {"t62-05"}, Described("t62-05"), false},  // one digit gets a leading zero
      {62, "05", {"t62-05"}, Described("t62-05"), false},
      {59, "12", {"t59-12"}, Described("t59-12"), false},
      {62, "123", {"t62-123"}, Described("t62-123"), false},  // a third character is keyed too
      {62, "2A", {"t62-2A"}, kIncorrect, false},
      {64, "A2", {"t64-A2"}, kIncorrect, false},
      {62, "", {}, kIncorrect, false},
      {65, "A2", {"t65-A2"}, Described("t65-A2"), false},
      {65, "a2", {"t65-A2"}, Described("t65-A2"), false},
      {65, "2A", {"t65-2A"}, kIncorrect, false},
      {66, "2A", {"t66-2A"}, Described("t66-2A"), false},
      {66, "A", {"t66-0A"}, Described("t66-0A"), false},
      {74, "AB", {"t74-AB"}, Described("t74-AB"), false},
      {66, " 5", {}, kIncorrect, false},
      {70, "", {}, kIncorrect, false},
      {66, "76", {}, kNotFound, true},
  });
}

TEST(PlateCodeDecoders, Date) {
  CheckField("date", &PlateBoxes::Date, &clsCodeReader::DateProduced, {
      {65, "9a", {}, "Manufactured January 9", false},
      {65, "09A", {}, "Manufactured January 9", false},
      {65, "12N", {}, "Manufactured January 12", false},
      {65, "31M", {}, "Manufactured December 31", false},
      {65, "5Z", {}, "Manufactured December 5", false},
      {65, "20J", {}, "Manufactured September 20", false},
      {65, "20W", {}, "Manufactured September 20", false},
      {70, "12A", {}, "Manufactured January 12", false},
      {65, "12I", {}, kNotFound, true},  // I and O are not month letters
      {65, "12O", {}, kNotFound, true},
      {65, "12", {}, kNotFound, true},  // no month letter: the key is "d-"
      {65, "123", {}, kIncorrect, false},
      {65, " 9A", {}, kIncorrect, false},
      {65, "9A ", {}, kIncorrect, false},
      {65, "1 A", {}, kIncorrect, false},
      {65, "AB", {}, kIncorrect, false},
      {65, "", {}, kIncorrect, false},
      {69, "", {}, kIncorrect, false},
      {70, "", {}, "N/A", false},
      {70, "123", {}, "N/A", false},
      {71, "", {}, kIncorrect, false},
  });
}

TEST(PlateCodeDecoders, DSO) {
  CheckField("DSO", &PlateBoxes::DSO, &clsCodeReader::DSO, {
      {59, "12", {"s59-12"}, "N/A", false},
      {61, "12", {"s61-12"}, "N/A", false},
      {61, "", {}, "N/A", false},
      {62, "", {}, kIncorrect, false},
      {74, "", {}, kIncorrect, false},
      {62, "12", {"s62-12"}, Described("s62-12"), false},
      {65, "5", {"s65-5"}, Described("s65-5"), false},
      {65, "5A", {"s65-5A"}, kIncorrect, false},
      {62, " 5", {}, kIncorrect, false},
      {68, "A5", {"s68-A5"}, kIncorrect, false},
      {69, "A5", {"s69-A5"}, Described("s69-A5"), false},
      {69, "a5", {"s69-A5"}, Described("s69-A5"), false},
      {74, "12", {"s74-12"}, Described("s74-12"), false},
      {65, "12", {}, kNotFound, true},
  });
}

TEST(PlateCodeDecoders, Transmission) {
  CheckField("transmission", &PlateBoxes::Trans, &clsCodeReader::TransmissionType, {
      {66, "4", {"r66-4"}, Described("r66-4"), false},
      {59, "1", {"r59-1"}, Described("r59-1"), false},
      {66, "A", {"r66-A"}, kIncorrect, false},
      {67, "A", {"r67-A"}, Described("r67-A"), false},
      {70, "a", {"r70-A"}, Described("r70-A"), false},
      {66, "", {}, kIncorrect, false},
      {70, "", {}, kIncorrect, false},
      {60, " ", {}, kIncorrect, false},
      {70, "#", {}, kIncorrect, false},
      {67, "8", {}, kNotFound, true},
  });
}

TEST(PlateCodeDecoders, Axle) {
  CheckField("axle", &PlateBoxes::Axle, &clsCodeReader::AxleRatio, {
      {73, "\xD8", {"x73-\xD8"}, Described("x73-\xD8"), false},  // the slashed zero
      {74, "\xD8", {"x74-\xD8"}, Described("x74-\xD8"), false},
      {73, "\xF8", {"x73-\xD8"}, Described("x73-\xD8"), false},  // small slashed o, upper-cased
      {72, "\xD8", {"x72-\xD8"}, kIncorrect, false},
      {65, " 4 ", {"x65-4"}, Described("x65-4"), false},
      {65, "a", {"x65-A"}, Described("x65-A"), false},
      {59, "3", {"x59-3"}, Described("x59-3"), false},
      {65, "", {}, kIncorrect, false},
      {65, "   ", {}, kIncorrect, false},
      {65, "/", {}, kIncorrect, false},
      {74, "9", {}, kNotFound, true},
  });
}

// ErrorOccurred is only ever set by the decoders: a clean decode after a
// failed one leaves it true until the caller clears it.
TEST(PlateCodeDecoders, ErrorOccurredIsNeverClearedByTheReader) {
  DecodeRig rig;
  rig.StoreSerialKeys(65).Store({"b65-54A"});
  rig.Decode(65, Only(&PlateBoxes::Body, "11A"));
  ASSERT_TRUE(rig.Reader().ErrorOccurred);
  rig.Decode(65, Only(&PlateBoxes::Body, "54A"));
  EXPECT_EQ(rig.Reader().Body, Described("b65-54A"));
  EXPECT_TRUE(rig.Reader().ErrorOccurred);
  rig.Reader().ErrorOccurred = false;
  rig.Decode(65, Only(&PlateBoxes::Body, "54A"));
  EXPECT_FALSE(rig.Reader().ErrorOccurred);
}

}  // namespace
}  // namespace vorrendal
