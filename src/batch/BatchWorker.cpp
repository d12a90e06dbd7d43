#include "BatchWorker.h"

#include <exception>
#include <utility>

namespace vorrendal::batch {

BatchWorker::BatchWorker(PlateRows& rows, clsDescriptionStore& store, const Options& options,
                         std::function<void()> ready)
    : rows_(rows),
      store_(store),
      options_(options),
      ready_(std::move(ready)),
      thread_([this](std::stop_token stop) { Run(std::move(stop)); }) {}

BatchWorker::~BatchWorker() = default;  // the thread is asked to stop and joined

void BatchWorker::Run(std::stop_token stop) {
  BatchEvents events;
  events.row = [this, &stop](BatchRow& row, PlateResult& result) {
    return Keep(row, result, stop);
  };
  events.progress = [this](const BatchProgress& progress) { Progressed(progress); };
  if (options_.askDecade) {
    events.chooseDecade = [this, &stop](const BatchRow& row, const SerialYears& years) {
      return Ask(row, years, stop);
    };
  } else if (options_.decade) {
    events.chooseDecade = [decade = *options_.decade](const BatchRow&, const SerialYears&) {
      return std::optional<Decade>(decade);
    };
  }
  BatchSummary summary;
  try {
    summary = RunBatch(rows_, store_, options_.withReport, events, stop);
  } catch (const std::exception& failure) {
    // Memory ran out, most likely: the batch ends there, keeping its rows.
    summary.stopped = true;
    summary.readError = failure.what();
  }
  Finish(std::move(summary));
}

bool BatchWorker::Keep(BatchRow& row, PlateResult& result, std::stop_token stop) {
  std::unique_lock lock(mutex_);
  waiting_.push_back({std::move(row), std::move(result)});
  if (waiting_.size() >= options_.maxWaiting) {
    if (Signal()) {
      lock.unlock();
      Ready();
      lock.lock();
    }
    changed_.wait(lock, stop, [this] { return waiting_.size() < options_.maxWaiting; });
  }
  return !stop.stop_requested();
}

void BatchWorker::Progressed(const BatchProgress& progress) {
  bool ready = false;
  {
    std::lock_guard lock(mutex_);
    progress_ = progress;
    if (waiting_.size() >= options_.pieceRows ||
        std::chrono::steady_clock::now() - lastHandover_ >= options_.pieceTime)
      ready = Signal();
  }
  if (ready) Ready();
}

std::optional<Decade> BatchWorker::Ask(const BatchRow& row, const SerialYears& years,
                                       std::stop_token stop) {
  std::unique_lock lock(mutex_);
  question_ = DecadeQuestion{row, years};
  const bool ready = Signal();
  lock.unlock();
  if (ready) Ready();
  lock.lock();
  changed_.wait(lock, stop, [this] { return answer_.has_value(); });
  return answer_ ? *answer_ : std::nullopt;
}

void BatchWorker::Finish(BatchSummary summary) {
  bool ready = false;
  {
    std::lock_guard lock(mutex_);
    end_ = std::move(summary);
    ready = Signal();
  }
  if (ready) Ready();
}

bool BatchWorker::Signal() {
  if (signalled_) return false;
  signalled_ = true;
  return true;
}

void BatchWorker::Ready() {
  changed_.notify_all();
  if (ready_) ready_();
}

Handover BatchWorker::TakeLocked() {
  Handover handover;
  handover.rows.swap(waiting_);
  handover.progress = progress_;
  handover.question = std::exchange(question_, std::nullopt);
  handover.end = std::exchange(end_, std::nullopt);
  signalled_ = false;
  lastHandover_ = std::chrono::steady_clock::now();
  return handover;
}

Handover BatchWorker::Take() {
  std::unique_lock lock(mutex_);
  Handover handover = TakeLocked();
  lock.unlock();
  changed_.notify_all();  // room for the worker
  return handover;
}

Handover BatchWorker::WaitAndTake(std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  changed_.wait_for(lock, timeout, [this] { return signalled_; });
  Handover handover = TakeLocked();
  lock.unlock();
  changed_.notify_all();
  return handover;
}

void BatchWorker::Answer(std::optional<Decade> decade) {
  {
    std::lock_guard lock(mutex_);
    answer_ = decade;
  }
  changed_.notify_all();
}

void BatchWorker::Stop() { thread_.request_stop(); }

}  // namespace vorrendal::batch
