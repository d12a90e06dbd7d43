#pragma once
// A prompter that answers the year question from a queue (then a default
// answer) and records every call.

#include <algorithm>
#include <deque>
#include <string>
#include <vector>

#include "decode/IPrompter.h"

namespace vorrendal::testing {

class ScriptedPrompter final : public IPrompter {
 public:
  enum class Kind { AskYear, InvalidYearCode, DataLoadFailed };
  // first, second: the two years offered, or the title and text; answer: the year chosen.
  struct Call {
    Kind kind;
    std::string first, second;
    int answer = 0;
  };

  void QueueYearAnswer(int answer) { answers_.push_back(answer); }
  void SetDefaultYearAnswer(int answer) { defaultAnswer_ = answer; }

  int AskYear(const std::string& firstYear, const std::string& secondYear) override {
    const int answer = answers_.empty() ? defaultAnswer_ : answers_.front();
    if (!answers_.empty()) answers_.pop_front();
    calls_.push_back({Kind::AskYear, firstYear, secondYear, answer});
    return answer;
  }
  void InvalidYearCode(const std::string& title, const std::string& text) override {
    calls_.push_back({Kind::InvalidYearCode, title, text});
  }
  void DataLoadFailed(const std::string& title, const std::string& text) override {
    calls_.push_back({Kind::DataLoadFailed, title, text});
  }

  int Count(Kind kind) const {
    return static_cast<int>(std::count_if(calls_.begin(), calls_.end(),
                                          [kind](const Call& c) { return c.kind == kind; }));
  }
  // The most recent call of kind, or nullptr.
  const Call* Last(Kind kind) const {
    for (auto it = calls_.rbegin(); it != calls_.rend(); ++it) {
      if (it->kind == kind) return &*it;
    }
    return nullptr;
  }

 private:
  std::deque<int> answers_;
  int defaultAnswer_ = 0;
  std::vector<Call> calls_;
};

}  // namespace vorrendal::testing
