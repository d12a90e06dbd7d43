// The report text: one whole report byte for byte, then single lines: echo
// spacing, serial layouts, the color cut, the Date and DSO lines by year, word
// wrap; the append separator and the caret; and any bytes typed at all.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "DecodeRig.h"

namespace vorrendal {
namespace {

using namespace testing;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t p; (p = text.find("\r\n", start)) != std::string::npos; start = p + 2)
    lines.push_back(text.substr(start, p - start));
  lines.push_back(text.substr(start));
  return lines;
}

const char* const kLongPlant = "Plant whose name is long enough to pass any width";

TEST(ReportWriter, SingleLines) {
  const struct {
    const char* boxes;
    int year;
    std::size_t line;
    std::string want;
  } rows[] = {
      {"5A62C1|54a|m|12|9a|12|4|3", 65, 1, "Body: 54A   Color: M    Trim: 12   Date: 9A"},
      {"5A62C1|54a|m|12|9a|12|4|3", 65, 2, "DSO: 12     Trans: 4    Axle: 3"},
      {"5A62C1|5||1234|12A|1", 65, 1,
       "Body: 5     Color:      Trim: 1234 Date: 12A"},  // one space short of the column
      {"5A62C1|5||1234|12A|1", 65, 2, "DSO: 1      Trans:      Axle: "},
      {"5A62C1|54ABCDE||||12345678|123456|12", 65, 2,
       "DSO: 12345678Trans: 123456Axle: 12"},  // over-long: no padding
      {"5A62C1|\xE9\x9A\xFF", 65, 1,
       "Body: \xC9\x8A\x9F   Color:      Trim:      Date: "},  // code page capitals
      {"c9ab100001", 59, 7, "Engine (C) = Description Not Found"},
      {"c9ab100001", 59, 8, "Consecutive Unit Number (100001) = 100001"},
      {"C9", 59, 5, "Plant (Blank) = Incorrect Code"},
      {"5A6", 65, 7, "Engine (Blank) = Incorrect Code"},
      {"8A62C1||kx", 68, 1,
       "Body:       Color: K    Trim:      Date: "},  // 1967-1971 keep one color character
      {"7A62C1||7a", 67, 10, "Color (7) = Description Not Found"},
      {"1A62C1||3b", 71, 10, "Color (3) = Description Not Found"},
      {"6A62C1||7a", 66, 1, "Body:       Color: 7A   Trim:      Date: "},
      {"2A62C1||4a", 72, 10, "Color (4A) = Description Not Found"},
      {"1A62C1", 61, 13,
       "Transmission (Blank) = Incorrect Code"},  // Date up to 1969, DSO from 1962
      {"2A62C1", 62, 13, "DSO (Blank) = Incorrect Code"},
      {"9A62C1", 69, 12, "Date (Blank) = Incorrect Code"},
      {"0A62C1", 70, 12, "DSO (Blank) = Incorrect Code"},
      {"5A62C1", 65, 5, std::string("Plant (A) = ") + kLongPlant},  // never wrapped
      {"5A62C1", 65, 6, "Model (62) = Two-door hardtop coupe with vinyl"},
      {"5A62C1", 65, 7, "             roofs"},
      {"6A62C1", 66, 6,
       "Model (62) = Two-door hardtop coupe with vinyl roof"},  // exactly the width
      {"5A62C1||||||4", 65, 15, "Transmission (4) = Four-speed manual with floor"},
      {"5A62C1||||||4", 65, 16, "                   shift lever"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(std::string(r.boxes) + " line " + std::to_string(r.line));
    DecodeRig rig;
    rig.Store("p65-A", kLongPlant).Store("m65-62", "Two-door hardtop coupe with vinyl roofs");
    rig.Store("m66-62", "Two-door hardtop coupe with vinyl roof")
        .Store("r65-4", "Four-speed manual with floor shift lever");
    rig.Answer(r.year);
    const auto result = ReportWriter::Process(*rig.reader, Boxes(r.boxes), false, "");
    ASSERT_TRUE(result.has_value());
    const auto lines = Lines(result->Report);
    ASSERT_LT(r.line, lines.size());
    EXPECT_EQ(lines[r.line], r.want);
  }
}

TEST(ReportWriter, WrapDescription) {
  const struct {
    const char* text;
    int width;
    std::string want;
  } rows[] = {
      {"aaaa bbbb", 5,
       "aaaa\r\n" + std::string(46, ' ') + "bbbb"},  // the space at the width itself
      {"ab cd", 5, "ab\r\n" + std::string(46, ' ') + "cd"},
      {"abcd", 5, "abcd"},
      {"abcde", 5, "abcd\r\n" + std::string(46, ' ') + "e"},  // no space within reach: width - 1
      {"aa bb cc dd ee", 6,
       "aa bb\r\n" + std::string(45, ' ') + "cc dd\r\n" + std::string(45, ' ') + "ee"},
      {"abc def", 1, "abc def"},
  };
  for (const auto& r : rows)
    EXPECT_EQ(ReportWriter::WrapDescription(r.text, r.width), r.want) << r.text;
}

const std::string kReport1963 =
    "Serial (Warranty) Number: 3A51X123456\r\n"
    "Body: 54A   Color: MA   Trim: 12   Date: 9A\r\n"
    "DSO: 12     Trans: 4    Axle: 1\r\n"
    "\r\n"
    "Year (3) = 1963\r\n"
    "Plant (A) = #p63-A\r\n"
    "Model (51) = #m63-51\r\n"
    "Engine (X) = #e63-X\r\n"
    "Consecutive Unit Number (123456) = 123456\r\n"
    "Body (54A) = #b63-54A\r\n"
    "Color (MA) = Red (Lower body); White (Upper body)\r\n"
    "Trim (12) = #t63-12\r\n"
    "Date (9A) = Manufactured January 9\r\n"
    "DSO (12) = #s63-12\r\n"
    "Transmission (4) = #r63-4\r\n"
    "Axle (1) = #x63-1";

TEST(ReportWriter, WholeReportAppendedWithSeparatorAndCaret) {
  for (const std::string previous : {"", "OLD\r\nTWO\r\n"}) {
    for (const bool append : {false, true}) {
      DecodeRig rig("p63-A m63-51 e63-X b63-54A t63-12 s63-12 r63-4 x63-1");
      rig.Store("c63-M", "Red").Store("c63-A", "White");
      rig.reader->ErrorOccurred = true;  // Process clears it first
      rig.Answer(63);
      const auto result = ReportWriter::Process(
          *rig.reader, Boxes("3a51x123456|54a|ma|12|9a|12|4|1"), append, previous);
      ASSERT_TRUE(result.has_value());
      EXPECT_EQ(result->Boxes, Boxes("3A51X123456|54A|MA|12|9A|12|4|1"));
      EXPECT_FALSE(result->ErrorOccurred);
      EXPECT_EQ(result->Report,
                append ? previous + "\r\n\r\n" + std::string(40, '_') + "\r\n\r\n" + kReport1963
                       : kReport1963);
      EXPECT_EQ(result->Caret.has_value(), append);
      // The caret is one character into the line after the Trim line.
      if (append) {
        EXPECT_EQ(result->Report.substr(*result->Caret - 1, 7), "Date (9");
      }
    }
  }
}

TEST(ReportWriter, CaretCountsWrappedLinesAndBlankCodesShowTheValueUnwrapped) {
  DecodeRig rig("p65-A e65-C b65-54A");
  rig.Store("m65-62", "Two-door hardtop coupe with vinyl roof option");
  auto result = ReportWriter::Process(*rig.reader, Boxes("5A62C100001|54A"), true, "OLD");
  ASSERT_TRUE(result.has_value());
  EXPECT_EQ(result->Caret,
            result->Report.find("\r\nTrim (") + 3);  // a line earlier than without the wrap
  EXPECT_EQ(rig.reader->Model, "Two-door hardtop coupe with vinyl\r\n             roof option");

  rig.reader->Model = "Two-door hardtop coupe with vinyl roof option";
  EXPECT_EQ(Lines(ReportWriter::Write(*rig.reader, Boxes("5A"), false, "").Report)[6],
            "Model (Blank) = Two-door hardtop coupe with vinyl roof option");

  rig.reader->ErrorOccurred = true;
  EXPECT_FALSE(ReportWriter::Process(*rig.reader, Boxes(" 5A62C1|11B"), true, "kept").has_value());
  EXPECT_FALSE(rig.reader->ErrorOccurred);
  EXPECT_EQ(rig.reader->Body + rig.reader->ModelYear,
            "#b65-54A1965");  // a rejected year decodes nothing
  result = ReportWriter::Process(*rig.reader, Boxes("5A62C1|99Z"), false, "");
  EXPECT_TRUE(result && result->ErrorOccurred);
}

// Whatever is typed (any bytes, any length) ends in a well-formed report or a rejected year.
TEST(ReportWriter, ArbitraryInputEndsInAReportOrARejectedYear) {
  std::mt19937 rng(20260612);
  auto text = [&rng](std::size_t max) {
    std::string s(rng() % (max + 1), ' ');
    for (char& c : s) c = "0123456789ABCXYZabz \xD8\xF8\x01\xFF"[rng() % 24];
    return s;
  };
  DecodeRig rig(SerialKeys(65) + " " + SerialKeys(59));
  rig.prompter.SetDefaultYearAnswer(1);
  int reports = 0;
  for (int i = 0; i < 3000; ++i) {
    const PlateBoxes typed{text(14), text(5), text(4), text(5), text(5), text(4), text(3), text(3)};
    const auto result = ReportWriter::Process(*rig.reader, typed, i % 2 == 0, "previous");
    ASSERT_EQ(!result, rig.reader->BadYearCode);
    if (!result) continue;
    const std::string& r = result->Report;
    EXPECT_EQ(r.find(i % 2 == 0 ? "previous\r\n\r\n___" : "Serial (Warranty) Number: "), 0u) << i;
    EXPECT_NE(r.rfind("\r\nAxle ("), std::string::npos) << i;
    EXPECT_LE(result->Caret.value_or(0), r.size());
    reports += r.ends_with("\r\n") ? 0 : 1;
  }
  EXPECT_GT(reports, 1000);  // most decodes run, and no report ends in a line break
}

}  // namespace
}  // namespace vorrendal
