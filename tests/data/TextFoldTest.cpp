#include <gtest/gtest.h>

#include "data/TextFold.h"

namespace vorrendal {
namespace {

struct FoldRow {
  const char* what;
  std::string text, folded;
};

std::ostream& operator<<(std::ostream& os, const FoldRow& row) { return os << row.what; }

class TextFold : public ::testing::TestWithParam<FoldRow> {};

TEST_P(TextFold, FoldsCaseAndAccents) { EXPECT_EQ(FoldText(GetParam().text), GetParam().folded); }

INSTANTIATE_TEST_SUITE_P(
    Rows, TextFold,
    ::testing::Values(
        FoldRow{"capital accented letters", "\xC0\xC9\xCE\xD5\xDC\xDD", "aeiouy"},
        FoldRow{"small accented letters", "\xE1\xEA\xEF\xF3\xF9\xFD\xFF", "aeiouyy"},
        FoldRow{"carons and the diaeresis of the 0x80 row", "\x8A\x9A\x8E\x9E\x9F", "sszzy"},
        FoldRow{"the slashed zero stays apart from O", "\xD8\xF8O", "\xF8\xF8o"},
        FoldRow{"letters of their own are lower-cased", "\xC6\xD0\xDE\x8C\xDF",
                "\xE6\xF0\xFE\x9C\xDF"},
        FoldRow{"multiplication and division signs are no letters", "\xD7\xF7", "\xD7\xF7"},
        FoldRow{"other symbols and NUL", std::string("\x80\xA0\xB5\0\x7F", 5),
                std::string("\x80\xA0\xB5\0\x7F", 5)}));

}  // namespace
}  // namespace vorrendal
