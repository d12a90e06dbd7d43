// The reader against damaged files, each made with the real writer and then
// spoiled in one way. Every damage must give a failed load, no crash, and
// leave the reader able to load an intact year.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "../../support/ScriptedPrompter.h"
#include "DataTestFiles.h"
#include "data/clsDataFile.h"
#include "data/clsZLib.h"
#include "decode/clsCodeReader.h"

namespace vorrendal {
namespace {

using namespace std::string_literals;

using testing_data::Blocks;
using testing_data::FileOf;
using testing_data::SampleYears;
using testing_data::SampleWith;
using testing_data::WithText;
using testing_data::Compressed;
using testing_data::kPass;
using testing_data::ScratchDir;
using testing_data::WriteBytes;
using Block = DataFileWriter::Block;

// The sample file with block `year` replaced by packed.
std::string WithBlock(const std::string& year, const std::string& packed) { return FileOf(SampleWith(year, packed)); }

// The sample blocks behind a hand-written index.
std::string WithIndex(const std::string& indexText) {
  return DataFileWriter::Assemble(DataFileWriter::PackBlock(indexText), Blocks(SampleYears()));
}

// The index text the writer makes for the sample, with one line replaced.
std::string IndexWithLine(std::size_t line, const std::string& replacement) {
  const std::string text = DataFileWriter::IndexText(Blocks(SampleYears()));
  std::string out;
  std::size_t start = 0;
  for (std::size_t i = 0; start < text.size(); ++i) {
    const std::size_t end = text.find("\r\n", start);
    out += (i == line ? replacement : text.substr(start, end - start)) + "\r\n";
    start = end + 2;
  }
  return out;
}

std::string Flip(std::string bytes, std::size_t at) {
  bytes[at] = static_cast<char>(bytes[at] ^ 0x20);
  return bytes;
}

std::size_t IndexSize() { return DataFileWriter::PackBlock(DataFileWriter::IndexText(Blocks(SampleYears()))).size(); }
std::size_t BlockStart(std::size_t which) {
  std::size_t start = 4 + IndexSize();
  const auto blocks = Blocks(SampleYears());
  for (std::size_t i = 0; i < which; ++i) start += blocks[i].packed.size();
  return start;
}

struct DamageCase {
  const char* name;
  std::function<std::string()> bytes;  // nullptr: no file at all
  std::string failYear;                // the year that must fail to load
  std::string intactYear;              // a year the same file still serves, or "" when
                                       // the damage spoils the whole file
};

void PrintTo(const DamageCase& c, std::ostream* os) { *os << c.name; }

const std::string kSample = FileOf(Blocks(SampleYears()));

const DamageCase kDamage[] = {
    {"MissingFile", nullptr, "65", ""},
    {"EmptyFile", [] { return std::string(); }, "65", ""},
    {"ShorterThanIndexLength", [] { return "\0\0"s; }, "65", ""},
    {"TruncatedInIndex", [] { return kSample.substr(0, 4 + IndexSize() / 2); }, "65", ""},
    {"TruncatedInLastBlock", [] { return kSample.substr(0, kSample.size() - 5); }, "67", "65"},
    {"FlippedByteInIndex", [] { return Flip(kSample, 4 + IndexSize() / 2); }, "65", ""},
    {"FlippedByteInBlock", [] { return Flip(kSample, BlockStart(0) + 9); }, "65", "66"},
    {"FlippedByteInTrailer", [] { return Flip(kSample, BlockStart(1) - 3); }, "65", "66"},
    {"WrongPassPhrase",
     [] { return WithBlock("65", DataFileWriter::Seal(Compressed("a\0p65-A\r\n"s), "C4E19B2-9D07A3F1-26B8E05C-7F3A91D5", kPass)); },
     "65", "66"},
    {"TrailerInOtherLetterCase",
     [] { return WithBlock("65", DataFileWriter::Seal(Compressed("a\0p65-A\r\n"s), kPass, "c4e19b2-9d07a3f1-26b8e05c-7f3a91d4")); },
     "65", "66"},
    {"DamagedCompressedData",
     [] { return WithBlock("65", DataFileWriter::Seal(Flip(Compressed(std::string(50, 'x') + "\r\n"), 8), kPass, kPass)); },
     "65", "66"},
    {"NegativeCompressedLength",
     [] { return WithBlock("65", DataFileWriter::Seal(clsZLib::longToString(-9) + Compressed("a\r\n").substr(4), kPass, kPass)); },
     "65", "66"},
    {"NegativeIndexLength", [] { return clsZLib::longToString(-1) + kSample.substr(4); }, "65", ""},
    {"OversizedIndexLength", [] { return clsZLib::longToString(0x7FFFFFFF) + kSample.substr(4); }, "65", ""},
    {"OversizedBlockLength", [] { return WithIndex(IndexWithLine(0, "2000000000-1-65")); }, "65", "66"},
    {"BlockLengthPastInt32", [] { return WithIndex(IndexWithLine(0, "99999999999-1-65")); }, "65", "66"},
    {"NegativeBlockLength", [] { return WithIndex(IndexWithLine(0, "-5-1-65")); }, "65", "66"},
    {"OffsetPastEnd", [] { return WithIndex(IndexWithLine(0, "10-999999-65")); }, "65", "66"},
    {"OffsetZero", [] { return WithIndex(IndexWithLine(0, "10-0-65")); }, "65", "66"},
    {"NonNumericLength", [] { return WithIndex(IndexWithLine(0, "1x0-1-65")); }, "65", "66"},
    {"NonNumericOffset", [] { return WithIndex(IndexWithLine(0, "100-one-65")); }, "65", "66"},
    {"IndexLineWithTwoFields", [] { return WithIndex(IndexWithLine(1, "100-66")); }, "65", ""},
    {"IndexEmptyLine", [] { return WithIndex(IndexWithLine(1, "")); }, "65", ""},
    {"IndexYearTwice", [] { return WithIndex(IndexWithLine(2, "10-1-65")); }, "65", ""},
    {"IndexWithoutFinalCrLf", [] { return WithIndex("1"); }, "65", ""},
    {"RecordWithoutNul", [] { return WithText("65", "Atlanta, Georgia p65-A\r\n"); }, "65", "66"},
    {"EmptyLineInBlock",
     [] { return WithText("65", "b\0m65-1\r\n\r\na\0p65-A\r\n"s); }, "65", "66"},
    {"DuplicateKeyInBlock",
     [] { return WithText("65", "b\0m65-1\r\nc\0M65-1\r\na\0p65-A\r\n"s); }, "65", "66"},
    {"BlockTextShorterThanCrLf", [] { return WithText("65", "x"); }, "65", "66"},
    {"YearNotInIndex", [] { return kSample; }, "68", "65"},
};

class DataFileDamage : public ::testing::TestWithParam<DamageCase> {
 protected:
  void Write(const std::string& bytes) { WriteBytes(path_, bytes); }
  ScratchDir dir_;
  std::filesystem::path path_ = dir_ / "Data.dat";
};

TEST_P(DataFileDamage, FailsAndTheReaderRecovers) {
  const DamageCase& c = GetParam();
  if (c.bytes) Write(c.bytes());
  clsDataFile reader(path_);
  KeyedTable table;
  std::string raw;
  EXPECT_FALSE(reader.ReadData(c.failYear, &table, raw));
  EXPECT_FALSE(reader.ReadData(c.failYear, &table, raw)) << "and again";

  if (!c.intactYear.empty()) {
    EXPECT_TRUE(reader.ReadData(c.intactYear, &table, raw)) << "intact year of the same file";
    EXPECT_TRUE(table.Contains("p" + c.intactYear + "-A") || table.Contains("p" + c.intactYear + "-K"));
  } else {
    // The whole file was spoiled: no index may have been kept, so once the
    // file is mended the same reader loads it.
    EXPECT_TRUE(reader.RecordIndex().Empty());
    Write(kSample);
    EXPECT_TRUE(reader.ReadData("66", &table, raw));
    EXPECT_EQ(*table.Find("e66-X"), "390 cubic inch V8 - four-barrel");
  }
}

// The same files through the code reader: the load message, "Description Not
// Found" for the plant, and an intact year that still decodes.
TEST_P(DataFileDamage, DecodeShowsTheLoadMessage) {
  const DamageCase& c = GetParam();
  if (c.bytes) Write(c.bytes());
  testing::ScriptedPrompter prompter;
  clsCodeReader codes(prompter, std::make_unique<clsDataFile>(path_));
  const auto serial = [](const std::string& yy) { return std::string(1, yy[1]) + "A62C100001"; };

  codes.ReadCodes(serial(c.failYear), "", "", "", "", "", "", "");
  const auto* call = prompter.Last(testing::ScriptedPrompter::Kind::DataLoadFailed);
  ASSERT_NE(call, nullptr);
  EXPECT_EQ(call->first, "Error Loading Data");
  EXPECT_EQ(call->second, "Unable to load data file. It may be corrupted.");
  EXPECT_EQ(codes.AssemblyPlant, "Description Not Found");
  EXPECT_TRUE(codes.ErrorOccurred);

  if (!c.intactYear.empty()) {
    prompter.ClearCalls();
    codes.ErrorOccurred = false;
    codes.ReadCodes(serial(c.intactYear), "", "", "", "", "", "", "");
    // The first load call of this decode still names the failed year.
    EXPECT_LE(prompter.Count(testing::ScriptedPrompter::Kind::DataLoadFailed), 1);
    EXPECT_TRUE(codes.YearLoaded(std::stoi(c.intactYear)));
    EXPECT_NE(codes.AssemblyPlant, "Description Not Found");
  }
}

INSTANTIATE_TEST_SUITE_P(Files, DataFileDamage, ::testing::ValuesIn(kDamage),
                         [](const auto& p) { return std::string(p.param.name); });

// Files the reader must accept.
class DataFileRead : public ::testing::Test {
 protected:
  ScratchDir dir_;
  std::filesystem::path path_ = dir_ / "Data.dat";
};

TEST_F(DataFileRead, LoadsEveryYearIntoOneTable) {
  WriteBytes(path_, kSample);
  clsDataFile reader(path_);
  KeyedTable table;
  std::string raw = "untouched";
  for (const char* year : {"67", "65", "66"}) EXPECT_TRUE(reader.ReadData(year, &table, raw)) << year;
  EXPECT_EQ(raw, "untouched");
  EXPECT_EQ(table.Count(), 7u);
  EXPECT_EQ(*table.Find("M65-51"), "Custom two-door sedan - six passenger");  // "-" kept
  EXPECT_EQ(*table.Find("c65-R"), "Cr\xE8me Ivory");
  EXPECT_EQ(reader.IndexLength(), static_cast<std::int32_t>(IndexSize()));
  EXPECT_EQ(reader.RecordIndex().Count(), 3u);
}

TEST_F(DataFileRead, RawTextWhenNoTableIsGiven) {
  WriteBytes(path_, kSample);
  clsDataFile reader(path_);
  std::string raw;
  ASSERT_TRUE(reader.ReadData("66", nullptr, raw));
  EXPECT_EQ(raw, "Atlanta, Georgia\0p66-A\r\n390 cubic inch V8 - four-barrel\0e66-X"s);
}

TEST_F(DataFileRead, AYearOfOnlyCrLfAddsNothing) {
  WriteBytes(path_, WithText("66", "\r\n"));
  clsDataFile reader(path_);
  KeyedTable table;
  std::string raw;
  EXPECT_TRUE(reader.ReadData("66", &table, raw));
  EXPECT_TRUE(table.Empty());
}

TEST_F(DataFileRead, IndexFieldsBeyondTheThirdAreIgnored) {
  const auto blocks = Blocks(SampleYears());
  const std::string line = std::to_string(blocks[1].packed.size()) + "-" +
                           std::to_string(blocks[0].packed.size() + 1) + "-66-extra-fields";
  WriteBytes(path_, WithIndex(IndexWithLine(1, line)));
  clsDataFile reader(path_);
  KeyedTable table;
  std::string raw;
  EXPECT_TRUE(reader.ReadData("66", &table, raw));
  EXPECT_TRUE(table.Contains("p66-A"));
}

TEST_F(DataFileRead, TheIndexIsReadOnce) {
  WriteBytes(path_, kSample);
  clsDataFile reader(path_);
  KeyedTable table;
  std::string raw;
  ASSERT_TRUE(reader.ReadData("65", &table, raw));
  // Spoil the index in place: the blocks stay where they were, and the
  // reader, which keeps the index it read, still finds them.
  WriteBytes(path_, clsZLib::longToString(static_cast<std::int32_t>(IndexSize())) +
                        std::string(IndexSize(), 'x') + kSample.substr(4 + IndexSize()));
  EXPECT_TRUE(reader.ReadData("66", &table, raw));
  EXPECT_FALSE(clsDataFile(path_).ReadData("66", &table, raw)) << "a new reader reads the spoiled index";
}

TEST_F(DataFileRead, RecordsBeforeAFailureStayAndTheBlockFailsAgain) {
  WriteBytes(path_, WithText("65", "a\0p65-A\r\nb\0p65-B\r\nc\0p65-a\r\n"s));
  clsDataFile reader(path_);
  KeyedTable table;
  std::string raw;
  EXPECT_FALSE(reader.ReadData("65", &table, raw));
  EXPECT_EQ(table.Count(), 2u);
  EXPECT_FALSE(reader.ReadData("65", &table, raw));
  EXPECT_EQ(table.Count(), 2u);
}

TEST_F(DataFileRead, AKeyAlreadyInTheTableFailsTheBlock) {
  WriteBytes(path_, kSample);
  clsDataFile reader(path_);
  KeyedTable table;
  table.Add("p66-a", "already there");
  std::string raw;
  EXPECT_FALSE(reader.ReadData("66", &table, raw));
  EXPECT_EQ(*table.Find("p66-A"), "already there");
}

TEST_F(DataFileRead, TheFileIsNotHeldOpen) {
  WriteBytes(path_, kSample);
  clsDataFile reader(path_);
  KeyedTable table;
  std::string raw;
  ASSERT_TRUE(reader.ReadData("65", &table, raw));
  EXPECT_FALSE(reader.ReadData("70", &table, raw));
  // Replacing and removing the file works between calls, and the reader
  // sees the new file on its next call.
  std::filesystem::remove(path_);
  EXPECT_FALSE(reader.ReadData("66", &table, raw));
  WriteBytes(path_, kSample);
  EXPECT_TRUE(reader.ReadData("66", &table, raw));
}

}  // namespace
}  // namespace vorrendal
