#pragma once
// A batch run on a thread of its own. The worker reads and decodes the rows
// and hands them over, finished and in input order, to the thread that takes
// them: the taker takes whatever is there whenever it likes, and is told, by
// a call on the worker's thread, when a piece is ready, so that an event loop
// gets one message per piece, not one per row. The worker keeps at most a
// bounded number of rows that were not taken, then waits. Stopping keeps the
// rows finished so far.
//
// Rows, store and the ready call must outlive the worker; while it runs,
// rows and store are the worker's alone.

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <optional>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

#include "Batch.h"
#include "PlateRows.h"

namespace vorrendal::batch {

struct FinishedRow {
  BatchRow row;
  PlateResult result;
};

// Which decade the serial numbers that stand for two model years mean, asked
// at the first such row with an empty year column.
struct DecadeQuestion {
  BatchRow row;
  SerialYears years;
};

// What the taker gets: the rows finished since the last hand-over and what
// else happened since.
struct Handover {
  std::vector<FinishedRow> rows;  // in input order
  BatchProgress progress;         // after the last row finished
  // Handed over once; the worker waits for Answer (or Stop).
  std::optional<DecadeQuestion> question;
  // Handed over once, after the last row: nothing more comes.
  std::optional<BatchSummary> end;
};

class BatchWorker {
 public:
  struct Options {
    bool withReport = false;
    // For serial numbers that stand for two model years where the year
    // column is empty: ask the taker, or use decade (nothing: leave those
    // rows undecoded).
    bool askDecade = false;
    std::optional<Decade> decade;
    // A piece is ready after this many rows, or after the first row finished
    // this long after the last hand-over.
    std::size_t pieceRows = 512;
    std::chrono::milliseconds pieceTime{20};
    // Rows finished and not taken, at most (at least pieceRows).
    std::size_t maxWaiting = 8192;
  };

  // Starts the worker on the rows after the header (rows.ReadHeader() went
  // well). ready is called on the worker's thread, never twice before the
  // next Take.
  BatchWorker(PlateRows& rows, clsDescriptionStore& store, const Options& options,
              std::function<void()> ready = {});
  // Stops the worker and waits for it.
  ~BatchWorker();
  BatchWorker(const BatchWorker&) = delete;
  BatchWorker& operator=(const BatchWorker&) = delete;

  // What is there now, possibly nothing.
  Handover Take();
  // Waits until a piece is ready, or at most timeout, then takes.
  Handover WaitAndTake(std::chrono::milliseconds timeout);

  // The answer to the question: the decade meant, or nothing to leave those
  // rows undecoded.
  void Answer(std::optional<Decade> decade);

  // Asks the worker to stop after the row it is on.
  void Stop();

 private:
  void Run(std::stop_token stop);
  bool Keep(BatchRow& row, PlateResult& result, std::stop_token stop);
  void Progressed(const BatchProgress& progress);
  std::optional<Decade> Ask(const BatchRow& row, const SerialYears& years, std::stop_token stop);
  void Finish(BatchSummary summary);
  // Called with the lock held; true when ready is to be called (after
  // unlocking).
  bool Signal();
  void Ready();
  Handover TakeLocked();

  PlateRows& rows_;
  clsDescriptionStore& store_;
  const Options options_;
  const std::function<void()> ready_;

  std::mutex mutex_;
  std::condition_variable_any changed_;
  std::vector<FinishedRow> waiting_;
  BatchProgress progress_;
  std::optional<DecadeQuestion> question_;
  std::optional<std::optional<Decade>> answer_;
  std::optional<BatchSummary> end_;
  bool signalled_ = false;  // ready was called (or a piece is ready) and not taken since
  std::chrono::steady_clock::time_point lastHandover_ = std::chrono::steady_clock::now();

  std::jthread thread_;  // last: it starts when everything else is there
};

}  // namespace vorrendal::batch
