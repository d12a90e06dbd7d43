// The editable source form: what a year file may hold, what is refused and
// how each refusal names its file and line.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "DataTestFiles.h"
#include "tools/data/DescriptionSource.h"

namespace vorrendal {
namespace {

using namespace std::string_literals;

using ::testing::HasSubstr;
using testing_data::ScratchDir;
using testing_data::WriteBytes;

// Lines that parse into records.
struct GoodCase {
  const char* name;
  std::string text;
  std::vector<std::pair<std::string, std::string>> records;  // Windows-1252 key, description
};

class SourceAccepted : public ::testing::TestWithParam<GoodCase> {};

TEST_P(SourceAccepted, GivesTheRecords) {
  std::vector<std::string> problems;
  const auto records = DescriptionSource::ParseYear(1962, GetParam().text, "1962.txt", problems);
  EXPECT_THAT(problems, ::testing::IsEmpty());
  std::vector<std::pair<std::string, std::string>> got;
  for (const auto& r : records) got.emplace_back(r.key, r.description);
  EXPECT_EQ(got, GetParam().records);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SourceAccepted,
    ::testing::Values(
        GoodCase{"Plain", "p62-A\tAtlanta, Georgia\n", {{"p62-A", "Atlanta, Georgia"}}},
        GoodCase{"NoFinalNewline", "p62-A\tAtlanta", {{"p62-A", "Atlanta"}}},
        GoodCase{"CommentsAndBlanks", "# plants\n\n   \n\t\np62-A\tA\n#p62-B\tB\n", {{"p62-A", "A"}}},
        GoodCase{"CrLfLines", "p62-A\tA\r\nm62-51\tB\r\n", {{"p62-A", "A"}, {"m62-51", "B"}}},
        GoodCase{"ByteOrderMark", "\xEF\xBB\xBFp62-A\tA\n", {{"p62-A", "A"}}},
        GoodCase{"TabAndDashInDescription", "c62-AB\tBlack - over\tIvory\n", {{"c62-AB", "Black - over\tIvory"}}},
        GoodCase{"UpperCaseFieldLetter", "P62-A\tA\n", {{"P62-A", "A"}}},
        GoodCase{"Windows1252Text", "c62-R\tCr\xC3\xA8me \xE2\x80\x9CIvory\xE2\x80\x9D \xE2\x82\xAC\n",
                 {{"c62-R", "Cr\xE8me \x93Ivory\x94 \x80"}}},
        GoodCase{"EmptyDescription", "p62-Z\t\n", {{"p62-Z", ""}}},
        GoodCase{"FileOrderKept", "x62-2\tb\nx62-1\ta\n", {{"x62-2", "b"}, {"x62-1", "a"}}}),
    [](const auto& p) { return std::string(p.param.name); });

// Lines that are refused, each with its file, line and reason.
struct BadCase {
  const char* name;
  std::string text;
  std::string message;
};

class SourceRefused : public ::testing::TestWithParam<BadCase> {};

TEST_P(SourceRefused, NamesFileLineAndReason) {
  std::vector<std::string> problems;
  const auto records = DescriptionSource::ParseYear(1962, "# first\np62-A\tok\n" + GetParam().text, "1962.txt", problems);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_THAT(problems[0], HasSubstr("1962.txt:3: "));
  EXPECT_THAT(problems[0], HasSubstr(GetParam().message));
  EXPECT_EQ(records.size(), 1u) << "the good line is kept";
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SourceRefused,
    ::testing::Values(
        BadCase{"BadUtf8", "c62-A\tBad \xC3 byte\n", "not valid UTF-8 at column 11"},
        BadCase{"Overlong", "c62-A\t\xC0\xAF\n", "not valid UTF-8"},
        BadCase{"NoWindows1252Form", "c62-A\tGreek \xCE\xA9\n", "(U+03A9) has no Windows-1252 form"},
        BadCase{"MissingTab", "p62-B Atlanta\n", "no TAB"},
        BadCase{"EmptyKey", "\tAtlanta\n", "empty key"},
        BadCase{"KeyOfAnotherYear", "p63-B\tAtlanta\n", "does not carry the model year 62"},
        BadCase{"KeyWithoutDash", "p62B\tAtlanta\n", "does not carry the model year 62"},
        BadCase{"KeyWithoutCode", "p62-\tAtlanta\n", "has no code"},
        BadCase{"NotAFieldLetter", "q62-B\tAtlanta\n", "field letter"},
        BadCase{"SpaceInKey", "p62 -B\tAtlanta\n", "space or control"},
        BadCase{"NulInDescription", "p62-B\tAt\0lanta\n"s, "NUL"},
        BadCase{"CarriageReturnInDescription", "p62-B\tAt\rlanta\n", "line break"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(SourceFileName, OnlyModelYears) {
  EXPECT_EQ(DescriptionSource::YearOfFileName("1959.txt"), 1959);
  EXPECT_EQ(DescriptionSource::YearOfFileName("1974.txt"), 1974);
  for (const char* name : {"1958.txt", "1975.txt", "59.txt", "1965.TXT", "1965 .txt", "19a5.txt", "1965.txt~"}) {
    EXPECT_EQ(DescriptionSource::YearOfFileName(name), std::nullopt) << name;
  }
}

// A directory: years in ascending order, keys unique across every file.
class SourceDirectory : public ::testing::Test {
 protected:
  std::optional<std::vector<SourceYear>> Read() { return DescriptionSource::ReadDirectory(dir_.Path(), problems_); }
  ScratchDir dir_;
  std::vector<std::string> problems_;
};

TEST_F(SourceDirectory, ReadsOnlyTheYearsPresentInOrder) {
  WriteBytes(dir_ / "1973.txt", "x73-\xC3\x98\t3.00:1\n");
  WriteBytes(dir_ / "1960.txt", "p60-A\tAtlanta\n");
  WriteBytes(dir_ / "CMakeLists.txt", "not a year file");
  WriteBytes(dir_ / "notes.txt", "not a year file");
  WriteBytes(dir_ / "notes.md", "not a year file");
  const auto years = Read();
  ASSERT_TRUE(years) << ::testing::PrintToString(problems_);
  ASSERT_EQ(years->size(), 2u);
  EXPECT_EQ((*years)[0].year, 1960);
  EXPECT_EQ((*years)[1].year, 1973);
  EXPECT_EQ((*years)[1].records[0].key, "x73-\xD8");
}

TEST_F(SourceDirectory, AYearFileOfOnlyCommentsIsAnEmptyYear) {
  WriteBytes(dir_ / "1961.txt", "# nothing yet\n");
  const auto years = Read();
  ASSERT_TRUE(years);
  EXPECT_TRUE((*years)[0].records.empty());
}

struct DirCase {
  const char* name;
  std::vector<std::pair<std::string, std::string>> files;
  std::string message;
};

class SourceDirectoryRefused : public ::testing::TestWithParam<DirCase> {};

TEST_P(SourceDirectoryRefused, NothingIsReturned) {
  ScratchDir dir;
  for (const auto& [name, text] : GetParam().files) WriteBytes(dir / name, text);
  std::vector<std::string> problems;
  EXPECT_FALSE(DescriptionSource::ReadDirectory(dir.Path(), problems));
  EXPECT_THAT(problems, ::testing::Contains(HasSubstr(GetParam().message)));
}

INSTANTIATE_TEST_SUITE_P(
    Directories, SourceDirectoryRefused,
    ::testing::Values(
        DirCase{"NoYearFiles", {{"README.md", "x"}}, "no year files"},
        DirCase{"YearOutOfRange", {{"1960.txt", "p60-A\tA\n"}, {"1975.txt", "p75-A\tA\n"}}, "1975.txt: file name is not a model year"},
        DirCase{"TwoDigitYear", {{"1960.txt", "p60-A\tA\n"}, {"61.txt", "p61-A\tA\n"}}, "61.txt: file name is not a model year"},
        DirCase{"DuplicateKey", {{"1960.txt", "p60-A\tA\n\np60-B\tB\nP60-a\tC\n"}}, "1960.txt:4: duplicate key \"P60-a\" (first at 1960.txt:1)"},
        DirCase{"BadLineInOneOfTwoFiles", {{"1960.txt", "p60-A\tA\n"}, {"1961.txt", "p60-A\tA\n"}}, "1961.txt:1: key \"p60-A\" does not carry the model year 61"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(SourceDirectoryMissing, IsAProblem) {
  std::vector<std::string> problems;
  EXPECT_FALSE(DescriptionSource::ReadDirectory("/nonexistent/vorrendal/descriptions", problems));
  EXPECT_THAT(problems, ::testing::ElementsAre(HasSubstr("not a directory")));
}

TEST(SourceFormat, WritesWhatParsingReadsBack) {
  const SourceYear year{1973, {{"x73-\xD8", "3.00:1 \x93open\x94\tdiff", 0}, {"r73-U", "", 0}}};
  const std::string text = DescriptionSource::FormatYear(year);
  EXPECT_THAT(text, HasSubstr("x73-\xC3\x98\t3.00:1 \xE2\x80\x9Copen\xE2\x80\x9D\tdiff\n"));
  std::vector<std::string> problems;
  const auto back = DescriptionSource::ParseYear(1973, text, "1973.txt", problems);
  EXPECT_TRUE(problems.empty());
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back[0].description, year.records[0].description);
  EXPECT_EQ(back[1].key, "r73-U");
}

}  // namespace
}  // namespace vorrendal
