// The report text: line order and wording, echo spacing, "(Blank)" lines,
// the Date and DSO lines by year, the color cut, word wrap, the append
// separator and the caret.
#include "decode/ReportWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "DecodeRig.h"

namespace vorrendal {
namespace {

using testing::DecodeRig;
using testing::Described;

std::string Sp(std::size_t n) { return std::string(n, ' '); }

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (;;) {
    const std::size_t p = text.find("\r\n", start);
    lines.push_back(text.substr(start, p == std::string::npos ? std::string::npos : p - start));
    if (p == std::string::npos) return lines;
    start = p + 2;
  }
}

PlateBoxes Typed(std::string serial, std::string body, std::string color, std::string trim,
                 std::string date, std::string dso, std::string trans, std::string axle) {
  return {std::move(serial), std::move(body), std::move(color), std::move(trim),
          std::move(date),   std::move(dso),  std::move(trans), std::move(axle)};
}

// A 1963 plate with every code typed in lower case and every record present.
struct Plate1963 {
  Plate1963() {
    rig.Store("p63-A", "Plant A").Store("m63-51", "Model 51").Store("e63-X", "Engine X");
    rig.Store("b63-54A", "Body 54A").Store("c63-M", "Red").Store("c63-A", "White");
    rig.Store("t63-12", "Trim 12").Store("s63-12", "DSO 12").Store("r63-4", "Trans 4");
    rig.Store("x63-1", "3.08:1");
  }
  std::optional<ReportResult> Process(bool append = false, const std::string& current = "") {
    rig.Prompter().QueueYearAnswer(0);
    return ReportWriter::Process(rig.Reader(), typed, append, current);
  }
  DecodeRig rig;
  PlateBoxes typed = Typed("3a51x123456", "54a", "ma", "12", "9a", "12", "4", "1");
};

const std::string kReport1963 =
    "Serial (Warranty) Number: 3A51X123456\r\n"
    "Body: 54A   Color: MA   Trim: 12   Date: 9A\r\n"
    "DSO: 12     Trans: 4    Axle: 1\r\n"
    "\r\n"
    "Year (3) = 1963\r\n"
    "Plant (A) = Plant A\r\n"
    "Model (51) = Model 51\r\n"
    "Engine (X) = Engine X\r\n"
    "Consecutive Unit Number (123456) = 123456\r\n"
    "Body (54A) = Body 54A\r\n"
    "Color (MA) = Red (Lower body); White (Upper body)\r\n"
    "Trim (12) = Trim 12\r\n"
    "Date (9A) = Manufactured January 9\r\n"
    "DSO (12) = DSO 12\r\n"
    "Transmission (4) = Trans 4\r\n"
    "Axle (1) = 3.08:1";

const std::string kSeparator = "\r\n\r\n" + std::string(40, '_') + "\r\n\r\n";

TEST(ReportWriter, ReplaceModeWritesTheWholeReport) {
  Plate1963 plate;
  const auto result = plate.Process(false, "old text is replaced");
  ASSERT_TRUE(result.has_value());
  EXPECT_EQ(result->Report, kReport1963);
  EXPECT_EQ(result->Boxes, Typed("3A51X123456", "54A", "MA", "12", "9A", "12", "4", "1"));
  EXPECT_FALSE(result->Caret.has_value());
  EXPECT_FALSE(result->ErrorOccurred);
}

TEST(ReportWriter, EmptyCodesGiveBlankLines) {
  DecodeRig rig;
  rig.StoreSerialKeys(65);
  const auto result = ReportWriter::Process(rig.Reader(), Typed("5A62C", "", "", "", "", "", "", ""),
                                            false, "");
  ASSERT_TRUE(result.has_value());
  const std::string expected =
      "Serial (Warranty) Number: 5A62C\r\n"
      "Body: " + Sp(6) + "Color: " + Sp(5) + "Trim: " + Sp(5) + "Date: \r\n"
      "DSO: " + Sp(7) + "Trans: " + Sp(5) + "Axle: \r\n"
      "\r\n"
      "Year (5) = 1965\r\n"
      "Plant (A) = " + Described("p65-A") + "\r\n"
      "Model (62) = " + Described("m65-62") + "\r\n"
      "Engine (C) = " + Described("e65-C") + "\r\n"
      "Consecutive Unit Number (Blank) = Invalid Number\r\n"
      "Body (Blank) = Incorrect Code\r\n"
      "Color (Blank) = Incorrect Code\r\n"
      "Trim (Blank) = Incorrect Code\r\n"
      "Date (Blank) = Incorrect Code\r\n"
      "DSO (Blank) = Incorrect Code\r\n"
      "Transmission (Blank) = Incorrect Code\r\n"
      "Axle (Blank) = Incorrect Code";
  EXPECT_EQ(result->Report, expected);
}

TEST(ReportWriter, SerialPiecesOfBothLayouts) {
  struct Case {
    int year;
    std::string serial;
    std::string shown;               // the serial line's text
    std::vector<std::string> lines;  // report lines 5 to 9, up to " = "
  };
  const Case cases[] = {
      {65, "5a62c100001", "5A62C100001", {"Year (5)", "Plant (A)", "Model (62)", "Engine (C)",
                           "Consecutive Unit Number (100001)"}},
      {59, "c9ab100001", "C9AB100001", {"Year (9)", "Plant (A)", "Model (B)", "Engine (C)",
                          "Consecutive Unit Number (100001)"}},
      {59, "C9", "C9", {"Year (9)", "Plant (Blank)", "Model (Blank)", "Engine (C)",
                  "Consecutive Unit Number (Blank)"}},
      {65, "5A6", "5A6", {"Year (5)", "Plant (A)", "Model (6)", "Engine (Blank)",
                   "Consecutive Unit Number (Blank)"}},
      {65, "5A62C1000019", "5A62C1000019", {"Year (5)", "Plant (A)", "Model (62)", "Engine (C)",
                            "Consecutive Unit Number (100001)"}},
      {72, "2a62c100001  ", "2A62C100001  ", {"Year (2)", "Plant (A)", "Model (62)", "Engine (C)",
                             "Consecutive Unit Number (100001)"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.serial);
    DecodeRig rig;
    rig.AnswerFor(c.year);
    const auto result = ReportWriter::Process(
        rig.Reader(), Typed(c.serial, "", "", "", "", "", "", ""), false, "");
    ASSERT_TRUE(result.has_value());
    const std::vector<std::string> lines = Lines(result->Report);
    ASSERT_GE(lines.size(), 9u);
    EXPECT_EQ(lines[0], "Serial (Warranty) Number: " + c.shown);
    for (std::size_t i = 0; i < c.lines.size(); ++i) {
      EXPECT_EQ(lines[4 + i].substr(0, c.lines[i].size() + 3), c.lines[i] + " = ");
    }
  }
}

TEST(ReportWriter, DateAndDSOLinesByYear) {
  for (int year = 59; year <= 74; ++year) {
    SCOPED_TRACE(year);
    DecodeRig rig;
    rig.AnswerFor(year);
    const auto result = ReportWriter::Process(
        rig.Reader(), Typed(testing::SerialFor(year), "", "", "", "", "", "", ""), false, "");
    ASSERT_TRUE(result.has_value());
    const std::string& r = result->Report;
    EXPECT_EQ(r.find("\r\nDate (Blank) = ") != std::string::npos, year <= 69);
    EXPECT_EQ(r.find("\r\nDSO (Blank) = ") != std::string::npos, year >= 62);
    // The echo shows every box whatever the year.
    EXPECT_NE(r.find("Date: \r\nDSO: "), std::string::npos);
    EXPECT_EQ(Lines(r).back(), "Axle (Blank) = Incorrect Code");
  }
}

TEST(ReportWriter, ColorBoxIsCutToOneCharacterFor1967To1971) {
  struct Case {
    int year;
    std::string typed;
    std::string box;
  };
  const Case cases[] = {
      {68, "kx", "K"}, {67, "7a", "7"}, {71, "3B", "3"}, {68, "", ""},
      {66, "7a", "7A"}, {72, "4a", "4A"}, {64, "ma", "MA"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.year);
    DecodeRig rig;
    rig.AnswerFor(c.year);
    const auto result = ReportWriter::Process(
        rig.Reader(), Typed(testing::SerialFor(c.year), "", c.typed, "", "", "", "", ""), false,
        "");
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->Boxes.Color, c.box);
    const std::vector<std::string> lines = Lines(result->Report);
    EXPECT_EQ(lines[1], "Body: " + Sp(6) + "Color: " + c.box + Sp(5 - c.box.size()) + "Trim: " +
                            Sp(5) + "Date: ");
    const std::string colorLine = c.box.empty() ? "Color (Blank) = " : "Color (" + c.box + ") = ";
    EXPECT_EQ(lines[10].substr(0, colorLine.size()), colorLine);
  }
}

TEST(ReportWriter, EchoLinesPadEachCode) {
  struct Case {
    PlateBoxes typed;
    std::string first, second;
  };
  const Case cases[] = {
      {Typed("5A62C1", "54a", "m", "12", "9a", "12", "4", "3"),
       "Body: 54A   Color: M    Trim: 12   Date: 9A", "DSO: 12     Trans: 4    Axle: 3"},
      {Typed("5A62C1", "5", "", "123", "12A", "1", "", ""),
       "Body: 5     Color:      Trim: 123  Date: 12A", "DSO: 1      Trans:      Axle: "},
      // Codes longer than the window's boxes allow get no padding.
      {Typed("5A62C1", "54ABCDE", "ABCDEF", "123456", "12AB", "12345678", "123456", "12"),
       "Body: 54ABCDEColor: ABCDEFTrim: 123456Date: 12AB", "DSO: 12345678Trans: 123456Axle: 12"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.first);
    DecodeRig rig;
    const auto result = ReportWriter::Process(rig.Reader(), c.typed, false, "");
    ASSERT_TRUE(result.has_value());
    const std::vector<std::string> lines = Lines(result->Report);
    EXPECT_EQ(lines[1], c.first);
    EXPECT_EQ(lines[2], c.second);
    EXPECT_EQ(lines[3], "");
  }
}

TEST(ReportWriter, WrapDescriptionBreaksAtTheLastSpaceWithinReach) {
  struct Case {
    std::string text;
    int width;
    std::string expected;
  };
  const Case cases[] = {
      {"Two-door hardtop coupe with vinyl roof option", 38,
       "Two-door hardtop coupe with vinyl\r\n" + Sp(13) + "roof option"},
      {"Four-speed manual with floor shift lever", 32,
       "Four-speed manual with floor\r\n" + Sp(19) + "shift lever"},
      {"aaaa bbbb", 5, "aaaa\r\n" + Sp(46) + "bbbb"},  // the space at the width itself
      {"ab cd", 5, "ab\r\n" + Sp(46) + "cd"},          // exactly the width long
      {"aaaa bbbb cccc dddd", 10, "aaaa bbbb\r\n" + Sp(41) + "cccc dddd"},
      {"aa bb cc dd ee ff", 6,
       "aa bb\r\n" + Sp(45) + "cc dd\r\n" + Sp(45) + "ee ff"},
      {"abc", 5, "abc"},
      // no space within reach: a hard break after width - 1 characters
      {"ABCDEFGHIJ", 5, "ABCD\r\n" + Sp(46) + "EFGH\r\n" + Sp(46) + "IJ"},
      {"ab cdefghijkl", 5,
       "ab\r\n" + Sp(46) + "cdef\r\n" + Sp(46) + "ghij\r\n" + Sp(46) + "kl"},
      {"abcde", 5, "abcd\r\n" + Sp(46) + "e"},
      // too narrow to hold anything: left whole
      {"abc def", 1, "abc def"},
      {"abc def", 0, "abc def"},
      {"abc def", -4, "abc def"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReportWriter::WrapDescription(c.text, c.width), c.expected)
        << c.text << " / " << c.width;
  }
}

// Whatever the text, no line of a wrapped value passes 50 characters and
// only the spaces at the breaks are dropped.
TEST(ReportWriter, WrapDescriptionKeepsEveryCharacterWithinTheBudget) {
  const std::string texts[] = {
      "Sport coupe, two-door hardtop with bucket seats and console",
      "Supercalifragilisticexpialidocious-and-then-some-more-text-without-spaces",
      "a b c d e f g h i j k l m n o p q r s t u v w x y z a b c d e f g h",
      "Wide   spaced    words    with     runs      of      spaces     here",
      "Medium Dark Turquoise Metallic (Lower body); Light Beige (Upper body)",
      "x",
  };
  auto withoutSpaces = [](const std::string& s) {
    std::string out;
    for (char ch : s) {
      if (ch != ' ' && ch != '\r' && ch != '\n') out += ch;
    }
    return out;
  };
  for (const std::string& text : texts) {
    for (int width : {2, 5, 10, 18, 32, 38, 40, 50}) {
      SCOPED_TRACE(text + " / " + std::to_string(width));
      const std::string wrapped = ReportWriter::WrapDescription(text, width);
      const std::vector<std::string> lines = Lines(wrapped);
      // The first line follows a label of 51 - width characters.
      EXPECT_LE(lines.front().size() + static_cast<std::size_t>(51 - width), 50u);
      for (std::size_t i = 1; i < lines.size(); ++i) {
        EXPECT_LE(lines[i].size(), 50u);
        EXPECT_EQ(lines[i].substr(0, static_cast<std::size_t>(51 - width)), Sp(51 - width));
      }
      EXPECT_EQ(withoutSpaces(wrapped), withoutSpaces(text));
    }
  }
}

TEST(ReportWriter, LongDescriptionsAreWrappedOnlyWhenLongerThanTheWidth) {
  struct Case {
    std::string model;  // description of m65-62
    std::string trans;  // description of r65-4
    std::vector<std::string> modelLines, transLines;
  };
  const std::string exact38 = "Two-door hardtop coupe with vinyl roof";
  const Case cases[] = {
      {exact38, "Short", {"Model (62) = " + exact38}, {"Transmission (4) = Short"}},
      {exact38 + "s", "Four-speed manual with floor shift lever",
       {"Model (62) = Two-door hardtop coupe with vinyl", Sp(13) + "roofs"},
       {"Transmission (4) = Four-speed manual with floor", Sp(19) + "shift lever"}},
      {"Two-door hardtop coupe with vinyl roof option and more", "Four-speed manual floor shift",
       {"Model (62) = Two-door hardtop coupe with vinyl", Sp(13) + "roof option and more"},
       {"Transmission (4) = Four-speed manual floor shift"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.model);
    DecodeRig rig;
    rig.Store({"p65-A", "e65-C"}).Store("m65-62", c.model).Store("r65-4", c.trans);
    const auto result = ReportWriter::Process(
        rig.Reader(), Typed("5A62C100001", "", "", "", "", "", "4", ""), false, "");
    ASSERT_TRUE(result.has_value());
    const std::vector<std::string> lines = Lines(result->Report);
    std::vector<std::string> expected = c.modelLines;
    const std::size_t model = 6;
    ASSERT_GE(lines.size(), model + expected.size());
    EXPECT_EQ(std::vector<std::string>(lines.begin() + model,
                                       lines.begin() + static_cast<long>(model + expected.size())),
              expected);
    const auto trans = std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
      return l.rfind("Transmission (", 0) == 0;
    });
    ASSERT_NE(trans, lines.end());
    EXPECT_EQ(std::vector<std::string>(trans, trans + static_cast<long>(c.transLines.size())),
              c.transLines);
    // The reader keeps the wrapped form.
    EXPECT_EQ(rig.Reader().Model, c.modelLines.size() == 1
                                      ? c.model
                                      : c.modelLines[0].substr(13) + "\r\n" + c.modelLines[1]);
    // A value of exactly the width fills the 51-character budget unbroken.
    for (const std::string& line : lines) EXPECT_LE(line.size(), 51u) << line;
  }
}

