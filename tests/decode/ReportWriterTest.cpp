// The report text where the golden report does not reach: a blank code's
// long value, word wrap edges, one whole report byte for byte with the
// append separator, and the caret.
#include <gtest/gtest.h>

#include "Keys.h"
#include "decode/ReportWriter.h"
#include "decode/clsDescriptionStore.h"

namespace vorrendal {
namespace {

using namespace testing;

TEST(ReportLine, ABlankCodeShowsItsValueUnwrapped) {
  clsDescriptionStore store(nullptr);
  DecodeResult r = DecodePlate(Boxes("5A"), Decade::k1960s, store);
  r.Model = "Two-door hardtop coupe with vinyl roof option";
  EXPECT_NE(
      ReportWriter::Write(r, Boxes("5A"), false, "")
          .Report.find("\r\nModel (Blank) = Two-door hardtop coupe with vinyl roof option\r\n"),
      std::string::npos);
}

struct WrapCase {
  const char* text;
  int width;
  std::string want;
};
void PrintTo(const WrapCase& c, std::ostream* os) { *os << c.text << " at " << c.width; }

class Wrap : public ::testing::TestWithParam<WrapCase> {};

TEST_P(Wrap, BreaksAtTheLastSpaceWithinTheWidth) {
  EXPECT_EQ(ReportWriter::WrapDescription(GetParam().text, GetParam().width), GetParam().want);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Wrap,
    ::testing::Values(WrapCase{"abcd", 5, "abcd"},
                      WrapCase{"abcde", 5, "abcd\r\n" + std::string(46, ' ') + "e"},  // no space
                      WrapCase{"aa bb cc dd ee", 6,
                               "aa bb\r\n" + std::string(45, ' ') + "cc dd\r\n" +
                                   std::string(45, ' ') + "ee"},
                      WrapCase{"abc def", 1, "abc def"}));

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

class WholeReport : public ::testing::TestWithParam<bool> {};

TEST_P(WholeReport, ReplacesOrFollowsThePreviousOne) {
  const bool append = GetParam();
  const std::string previous = "OLD\r\nTWO\r\n";
  auto data = Keys("p63-A m63-51 e63-X b63-54A t63-12 s63-12 r63-4 x63-1");
  data->Add("63", "c63-M", "Red").Add("63", "c63-A", "White");
  clsDescriptionStore store(std::move(data));
  const PlateBoxes typed = Boxes("3a51x123456|54a|ma|12|9a|12|4|1");
  const ReportResult result =
      ReportWriter::Write(DecodePlate(typed, Decade::k1960s, store), typed, append, previous);
  EXPECT_EQ(result.Boxes, Boxes("3A51X123456|54A|MA|12|9A|12|4|1"));
  EXPECT_EQ(result.Report,
            append ? previous + "\r\n\r\n" + std::string(40, '_') + "\r\n\r\n" + kReport1963
                   : kReport1963);
  ASSERT_EQ(result.Caret.has_value(), append);
  // The caret is one character into the line after the Trim line.
  if (append) {
    EXPECT_EQ(result.Report.substr(*result.Caret - 1, 7), "Date (9");
  }
}

INSTANTIATE_TEST_SUITE_P(ReplaceOrAppend, WholeReport, ::testing::Bool());

TEST(Caret, CountsWrappedLines) {
  auto data = Keys("");
  data->Add("65", "m65-62", "Two-door hardtop coupe with vinyl roofs");
  clsDescriptionStore store(std::move(data));
  const PlateBoxes boxes = Boxes("5A62C100001|54A");
  const ReportResult result =
      ReportWriter::Write(DecodePlate(boxes, Decade::k1960s, store), boxes, true, "OLD");
  ASSERT_TRUE(result.Caret.has_value());
  EXPECT_EQ(*result.Caret, result.Report.find("\r\nTrim (") + 3);  // a line earlier
}

}  // namespace
}  // namespace vorrendal
