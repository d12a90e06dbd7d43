#pragma once
// Formats and writes the rows of a batch on a second thread while the first
// goes on decoding, in the order the rows were handed over. The decode keeps
// its one reader on the first thread; only finished results cross over.

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "PlateDecoder.h"
#include "ResultOutput.h"

namespace vorrendal::decodetool {

class OrderedWriter {
 public:
  using WriteRow = std::function<void(const BatchRow&, const PlateResult&)>;

  // write is called on the writer thread, once per row, in order.
  explicit OrderedWriter(WriteRow write);
  ~OrderedWriter();
  OrderedWriter(const OrderedWriter&) = delete;
  OrderedWriter& operator=(const OrderedWriter&) = delete;

  void Push(BatchRow row, PlateResult result);

  // Writes what is left and waits for the writer thread.
  void Finish();

 private:
  using Chunk = std::vector<std::pair<BatchRow, PlateResult>>;
  static constexpr std::size_t kChunkRows = 256;
  static constexpr std::size_t kMaxChunksWaiting = 16;

  void Hand(Chunk chunk);
  void Run();

  WriteRow write_;
  Chunk pending_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Chunk> queue_;
  bool finished_ = false;
  std::thread thread_;
};

}  // namespace vorrendal::decodetool
