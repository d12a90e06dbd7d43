// The vorrendal-data command line: arguments, exit codes, and pack / unpack /
// check on real files.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "DataTestFiles.h"
#include "tools/data/DataTool.h"
#include "tools/data/DescriptionSource.h"

namespace vorrendal {
namespace {

using ::testing::HasSubstr;
using testing_data::ReadBytes;
using testing_data::ScratchDir;
using testing_data::WriteBytes;

const std::filesystem::path kSources = std::filesystem::path(VORRENDAL_SOURCE_DIR) / "tests/tools/data/sources";

struct Outcome {
  int code;
  std::string out;
  std::string err;
};

Outcome RunTool(const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  const int code = DataTool::Run(args, out, err);
  return {code, out.str(), err.str()};
}

struct ArgsCase {
  const char* name;
  std::vector<std::string> args;
  int code;
  std::string out;  // expected in stdout
  std::string err;  // expected in stderr
};

class DataToolArguments : public ::testing::TestWithParam<ArgsCase> {};

TEST_P(DataToolArguments, ExitCodeAndMessage) {
  const auto outcome = RunTool(GetParam().args);
  EXPECT_EQ(outcome.code, GetParam().code);
  EXPECT_THAT(outcome.out, HasSubstr(GetParam().out));
  EXPECT_THAT(outcome.err, HasSubstr(GetParam().err));
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, DataToolArguments,
    ::testing::Values(
        ArgsCase{"Help", {"--help"}, 0, "pack SOURCE_DIR -o Data.dat", ""},
        ArgsCase{"ShortHelp", {"-h"}, 0, "check Data.dat", ""},
        ArgsCase{"Version", {"--version"}, 0, "vorrendal-data " VORRENDAL_VERSION, ""},
        ArgsCase{"Nothing", {}, 2, "", "no command given"},
        ArgsCase{"UnknownCommand", {"repack", "x"}, 2, "", "unknown command 'repack'"},
        ArgsCase{"UnknownOption", {"check", "--fast", "x"}, 2, "", "unknown option '--fast'"},
        ArgsCase{"NoInput", {"check"}, 2, "", "check: no input given"},
        ArgsCase{"PackWithoutOutput", {"pack", "dir"}, 2, "", "pack: no output given (-o)"},
        ArgsCase{"OutputWithoutPath", {"pack", "dir", "-o"}, 2, "", "'-o' needs a path"},
        ArgsCase{"TwoOutputs", {"pack", "dir", "-o", "a", "--output", "b"}, 2, "", "more than one output"},
        ArgsCase{"TwoInputs", {"check", "a", "b"}, 2, "", "unexpected argument 'b'"},
        ArgsCase{"CheckWithOutput", {"check", "a", "-o", "b"}, 2, "", "check writes nothing"},
        ArgsCase{"CheckMissingFile", {"check", "/nonexistent/Data.dat"}, 1, "", "/nonexistent/Data.dat: cannot be opened"},
        ArgsCase{"PackMissingDir", {"pack", "/nonexistent/dir", "-o", "/nonexistent/Data.dat"}, 1, "", "not a directory"}),
    [](const auto& p) { return std::string(p.param.name); });

class DataToolFiles : public ::testing::Test {
 protected:
  ScratchDir dir_;
};

TEST_F(DataToolFiles, PackCheckUnpackAndPackAgainGiveTheSameBytes) {
  const auto packed = dir_ / "Data.dat";
  auto outcome = RunTool({"pack", kSources.string(), "-o", packed.string()});
  ASSERT_EQ(outcome.code, 0) << outcome.err;
  EXPECT_THAT(outcome.out, HasSubstr("3 years, 11 records"));

  outcome = RunTool({"check", packed.string()});
  EXPECT_EQ(outcome.code, 0) << outcome.err;
  EXPECT_THAT(outcome.out, HasSubstr("3 years, 11 records, sound"));

  outcome = RunTool({"unpack", packed.string(), "-o", (dir_ / "back").string()});
  ASSERT_EQ(outcome.code, 0) << outcome.err;
  EXPECT_TRUE(std::filesystem::exists(dir_ / "back" / "1973.txt"));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "back" / "1960.txt"));
  EXPECT_THAT(ReadBytes(dir_ / "back" / "1973.txt"), HasSubstr("x73-\xC3\x98\t3.00:1 conventional\n"));

  const auto again = dir_ / "Again.dat";
  ASSERT_EQ(RunTool({"pack", (dir_ / "back").string(), "-o", again.string()}).code, 0);
  EXPECT_EQ(ReadBytes(again), ReadBytes(packed));
}

TEST_F(DataToolFiles, PackingIsDeterministic) {
  ASSERT_EQ(RunTool({"pack", kSources.string(), "-o", (dir_ / "a.dat").string()}).code, 0);
  ASSERT_EQ(RunTool({"pack", kSources.string(), "-o", (dir_ / "b.dat").string()}).code, 0);
  EXPECT_EQ(ReadBytes(dir_ / "a.dat"), ReadBytes(dir_ / "b.dat"));
}