TEST(ReportWriter, ABlankLineShowsTheValueUnwrappedAndFixedLinesNeverWrap) {
  DecodeRig rig;
  rig.StoreSerialKeys(65);
  rig.Reader().ReadCodes("5A", "", "", "", "", "", "", "");
  const std::string longText = "A description long enough to pass the width of any line here";
  rig.Reader().Model = longText;
  rig.Reader().AssemblyPlant = longText;
  rig.Reader().DSO = longText;
  const ReportResult result =
      ReportWriter::Write(rig.Reader(), Typed("5A", "", "", "", "", "12", "", ""), false, "");
  const std::vector<std::string> lines = Lines(result.Report);
  EXPECT_EQ(lines[5], "Plant (A) = " + longText);
  EXPECT_EQ(lines[6], "Model (Blank) = " + longText);
  EXPECT_NE(std::find(lines.begin(), lines.end(), "DSO (12) = " + longText), lines.end());
  // The reader's value is wrapped all the same, against the blank width.
  EXPECT_EQ(rig.Reader().Model, ReportWriter::WrapDescription(longText, 40));
}

TEST(ReportWriter, AppendAddsASeparatedSectionAndPlacesTheCaret) {
  const std::string previous[] = {"", "OLD REPORT", kReport1963, "one\r\ntwo\r\n\r\nthree\r\n"};
  for (const std::string& current : previous) {
    SCOPED_TRACE(current);
    Plate1963 plate;
    const auto result = plate.Process(true, current);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->Report, current + kSeparator + kReport1963);
    // The caret lands on the second character of the line after the Trim line.
    const std::size_t trim = result->Report.find("\r\nTrim (", current.size());
    const std::size_t next = result->Report.find("\r\n", trim + 2) + 2;
    ASSERT_TRUE(result->Caret.has_value());
    EXPECT_EQ(*result->Caret, next + 1);
    EXPECT_EQ(result->Report.substr(*result->Caret - 1, 6), "Date (");
  }
}

