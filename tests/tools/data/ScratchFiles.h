#pragma once
// Files for the vorrendal-data tests: a scratch folder and whole-file bytes written.
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace vorrendal::testing {

// A fresh directory, removed with all it holds at the end of the scope.
struct ScratchDir {
  std::string pattern = (std::filesystem::temp_directory_path() / "vorrendal-data-XXXXXX").string();
  std::filesystem::path path = ::mkdtemp(pattern.data());
  ~ScratchDir() { std::filesystem::remove_all(path); }
  std::filesystem::path operator/(const std::string& name) const { return path / name; }
};

inline void WriteBytes(const std::filesystem::path& to, const std::string& text) {
  std::ofstream(to, std::ios::binary) << text;
}

}  // namespace vorrendal::testing
