// vorrendal-data: Data.dat files made with the real writer and spoiled one way at a time, for
// the program's reader and the checker; the command line; the editable source form.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "ScratchFiles.h"
#include "data/clsDataFile.h"
#include "data/clsZLib.h"
#include "tools/data/DataFileChecker.h"
#include "tools/data/DataFileWriter.h"
#include "tools/data/DataTool.h"
#include "tools/data/DescriptionSource.h"

namespace vorrendal {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using ::testing::HasSubstr;
using Writer = DataFileWriter;

using testing::ScratchDir;
using testing::WriteBytes;

// Three years; descriptions hold "-" and a byte above 127.
std::vector<Writer::Block> SampleBlocks() {
  const auto block = [](const char* year, const std::vector<SourceRecord>& records) {
    return Writer::Block{year, Writer::PackBlock(Writer::YearText(records))};
  };
  return {
      block("65", {{"p65-A", "Atlanta, Georgia"},
                   {"m65-51", "Custom two-door sedan - six passenger"},
                   {"c65-R", "Cr\xE8me Ivory"}}),
      block("66", {{"p66-A", "Atlanta, Georgia"}, {"e66-X", "390 cubic inch V8 - four-barrel"}}),
      block("67", {{"p67-K", "Kansas City, Missouri"}, {"x67-4", "3.00:1 conventional"}})};
}

// A file of blocks behind the index text given, or the one the writer makes.
std::string FileOf(const std::vector<Writer::Block>& blocks,
                   const std::optional<std::string>& index = {}) {
  return Writer::Assemble(Writer::PackBlock(index.value_or(Writer::IndexText(blocks))), blocks);
}
const std::string kSample = FileOf(SampleBlocks());
const std::string kSampleIndex = Writer::IndexText(SampleBlocks());
const std::size_t kIndexSize = Writer::PackBlock(kSampleIndex).size();

// The sample with year's block replaced by packed bytes, or by text packed.
std::string WithBlock(const std::string& year, const std::string& packed) {
  auto blocks = SampleBlocks();
  for (auto& block : blocks) block.packed = block.yearKey == year ? packed : block.packed;
  return FileOf(blocks);
}
std::string WithText(const std::string& year, const std::string& text) {
  return WithBlock(year, Writer::PackBlock(text));
}

// The sample behind its index with line n (from 0) replaced.
std::string WithIndexLine(std::size_t n, const std::string& replacement) {
  std::string index = kSampleIndex;
  std::size_t start = 0;
  for (std::size_t i = 0; i < n; ++i) start = index.find("\r\n", start) + 2;
  return FileOf(SampleBlocks(),
                index.replace(start, index.find("\r\n", start) - start, replacement));
}

std::string Flip(std::string bytes, std::size_t at) {
  bytes[at] = static_cast<char>(bytes[at] ^ 0x20);
  return bytes;
}
// text compressed, with junk after its zlib stream, and sealed as a block.
std::string Junked(const std::string& text, const std::string& junk) {
  std::string compressed;
  clsZLib().compressData(text, compressed);
  return Writer::Seal(compressed + junk, clsDataFile::kPassPhrase, clsDataFile::kPassPhrase);
}
const std::string kBlockOfJunk(clsDataFile::kMaxBlockSize, 'j');

const fs::path kSources = fs::path(VORRENDAL_SOURCE_DIR) / "tests/tools/data/sources";

// bytes: the file (nullopt: none); fail: a year the reader refuses ("": none); intact: a year the
// same file still serves ("": the whole file is spoiled); problem: what the checker says.
struct Damage {
  std::optional<std::string> bytes;
  std::string fail, intact, problem;
};
void PrintTo(const Damage& d, std::ostream* os) { *os << '"' << d.problem << '"'; }

class DamagedFile : public ::testing::TestWithParam<Damage> {};

TEST_P(DamagedFile, FailsTheReaderAndTheCheckerNamesIt) {
  const Damage& d = GetParam();
  ScratchDir dir;
  const fs::path path = dir / "Data.dat";
  if (d.bytes) WriteBytes(path, *d.bytes);
  const auto problems = DataFileChecker::CheckFile(path).problems.Listed();
  if (d.problem.empty())
    EXPECT_THAT(problems, ::testing::IsEmpty());
  else
    EXPECT_THAT(problems, ::testing::Contains(HasSubstr(d.problem)));
  clsDataFile reader(path);
  KeyedTable table;
  std::string raw;
  for (int n = 0; n < 2 && !d.fail.empty(); ++n)
    EXPECT_FALSE(reader.ReadData(d.fail, &table, raw)) << n;
  if (d.intact.empty()) {
    // Nothing of a spoiled file is kept: once mended, the same reader loads it.
    EXPECT_TRUE(reader.RecordIndex().Empty());
    WriteBytes(path, kSample);
  }
  EXPECT_TRUE(reader.ReadData(d.intact.empty() ? "66" : d.intact, &table, raw)) << "an intact year";
}

// n lines, each head and its number: records, or index lines each naming a year of its own.
std::string Numbered(std::size_t n, const std::string& head) {
  std::string text;
  for (std::size_t i = 0; i < n; ++i) text += head + std::to_string(i) + "\r\n";
  return text;
}
INSTANTIATE_TEST_SUITE_P(
    Rows, DamagedFile,
    ::testing::Values(
        Damage{std::nullopt, "65", "", "Data.dat: cannot be opened: No such file or directory"},
        Damage{"\0\0"s, "65", "", "file: the file is shorter than its 4-byte index length"},
        Damage{clsZLib::longToString(-1) + kSample.substr(4), "65", "",
               "index: the index length -1 is negative"},
        Damage{Flip(kSample, 4 + kIndexSize / 2), "65", "", "index: the"},
        Damage{WithIndexLine(1, "100-66"), "65", "", "index line 2: has 2 fields"},
        Damage{WithIndexLine(0, "10-999999-65"), "65", "66",
               "block 65: starts at offset 999999, expected 1"},
        Damage{kSample.substr(0, kSample.size() - 5), "67", "65",
               "block 67: runs past the end of the file"},
        Damage{Flip(kSample, 4 + kIndexSize + 9), "65", "66",
               "block 65: the compressed data is damaged"},
        Damage{WithText("65", "Atlanta p65-A\r\n"), "65", "66",
               "block 65 line 1: the record has no NUL"},
        Damage{WithText("65", "b\0m65-1\r\nc\0M65-1\r\n"s), "65", "66",
               "line 2: key \"M65-1\" is there twice (first on block 65 line 1)"},
        // Past the bounds the reader keeps, with a margin over what a year holds:
        Damage{WithText("65", std::string(clsZLib::kMaxTextSize, 'a') + "\0p65-A\r\n"s), "65", "66",
               "block 65: the text inflates past 1048576 bytes"},
        Damage{WithText("65", Numbered(clsDataFile::kMaxLines + 1, "a\0p65-"s)), "65", "66",
               "block 65: the text has 10001 lines, more than a block may hold (10000)"},
        Damage{FileOf(SampleBlocks(), kSampleIndex + Numbered(clsDataFile::kMaxLines - 2, "1-1-k")),
               "65", "", "index: the text has 10001 lines"},
        // (the reader ignores bytes after a zlib stream, so only the bound refuses these)
        Damage{Writer::Assemble(Junked(kSampleIndex, kBlockOfJunk), SampleBlocks()), "65", "",
               "is more than a block may hold (2097152 bytes)"},
        Damage{WithBlock("65", Junked("a\0p65-A\r\n"s, kBlockOfJunk)), "65", "66",
               "bytes long, more than a block may hold (2097152)"},
        // The checker is stricter than the reader:
        Damage{WithBlock("66", Junked("a\0p66-A\r\n"s, "junk")), "", "66",
               "block 66: 4 bytes after the end of the compressed data"},
        Damage{WithText("65", "\x1B[31ma\0p65-A\r\n"s), "", "65",
               "line 1: description holds the control character 0x1B"}));

// A failed write is an error exit that names the file and the reason.
TEST(DataTool, PackIntoAMissingFolderFails) {
  std::ostringstream out, err;
  EXPECT_EQ(DataTool::Run({"pack", kSources.string(), "-o", "/nonexistent/Data.dat"}, out, err), 1);
  EXPECT_THAT(err.str(), HasSubstr("/nonexistent/Data.dat: cannot be written: No such file"));
}

// records: "key=description;" in Windows-1252.
struct SourceLines {
  std::string text, records, problem;
};
void PrintTo(const SourceLines& r, std::ostream* os) { *os << ::testing::PrintToString(r.text); }

class SourceLinesTest : public ::testing::TestWithParam<SourceLines> {};

TEST_P(SourceLinesTest, AcceptedOrRefused) {
  ProblemList problems;
  std::string records;
  for (const auto& rec :
       DescriptionSource::ParseYear(1962, GetParam().text, "1962.txt", problems)) {
    records += rec.key + "=" + rec.description + ";";
  }
  EXPECT_EQ(records, GetParam().records);
  if (GetParam().problem.empty())
    EXPECT_THAT(problems.Listed(), ::testing::IsEmpty());
  else
    EXPECT_THAT(problems.Listed(), ::testing::ElementsAre(HasSubstr(GetParam().problem)));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SourceLinesTest,
    ::testing::Values(
        // Lines end at CR LF, LF or a lone CR alike.
        SourceLines{"p62-A\tA\rp62-B\tB\r\n", "p62-A=A;p62-B=B;", ""},
        SourceLines{"p62-B\tAt\rlanta\n", "p62-B=At;", "1962.txt:2: no TAB"},
        SourceLines{"p62-A\tok\nc62-A\tBad \xC3 byte\n", "p62-A=ok;",
                    "1962.txt:2: not valid UTF-8 at column 11"},
        SourceLines{"c62-A\tGreek \xCE\xA9\n", "",
                    "1962.txt:1: character \"\xCE\xA9\" (U+03A9) has no Windows-1252 form"},
        SourceLines{"p62-B\tAt\0lanta\n"s, "", "description holds a NUL byte"},
        // A control character would reach the terminal that shows the report.
        SourceLines{"c62-A\t\x1B[31mRed\n", "",
                    "1962.txt:1: description holds the control character 0x1B"}));

// A year file's content, or a marker for what stands in its place.
const std::string kADirectory = "<a directory>";
struct SourceFolder {
  std::vector<std::pair<std::string, std::string>> files;
  std::string problem;
};
void PrintTo(const SourceFolder& r, std::ostream* os) { *os << '"' << r.problem << '"'; }

class SourceFolderTest : public ::testing::TestWithParam<SourceFolder> {};

TEST_P(SourceFolderTest, NamesWhatIsWrongAndYieldsNoYear) {
  ScratchDir dir;
  for (const auto& [name, text] : GetParam().files) {
    if (text == kADirectory)
      fs::create_directory(dir / name);
    else
      WriteBytes(dir / name, text);
  }
  ProblemList problems;
  const auto years = DescriptionSource::ReadDirectory(dir.path, problems);
  EXPECT_TRUE(!years || years->empty());
  EXPECT_THAT(problems.Listed(), ::testing::Contains(HasSubstr(GetParam().problem)));
}

// A file of n records whose text, with its CR LF line ends, is longer than the file.
std::string LongRecords(std::size_t n, std::size_t descriptionSize) {
  std::string text;
  for (std::size_t i = 0; i < n; ++i)
    text += "p60-" + std::to_string(i) + "\t" + std::string(descriptionSize, 'a') + "\n";
  return text;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SourceFolderTest,
    ::testing::Values(
        // A year that yields nothing, or cannot be read, is not packed as an empty year.
        SourceFolder{{{"1960.txt", "p60-A\tA\n"}, {"1959.txt", "# none yet\r"}},
                     "1959.txt: holds no records"},
        SourceFolder{{{"1960.txt", "p60-A\tA\n"}, {"1966.txt", kADirectory}},
                     "1966.txt: is a directory"},
        // What a block could not hold is refused here, not by the program reading it.
        SourceFolder{{{"1960.txt", std::string(clsZLib::kMaxTextSize + 1, '#')}},
                     "1960.txt: is 1048577 bytes, more than a year file may hold (1048576)"},
        SourceFolder{{{"1960.txt", LongRecords(clsDataFile::kMaxLines + 1, 1)}},
                     "1960.txt: holds 10001 records, more than a year may hold (10000)"},
        SourceFolder{{{"1960.txt", LongRecords(5000, 199)}},
                     "1960.txt: its records make 1048890 bytes of text, more than a year may "
                     "hold (1048576)"}));

}  // namespace
}  // namespace vorrendal
