// The batch loop as a window would drive it: rows handed over in order, one
// by one; a stop between rows keeps those done; progress counts the input.
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

// Runs the batch; the row event answers stopAfter rows with a stop (by the
// token, or by returning false).
Outcome RunRows(std::size_t stopAfter, bool byToken) {
  std::istringstream in(Csv());
  PlateRows rows(in);
  EXPECT_TRUE(rows.ReadHeader());
  clsDescriptionStore store(std::make_unique<testing::MemoryDataReader>());
  std::stop_source stop;
  Outcome run;
  const BatchEvents events{[&](const BatchRow& row, const PlateResult&) {
                             run.lines.push_back(row.line);
                             if (run.lines.size() < stopAfter) return true;
                             stop.request_stop();
                             return byToken;
                           },
                           [&](const BatchProgress& progress) { run.progress.push_back(progress); },
                           {}};
  run.summary = RunBatch(rows, store, false, events, stop.get_token());
  return run;
}

class Stopped : public ::testing::TestWithParam<bool> {};

TEST_P(Stopped, KeepsTheRowsDoneInOrderAndReadsNoMore) {
  const Outcome run = RunRows(7, GetParam());
  EXPECT_TRUE(run.summary.stopped);
  EXPECT_EQ(run.summary.rows, 7u);
  ASSERT_EQ(run.lines.size(), 7u);
  for (std::size_t i = 0; i < run.lines.size(); ++i) EXPECT_EQ(run.lines[i], i + 2);
}

INSTANTIATE_TEST_SUITE_P(ByTokenOrByTheRowEvent, Stopped, ::testing::Bool());

TEST(Batch, ProgressFollowsEachRowToTheEndOfTheInput) {
  const Outcome run = RunRows(kRows + 1, true);
  EXPECT_FALSE(run.summary.stopped);
  ASSERT_EQ(run.progress.size(), kRows);
  for (std::size_t i = 0; i < kRows; ++i) EXPECT_EQ(run.progress[i].rows, i + 1);
  for (std::size_t i = 1; i < kRows; ++i)
    EXPECT_GT(run.progress[i].bytes, run.progress[i - 1].bytes);
  EXPECT_EQ(run.progress.back().bytes, Csv().size());
}

}  // namespace
}  // namespace vorrendal::batch
