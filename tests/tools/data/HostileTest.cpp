// vorrendal-data run as a program on hostile files and in hostile places: sparse files with huge
// lengths, a decompression bomb, a FIFO, links where it writes, a full disk and a standard output
// that cannot be written. Each run has a time limit, and a memory limit.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "../decode/SpawnedTool.h"
#include "ScratchFiles.h"
#include "data/clsZLib.h"
#include "tools/data/DataFileWriter.h"

namespace vorrendal {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using ::testing::HasSubstr;
using Writer = DataFileWriter;

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kLimitMemory = false;  // a sanitizer reserves memory of its own
#else
constexpr bool kLimitMemory = true;
#endif

using testing::ReadFile;
using testing::ScratchDir;
using testing::WriteBytes;

// A Data.dat of the years given as {key, block text}, behind an index text
// (by default the one the writer makes).
std::string FileOf(const std::vector<std::pair<std::string, std::string>>& years,
                   const std::string& index = "") {
  std::vector<Writer::Block> blocks;
  for (const auto& [key, text] : years) blocks.push_back({key, Writer::PackBlock(text)});
  return Writer::Assemble(Writer::PackBlock(index.empty() ? Writer::IndexText(blocks) : index),
                          blocks);
}
const std::string kSound = FileOf({{"65", "Atlanta\0p65-A\r\n"s}});

// Runs bin/vorrendal-data in dir with the arguments, standard output to stdoutTo, under the limits
// (a file size in bytes, 0 for none). Returns the exit status and what it wrote to standard error.
std::pair<int, std::string> RunProgram(const fs::path& dir, const std::vector<std::string>& args,
                                       const std::string& stdoutTo, int fileSize) {
  std::string limits = kLimitMemory ? "ulimit -v 524288 && " : "";
  if (fileSize) limits += "ulimit -f " + std::to_string((fileSize + 511) / 512) + " && ";
  // A write past the file size limit fails with EFBIG instead of ending the program.
  std::vector<std::string> shell{
      "-c", "cd \"$1\" && shift && " + limits + "trap '' XFSZ && exec \"$0\" \"$@\"",
      VORRENDAL_BIN_DIR "/vorrendal-data", dir.string()};
  shell.insert(shell.end(), args.begin(), args.end());
  testing::SpawnSetup setup;
  setup.outFile = stdoutTo;
  setup.program = "/bin/sh";
  const auto run = testing::SpawnTool(shell, setup);
  return {run.signal ? 128 + run.signal : run.status, run.err};
}

struct Hostile {
  const char* name;
  // Makes the files in the folder it is given; returns the arguments.
  std::function<std::vector<std::string>(const fs::path&)> setUp;
  int code;
  std::string err;
  // What must hold of the folder afterwards.
  std::function<void(const fs::path&)> after = [](const fs::path&) {};
  const char* stdoutTo = "/dev/null";
  int fileSize = 0;  // bytes a file may grow to; 0: no limit
};
void PrintTo(const Hostile& h, std::ostream* os) { *os << h.name; }

class HostileRun : public ::testing::TestWithParam<Hostile> {};

TEST_P(HostileRun, EndsWithAOneLineErrorAndLosesNothing) {
  ScratchDir dir;
  const auto args = GetParam().setUp(dir.path);
  const auto [code, err] = RunProgram(dir.path, args, GetParam().stdoutTo, GetParam().fileSize);
  EXPECT_EQ(code, GetParam().code) << err;
  EXPECT_THAT(err, HasSubstr(GetParam().err));
  GetParam().after(dir.path);
}

// A folder of sources: 1965.txt with one short record, 1966.txt with one long
// one that does not compress to much less.
std::vector<std::string> Sources(const fs::path& dir) {
  std::string letters;
  for (std::uint32_t x = 2463534242u; letters.size() < 4000;) {
    x ^= x << 13, x ^= x >> 17, x ^= x << 5;
    letters += static_cast<char>('a' + x % 26);
  }
  fs::create_directory(dir / "src");
  WriteBytes(dir / "src" / "1965.txt", "p65-A\tAtlanta\n");
  WriteBytes(dir / "src" / "1966.txt", "p66-A\t" + letters + "\n");
  return {"pack", "src", "-o", "Data.dat"};
}
// Those sources packed, and an unpack of them into out, which holds a file already.
std::vector<std::string> Unpack(const fs::path& dir) {
  const auto args = Sources(dir);
  RunProgram(dir, args, "/dev/null", 0);
  fs::create_directory(dir / "out");
  WriteBytes(dir / "out" / "notes.md", "mine");
  return {"unpack", "Data.dat", "-o", "out"};
}
using SetUp = std::function<std::vector<std::string>(const fs::path&)>;
// A set-up writing Data.dat (grown sparse to 4 GiB if asked) and running command on it.
SetUp Given(const std::string& bytes, const std::string& command = "check", bool sparse = false) {
  return [=](const fs::path& dir) {
    WriteBytes(dir / "Data.dat", bytes);
    if (sparse) fs::resize_file(dir / "Data.dat", std::uintmax_t{4} << 30);
    std::vector<std::string> args{command, "Data.dat"};
    if (command == "unpack") args.insert(args.end(), {"-o", "out"});
    return args;
  };
}
// A set-up with a link at name to a file named victim, which must keep its bytes.
SetUp WithLink(const char* name, const SetUp& setUp) {
  return [=](const fs::path& dir) {
    WriteBytes(dir / "victim", "victim");
    const auto args = setUp(dir);
    fs::create_symlink(dir / "victim", dir / name);
    return args;
  };
}
void VictimKept(const fs::path& dir) { EXPECT_EQ(ReadFile(dir / "victim"), "victim"); }
void NothingUnpacked(const fs::path& dir) {
  EXPECT_EQ(ReadFile(dir / "out" / "notes.md"), "mine");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir / "out"), {}), 1) << "only notes.md";
}
std::string CrLfBomb() {
  std::string bomb(std::size_t{32} << 20, '\r');
  for (std::size_t i = 1; i < bomb.size(); i += 2) bomb[i] = '\n';
  return FileOf({{"65", bomb}});
}
std::string ManyProblems() {
  std::string text;
  for (int i = 0; i < 100; ++i) text += "a\0p66-"s + std::to_string(i) + "\r\n";
  return FileOf({{"65", text}});
}

