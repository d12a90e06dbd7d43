// The year question and rejection, the split of both serial layouts, and the
// plant, model, engine and unit number decoders.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DecodeRig.h"

namespace vorrendal {
namespace {

using testing::DecodeRig;
using testing::Described;
using testing::ScriptedPrompter;
using Kind = ScriptedPrompter::Kind;

constexpr const char* kIncorrect = "Incorrect Code";
constexpr const char* kNotFound = "Description Not Found";

const std::string kInvalidYearText =
    "The year code must be a number from\r\n"
    "0 to 9. The year code is the first number\r\n"
    "in the serial number from 1960 to 1974.\r\n"
    "It is the second number in 1959.";

void Decode(DecodeRig& rig, const std::string& serial) {
  rig.Reader().ReadCodes(serial, "", "", "", "", "", "", "");
}

TEST(YearCode, DigitsLettersAndTheYearQuestion) {
  struct Case {
    std::string serial;
    std::vector<int> answers;   // queued answers to the year question
    std::string firstOffered;   // "" when no question may be asked
    std::string secondOffered;
    std::string modelYear;
    std::string searchYear;
  };
  const Case cases[] = {
      {"7A62C100001", {}, "", "", "1967", "67"},
      {"5A62C100001", {}, "", "", "1965", "65"},
      {"9", {}, "", "", "1969", "69"},
      {"3A62C100001", {0}, "1963", "1973", "1963", "63"},
      {"3A62C100001", {1}, "1963", "1973", "1973", "73"},
      {"0A62C100001", {1}, "1960", "1970", "1970", "70"},
      {"2A62C100001", {1}, "1962", "1972", "1972", "72"},
      {"4A62C100001", {0}, "1964", "1974", "1964", "64"},
      {"1A62C100001", {7}, "1961", "1971", "1961", "61"},  // any other answer is the first
      {"1A62C100001", {-1}, "1961", "1971", "1961", "61"},
      {"C9AB100001", {}, "", "", "1959", "59"},
      {"c9ab100001", {}, "", "", "1959", "59"},  // the letter test is made upper-cased
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.serial);
    DecodeRig rig;
    for (int a : c.answers) rig.Prompter().QueueYearAnswer(a);
    Decode(rig, c.serial);
    EXPECT_FALSE(rig.Reader().BadYearCode);
    EXPECT_EQ(rig.Reader().ModelYear, c.modelYear);
    EXPECT_EQ(rig.Reader().SearchYear, c.searchYear);
    EXPECT_EQ(rig.Prompter().Count(Kind::InvalidYearCode), 0);
    if (c.firstOffered.empty()) {
      EXPECT_EQ(rig.Prompter().Count(Kind::AskYear), 0);
    } else {
      ASSERT_EQ(rig.Prompter().Count(Kind::AskYear), 1);
      EXPECT_EQ(rig.Prompter().Last(Kind::AskYear)->first, c.firstOffered);
      EXPECT_EQ(rig.Prompter().Last(Kind::AskYear)->second, c.secondOffered);
    }
  }
}

TEST(YearCode, UnreadableCodesAreRejectedWithTheMessage) {
  const std::string rejected[] = {
      "",              // nothing typed
      " 5A62C100001",  // a leading space is not trimmed
      "C5AB100001",    // 1959 form with another digit
      "C",             // letter with no second character
      "CAB100001",     // letter then letter
      "c 9AB10000",
      "-5A62C100001",
      "\xD8" "9AB100001",  // not an ASCII letter
  };
  for (const std::string& serial : rejected) {
    SCOPED_TRACE(serial);
    DecodeRig rig;
    Decode(rig, serial);
    EXPECT_TRUE(rig.Reader().BadYearCode);
    ASSERT_EQ(rig.Prompter().Calls().size(), 1u);
    const auto& call = rig.Prompter().Calls()[0];
    EXPECT_EQ(call.kind, Kind::InvalidYearCode);
    EXPECT_EQ(call.first, "Invalid Year Code");
    EXPECT_EQ(call.second, kInvalidYearText);
    EXPECT_EQ(rig.Reader().ModelYear, "");
    EXPECT_EQ(rig.Reader().SearchYear, "");
  }
}

TEST(YearCode, RejectionLeavesThePreviousDecodeAndLoadsNothing) {
  DecodeRig rig;
  rig.StoreSerialKeys(65).Store({"b65-54A"});
  rig.Reader().ReadCodes("5A62C100001", "54A", "K", "12", "9A", "12", "4", "3");
  const clsCodeReader& r = rig.Reader();
  const std::vector<std::string> before = {r.ModelYear, r.AssemblyPlant, r.Model,       r.EngineType,
                                           r.UnitNumber, r.Body,         r.Color,       r.Trim,
                                           r.DateProduced, r.DSO,        r.TransmissionType,
                                           r.AxleRatio,  r.SearchYear};
  const int readsBefore = rig.Data().TotalReads();

  rig.Reader().ReadCodes("C5AB100001", "11B", "", "", "", "", "", "");
  EXPECT_TRUE(r.BadYearCode);
  const std::vector<std::string> after = {r.ModelYear, r.AssemblyPlant, r.Model,       r.EngineType,
                                          r.UnitNumber, r.Body,         r.Color,       r.Trim,
                                          r.DateProduced, r.DSO,        r.TransmissionType,
                                          r.AxleRatio,  r.SearchYear};
  EXPECT_EQ(after, before);
  EXPECT_EQ(rig.Data().TotalReads(), readsBefore);

  // The next good decode clears the flag.
  rig.Reader().ReadCodes("6A62C1", "", "", "", "", "", "", "");
  EXPECT_FALSE(r.BadYearCode);
  EXPECT_EQ(r.ModelYear, "1966");
}

TEST(YearCode, TheChosenYearDrivesLayoutAndKeys) {
  for (int answer : {0, 1}) {
    SCOPED_TRACE(answer);
    DecodeRig rig;
    rig.Store({"p62-A", "m62-51", "e62-X", "p72-A", "m72-51", "e72-X", "b62-54A", "b72-54A"});
    rig.Prompter().QueueYearAnswer(answer);
    rig.Reader().ReadCodes("2A51X123456", "54A", "", "", "", "", "", "");
    const std::string y = answer == 0 ? "62" : "72";
    EXPECT_EQ(rig.Reader().AssemblyPlant, Described("p" + y + "-A"));
    EXPECT_EQ(rig.Reader().Model, Described("m" + y + "-51"));
    EXPECT_EQ(rig.Reader().EngineType, Described("e" + y + "-X"));
    EXPECT_EQ(rig.Reader().Body, Described("b" + y + "-54A"));
    EXPECT_EQ(rig.Data().ReadLog(), std::vector<std::string>{y});
  }
}

// One row per serial number: what each of the four serial decoders says.
TEST(SerialNumberDecoders, PiecesOfBothLayouts) {
  struct Case {
    int year;  // for the year question
    std::string serial;
    std::vector<std::string> stored;
    std::string plant, model, engine, unit;
    bool error;
  };
  const Case cases[] = {
      {65, "5A62C100001", {"p65-A", "m65-62", "e65-C"},
       Described("p65-A"), Described("m65-62"), Described("e65-C"), "100001", false},
      {59, "C9AB100001", {"p59-A", "m59-B", "e59-C"},
       Described("p59-A"), Described("m59-B"), Described("e59-C"), "100001", false},
      // lower case pieces are upper-cased for the keys (lookups ignore case anyway)
      {59, "c9ab100001", {"p59-A", "m59-B", "e59-C"},
       Described("p59-A"), Described("m59-B"), Described("e59-C"), "100001", false},
      {65, "5a62c100001", {"p65-A", "m65-62", "e65-C"},
       Described("p65-A"), Described("m65-62"), Described("e65-C"), "100001", false},
      // characters past the eleventh (tenth in 1959) are ignored
      {65, "5A62C1000019", {"p65-A", "m65-62", "e65-C"},
       Described("p65-A"), Described("m65-62"), Described("e65-C"), "100001", false},
      {59, "C9AB1000019", {"p59-A", "m59-B", "e59-C"},
       Described("p59-A"), Described("m59-B"), Described("e59-C"), "100001", false},
      // a ten-character serial number leaves five unit digits
      {65, "5A62C10000", {"p65-A", "m65-62", "e65-C"},
       Described("p65-A"), Described("m65-62"), Described("e65-C"), "10000", false},
      {65, "5A62C123", {"p65-A", "m65-62", "e65-C"},
       Described("p65-A"), Described("m65-62"), Described("e65-C"), "123", false},
      // the serial stops early: empty pieces fail their shape
      {65, "5A62C", {"p65-A", "m65-62", "e65-C"},
       Described("p65-A"), Described("m65-62"), Described("e65-C"), "Invalid Number", false},
      {65, "5", {}, kIncorrect, kIncorrect, kIncorrect, "Invalid Number", false},
      {65, "5A6", {"p65-A", "m65-6"}, Described("p65-A"), Described("m65-6"), kIncorrect,
       "Invalid Number", false},  // one model digit passes
      {59, "C9", {"e59-C"}, kIncorrect, kIncorrect, Described("e59-C"), "Invalid Number", false},
      // plant: one letter
      {65, "55621100001", {}, kIncorrect, kNotFound, kNotFound, "100001", true},
      {62, "2 51X100001", {"m62-51", "e62-X"}, kIncorrect, Described("m62-51"),
       Described("e62-X"), "100001", false},
      // model: one letter in 1959, two digits later
      {59, "C9A5100001", {"p59-A", "m59-5"}, Described("p59-A"), kIncorrect, kNotFound,
       "100001", true},
      {62, "2A5XC100001", {"p62-A", "e62-C"}, Described("p62-A"), kIncorrect,
       Described("e62-C"), "100001", false},
      {62, "2AX5C100001", {"p62-A", "e62-C"}, Described("p62-A"), kIncorrect,
       Described("e62-C"), "100001", false},
      // engine: a letter to 1962, a letter or digit from 1963
      {62, "2A518100001", {"p62-A", "m62-51", "e62-8"}, Described("p62-A"),
       Described("m62-51"), kIncorrect, "100001", false},
      {63, "3A518100001", {"p63-A", "m63-51", "e63-8"}, Described("p63-A"),
       Described("m63-51"), Described("e63-8"), "100001", false},
      {74, "4A518100001", {"p74-A", "m74-51", "e74-8"}, Described("p74-A"),
       Described("m74-51"), Described("e74-8"), "100001", false},
      {60, "0A51*100001", {"p60-A", "m60-51"}, Described("p60-A"), Described("m60-51"),
       kIncorrect, "100001", false},
      // unit number: digits only, checked over the first six
      {65, "5A62C12A456", {"p65-A", "m65-62", "e65-C"}, Described("p65-A"),
       Described("m65-62"), Described("e65-C"), "Invalid Number", false},
      {65, "5A62C 12345", {"p65-A", "m65-62", "e65-C"}, Described("p65-A"),
       Described("m65-62"), Described("e65-C"), "Invalid Number", false},
      {59, "C9AB10000A", {"p59-A", "m59-B", "e59-C"}, Described("p59-A"),
       Described("m59-B"), Described("e59-C"), "Invalid Number", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.serial);
    DecodeRig rig;
    rig.Store(c.stored);
    rig.AnswerFor(c.year);
    Decode(rig, c.serial);
    ASSERT_FALSE(rig.Reader().BadYearCode);
    ASSERT_EQ(rig.Reader().SearchYear, std::to_string(c.year));
    EXPECT_EQ(rig.Reader().AssemblyPlant, c.plant);
    EXPECT_EQ(rig.Reader().Model, c.model);
    EXPECT_EQ(rig.Reader().EngineType, c.engine);
    EXPECT_EQ(rig.Reader().UnitNumber, c.unit);
    EXPECT_EQ(rig.Reader().ErrorOccurred, c.error);
  }
}

}  // namespace
}  // namespace vorrendal
