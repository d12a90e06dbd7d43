#pragma once
// A prompter that answers the year question from a queue and records every
// call, for tests of the decode and of anything that drives it.
//
//   ScriptedPrompter prompter;
//   prompter.QueueYearAnswer(1);           // the 197x year for the next question
//   ... decode ...
//   EXPECT_EQ(prompter.Count(ScriptedPrompter::Kind::AskYear), 1);

#include <cstddef>
#include <deque>
#include <string>
#include <vector>

#include "decode/IPrompter.h"

namespace vorrendal::testing {

class ScriptedPrompter final : public IPrompter {
 public:
  enum class Kind { AskYear, InvalidYearCode, DataLoadFailed };

  // One call as it was made. For AskYear, first and second are the two year
  // texts and answer what was returned; otherwise first is the title and
  // second the text.
  struct Call {
    Kind kind;
    std::string first;
    std::string second;
    int answer = 0;
  };

  // Answers for the coming year questions, in order. When the queue is empty
  // the default answer is given.
  void QueueYearAnswer(int answer) { answers_.push_back(answer); }
  void SetDefaultYearAnswer(int answer) { defaultAnswer_ = answer; }
  std::size_t PendingAnswers() const { return answers_.size(); }

  int AskYear(const std::string& firstYear, const std::string& secondYear) override {
    int answer = defaultAnswer_;
    if (!answers_.empty()) {
      answer = answers_.front();
      answers_.pop_front();
    }
    calls_.push_back({Kind::AskYear, firstYear, secondYear, answer});
    return answer;
  }

  void InvalidYearCode(const std::string& title, const std::string& text) override {
    calls_.push_back({Kind::InvalidYearCode, title, text, 0});
  }

  void DataLoadFailed(const std::string& title, const std::string& text) override {
    calls_.push_back({Kind::DataLoadFailed, title, text, 0});
  }

  const std::vector<Call>& Calls() const { return calls_; }
  int Count(Kind kind) const {
    int n = 0;
    for (const Call& c : calls_) n += c.kind == kind ? 1 : 0;
    return n;
  }
  // The most recent call of kind, or nullptr when there was none.
  const Call* Last(Kind kind) const {
    for (auto it = calls_.rbegin(); it != calls_.rend(); ++it) {
      if (it->kind == kind) return &*it;
    }
    return nullptr;
  }
  void ClearCalls() { calls_.clear(); }

 private:
  std::deque<int> answers_;
  int defaultAnswer_ = 0;
  std::vector<Call> calls_;
};

}  // namespace vorrendal::testing