TEST_F(DataToolFiles, ASourceFaultWritesNothingAndKeepsTheOldFile) {
  std::filesystem::create_directories(dir_ / "src");
  WriteBytes(dir_ / "src" / "1965.txt", "p65-A\tAtlanta\nm65-51 no tab\n");
  WriteBytes(dir_ / "src" / "1966.txt", "p65-B\tAtlanta\n");
  WriteBytes(dir_ / "Data.dat", "old contents");
  const auto outcome = RunTool({"pack", (dir_ / "src").string(), "-o", (dir_ / "Data.dat").string()});
  EXPECT_EQ(outcome.code, 1);
  EXPECT_THAT(outcome.err, HasSubstr("1965.txt:2: no TAB"));
  EXPECT_THAT(outcome.err, HasSubstr("1966.txt:1: key \"p65-B\" does not carry the model year 66"));
  EXPECT_THAT(outcome.err, HasSubstr("nothing written, 2 problem(s)"));
  EXPECT_EQ(ReadBytes(dir_ / "Data.dat"), "old contents");
}

TEST_F(DataToolFiles, ADamagedFileIsNeitherSoundNorUnpacked) {
  ASSERT_EQ(RunTool({"pack", kSources.string(), "-o", (dir_ / "Data.dat").string()}).code, 0);
  std::string bytes = ReadBytes(dir_ / "Data.dat");
  bytes[bytes.size() - 10] = static_cast<char>(bytes[bytes.size() - 10] ^ 1);
  WriteBytes(dir_ / "Data.dat", bytes);

  auto outcome = RunTool({"check", (dir_ / "Data.dat").string()});
  EXPECT_EQ(outcome.code, 1);
  EXPECT_THAT(outcome.err, HasSubstr("block 73: the trailer is not the pass phrase"));
  outcome = RunTool({"unpack", (dir_ / "Data.dat").string(), "-o", (dir_ / "out").string()});
  EXPECT_EQ(outcome.code, 1);
  EXPECT_THAT(outcome.err, HasSubstr("nothing unpacked"));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "out"));
}

TEST_F(DataToolFiles, AnUnwritableOutputIsReported) {
  std::filesystem::create_directories(dir_ / "Data.dat");  // a directory where the file should go
  const auto outcome = RunTool({"pack", kSources.string(), "-o", (dir_ / "Data.dat").string()});
  EXPECT_EQ(outcome.code, 1);
  EXPECT_THAT(outcome.err, HasSubstr("Data.dat"));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "Data.dat.tmp"));
}

// The descriptions that ship: every model year, and unpacking them gives
// sources that pack to the very same bytes.
TEST_F(DataToolFiles, ShippedDescriptionsPackSoundAndRoundTrip) {
  const auto shipped = std::filesystem::path(VORRENDAL_SOURCE_DIR) / "resources/descriptions";
  std::vector<std::string> problems;
  const auto years = DescriptionSource::ReadDirectory(shipped, problems);
  ASSERT_TRUE(years) << ::testing::PrintToString(problems);
  EXPECT_EQ(years->size(), 16u);

  ASSERT_EQ(RunTool({"pack", shipped.string(), "-o", (dir_ / "Data.dat").string(), "-q"}).code, 0);
  const auto checked = RunTool({"check", (dir_ / "Data.dat").string()});
  EXPECT_EQ(checked.code, 0) << checked.err;
  ASSERT_EQ(RunTool({"unpack", (dir_ / "Data.dat").string(), "-o", (dir_ / "back").string(), "-q"}).code, 0);
  ASSERT_EQ(RunTool({"pack", (dir_ / "back").string(), "-o", (dir_ / "Again.dat").string(), "-q"}).code, 0);
  EXPECT_EQ(ReadBytes(dir_ / "Again.dat"), ReadBytes(dir_ / "Data.dat"));
}

TEST_F(DataToolFiles, QuietPrintsNothingOnSuccess) {
  const auto outcome = RunTool({"pack", kSources.string(), "--quiet", "-o", (dir_ / "Data.dat").string()});
  EXPECT_EQ(outcome.code, 0);
  EXPECT_EQ(outcome.out, "");
  EXPECT_EQ(RunTool({"check", "-q", (dir_ / "Data.dat").string()}).out, "");
}

// The built program itself, once: main hands its arguments to the tool.
TEST(DataToolProgram, RunsFromTheBuildTree) {
  const std::string program = std::string(VORRENDAL_BIN_DIR) + "/vorrendal-data";
  EXPECT_EQ(std::system((program + " --version >/dev/null").c_str()), 0);
  EXPECT_NE(std::system((program + " check /nonexistent/Data.dat 2>/dev/null").c_str()), 0);
}

}  // namespace
}  // namespace vorrendal
