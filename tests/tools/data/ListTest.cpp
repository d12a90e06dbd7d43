// vorrendal-data list: the command line over small files made with the real writer, the Data.dat
// the program reads, and the built program on a pipe its reader closes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>

#include "../decode/SpawnedTool.h"
#include "ScratchFiles.h"
#include "tools/data/DataFileWriter.h"
#include "tools/data/DataTool.h"

namespace vorrendal {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using ::testing::HasSubstr;
using Writer = DataFileWriter;

// Every model year with a plant; colors in 1965 and 1966, whose block holds
// a line that is no record when damaged.
std::string FileOf(bool damaged66) {
  std::vector<Writer::Block> blocks;
  for (int year = 59; year <= 74; ++year) {
    const std::string yy = std::to_string(year);
    std::string text = "Linden\0p"s + yy + "-A\r\n";
    if (year == 65) text += "Inkwell Black\0c65-A\r\nCr\xE8me Yellow\0c65-K\r\n"s;
    if (year == 66) text += damaged66 ? "no record\r\n"s : "Inkwell Black\0c66-A\r\n"s;
    blocks.push_back({yy, Writer::PackBlock(text)});
  }
  return Writer::Assemble(Writer::PackBlock(Writer::IndexText(blocks)), blocks);
}

struct ListRow {
  const char* name;
  std::string args;  // split at spaces; FILE stands for the file made, DAMAGED for it damaged
  int code;
  std::string out;       // what it begins with
  std::string err = {};  // what it holds
};
void PrintTo(const ListRow& row, std::ostream* os) { *os << row.name; }

class List : public ::testing::TestWithParam<ListRow> {};

TEST_P(List, ListsOrRefuses) {
  testing::ScratchDir dir;
  testing::WriteBytes(dir / "Data.dat", FileOf(GetParam().args.starts_with("DAMAGED")));
  std::vector<std::string> args{"list"};
  std::istringstream words(GetParam().args);
  for (std::string arg; words >> arg;)
    args.push_back(arg == "FILE" || arg == "DAMAGED" ? (dir / "Data.dat").string() : arg);
  std::ostringstream out, err;
  EXPECT_EQ(DataTool::Run(args, out, err), GetParam().code) << err.str();
  const std::string& begins = GetParam().out;  // nothing at all when empty
  EXPECT_EQ(begins.empty() ? out.str() : out.str().substr(0, begins.size()), begins);
  EXPECT_THAT(err.str(), HasSubstr(GetParam().err));
}

const std::string kTextHeader = "year  field  code  description\n";

INSTANTIATE_TEST_SUITE_P(
    Rows, List,
    ::testing::Values(
        ListRow{"Text", "FILE --year=1966 --search inkwell", 0,
                kTextHeader + "1966  color  A     Inkwell Black\n"},
        ListRow{"Json", "--format json --search CR\xC3\x88ME FILE", 0,
                "{\"year\":1965,\"field\":\"color\",\"code\":\"K\",\"description\":\"Cr\xC3\xA8me "
                "Yellow\"}\n"},
        ListRow{"NoneMatched", "FILE --search teal", 3, ""},
        ListRow{"DamagedYearNamedOnceTheOthersListed", "DAMAGED --field color", 1,
                kTextHeader + "1965  color  A     Inkwell Black\n",
                "Data.dat: the descriptions of 1966 could not be loaded; the file may be damaged"},
        ListRow{"YearOutOfRange", "--year 1975", 2, "", "--year takes a model year from 1959"}),
    [](const ::testing::TestParamInfo<ListRow>& row) { return std::string(row.param.name); });

TEST(ListThroughAPipe, AReaderThatGoesAwayIsAFailedWrite) {
  testing::SpawnSetup setup;
  setup.outLimit = 1;
  setup.program = VORRENDAL_BIN_DIR "/vorrendal-data";
  // JSON Lines of every code: more than two pipe buffers.
  const auto spawned = testing::SpawnTool({"list", "--format", "json"}, setup);
  EXPECT_EQ(spawned.signal, 0);
  EXPECT_EQ(spawned.status, 1);
  EXPECT_THAT(spawned.err, HasSubstr("vorrendal-data: the output could not be written"));
}

}  // namespace
}  // namespace vorrendal
