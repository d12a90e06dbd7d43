#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

#include "data/ProgramPaths.h"

namespace vorrendal {
namespace {

namespace fs = std::filesystem;

TEST(ProgramPaths, OwnDirectoryThenTheInstalledTreeThenTheOwnPathAgain) {
  const fs::path root =
      fs::temp_directory_path() / ("vorrendal-paths-" + std::to_string(::getpid()));
  fs::remove_all(root);
  fs::create_directories(root / "bin");
  fs::create_directories(root / "share" / "vorrendal");
  const fs::path own = root / "bin" / "Data.dat",
                 shared = root / "share" / "vorrendal" / "Data.dat";
  EXPECT_EQ(FindProgramFile(root / "bin", "Data.dat"), own);  // neither: where a user would look
  std::ofstream(shared) << "x";
  EXPECT_EQ(FindProgramFile(root / "bin", "Data.dat"), shared.lexically_normal());
  std::ofstream(own) << "x";
  EXPECT_EQ(FindProgramFile(root / "bin", "Data.dat"), own);
  fs::remove_all(root);
}

}  // namespace
}  // namespace vorrendal
