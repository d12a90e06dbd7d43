#pragma once
// Files written beside their targets and moved over them only once every one
// of them is written, so that a failure leaves each target as it was.
//
// A temporary file gets an unpredictable name and is created exclusively: a
// name that exists, a symbolic link included, is never opened. A target that
// is a symbolic link is refused rather than replaced or followed (the user
// names the file it points to), and so is one that is not a regular file.

#include <filesystem>
#include <string>
#include <string_view>
#include <tl/expected.hpp>
#include <utility>
#include <vector>

namespace vorrendal {

class StagedFiles {
 public:
  StagedFiles() = default;
  StagedFiles(const StagedFiles&) = delete;
  StagedFiles& operator=(const StagedFiles&) = delete;
  ~StagedFiles();  // removes every temporary file not moved into place

  // Writes bytes to a new temporary file in target's folder, all of them or
  // none. Fails with a message naming target.
  tl::expected<void, std::string> Stage(const std::filesystem::path& target,
                                        std::string_view bytes);

  // Moves every staged file over its target, in the order staged. Fails with
  // a message naming the target that could not be replaced.
  tl::expected<void, std::string> Commit();

 private:
  std::vector<std::pair<std::filesystem::path, std::filesystem::path>> staged_;  // temp, target
};

}  // namespace vorrendal
