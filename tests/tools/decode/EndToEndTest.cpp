// Runs the built vorrendal-decode as a user would, with a real Data.dat.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

struct Ran {
  int status = -1;
  std::string out, err;
};

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::string Quote(const std::string& arg) {
  std::string quoted = "'";
  for (const char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

class EndToEnd : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directories(dir_); }
  void TearDown() override { fs::remove_all(dir_); }

  // Runs a built program; output names where its standard output goes.
  Ran Run(const std::string& program, const Args& args, const std::string& input = "", fs::path output = {}) {
    if (output.empty()) output = dir_ / "stdout";
    std::ofstream(dir_ / "stdin", std::ios::binary) << input;
    std::string command = Quote(std::string(VORRENDAL_BIN_DIR) + "/" + program);
    for (const std::string& arg : args) command += " " + Quote(arg);
    command += " <" + Quote((dir_ / "stdin").string()) + " >" + Quote(output.string()) + " 2>" +
               Quote((dir_ / "stderr").string());
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFile(dir_ / "stdout"), ReadFile(dir_ / "stderr")};
  }

  const fs::path dir_ = fs::temp_directory_path() /
                        ("vorrendal-decode-e2e-" + std::to_string(::getpid()) + "-" +
                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
};

const Args kPlate = {"5A62C100001", "62A", "M", "76", "12C", "21", "4", "1"};

TEST_F(EndToEnd, MissingDataFileExitsOneAndUsageErrorsTwo) {
  const std::string missing = (dir_ / "nowhere" / "Data.dat").string();
  Args args = {"--data", missing};
  args.insert(args.end(), kPlate.begin(), kPlate.end());
  const Ran ran = Run("vorrendal-decode", args);
  EXPECT_EQ(ran.status, 1);
  EXPECT_NE(ran.err.find("Unable to load data file. It may be corrupted.\n"), std::string::npos) << ran.err;
  EXPECT_NE(ran.err.find(missing), std::string::npos) << ran.err;
  EXPECT_EQ(ran.out.rfind("Serial (Warranty) Number: 5A62C100001\n", 0), 0u) << ran.out;
  EXPECT_NE(ran.out.find("Plant (A) = Description Not Found\n"), std::string::npos) << ran.out;
  // Usage errors and a year not named exit 2.
  EXPECT_EQ(Run("vorrendal-decode", {}).status, 2);
  EXPECT_EQ(Run("vorrendal-decode", {"--format", "yaml", "5A62C100001"}).status, 2);
  // Standard input is a file here, not a terminal: the year is not asked for.
  const Ran year = Run("vorrendal-decode", {"2A62C100001"}, "1962\n");
  EXPECT_EQ(year.status, 2);
  EXPECT_NE(year.err.find("1962 or 1972"), std::string::npos) << year.err;
  EXPECT_EQ(year.out, "");
}

TEST_F(EndToEnd, DecodesWithAPackedDataFileAndTellsAFailedWrite) {
  if (!fs::exists(fs::path(VORRENDAL_BIN_DIR) / "vorrendal-data")) GTEST_SKIP() << "vorrendal-data is not built";
  const fs::path source = dir_ / "source", data = dir_ / "Data.dat";
  fs::create_directories(source);
  std::ofstream(source / "1965.txt", std::ios::binary)
      << "p65-A\tAtlanta, Georgia\nm65-62\tTwo-door hardtop\ne65-C\t289 cu in V8\nb65-62A\tTwo-door hardtop\n"
         "c65-M\tCaf\xC3\xA9 Cr\xC3\xA8me\nt65-76\tBlack vinyl\ns65-21\tAtlanta\nr65-4\tThree-speed automatic\n"
         "x65-1\t3.00:1\n";
  const Ran packed = Run("vorrendal-data", {"pack", source.string(), "-o", data.string()});
  ASSERT_EQ(packed.status, 0) << packed.err;
  Args args = {"--data", data.string()};
  args.insert(args.end(), kPlate.begin(), kPlate.end());
  const Ran ran = Run("vorrendal-decode", args);
  EXPECT_EQ(ran.status, 0) << ran.err;
  EXPECT_EQ(ran.err, "");
  for (const char* lines : {"Serial (Warranty) Number: 5A62C100001\nBody: 62A   Color: M    Trim: 76   Date: 12C\n",
                            "\nYear (5) = 1965\nPlant (A) = Atlanta, Georgia\n", "\nEngine (C) = 289 cu in V8\n",
                            "\nColor (M) = Caf\xC3\xA9 Cr\xC3\xA8me\n", "\nAxle (1) = 3.00:1\n"}) {
    EXPECT_NE(ran.out.find(lines), std::string::npos) << lines << ran.out;
  }
  EXPECT_TRUE(ran.out.starts_with("Serial") && ran.out.ends_with("\nAxle (1) = 3.00:1\n")) << ran.out;
  // /dev/full refuses every write, root's too.
  const Ran full = Run("vorrendal-decode", args, "", "/dev/full");
  EXPECT_EQ(full.status, 1);
  EXPECT_NE(full.err.find("the output could not be written"), std::string::npos) << full.err;
}

}  // namespace
