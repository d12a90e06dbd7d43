// Runs the built vorrendal-decode as a user would, with a real Data.dat.
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

const fs::path kBinDir = VORRENDAL_BIN_DIR;

struct Ran {
  int status = -1;
  std::string out;
  std::string err;
};

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteFile(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

std::string Quote(const std::string& arg) {
  std::string quoted = "'";
  for (const char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

class EndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("vorrendal-decode-e2e-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  Ran Run(const fs::path& program, const std::vector<std::string>& args, const std::string& input = "",
          const fs::path& output = {}) {
    std::string command = Quote(program.string());
    for (const std::string& arg : args) command += " " + Quote(arg);
    WriteFile(dir_ / "stdin", input);
    command += " <" + Quote((dir_ / "stdin").string()) + " >" +
               Quote((output.empty() ? dir_ / "stdout" : output).string()) + " 2>" +
               Quote((dir_ / "stderr").string());
    const int raw = std::system(command.c_str());
    Ran ran;
    ran.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    ran.out = ReadFile(dir_ / "stdout");
    ran.err = ReadFile(dir_ / "stderr");
    return ran;
  }

  Ran Decode(const std::vector<std::string>& args, const std::string& input = "", const fs::path& output = {}) {
    return Run(kBinDir / "vorrendal-decode", args, input, output);
  }

  // Packs a small Data.dat with the data tool built beside this one.
  bool BuildDataFile(fs::path& dataFile) {
    const fs::path packer = kBinDir / "vorrendal-data";
    if (!fs::exists(packer)) return false;
    const fs::path source = dir_ / "source";
    fs::create_directories(source);
    WriteFile(source / "1965.txt",
              "p65-A\tAtlanta, Georgia\nm65-62\tTwo-door hardtop\ne65-C\t289 cu in V8, 2-bbl carburettor\n"
              "b65-62A\tTwo-door hardtop\nc65-M\tCaf\xC3\xA9 Cr\xC3\xA8me\nt65-76\tBlack vinyl\n"
              "s65-21\tAtlanta\nr65-4\tThree-speed automatic\nx65-1\t3.00:1\n");
    WriteFile(source / "1972.txt", "p72-A\tAtlanta, Georgia\nm72-62\tTwo-door hardtop\n");
    dataFile = dir_ / "Data.dat";
    const Ran packed = Run(packer, {"pack", source.string(), "-o", dataFile.string()});
    EXPECT_EQ(packed.status, 0) << packed.err;
    return packed.status == 0;
  }

  fs::path dir_;
};

TEST_F(EndToEnd, MissingDataFileDecodesWithTheMessageAndExitsOne) {
  const std::string missing = (dir_ / "nowhere" / "Data.dat").string();
  const Ran ran = Decode({"--data", missing, "5A62C100001", "62A", "M", "76", "12C", "21", "4", "1"});
  EXPECT_EQ(ran.status, 1);
  EXPECT_NE(ran.err.find("Unable to load data file. It may be corrupted.\n"), std::string::npos) << ran.err;
  EXPECT_NE(ran.err.find(missing), std::string::npos) << ran.err;
  EXPECT_EQ(ran.out.rfind("Serial (Warranty) Number: 5A62C100001\n", 0), 0u) << ran.out;
  EXPECT_NE(ran.out.find("Plant (A) = Description Not Found\n"), std::string::npos) << ran.out;
}

TEST_F(EndToEnd, UsageAndYearRefusalsExitTwo) {
  EXPECT_EQ(Decode({}).status, 2);
  EXPECT_EQ(Decode({"--format", "yaml", "5A62C100001"}).status, 2);
  // Standard input is a file here, not a terminal: the year is not asked for.
  const Ran ran = Decode({"2A62C100001"}, "1962\n");
  EXPECT_EQ(ran.status, 2);
  EXPECT_NE(ran.err.find("1962 or 1972"), std::string::npos) << ran.err;
  EXPECT_EQ(ran.out, "");
}

TEST_F(EndToEnd, DecodesWithAPackedDataFileAndTellsAFailedWrite) {
  fs::path data;
  if (!BuildDataFile(data)) GTEST_SKIP() << "vorrendal-data is not built";
  const std::vector<std::string> args = {"--data", data.string(), "5A62C100001", "62A", "M", "76", "12C",
                                         "21", "4", "1"};
  const Ran ran = Decode(args);
  EXPECT_EQ(ran.status, 0) << ran.err;
  EXPECT_EQ(ran.err, "");
  EXPECT_EQ(ran.out,
            "Serial (Warranty) Number: 5A62C100001\n"
            "Body: 62A   Color: M    Trim: 76   Date: 12C\n"
            "DSO: 21     Trans: 4    Axle: 1\n"
            "\n"
            "Year (5) = 1965\n"
            "Plant (A) = Atlanta, Georgia\n"
            "Model (62) = Two-door hardtop\n"
            "Engine (C) = 289 cu in V8, 2-bbl carburettor\n"
            "Consecutive Unit Number (100001) = 100001\n"
            "Body (62A) = Two-door hardtop\n"
            "Color (M) = Caf\xC3\xA9 Cr\xC3\xA8me\n"
            "Trim (76) = Black vinyl\n"
            "Date (12C) = Manufactured March 12\n"
            "DSO (21) = Atlanta\n"
            "Transmission (4) = Three-speed automatic\n"
            "Axle (1) = 3.00:1\n");
  // /dev/full refuses every write, even root's.
  const Ran full = Decode(args, "", "/dev/full");
  EXPECT_EQ(full.status, 1);
  EXPECT_NE(full.err.find("the output could not be written"), std::string::npos) << full.err;
}

}  // namespace
