// Damaged files, each made with the real writer and spoiled in one way: the
// program's reader fails the year and recovers, and the checker names the
// fault. Then what the reader must accept.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "DataTestFiles.h"
#include "tools/data/DataFileChecker.h"

namespace vorrendal {
namespace {

using namespace std::string_literals;
using namespace testing_data;

std::string Flip(std::string bytes, std::size_t at) {
  bytes[at] = static_cast<char>(bytes[at] ^ 0x20);
  return bytes;
}
std::string Indexed(const std::string& index) { return FileOf(SampleBlocks(), index); }
std::string Sealed(const std::string& compressed, const std::string& pass, const std::string& trailer) {
  return WithBlock("65", DataFileWriter::Seal(compressed, pass, trailer));
}

// fail: a year the reader refuses ("": none); intact: a year the same file
// still serves ("": the whole file is spoiled); problem: what the checker says.
struct Damage {
  const char* name;
  std::function<std::string()> bytes;  // nullptr: no file at all
  std::string fail, intact, problem;
};
void PrintTo(const Damage& d, std::ostream* os) { *os << d.name; }

const Damage kDamage[] = {
    {"MissingFile", nullptr, "65", "", "Data.dat: cannot be opened"},
    {"EmptyFile", [] { return ""s; }, "65", "", "Data.dat: file: the file is empty"},
    {"ShortFile", [] { return "\0\0"s; }, "65", "", "file: the file is shorter than its 4-byte index length"},
    {"NegativeIndexLength", [] { return clsZLib::longToString(-1) + kSample.substr(4); }, "65", "", "index: the index length -1 is negative"},
    {"HugeIndexLength", [] { return clsZLib::longToString(0x7FFFFFFF) + kSample.substr(4); }, "65", "", "index length 2147483647 runs past the end"},
    {"FlippedByteInIndex", [] { return Flip(kSample, 4 + kIndexSize / 2); }, "65", "", "index: the"},
    {"IndexWithoutFinalCrLf", [] { return Indexed("1"); }, "65", "", "index: the text does not end with CR LF"},
    {"IndexEmptyLine", [] { return WithIndexLine(1, ""); }, "65", "", "index: line 2 is empty"},
    {"IndexLineWithTwoFields", [] { return WithIndexLine(1, "100-66"); }, "65", "", "index line 2: has 2 fields"},
    {"IndexYearTwice", [] { return WithIndexLine(2, "10-1-65"); }, "65", "", "year 65 is listed twice (first on index line 1)"},
    {"IndexListsNoYear", [] { return FileOf({}, "\r\n"); }, "65", "", "index: lists no year"},
    {"NonNumericLength", [] { return WithIndexLine(0, "1x0-1-65"); }, "65", "66", "the length \"1x0\" is not a number"},
    {"LengthPastInt32", [] { return WithIndexLine(0, "99999999999-1-65"); }, "65", "66", "the length \"99999999999\" is not"},
    {"NonNumericOffset", [] { return WithIndexLine(0, "100-one-65"); }, "65", "66", "the offset \"one\" is not a number"},
    {"HugeBlockLength", [] { return WithIndexLine(0, "2000000000-1-65"); }, "65", "66", "block 65: runs past the end of the file"},
    {"OffsetPastEnd", [] { return WithIndexLine(0, "10-999999-65"); }, "65", "66", "block 65: starts at offset 999999, expected 1"},
    {"OffsetZero", [] { return WithIndexLine(0, "10-0-65"); }, "65", "66", "block 65: starts at offset 0"},
    {"TruncatedInLastBlock", [] { return kSample.substr(0, kSample.size() - 5); }, "67", "65", "block 67: runs past the end of the file"},
    {"FlippedByteInBlock", [] { return Flip(kSample, 4 + kIndexSize + 9); }, "65", "66", "block 65: the compressed data is damaged"},
    {"WrongPassPhrase", [] { return Sealed(Compressed("a\0p65-A\r\n"s), kPass + "5", kPass); }, "65", "66", "block 65: the trailer is not"},
    {"TrailerOtherCase", [] { return Sealed(Compressed("a\0p65-A\r\n"s), kPass, "c4e19b2-9d07a3f1-26b8e05c-7f3a91d4"); }, "65", "66", "block 65: the trailer is not"},
    {"BlockWithoutCrLf", [] { return WithText("65", "x"); }, "65", "66", "block 65: the text does not end with CR LF"},
    {"RecordWithoutNul", [] { return WithText("65", "Atlanta p65-A\r\n"); }, "65", "66", "block 65 line 1: the record has no NUL"},
    {"EmptyLineInBlock", [] { return WithText("65", "b\0m65-1\r\n\r\na\0p65-A\r\n"s); }, "65", "66", "block 65: line 2 is empty"},
    {"KeyTwiceInBlock", [] { return WithText("65", "b\0m65-1\r\nc\0M65-1\r\n"s); }, "65", "66", "line 2: key \"M65-1\" is there twice (first on block 65 line 1)"},
    {"YearNotInIndex", [] { return kSample; }, "68", "65", ""},
    // The checker is stricter than the reader:
    {"PrefixTooLarge", [] { return WithBlock("66", DataFileWriter::Seal(clsZLib::longToString(99) + Compressed("a\0p66-A\r\n"s).substr(4), kPass, kPass)); }, "", "66", "block 66: the length prefix says 99 bytes, the text has 9"},
    {"IndexLineWithFourFields", [] { return Indexed(kSampleIndex + "10-1-70-x\r\n"); }, "", "65", "index line 4: has 4 fields"},
    {"YearOutOfRange", [] { return Indexed(kSampleIndex + "10-1-75\r\n"); }, "", "65", "the year key \"75\" is not 59 to 74"},
    {"StrayBytes", [] { return kSample + "junk"; }, "", "67", "file: 4 stray bytes after the last block"},
    {"RecordWithTwoNuls", [] { return WithText("65", "a\0p65-A\0x\r\n"s); }, "", "65", "block 65 line 1: the record has more than one NUL"},
    {"KeyOfAnotherYear", [] { return WithText("65", "a\0p66-B\r\n"s); }, "", "65", "line 1: key \"p66-B\" does not carry the model year 65"},
    {"EmptyKey", [] { return WithText("65", "a\0\r\n"s); }, "", "65", "block 65 line 1: empty key"},
    {"LineBreakInDescription", [] { return WithText("65", "a\nb\0p65-A\r\n"s); }, "", "65", "block 65 line 1: description holds a line break"},
    {"EmptyYear", [] { return WithText("66", "\r\n"); }, "", "66", ""},
};

class DataFileDamage : public ::testing::TestWithParam<Damage> {
 protected:
  ScratchDir dir;
  fs::path path = dir / "Data.dat";
};

TEST_P(DataFileDamage, ReaderAndChecker) {
  const Damage& d = GetParam();
  if (d.bytes) WriteBytes(path, d.bytes());
  const auto problems = DataFileChecker::CheckFile(path).problems;
  if (d.problem.empty()) EXPECT_THAT(problems, ::testing::IsEmpty());
  else EXPECT_THAT(problems, ::testing::Contains(::testing::HasSubstr(d.problem)));

  clsDataFile reader(path);
  KeyedTable table;
  std::string raw;
  EXPECT_FALSE(!d.fail.empty() && (reader.ReadData(d.fail, &table, raw) || reader.ReadData(d.fail, &table, raw)));
  if (d.intact.empty()) {
    // Nothing of a spoiled file is kept: once mended, the same reader loads it.
    EXPECT_TRUE(reader.RecordIndex().Empty());
    WriteBytes(path, kSample);
  }
  EXPECT_TRUE(reader.ReadData(d.intact.empty() ? "66" : d.intact, &table, raw)) << "an intact year";
}

INSTANTIATE_TEST_SUITE_P(Files, DataFileDamage, ::testing::ValuesIn(kDamage), [](const auto& p) { return std::string(p.param.name); });

TEST(DataFileRead, OneTableRawTextTheIndexReadOnceAndRecordsBeforeAFailure) {
  ScratchDir dir;
  const fs::path file = dir / "Data.dat";
  WriteBytes(file, kSample);
  clsDataFile reader(file);
  KeyedTable table;
  std::string raw = "untouched";
  for (const char* year : {"67", "65", "66"}) EXPECT_TRUE(reader.ReadData(year, &table, raw)) << year;
  EXPECT_EQ(raw, "untouched");
  ASSERT_EQ(table.Count(), 7u);
  EXPECT_EQ(*table.Find("M65-51") + *table.Find("c65-R"), "Custom two-door sedan - six passengerCr\xE8me Ivory");
  ASSERT_TRUE(reader.ReadData("66", nullptr, raw));
  EXPECT_EQ(raw, "Atlanta, Georgia\0p66-A\r\n390 cubic inch V8 - four-barrel\0e66-X"s);
  // The index is kept (spoiled in place, the blocks are still found), the file is not held open.
  WriteBytes(file, clsZLib::longToString(static_cast<std::int32_t>(kIndexSize)) + std::string(kIndexSize, 'x') + kSample.substr(4 + kIndexSize));
  EXPECT_TRUE(reader.ReadData("66", &(table = KeyedTable()), raw));
  EXPECT_FALSE(clsDataFile(file).ReadData("66", &table, raw));
  // A record whose key is there already fails the block, keeping the records before it.
  WriteBytes(file, WithText("65", "a\0p65-A\r\nb\0p65-B\r\nc\0p65-a\r\n"s));
  EXPECT_FALSE(clsDataFile(file).ReadData("65", &(table = KeyedTable()), raw));
  EXPECT_EQ(table.Count(), 2u);
  const auto blocks = SampleBlocks();  // fields past the third of an index line are ignored
  WriteBytes(file, WithIndexLine(1, std::to_string(blocks[1].packed.size()) + "-" + std::to_string(blocks[0].packed.size() + 1) + "-66-x"));
  EXPECT_TRUE(clsDataFile(file).ReadData("66", &table, raw));
}

}  // namespace
}  // namespace vorrendal
