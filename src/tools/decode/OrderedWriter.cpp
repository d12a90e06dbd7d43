#include "OrderedWriter.h"

namespace vorrendal::decodetool {

OrderedWriter::OrderedWriter(WriteRow write) : write_(std::move(write)) {
  pending_.reserve(kChunkRows);
  thread_ = std::thread([this] { Run(); });
}

OrderedWriter::~OrderedWriter() { Finish(); }

void OrderedWriter::Push(BatchRow row, PlateResult result) {
  pending_.emplace_back(std::move(row), std::move(result));
  if (pending_.size() < kChunkRows) return;
  Hand(std::exchange(pending_, Chunk()));
  pending_.reserve(kChunkRows);
}

void OrderedWriter::Hand(Chunk chunk) {
  std::unique_lock lock(mutex_);
  // A writer slower than the decode holds the decode back, so a long batch
  // never piles up in memory.
  changed_.wait(lock, [this] { return queue_.size() < kMaxChunksWaiting; });
  queue_.push_back(std::move(chunk));
  changed_.notify_all();
}

void OrderedWriter::Finish() {
  if (!thread_.joinable()) return;
  if (!pending_.empty()) Hand(std::exchange(pending_, Chunk()));
  {
    std::lock_guard lock(mutex_);
    finished_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void OrderedWriter::Run() {
  for (;;) {
    Chunk chunk;
    {
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [this] { return !queue_.empty() || finished_; });
      if (queue_.empty()) return;  // finished and drained
      chunk = std::move(queue_.front());
      queue_.pop_front();
    }
    changed_.notify_all();
    for (const auto& [row, result] : chunk) write_(row, result);
  }
}

}  // namespace vorrendal::decodetool
