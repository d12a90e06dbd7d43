#pragma once
// The problems found in a data file or a source folder. The first kListed are
// kept word for word and the rest only counted, so that a hostile file costs
// a screenful of messages and no more memory than that.

#include <cstddef>
#include <string>
#include <vector>

namespace vorrendal {

class ProblemList {
 public:
  static constexpr std::size_t kListed = 40;

  void Add(std::string problem) {
    if (listed_.size() < kListed) listed_.push_back(std::move(problem));
    ++count_;
  }
  bool Empty() const { return count_ == 0; }
  std::size_t Count() const { return count_; }
  const std::vector<std::string>& Listed() const { return listed_; }

 private:
  std::vector<std::string> listed_;
  std::size_t count_ = 0;
};

}  // namespace vorrendal
