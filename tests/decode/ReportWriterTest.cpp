// The report text where the golden outputs and the window's tests do not reach: a word wider than
// its line, the caret after wrapped lines.
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
