#include "tools/decode/OrderedWriter.h"

#include <gtest/gtest.h>

namespace vorrendal::decodetool {
namespace {

// Rows cross to the writer thread in chunks; every row must arrive once, in
// order, whether the batch ends on a chunk boundary or not, and also when
// the writer is far slower than the decode (the queue then holds the decode).
TEST(OrderedWriter, WritesEveryRowOnceInOrder) {
  for (const std::size_t rows : {std::size_t{0}, std::size_t{1}, std::size_t{255}, std::size_t{256},
                                 std::size_t{257}, std::size_t{20000}}) {
    SCOPED_TRACE(rows);
    std::vector<std::size_t> lines;
    std::vector<std::string> years;
    {
      OrderedWriter writer([&](const BatchRow& row, const PlateResult& result) {
        lines.push_back(row.line);
        years.push_back(result.SearchYear);
        if (row.line % 4096 == 0) std::this_thread::yield();
      });
      for (std::size_t i = 0; i < rows; ++i) {
        BatchRow row;
        row.line = i + 2;
        PlateResult result;
        result.SearchYear = std::to_string(59 + i % 16);
        writer.Push(std::move(row), std::move(result));
      }
      writer.Finish();
      writer.Finish();  // a second Finish changes nothing
      ASSERT_EQ(lines.size(), rows);
    }
    for (std::size_t i = 0; i < rows; ++i) {
      ASSERT_EQ(lines[i], i + 2);
      ASSERT_EQ(years[i], std::to_string(59 + i % 16));
    }
  }
}

TEST(OrderedWriter, DestructorWritesWhatIsLeft) {
  std::size_t written = 0;
  {
    OrderedWriter writer([&](const BatchRow&, const PlateResult&) { ++written; });
    for (int i = 0; i < 300; ++i) writer.Push(BatchRow{}, PlateResult{});
  }
  EXPECT_EQ(written, 300u);
}

}  // namespace
}  // namespace vorrendal::decodetool
