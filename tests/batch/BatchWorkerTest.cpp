// The batch on a thread of its own, taken as a window takes it (told by the
// ready call, then Take) and as the command line does (WaitAndTake). Each
// runs several times: the thread sanitizer build looks at them all.
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <sstream>

#include "batch/BatchWorker.h"
#include "support/MemoryDataReader.h"

namespace vorrendal::batch {
namespace {

constexpr int kRuns = 5;
constexpr std::size_t kRows = 600;

// Every hundredth plate (from line 52) stands for 1962 and 1972 and names no year.
std::string Csv() {
  std::string csv = "serial,year\r\n";
  for (std::size_t i = 0; i < kRows; ++i)
    csv += (i % 100 == 50 ? "2A62C1" : "5A62C1") + std::to_string(10000 + i) + ",\r\n";
  return csv;
}

struct Running {
  Running(std::size_t pieceRows, std::size_t maxWaiting, bool askDecade = false,
          std::function<void()> ready = {}) {
    EXPECT_TRUE(rows.ReadHeader());
    BatchWorker::Options options;
    options.pieceRows = pieceRows;
    options.maxWaiting = maxWaiting;
    options.askDecade = askDecade;
    worker.emplace(rows, store, options, std::move(ready));
  }
  std::istringstream in{Csv()};
  PlateRows rows{in};
  clsDescriptionStore store{std::make_unique<testing::MemoryDataReader>(),
                            clsDescriptionStore::FailedYears::GiveUp};
  std::optional<BatchWorker> worker;
};

// The window's way: ready wakes the taker, which takes everything there.
struct Doorbell {
  std::function<void()> Ring() {
    return [this] {
      std::lock_guard lock(mutex);
      rung = true;
      bell.notify_one();
    };
  }
  void Wait() {
    std::unique_lock lock(mutex);
    bell.wait(lock, [this] { return std::exchange(rung, false); });
  }
  std::mutex mutex;
  std::condition_variable bell;
  bool rung = false;
};

// Takes to the end, by the bell or by waiting; once stopAfter rows are taken, stops the worker.
class Taker : public ::testing::TestWithParam<bool> {
 protected:
  std::vector<FinishedRow> TakeAll(std::size_t stopAfter = kRows + 1) {
    Doorbell bell;
    Running run(7, 64, false, GetParam() ? bell.Ring() : nullptr);
    std::vector<FinishedRow> taken;
    for (;;) {
      if (GetParam()) bell.Wait();
      Handover handover =
          GetParam() ? run.worker->Take() : run.worker->WaitAndTake(std::chrono::milliseconds(50));
      for (FinishedRow& row : handover.rows) taken.push_back(std::move(row));
      if (taken.size() >= stopAfter) run.worker->Stop();
      if (handover.question) run.worker->Answer(std::nullopt);
      if (handover.end) {
        summary = *handover.end;
        for (std::size_t i = 0; i < taken.size(); ++i) EXPECT_EQ(taken[i].row.line, i + 2);
        return taken;
      }
    }
  }
  BatchSummary summary;
};

TEST_P(Taker, GetsEveryRowOnceInOrder) {
  for (int i = 0; i < kRuns; ++i) {
    EXPECT_EQ(TakeAll().size(), kRows);
    EXPECT_FALSE(summary.stopped);
    EXPECT_EQ(summary.rows, kRows);
  }
}

TEST_P(Taker, StoppedMidWayKeepsTheRowsDoneAndReadsLittleMore) {
  for (int i = 0; i < kRuns; ++i) {
    const std::size_t taken = TakeAll(300).size();
    EXPECT_TRUE(summary.stopped);
    EXPECT_EQ(taken, summary.rows);
    EXPECT_GE(taken, 300u);
    // The piece that reached 300, the rows then waiting, the one being decoded.
    EXPECT_LE(taken, 299u + 64 + 64 + 1);
  }
}

INSTANTIATE_TEST_SUITE_P(ByReadyOrByWaiting, Taker, ::testing::Bool(),
                         [](const auto& row) { return row.param ? "ByReady" : "ByWaiting"; });

TEST(BatchWorker, KeepsNoMoreRowsWaitingThanAllowed) {
  Running run(4, 16);
  for (bool ended = false; !ended;) {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    const Handover handover = run.worker->Take();
    ASSERT_LE(handover.rows.size(), 16u);
    ended = handover.end.has_value();
  }
}

TEST(BatchWorker, AsksTheYearOnceAndDecodesEveryOpenRowByTheAnswer) {
  for (int i = 0; i < kRuns; ++i) {
    Running run(7, 64, true);
    std::vector<FinishedRow> taken;
    int questions = 0;
    for (bool ended = false; !ended;) {
      Handover handover = run.worker->WaitAndTake(std::chrono::milliseconds(50));
      for (FinishedRow& row : handover.rows) taken.push_back(std::move(row));
      if (handover.question) {
        ++questions;
        EXPECT_EQ(handover.question->row.line, 52u);
        EXPECT_EQ(taken.size(), 50u);  // the rows before it came first
        run.worker->Answer(Decade::k1970s);
      }
      ended = handover.end.has_value();
    }
    EXPECT_EQ(questions, 1);
    ASSERT_EQ(taken.size(), kRows);
    for (std::size_t row = 50; row < kRows; row += 100) {
      EXPECT_EQ(taken[row].row.year, "1972");
      EXPECT_EQ(taken[row].result.Decode.ModelYear, "1972");
    }
  }
}

TEST(BatchWorker, GoesAwayWhileItsQuestionIsOpen) {
  for (int i = 0; i < kRuns; ++i) {
    Running run(7, 64, true);
    while (!run.worker->WaitAndTake(std::chrono::milliseconds(50)).question) {
    }
    run.worker.reset();  // it must not wait for an answer
  }
}

}  // namespace
}  // namespace vorrendal::batch
