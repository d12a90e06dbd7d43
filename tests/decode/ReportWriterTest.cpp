// The report text where the golden outputs do not reach: a blank code's long
// value, word wrap edges, the append separator and the caret.
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
                                   std::string(45, ' ') + "ee"}));

const PlateBoxes kTyped = Boxes("3a51x123456|54a|ma|12|9a|12|4|1");

ReportResult Write(bool append, const std::string& previous) {
  auto data = Keys("");
  data->Add("63", "c63-M", "Red").Add("63", "c63-A", "White");
  clsDescriptionStore store(std::move(data));
  return ReportWriter::Write(DecodePlate(kTyped, Decade::k1960s, store), kTyped, append, previous);
}

TEST(Report, GivesTheTypedCodesBackInCapitals) {
  EXPECT_EQ(Write(false, "").Boxes, Boxes("3A51X123456|54A|MA|12|9A|12|4|1"));
}

TEST(Report, AppendedFollowsThePreviousOneAfterTheSeparator) {
  const ReportResult alone = Write(false, "OLD");
  EXPECT_FALSE(alone.Caret.has_value());
  const ReportResult appended = Write(true, "OLD\r\nTWO\r\n");
  EXPECT_EQ(appended.Report,
            "OLD\r\nTWO\r\n\r\n\r\n" + std::string(40, '_') + "\r\n\r\n" + alone.Report);
  ASSERT_TRUE(appended.Caret.has_value());
  EXPECT_EQ(appended.Report.substr(*appended.Caret - 1, 7), "Date (9");  // after the Trim line
}

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
