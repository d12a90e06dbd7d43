// The batch loop's progress as a window's bar shows it: each row counted, the bytes read growing to
// the whole input. (Stopping is kept by the worker's and the tool's tests.)
#include <gtest/gtest.h>

#include <sstream>

#include "batch/Batch.h"
#include "support/MemoryDataReader.h"

namespace vorrendal::batch {
namespace {

TEST(Batch, ProgressFollowsEachRowToTheEndOfTheInput) {
  constexpr std::size_t kRows = 40;
  std::string csv = "serial,year\r\n";
  for (std::size_t i = 0; i < kRows; ++i) csv += "5A62C1" + std::to_string(10000 + i) + ",\r\n";
  std::istringstream in(csv);
  PlateRows rows(in);
  ASSERT_TRUE(rows.ReadHeader());
  clsDescriptionStore store(std::make_unique<testing::MemoryDataReader>());
  std::vector<BatchProgress> progress;
  const auto onRow = [](const BatchRow&, const PlateResult&) { return true; };
  const auto onProgress = [&](const BatchProgress& p) { progress.push_back(p); };
  RunBatch(rows, store, false, {onRow, onProgress, {}});
  ASSERT_EQ(progress.size(), kRows);
  for (std::size_t i = 0; i < kRows; ++i) {
    EXPECT_EQ(progress[i].rows, i + 1);
    EXPECT_GT(progress[i].bytes, i == 0 ? 0 : progress[i - 1].bytes);
  }
  EXPECT_EQ(progress.back().bytes, csv.size());
}

}  // namespace
}  // namespace vorrendal::batch
