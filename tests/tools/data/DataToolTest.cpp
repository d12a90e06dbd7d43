// The vorrendal-data command line on real files (unpacking and packing again
// gives the same bytes), and the editable source form: what a year file may
// hold, each refusal naming its file and line.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "DataTestFiles.h"
#include "tools/data/DataTool.h"
#include "tools/data/DescriptionSource.h"

namespace vorrendal {
namespace {

using namespace std::string_literals;
using ::testing::HasSubstr;
using namespace testing_data;

const fs::path kSources = fs::path(VORRENDAL_SOURCE_DIR) / "tests/tools/data/sources";

struct Outcome { int code; std::string out, err; };
Outcome RunTool(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int code = DataTool::Run(args, out, err);
  return {code, out.str(), err.str()};
}

TEST(DataTool, CommandLines) {
  const struct { std::vector<std::string> args; int code; const char* out; const char* err; } rows[] = {
      {{"--help"}, 0, "pack SOURCE_DIR -o Data.dat", ""},
      {{"--version"}, 0, "vorrendal-data " VORRENDAL_VERSION, ""},
      {{}, 2, "", "no command given\nTry 'vorrendal-data --help'."},
      {{"repack", "x"}, 2, "", "unknown command 'repack'"},
      {{"check", "--fast", "x"}, 2, "", "unknown option '--fast'"},
      {{"check"}, 2, "", "check: no input given"},
      {{"pack", "dir"}, 2, "", "pack: no output given (-o)"},
      {{"pack", "dir", "-o"}, 2, "", "'-o' needs a path"},
      {{"pack", "dir", "-o", "a", "--output", "b"}, 2, "", "more than one output"},
      {{"check", "a", "b"}, 2, "", "unexpected argument 'b'"},
      {{"check", "a", "-o", "b"}, 2, "", "check writes nothing"},
      {{"check", "/nonexistent/Data.dat"}, 1, "", "/nonexistent/Data.dat: cannot be opened"},
      {{"pack", "/nonexistent/dir", "-o", "/nonexistent/Data.dat"}, 1, "", "not a directory"},
  };
  for (const auto& r : rows) {
    const auto outcome = RunTool(r.args);
    EXPECT_EQ(outcome.code, r.code) << ::testing::PrintToString(r.args);
    EXPECT_THAT(outcome.out, HasSubstr(r.out));
    EXPECT_THAT(outcome.err, HasSubstr(r.err));
  }
}

TEST(DataTool, PackCheckUnpackAndPackAgainGiveTheSameBytes) {
  ScratchDir dir;
  const std::string packed = (dir / "Data.dat").string(), back = (dir / "back").string();
  const std::string said = RunTool({"pack", kSources.string(), "-o", packed}).out;
  EXPECT_EQ(said, packed + ": 3 years, 11 records, " + std::to_string(ReadBytes(packed).size()) + " bytes\n");
  EXPECT_EQ(RunTool({"check", packed}).out, packed + ": 3 years, 11 records, sound\n");
  ASSERT_EQ(RunTool({"unpack", packed, "-o", back}).code, 0);
  EXPECT_FALSE(fs::exists(dir / "back" / "1960.txt"));
  EXPECT_THAT(ReadBytes(dir / "back" / "1973.txt"), HasSubstr("\nx73-\xC3\x98\t3.00:1 conventional\n"));
  ASSERT_EQ(RunTool({"pack", back, "-o", (dir / "again.dat").string(), "--quiet"}).out, "");
  EXPECT_EQ(ReadBytes(dir / "again.dat"), ReadBytes(packed));
  ASSERT_EQ(RunTool({"pack", kSources.string(), "-o", (dir / "b.dat").string(), "-q"}).code, 0);
  EXPECT_EQ(ReadBytes(dir / "b.dat"), ReadBytes(packed)) << "packing is deterministic";
}

TEST(DataTool, FaultsWriteNothingAndKeepTheOldFile) {
  ScratchDir dir;
  fs::create_directories(dir / "src");
  WriteBytes(dir / "src" / "1965.txt", "p65-A\tAtlanta\nm65-51 no tab\n");
  WriteBytes(dir / "src" / "1966.txt", "p65-B\tAtlanta\n");
  WriteBytes(dir / "Data.dat", "old contents");
  auto outcome = RunTool({"pack", (dir / "src").string(), "-o", (dir / "Data.dat").string()});
  EXPECT_EQ(outcome.code, 1);
  EXPECT_EQ(outcome.err, "1965.txt:2: no TAB between the key and the description\n1966.txt:1: key \"p65-B\" does not carry "
                         "the model year 66 (expected the form p66-CODE)\nvorrendal-data: nothing written, 2 problem(s)\n");
  EXPECT_EQ(ReadBytes(dir / "Data.dat"), "old contents");

  WriteBytes(dir / "Data.dat", kSample.substr(0, kSample.size() - 1));
  outcome = RunTool({"unpack", (dir / "Data.dat").string(), "-o", (dir / "out").string()});
  EXPECT_EQ(outcome.code, 1);
  EXPECT_THAT(outcome.err, HasSubstr("block 67: runs past the end of the file\nvorrendal-data: nothing unpacked"));
  EXPECT_FALSE(fs::exists(dir / "out"));

  fs::create_directories(dir / "dir.dat");  // a directory where the file should go
  outcome = RunTool({"pack", kSources.string(), "-o", (dir / "dir.dat").string()});
  EXPECT_EQ(outcome.code, 1);
  EXPECT_THAT(outcome.err, HasSubstr("dir.dat"));
  EXPECT_FALSE(fs::exists(dir / "dir.dat.tmp"));
}

// The descriptions that ship: every model year, sound, and a round trip gives the same bytes.
TEST(DataTool, ShippedDescriptionsPackSoundAndRoundTrip) {
  ScratchDir dir;
  const auto shipped = fs::path(VORRENDAL_SOURCE_DIR) / "resources/descriptions";
  const auto packed = RunTool({"pack", shipped.string(), "-o", (dir / "Data.dat").string()});
  ASSERT_EQ(packed.code, 0) << packed.err;
  EXPECT_THAT(packed.out, HasSubstr(": 16 years, "));
  EXPECT_EQ(RunTool({"check", "-q", (dir / "Data.dat").string()}).code, 0);
  ASSERT_EQ(RunTool({"unpack", (dir / "Data.dat").string(), "-o", (dir / "back").string()}).code, 0);
  ASSERT_EQ(RunTool({"pack", (dir / "back").string(), "-o", (dir / "Again.dat").string()}).code, 0);
  EXPECT_EQ(ReadBytes(dir / "Again.dat"), ReadBytes(dir / "Data.dat"));
  // The built program itself: main hands its arguments to the tool.
  const std::string program = std::string(VORRENDAL_BIN_DIR) + "/vorrendal-data";
  EXPECT_EQ(std::system((program + " check -q " + (dir / "Data.dat").string()).c_str()), 0);
  EXPECT_NE(std::system((program + " check /nonexistent/Data.dat 2>/dev/null").c_str()), 0);
}

TEST(DescriptionSource, LinesAcceptedAndRefused) {
  const struct { std::string text, records, problem; } rows[] = {  // records: "key=description;" in Windows-1252
      {"p62-A\tAtlanta, Georgia", "p62-A=Atlanta, Georgia;", ""},
      {"# plants\n\n \t\n#p62-B\tB\r\nP62-A\tA\r\n", "P62-A=A;", ""},
      {"\xEF\xBB\xBFp62-A\tA\nx62-1\t\n", "p62-A=A;x62-1=;", ""},
      {"c62-AB\tBlack - over\tIvory\n", "c62-AB=Black - over\tIvory;", ""},
      {"c62-R\tCr\xC3\xA8me \xE2\x80\x9CIvory\xE2\x80\x9D\n", "c62-R=Cr\xE8me \x93Ivory\x94;", ""},
      {"p62-A\tok\nc62-A\tBad \xC3 byte\n", "p62-A=ok;", "1962.txt:2: not valid UTF-8 at column 11"},
      {"c62-A\t\xC0\xAF\n", "", "1962.txt:1: not valid UTF-8"},
      {"c62-A\tGreek \xCE\xA9\n", "", "1962.txt:1: character \"\xCE\xA9\" (U+03A9) has no Windows-1252 form"},
      {"\n\np62-B Atlanta\n", "", "1962.txt:3: no TAB"},
      {"\tAtlanta\n", "", "1962.txt:1: empty key"},
      {"p63-B\tAtlanta\n", "", "key \"p63-B\" does not carry the model year 62 (expected the form p62-CODE)"},
      {"p62-\tAtlanta\n", "", "has no code after"},
      {"q62-B\tAtlanta\n", "", "does not start with a field letter"},
      {"p62 -B\tAtlanta\n", "", "holds a space or control character"},
      {"p62-B\tAt\0lanta\n"s, "", "description holds a NUL byte"},
      {"p62-B\tAt\rlanta\n", "", "description holds a line break"},
  };
  for (const auto& r : rows) {
    std::vector<std::string> problems;
    std::string records;
    for (const auto& rec : DescriptionSource::ParseYear(1962, r.text, "1962.txt", problems)) records += rec.key + "=" + rec.description + ";";
    EXPECT_EQ(records, r.records) << r.text;
    if (r.problem.empty()) EXPECT_THAT(problems, ::testing::IsEmpty());
    else EXPECT_THAT(problems, ::testing::ElementsAre(HasSubstr(r.problem)));
  }
}

TEST(DescriptionSource, Directories) {
  const struct { std::vector<std::pair<std::string, std::string>> files; std::string years, problem; } rows[] = {
      {{{"1974.txt", "x74-\xC3\x98\t3.00:1\n"}, {"1960.txt", "p60-A\tA\n"}, {"1959.txt", "# none yet\n"}, {"CMakeLists.txt", ""}, {"a.md", ""}}, "1959:0 1960:1 1974:1 ", ""},
      {{{"README.md", "x"}}, "", "no year files"},
      {{{"1960.txt", ""}, {"1975.txt", ""}}, "", "1975.txt: file name is not a model year"},
      {{{"1958.txt", ""}}, "", "1958.txt: file name is not a model year"},
      {{{"61.txt", ""}}, "", "61.txt: file name is not a model year"},
      {{{"1960.txt", "p60-A\tA\n\np60-B\tB\nP60-a\tC\n"}}, "", "1960.txt:4: duplicate key \"P60-a\" (first at 1960.txt:1)"},
      {{{"1960.txt", "p60-A\tA\n"}, {"1961.txt", "p60-A\tA\n"}}, "", "1961.txt:1: key \"p60-A\" does not carry the model year 61"},
  };
  for (const auto& r : rows) {
    ScratchDir dir;
    for (const auto& [name, text] : r.files) WriteBytes(dir / name, text);
    std::vector<std::string> problems;
    const auto years = DescriptionSource::ReadDirectory(dir.path, problems);
    std::string got;
    for (const auto& y : years.value_or(std::vector<SourceYear>{})) got += std::to_string(y.year) + ":" + std::to_string(y.records.size()) + " ";
    EXPECT_EQ(got, r.years);
    if (r.problem.empty()) EXPECT_THAT(problems, ::testing::IsEmpty());
    else EXPECT_THAT(problems, ::testing::Contains(HasSubstr(r.problem)));
  }
}

}  // namespace
}  // namespace vorrendal
