// The report text where the golden outputs do not reach: a word wider than
// its line, the append separator and the caret.
#include <gtest/gtest.h>

#include "Keys.h"
#include "decode/ReportWriter.h"
#include "decode/clsDescriptionStore.h"

namespace vorrendal {
namespace {

using namespace testing;

// (Where a description breaks, the golden outputs keep.)
TEST(Wrap, AValueAsWideAsItsLineBreaksAtItsSpace) {
  EXPECT_EQ(ReportWriter::WrapDescription("ab cd", 5), "ab\r\n" + std::string(46, ' ') + "cd");
}

TEST(Wrap, AWordLongerThanTheWidthIsCut) {
  EXPECT_EQ(ReportWriter::WrapDescription("abcde", 5), "abcd\r\n" + std::string(46, ' ') + "e");
}

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