INSTANTIATE_TEST_SUITE_P(
    Rows, HostileRun,
    ::testing::Values(
        Hostile{"SparseFileWithAHugeIndexLength",
                Given(clsZLib::longToString(0x7FFFFFF0), "check", true), 1,
                "the index length 2147483632 is more than a block may hold"},
        Hostile{"SparseFileWithAHugeBlockLength",
                Given(FileOf({{"65", "a\0p65-A\r\n"s}}, "2000000000-1-65\r\n"), "check", true), 1,
                "block 65: is 2000000000 bytes long, more than a block may hold"},
        Hostile{"CrLfBomb", Given(CrLfBomb(), "unpack"), 1,
                "block 65: the text inflates past 1048576 bytes"},
        Hostile{"ManyProblemsAreCounted", Given(ManyProblems()), 1,
                "p65-CODE)\nvorrendal-data: 60 more problem(s) not listed\n"
                "vorrendal-data: 100 problem(s) in Data.dat\n"},
        Hostile{"FifoWithNoWriter",
                [](const fs::path& dir) {
                  ::mkfifo((dir / "Data.dat").c_str(), 0600);
                  return std::vector<std::string>{"check", "Data.dat"};
                },
                1, "Data.dat: is not a regular file\n"},
        Hostile{"CheckToAFullDisk", Given(kSound), 1,
                "vorrendal-data: the output could not be written\n", [](const fs::path&) {},
                "/dev/full"},
        Hostile{"PackOnAFullDisk",
                [](const fs::path& dir) {
                  WriteBytes(dir / "Data.dat", "old contents");
                  return Sources(dir);
                },
                1, "Data.dat: write failed: File too large\n",
                [](const fs::path& dir) {
                  EXPECT_EQ(ReadFile(dir / "Data.dat"), "old contents");
                  EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 2) << "no leftovers";
                },
                "/dev/null", 1000},
        Hostile{"UnpackOnAFullDiskHalfWay", Unpack, 1, "1966.txt: write failed: File too large\n",
                NothingUnpacked, "/dev/null", 1000},
        Hostile{"UnpackGivesBackThePackedRecords", Unpack, 0, "",
                [](const fs::path& dir) {
                  for (const char* year : {"1965.txt", "1966.txt"})
                    EXPECT_THAT(ReadFile(dir / "out" / year),
                                ::testing::EndsWith(ReadFile(dir / "src" / year)));
                }},
        Hostile{"PackBesideALinkAtTheOldTemporaryName", WithLink("Data.dat.tmp", Sources), 0, "",
                VictimKept},
        Hostile{"PackOverALink", WithLink("Data.dat", Sources), 1,
                "Data.dat: is a symbolic link; name the file it points to\n",
                [](const fs::path& dir) {
                  VictimKept(dir);
                  EXPECT_TRUE(fs::is_symlink(dir / "Data.dat"));
                }},
        Hostile{"UnpackOverALink", WithLink("out/1965.txt", Unpack), 1,
                "1965.txt: is a symbolic link",
                [](const fs::path& dir) {
                  VictimKept(dir);
                  EXPECT_FALSE(fs::exists(dir / "out" / "1966.txt"));
                }}),
    [](const ::testing::TestParamInfo<Hostile>& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace vorrendal
