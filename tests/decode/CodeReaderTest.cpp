// The code reader: the year question and rejection, both serial layouts, each
// field's shape rules by model year, and the loading of each year's records.
// "#key" as a result names the record found; "Description Not Found" sets ErrorOccurred.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "DecodeRig.h"

namespace vorrendal {
namespace {

using namespace testing;

TEST(CodeReader, YearDigitsLettersTheQuestionAndRejection) {
  const struct {
    const char* serial;
    int answer;
    bool asked;
    std::string year;
  } rows[] = {
      {"7A62C100001", 0, false, "1967"},
      {"9", 0, false, "1969"},
      {"3A62C100001", 0, true, "1963"},
      {"0A62C100001", 1, true, "1970"},
      {"4A62C100001", 1, true, "1974"},
      {"1A62C100001", 7, true, "1961"},  // any other answer is the first year
      {"c9ab100001", 0, false, "1959"},  // 1959: engine letter, then the year digit
      {"", 0, false, ""},
      {" 5A62C100001", 0, false, ""},  // not trimmed
      {"C5AB100001", 0, false, ""},
      {"C", 0, false, ""},
      {"\xD8"
       "9AB100001",
       0, false, ""},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.serial);
    DecodeRig rig;
    rig.prompter.QueueYearAnswer(r.answer);
    rig.reader->ReadCodes(r.serial, "", "", "", "", "", "", "");
    const std::string yy = r.year.empty() ? "" : r.year.substr(2);
    EXPECT_EQ(rig.reader->ModelYear + "/" + rig.reader->SearchYear, r.year + "/" + yy);
    EXPECT_EQ(rig.reader->BadYearCode, r.year.empty());
    EXPECT_EQ(rig.data->ReadLog(),
              yy.empty() ? std::vector<std::string>{} : std::vector{yy});  // only the year chosen
    const auto* asked = rig.prompter.Last(Kind::AskYear);
    ASSERT_EQ(asked != nullptr, r.asked);
    if (asked) {
      EXPECT_EQ(asked->first + " " + asked->second,
                std::string("196") + r.serial[0] + " 197" + r.serial[0]);
    }
    const auto* invalid = rig.prompter.Last(Kind::InvalidYearCode);
    ASSERT_EQ(invalid != nullptr, r.year.empty());
    if (invalid) {
      EXPECT_EQ(invalid->first + "|" + invalid->second,
                "Invalid Year Code|The year code must be a number from\r\n0 to 9. "
                "The year code is the first number\r\nin the serial number from 1960 to "
                "1974.\r\nIt is the second number in 1959.");
    }
  }
}

TEST(CodeReader, SerialPiecesOfBothLayouts) {
  const struct {
    int year;
    const char* serial;
    const char* keys;
    const char *plant, *model, *engine, *unit;
  } rows[] = {
      {65, "5a62c1000019", "p65-A m65-62 e65-C", "#p65-A", "#m65-62", "#e65-C", "100001"},
      {59, "c9ab1000019", "p59-A m59-B e59-C", "#p59-A", "#m59-B", "#e59-C", "100001"},
      {65, "5A62C123", "", kNotFound, kNotFound, kNotFound, "123"},
      {65, "5", "", kIncorrect, kIncorrect, kIncorrect, "Invalid Number"},
      {65, "5A6", "m65-6", kNotFound, "#m65-6", kIncorrect, "Invalid Number"},
      {59, "C9", "e59-C", kIncorrect, kIncorrect, "#e59-C", "Invalid Number"},
      {62, "2151X100001", "", kIncorrect, kNotFound, kNotFound, "100001"},
      {59, "C9A5100001", "", kNotFound, kIncorrect, kNotFound, "100001"},
      {62, "2A5XC100001", "", kNotFound, kIncorrect, kNotFound, "100001"},
      {62, "2A518100001", "", kNotFound, kNotFound, kIncorrect, "100001"},
      {63, "3A518100001", "e63-8", kNotFound, kNotFound, "#e63-8", "100001"},
      {74, "4A51Z100001", "e74-Z", kNotFound, kNotFound, "#e74-Z", "100001"},
      {60, "0A51*100001", "", kNotFound, kNotFound, kIncorrect, "100001"},
      {65, "5A62C12A456", "", kNotFound, kNotFound, kNotFound, "Invalid Number"},
      {59, "C9AB10000A", "", kNotFound, kNotFound, kNotFound, "Invalid Number"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.serial);
    DecodeRig rig(r.keys);
    rig.Answer(r.year);
    rig.reader->ReadCodes(r.serial, "", "", "", "", "", "", "");
    ASSERT_EQ(rig.reader->SearchYear, std::to_string(r.year));
    const clsCodeReader& c = *rig.reader;
    EXPECT_EQ(c.AssemblyPlant + "|" + c.Model + "|" + c.EngineType + "|" + c.UnitNumber,
              std::string(r.plant) + "|" + r.model + "|" + r.engine + "|" + r.unit);
    EXPECT_EQ(c.ErrorOccurred,
              (std::string(r.plant) + r.model + r.engine).find(kNotFound) != std::string::npos);
  }
}

TEST(CodeReader, PlateCodeShapesByYear) {
  const std::map<char, std::pair<std::string PlateBoxes::*, std::string clsCodeReader::*>> fields =
      {{'b', {&PlateBoxes::Body, &clsCodeReader::Body}},
       {'c', {&PlateBoxes::Color, &clsCodeReader::Color}},
       {'t', {&PlateBoxes::Trim, &clsCodeReader::Trim}},
       {'d', {&PlateBoxes::Date, &clsCodeReader::DateProduced}},
       {'s', {&PlateBoxes::DSO, &clsCodeReader::DSO}},
       {'r', {&PlateBoxes::Trans, &clsCodeReader::TransmissionType}},
       {'x', {&PlateBoxes::Axle, &clsCodeReader::AxleRatio}}};
  const struct {
    char field;
    int year;
    const char* code;
    const char* keys;
    std::string want;
  } rows[] = {
      {'b', 62, "54a", "b62-54A", "#b62-54A"},
      {'b', 70, "5", "b70-5", "#b70-5"},  // absent characters pass
      {'b', 66, "54AB", "b66-54AB", "#b66-54AB"},
      {'b', 62, "A54", "b62-A54", kIncorrect},
      {'b', 66, "545", "b66-545", kIncorrect},
      {'b', 62, "", "", kIncorrect},
      {'b', 62, "54A", "b63-54A", kNotFound},  // another year's record does not count
      {'c', 62, "ma", "c62-M c62-A", "#c62-M (Lower body); #c62-A (Upper body)"},
      {'c', 62, "MA", "c62-M", "#c62-M (Lower body); Description Not Found (Upper body)"},
      {'c', 59, "M", "c59-M", "#c59-M"},
      {'c', 64, "", "", "Special Paint"},
      {'c', 64, "M4", "c64-M", kIncorrect},
      {'c', 65, "7A", "c65-7 c65-A", "#c65-7 (Lower body); #c65-A (Upper body)"},
      {'c', 66, "K", "c66-K", "#c66-K"},
      {'c', 65, "", "", kIncorrect},
      {'c', 66, "7-", "c66-7", kIncorrect},
      {'c', 67, "KX", "c67-K c67-KX", "#c67-K"},  // 1967-1971: the first character only
      {'c', 71, "3", "c71-3", "#c71-3"},
      {'c', 69, "*A", "", kIncorrect},
      {'c', 72, "4a", "c72-4A", "#c72-4A"},
      {'c', 73, "46", "c73-46", kIncorrect},
      {'c', 74, "46", "c74-46", "#c74-46"},
      {'c', 72, "A4", "c72-A4", kIncorrect},
      {'t', 62, "5", "t62-05", "#t62-05"},  // one character gets a leading zero
      {'t', 59, "12", "t59-12", "#t59-12"},
      {'t', 62, "123", "t62-123", "#t62-123"},
      {'t', 64, "A2", "t64-A2", kIncorrect},
      {'t', 65, "a2", "t65-A2", "#t65-A2"},
      {'t', 65, "2A", "t65-2A", kIncorrect},
      {'t', 66, "2A", "t66-2A", "#t66-2A"},
      {'t', 74, "A", "t74-0A", "#t74-0A"},
      {'t', 66, "76", "", kNotFound},
      {'d', 65, "9a", "", "Manufactured January 9"},
      {'d', 65, "12N", "", "Manufactured January 12"},
      {'d', 65, "31M", "", "Manufactured December 31"},
      {'d', 70, "20W", "", "Manufactured September 20"},
      {'d', 65, "12I", "", kNotFound},  // I and O are no month letters
      {'d', 65, "12", "", kNotFound},
      {'d', 65, "123", "", kIncorrect},
      {'d', 65, " 9A", "", kIncorrect},
      {'d', 69, "", "", kIncorrect},
      {'d', 70, "123", "", "N/A"},
      {'d', 71, "", "", kIncorrect},
      {'s', 61, "12", "s61-12", "N/A"},
      {'s', 62, "", "", kIncorrect},
      {'s', 65, "5", "s65-5", "#s65-5"},
      {'s', 65, "5A", "s65-5A", kIncorrect},
      {'s', 68, "A5", "s68-A5", kIncorrect},
      {'s', 69, "a5", "s69-A5", "#s69-A5"},
      {'s', 74, "12", "", kNotFound},
      {'r', 66, "4", "r66-4", "#r66-4"},
      {'r', 66, "A", "r66-A", kIncorrect},
      {'r', 67, "a", "r67-A", "#r67-A"},
      {'r', 70, "#", "", kIncorrect},
      {'r', 67, "8", "", kNotFound},
      {'x', 73, "\xF8", "x73-\xD8", "#x73-\xD8"},  // the slashed zero, typed in lower case
      {'x', 74, "\xD8", "x74-\xD8", "#x74-\xD8"},
      {'x', 72, "\xD8", "x72-\xD8", kIncorrect},
      {'x', 65, " 4 ", "x65-4", "#x65-4"},
      {'x', 59, "a", "x59-A", "#x59-A"},
      {'x', 65, "", "", kIncorrect},
      {'x', 65, "21", "x65-21", kIncorrect},
      {'x', 74, "9", "", kNotFound},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(std::string(1, r.field) + std::to_string(r.year) + " '" + r.code + "'");
    DecodeRig rig(SerialKeys(r.year) + " " + r.keys);
    PlateBoxes boxes;
    boxes.*fields.at(r.field).first = r.code;
    rig.Decode(r.year, boxes);  // the serial's own keys are stored: only this field can miss
    EXPECT_EQ(*rig.reader.*fields.at(r.field).second, r.want);
    EXPECT_EQ(rig.reader->ErrorOccurred, r.want.find(kNotFound) != std::string::npos);
  }
}

TEST(CodeReader, WithoutDataEveryLookupFailsAndTheMessageRepeats) {
  ScriptedPrompter prompter;
  clsCodeReader r(prompter, nullptr);
  EXPECT_TRUE(r.BuiltInDescriptions().Empty());
  r.ReadCodes("", "", "", "", "", "", "",
              "");  // a bad year still gets the built-ins, and loads nothing
  EXPECT_NE(r.BuiltInDescriptions().Find("y0-9"), nullptr);
  EXPECT_EQ(prompter.Count(Kind::DataLoadFailed), 0);
  r.ReadCodes("5A62C100001", "54A", "M", "12", "9A", "12", "4", "3");
  ASSERT_EQ(prompter.Count(Kind::DataLoadFailed), 1);  // the first load has no year yet
  EXPECT_EQ(prompter.Last(Kind::DataLoadFailed)->first + "|" +
                prompter.Last(Kind::DataLoadFailed)->second,
            "Error Loading Data|Unable to load data file. It may be corrupted.");
  for (const std::string* result :
       {&r.AssemblyPlant, &r.Model, &r.EngineType, &r.Body, &r.Trim, &r.AxleRatio}) {
    EXPECT_EQ(*result, kNotFound);
  }
  EXPECT_EQ(r.DateProduced, "Manufactured January 9");  // built in
  EXPECT_TRUE(r.ErrorOccurred);
  r.ReadCodes("6A62C100001", "", "", "", "", "", "", "");
  EXPECT_EQ(prompter.Count(Kind::DataLoadFailed), 3);
}

TEST(CodeReader, EachYearIsReadOnceAndAFailedYearAgain) {
  DecodeRig rig("p63-A p65-A p66-A");
  rig.data->SetFailing("66");
  const struct {
    int year;
    const char* reads;
    int messages;
    const char* plant;
  } steps[] = {
      {63, "63", 0, "#p63-A"},
      {65, "63 65", 0, "#p65-A"},
      {63, "63 65", 0, "#p63-A"},
      {66, "63 65 66", 1, kNotFound},
      {66, "63 65 66 66 66", 3, kNotFound},    // both loads of the decode try again
      {65, "63 65 66 66 66 66", 4, "#p65-A"},  // the first load still names 1966
      {66, "63 65 66 66 66 66 66", 4, "#p66-A"},
      {66, "63 65 66 66 66 66 66", 4, "#p66-A"},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.reads);
    if (s.plant[0] == '#' && s.year == 66) rig.data->ClearFailures();  // mended
    rig.Decode(s.year);
    std::string reads;
    for (const std::string& y : rig.data->ReadLog()) reads += (reads.empty() ? "" : " ") + y;
    EXPECT_EQ(reads, s.reads);
    EXPECT_EQ(rig.prompter.Count(Kind::DataLoadFailed), s.messages);
    EXPECT_EQ(rig.reader->AssemblyPlant, s.plant);
  }
  EXPECT_TRUE(rig.reader->YearLoaded(63) && rig.reader->YearLoaded(65) &&
              !rig.reader->YearLoaded(64));
  EXPECT_EQ(rig.reader->Descriptions().Count(), 3u);
  EXPECT_TRUE(rig.reader->ErrorOccurred);  // set by a decoder, cleared only by the caller
  std::string raw;
  EXPECT_TRUE(rig.reader->ReadData("63", nullptr, raw));
  EXPECT_EQ(raw, std::string("#p63-A\0p63-A", 12));
}

}  // namespace
}  // namespace vorrendal
