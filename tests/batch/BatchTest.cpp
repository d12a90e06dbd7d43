// The batch loop as a window drives it: rows handed over in order, a stop
// between rows keeps those done, progress counts the input.
#include <gtest/gtest.h>

#include <sstream>

#include "batch/Batch.h"
#include "support/MemoryDataReader.h"

namespace vorrendal::batch {
namespace {

constexpr std::size_t kRows = 40;

std::string Csv() {
  std::string csv = "serial,year\r\n";
  for (std::size_t i = 0; i < kRows; ++i) csv += "5A62C1" + std::to_string(10000 + i) + ",\r\n";
  return csv;
}

struct Outcome {
  std::vector<std::size_t> lines;
  std::vector<BatchProgress> progress;
  BatchSummary summary;
};

// The row event answers row stopAfter with a stop, by the token or by returning false.
Outcome RunRows(std::size_t stopAfter, bool byToken) {
  std::istringstream in(Csv());
  PlateRows rows(in);
  EXPECT_TRUE(rows.ReadHeader());
  clsDescriptionStore store(std::make_unique<testing::MemoryDataReader>());
  std::stop_source stop;
  Outcome run;
  const auto onRow = [&](const BatchRow& row, const PlateResult&) {
    run.lines.push_back(row.line);
    if (run.lines.size() < stopAfter) return true;
    stop.request_stop();
    return byToken;
  };
  const auto onProgress = [&](const BatchProgress& p) { run.progress.push_back(p); };
  run.summary = RunBatch(rows, store, false, {onRow, onProgress, {}}, stop.get_token());
  return run;
}

class Stopped : public ::testing::TestWithParam<bool> {};

TEST_P(Stopped, KeepsTheRowsDoneInOrderAndReadsNoMore) {
  const Outcome run = RunRows(7, GetParam());
  EXPECT_TRUE(run.summary.stopped);
  EXPECT_EQ(run.summary.rows, 7u);
  EXPECT_EQ(run.lines, (std::vector<std::size_t>{2, 3, 4, 5, 6, 7, 8}));
}

INSTANTIATE_TEST_SUITE_P(ByTokenOrByTheRowEvent, Stopped, ::testing::Bool());

TEST(Batch, ProgressFollowsEachRowToTheEndOfTheInput) {
  const Outcome run = RunRows(kRows + 1, true);
  EXPECT_FALSE(run.summary.stopped);
  ASSERT_EQ(run.progress.size(), kRows);
  for (std::size_t i = 0; i < kRows; ++i) {
    EXPECT_EQ(run.progress[i].rows, i + 1);
    if (i > 0) {
      EXPECT_GT(run.progress[i].bytes, run.progress[i - 1].bytes);
    }
  }
  EXPECT_EQ(run.progress.back().bytes, Csv().size());
}

}  // namespace
}  // namespace vorrendal::batch
