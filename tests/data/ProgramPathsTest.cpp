#include "data/ProgramPaths.h"

#include <gtest/gtest.h>

#include <fstream>

namespace vorrendal {
namespace {

namespace fs = std::filesystem;

class ProgramFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("vorrendal-paths-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_ / "bin");
    fs::create_directories(root_ / "share" / "vorrendal");
  }
  void TearDown() override { fs::remove_all(root_); }
  void Touch(const fs::path& p) { std::ofstream(p) << "x"; }
  fs::path root_;
};

TEST_F(ProgramFiles, OwnDirectoryComesFirst) {
  Touch(root_ / "bin" / "Data.dat");
  Touch(root_ / "share" / "vorrendal" / "Data.dat");
  EXPECT_EQ(FindProgramFile(root_ / "bin", "Data.dat"), root_ / "bin" / "Data.dat");
}

TEST_F(ProgramFiles, InstalledTreeIsFoundBesideTheProgram) {
  Touch(root_ / "share" / "vorrendal" / "VRNDL.chm");
  EXPECT_EQ(FindProgramFile(root_ / "bin", "VRNDL.chm"),
            (root_ / "share" / "vorrendal" / "VRNDL.chm").lexically_normal());
}

TEST_F(ProgramFiles, MissingFileNamesTheProgramDirectory) {
  EXPECT_EQ(FindProgramFile(root_ / "bin", "Data.dat"), root_ / "bin" / "Data.dat");
}

TEST(ProgramDirectory, IsWhereThisTestRuns) {
  const fs::path dir = ProgramDirectory();
  ASSERT_FALSE(dir.empty());
  EXPECT_TRUE(fs::exists(dir / "vorrendal_data_tests"));
}

}  // namespace
}  // namespace vorrendal
