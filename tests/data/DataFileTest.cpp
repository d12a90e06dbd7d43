// The pieces of the Data.dat format that the reader and the checker share.
// (Whole files, damaged and sound, are tested with the packer in tests/tools/data.)
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "data/clsDataFile.h"

namespace vorrendal {
namespace {

using namespace std::string_literals;
using Pieces = std::vector<std::string>;

Pieces Strings(const std::vector<std::string_view>& views) {
  return Pieces(views.begin(), views.end());
}

TEST(DataFile, SplitsLinesAndFields) {
  EXPECT_EQ(Strings(clsDataFile::SplitLines("")), Pieces{});
  EXPECT_EQ(Strings(clsDataFile::SplitLines("a\r\n")), (Pieces{"a", ""}));
  EXPECT_EQ(Strings(clsDataFile::SplitLines("a\rb\nc\0d\r\ne"s)), (Pieces{"a\rb\nc\0d"s, "e"}));
  EXPECT_EQ(Strings(clsDataFile::SplitFields("-a--", '-')), (Pieces{"", "a", "", ""}));
  EXPECT_EQ(Strings(clsDataFile::SplitFields("", '-')), Pieces{""});
  EXPECT_EQ(Strings(clsDataFile::SplitFields("Custom - two-door\0m65-51"s, '\0')),
            (Pieces{"Custom - two-door", "m65-51"}));
}

TEST(DataFile, NumbersAreUpToEighteenDecimalDigits) {
  const struct {
    const char* field;
    std::optional<std::int64_t> value;
  } rows[] = {
      {"0", 0},
      {"007", 7},
      {"999999999999999999", 999999999999999999},
      {"1000000000000000000", std::nullopt},
      {"", std::nullopt},
      {"+5", std::nullopt},
      {" 5", std::nullopt},
      {"1x", std::nullopt},
  };
  for (const auto& r : rows) EXPECT_EQ(clsDataFile::ParseNumber(r.field), r.value) << r.field;
}

TEST(DataFile, AMissingFileFailsWithoutTouchingTheOutputs) {
  clsDataFile reader("/nonexistent/vorrendal/Data.dat");
  KeyedTable table;
  std::string raw = "untouched";
  EXPECT_FALSE(reader.ReadData("65", &table, raw));
  EXPECT_FALSE(reader.ReadData("65", nullptr, raw));
  EXPECT_EQ(raw, "untouched");
  EXPECT_TRUE(table.Empty());
}

// A FIFO with no writer would hold open() until one came: the reader refuses
// it without waiting, so the window and the tools never hang on one.
TEST(DataFileDeathTest, AFifoIsRefusedWithoutWaitingForAWriter) {
  std::string dir = (std::filesystem::temp_directory_path() / "vorrendal-fifo-XXXXXX").string();
  ASSERT_NE(::mkdtemp(dir.data()), nullptr);
  const std::string fifo = dir + "/Data.dat";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EXIT(
      {
        ::alarm(10);  // a reader that waits is ended here, and the test fails
        clsDataFile reader(fifo);
        KeyedTable table;
        std::string raw;
        std::_Exit(reader.ReadData("65", &table, raw) ? 2 : 3);
      },
      ::testing::ExitedWithCode(3), "");
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace vorrendal
