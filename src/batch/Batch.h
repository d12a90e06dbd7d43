#pragma once
// A batch run row by row: each row read, decoded and handed over finished,
// in input order, on the caller's thread. The caller writes (or shows) each
// row as it comes, hears of the progress, and may stop the run between rows.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <stop_token>
#include <string>

#include "PlateDecoder.h"
#include "PlateRows.h"

namespace vorrendal::batch {

// Decodes one row: a row the CSV could not give, a code its box cannot
// hold, a serial number whose two years the year column does not choose
// between, are refused with result.Error set; the decoder is not asked.
PlateResult DecodeRow(const BatchRow& row, PlateDecoder& decoder, bool withReport);

// What a refused row's message says after its line: the column and the
// reason, on one line; "" for a row that decoded.
std::string RowMessage(const BatchRow& row, const PlateResult& result);

struct BatchProgress {
  std::size_t rows = 0;     // rows finished
  std::uint64_t bytes = 0;  // input read so far
};

struct BatchEvents {
  // Each finished row, in input order; returning false stops the batch.
  std::function<bool(const BatchRow& row, const PlateResult& result)> row;
  // After each row (may be empty).
  std::function<void(const BatchProgress& progress)> progress;
};

struct BatchSummary {
  std::size_t rows = 0;   // rows handed over
  bool allClean = true;   // every one of them decoded cleanly
  bool stopped = false;   // by the stop token or by the row event
  std::string readError;  // why the input could not be read to its end, or ""
};

// Reads the rows after the header (rows.ReadHeader() went well) until the
// input ends, the row event says stop or stop is requested.
BatchSummary RunBatch(PlateRows& rows, PlateDecoder& decoder, bool withReport,
                      const BatchEvents& events, std::stop_token stop = {});

}  // namespace vorrendal::batch
