#include <gtest/gtest.h>

#include "data/TextFold.h"

namespace vorrendal {
namespace {

using Texts = std::pair<std::string, std::string>;  // a text, folded

class TextFold : public ::testing::TestWithParam<Texts> {};

TEST_P(TextFold, FoldsCaseAndAccents) { EXPECT_EQ(FoldText(GetParam().first), GetParam().second); }

// Capital and small accented letters, carons and the diaeresis of the 0x80 row; the slashed zero
// stays apart from O; letters of their own are lower-cased; the multiplication and division signs,
// other symbols and NUL are no letters.
INSTANTIATE_TEST_SUITE_P(Rows, TextFold,
                         ::testing::Values(Texts{"\xC0\xC9\xCE\xD5\xDC\xDD", "aeiouy"},
                                           Texts{"\xE1\xEA\xEF\xF3\xF9\xFD\xFF", "aeiouyy"},
                                           Texts{"\x8A\x9A\x8E\x9E\x9F", "sszzy"},
                                           Texts{"\xD8\xF8O", "\xF8\xF8o"},
                                           Texts{"\xC6\xD0\xDE\x8C\xDF", "\xE6\xF0\xFE\x9C\xDF"},
                                           Texts{"\xD7\xF7", "\xD7\xF7"},
                                           Texts{std::string("\x80\xA0\xB5\0\x7F", 5),
                                                 std::string("\x80\xA0\xB5\0\x7F", 5)}));

}  // namespace
}  // namespace vorrendal