TEST(ReportWriter, CaretCountsWrappedLinesToo) {
  DecodeRig rig;
  rig.Store({"p65-A", "e65-C"}).Store("m65-62", "Two-door hardtop coupe with vinyl roof option");
  const auto result = ReportWriter::Process(
      rig.Reader(), Typed("5A62C100001", "54A", "", "", "", "", "", ""), true, "OLD");
  ASSERT_TRUE(result.has_value());
  // One wrapped line moves the thirteenth break up to the end of the Color line.
  const std::size_t trim = result->Report.find("\r\nTrim (");
  ASSERT_NE(trim, std::string::npos);
  EXPECT_EQ(result->Caret, trim + 3);
}

TEST(ReportWriter, ProcessStopsOnABadYearAndClearsTheErrorFlagFirst) {
  Plate1963 plate;
  plate.rig.Reader().ErrorOccurred = true;
  ASSERT_TRUE(plate.Process().has_value());
  EXPECT_FALSE(plate.rig.Reader().ErrorOccurred);
  const std::string modelBefore = plate.rig.Reader().Model;

  plate.typed.SerialNumber = " 3A51X123456";
  plate.rig.Reader().ErrorOccurred = true;
  EXPECT_FALSE(ReportWriter::Process(plate.rig.Reader(), plate.typed, true, "kept").has_value());
  EXPECT_FALSE(plate.rig.Reader().ErrorOccurred);
  EXPECT_TRUE(plate.rig.Reader().BadYearCode);
  EXPECT_EQ(plate.rig.Reader().Model, modelBefore);

  // A missing record shows in the result's error flag; the next clean decode clears it.
  plate.typed = Typed("3A51X123456", "99Z", "", "", "", "", "", "");
  auto result = plate.Process();
  ASSERT_TRUE(result.has_value());
  EXPECT_TRUE(result->ErrorOccurred);
  plate.typed = Typed("3A51X123456", "54A", "", "", "", "", "", "");
  result = plate.Process();
  ASSERT_TRUE(result.has_value());
  EXPECT_FALSE(result->ErrorOccurred);
}

}  // namespace
}  // namespace vorrendal
