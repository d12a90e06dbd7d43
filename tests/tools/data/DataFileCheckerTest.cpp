// check: each rule a writer must keep, broken once, is named.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "DataTestFiles.h"
#include "data/clsDataFile.h"
#include "data/clsZLib.h"
#include "tools/data/DataFileChecker.h"

namespace vorrendal {
namespace {

using namespace std::string_literals;

using ::testing::HasSubstr;
using testing_data::Blocks;
using testing_data::FileOf;
using testing_data::SampleYears;
using testing_data::SampleWith;
using testing_data::WithText;
using testing_data::Compressed;
using testing_data::kPass;
using Block = DataFileWriter::Block;

std::string WithIndex(const std::string& indexText, const std::vector<Block>& blocks = Blocks(SampleYears())) {
  return DataFileWriter::Assemble(DataFileWriter::PackBlock(indexText), blocks);
}

std::string IndexOfSample() { return DataFileWriter::IndexText(Blocks(SampleYears())); }

struct CheckCase {
  const char* name;
  std::function<std::string()> bytes;
  std::string message;
};

void PrintTo(const CheckCase& c, std::ostream* os) { *os << c.name; }

const CheckCase kBroken[] = {
    {"EmptyFile", [] { return std::string(); }, "Data.dat: file: the file is empty"},
    {"ShortFile", [] { return "\0\0\0"s; }, "shorter than its 4-byte index length"},
    {"NegativeIndexLength", [] { return clsZLib::longToString(-2) + FileOf(Blocks(SampleYears())).substr(4); },
     "Data.dat: index: the index length -2 is negative"},
    {"IndexPastEnd", [] { return clsZLib::longToString(5000) + FileOf(Blocks(SampleYears())).substr(4); },
     "the index length 5000 runs past the end of the file"},
    {"IndexWrongPassPhrase",
     [] { return DataFileWriter::Assemble(DataFileWriter::Seal(Compressed(IndexOfSample()), "other", kPass), Blocks(SampleYears())); },
     "index: the trailer is not the pass phrase"},
    {"IndexDamagedCompressedData",
     [] {
       std::string z = Compressed(IndexOfSample());
       z[7] = static_cast<char>(z[7] ^ 0x40);
       return DataFileWriter::Assemble(DataFileWriter::Seal(z, kPass, kPass), Blocks(SampleYears()));
     },
     "index: the compressed data is damaged"},
    {"LengthPrefixTooLarge",
     [] { return FileOf(SampleWith("66", DataFileWriter::Seal(clsZLib::longToString(99) + Compressed("a\0p66-A\r\n"s).substr(4), kPass, kPass))); },
     "block 66: the length prefix says 99 bytes, the text has 9"},
    {"IndexWithoutFinalCrLf", [] { return WithIndex(IndexOfSample() + "x"); }, "index: the text does not end with CR LF"},
    {"IndexEmptyLine", [] { return WithIndex("\r\n" + IndexOfSample()); }, "index: line 1 is empty"},
    {"IndexLineWithTwoFields", [] { return WithIndex(IndexOfSample() + "10-70\r\n"); }, "index line 4: has 2 fields"},
    {"IndexLineWithFourFields", [] { return WithIndex(IndexOfSample() + "10-1-70-x\r\n"); }, "index line 4: has 4 fields"},
    {"NonNumericLength", [] { return WithIndex(IndexOfSample() + "1O-1-70\r\n"); }, "the length \"1O\" is not a number"},
    {"NonNumericOffset", [] { return WithIndex(IndexOfSample() + "10- 1-70\r\n"); }, "the offset \" 1\" is not a number"},
    {"YearOutOfRange", [] { return WithIndex(IndexOfSample() + "10-1-75\r\n"); }, "the year key \"75\" is not 59 to 74"},
    {"YearNotTwoDigits", [] { return WithIndex(IndexOfSample() + "10-1-065\r\n"); }, "the year key \"065\" is not 59 to 74"},
    {"YearListedTwice", [] { return WithIndex(IndexOfSample() + "10-1-65\r\n"); }, "year 65 is listed twice (first on index line 1)"},
    {"IndexListsNoYear", [] { return WithIndex("\r\n", {}); }, "index: lists no year"},
    {"OffsetGap",
     [] {
       auto blocks = Blocks(SampleYears());
       const std::string index = std::to_string(blocks[0].packed.size()) + "-1-65\r\n" +
                                 std::to_string(blocks[1].packed.size()) + "-" + std::to_string(blocks[0].packed.size() + 3) + "-66\r\n";
       blocks[0].packed += "xx";
       blocks.pop_back();
       return WithIndex(index, blocks);
     },
     "block 66: starts at offset"},
    {"StrayBytesAfterLastBlock", [] { return FileOf(Blocks(SampleYears())) + "junk"; }, "file: 4 stray bytes after the last block"},
    {"BlockPastEnd", [] { const auto f = FileOf(Blocks(SampleYears())); return f.substr(0, f.size() - 1); }, "block 67: runs past the end of the file"},
    {"BlockTrailerOtherCase",
     [] { return FileOf(SampleWith("65", DataFileWriter::Seal(Compressed("a\0p65-A\r\n"s), kPass, "c4e19b2-9d07a3f1-26b8e05c-7f3a91d4"))); },
     "block 65: the trailer is not the pass phrase"},
    {"BlockWithoutFinalCrLf", [] { return WithText("65", "a\0p65-A"s); }, "block 65: the text does not end with CR LF"},
    {"RecordWithoutNul", [] { return WithText("65", "a p65-A\r\n"); }, "block 65 line 1: the record has no NUL"},
    {"RecordWithTwoNuls", [] { return WithText("65", "a\0p65-A\0x\r\n"s); }, "block 65 line 1: the record has more than one NUL"},
    {"BlockEmptyLine", [] { return WithText("65", "a\0p65-A\r\n\r\nb\0p65-B\r\n"s); }, "block 65: line 2 is empty"},
    {"KeyOfAnotherYear", [] { return WithText("65", "a\0p66-B\r\n"s); }, "block 65 line 1: key \"p66-B\" does not carry the model year 65"},
    {"EmptyKey", [] { return WithText("65", "a\0\r\n"s); }, "block 65 line 1: empty key"},
    {"KeyTwiceInABlock", [] { return WithText("65", "a\0p65-A\r\nb\0P65-a\r\n"s); }, "block 65 line 2: key \"P65-a\" is there twice (first on block 65 line 1)"},
    {"LineBreakInDescription", [] { return WithText("65", "a\nb\0p65-A\r\n"s); }, "block 65 line 1: description holds a line break"},
};

class CheckFindsWriterErrors : public ::testing::TestWithParam<CheckCase> {};

TEST_P(CheckFindsWriterErrors, NamesTheFault) {
  const auto result = DataFileChecker::Check(GetParam().bytes(), "Data.dat");
  EXPECT_THAT(result.problems, ::testing::Contains(HasSubstr(GetParam().message)));
}

INSTANTIATE_TEST_SUITE_P(Files, CheckFindsWriterErrors, ::testing::ValuesIn(kBroken),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(CheckSoundFile, HasNoProblemAndGivesEveryRecord) {
  const auto result = DataFileChecker::Check(FileOf(Blocks(SampleYears())), "Data.dat");
  EXPECT_THAT(result.problems, ::testing::IsEmpty());
  ASSERT_EQ(result.years.size(), 3u);
  EXPECT_EQ(result.RecordCount(), 7u);
  EXPECT_EQ(result.years[0].year, 1965);
  EXPECT_EQ(result.years[0].records[1].description, "Custom two-door sedan - six passenger");
  EXPECT_EQ(result.years[2].records[1].key, "x67-4");
}

TEST(CheckSoundFile, AnEmptyYearIsSound) {
  const auto result = DataFileChecker::Check(WithText("66", "\r\n"), "Data.dat");
  EXPECT_THAT(result.problems, ::testing::IsEmpty());
  EXPECT_TRUE(result.years[1].records.empty());
}

TEST(CheckFile, AlsoLoadsEveryYearWithTheProgramsReader) {
  testing_data::ScratchDir dir;
  testing_data::WriteBytes(dir / "Data.dat", FileOf(Blocks(SampleYears())));
  EXPECT_THAT(DataFileChecker::CheckFile(dir / "Data.dat").problems, ::testing::IsEmpty());
  EXPECT_THAT(DataFileChecker::CheckFile(dir / "Missing.dat").problems,
              ::testing::ElementsAre(HasSubstr("Missing.dat: cannot be opened")));
}

}  // namespace
}  // namespace vorrendal
