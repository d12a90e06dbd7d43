#pragma once
// Plates decoded one at a time, from their boxes or from batch rows, and a
// batch run row by row: each row read, decoded and handed over finished, in
// input order, on the caller's thread. A row needs nothing but the store and
// the row, so a batch may run on a thread of its own with a store of its own.
// A run over many plates gives its store FailedYears::GiveUp: a model year
// that fails to load is read, and in a result's LoadFailures, once.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>

#include "PlateRows.h"
#include "decode/DecodePlate.h"
#include "decode/clsDescriptionStore.h"

namespace vorrendal::batch {

struct PlateResult {
  std::string Error;  // why the plate was not decoded; empty when it was (or the year code was bad)
  DecodeResult Decode;          // the results, as DecodePlate gives them (before the report wraps)
  bool DataLoadFailed = false;  // the model year's descriptions are not loaded
  std::string Report;           // in replace mode; Windows-1252 with CR LF breaks

  bool Decoded() const { return Error.empty() && !Decode.BadYearCode; }
  bool Clean() const { return Decoded() && !Decode.ErrorOccurred && !DataLoadFailed; }
};

// Decodes one plate whose model year is settled. Without withReport the
// report is left empty.
PlateResult DecodeBoxes(const PlateBoxes& boxes, Decade decade, clsDescriptionStore& store,
                        bool withReport);

// The report of a decoded plate, as the report box holds it.
std::string PlateReport(const PlateBoxes& boxes, const DecodeResult& decode);

// Decodes one row: a row the CSV could not give, a code its box cannot
// hold, a serial number whose two years the year column does not choose
// between, are refused with result.Error set; nothing is decoded.
PlateResult DecodeRow(const BatchRow& row, clsDescriptionStore& store, bool withReport);

// What a refused row's message says after its line: the column and the
// reason, on one line; "" for a row that decoded.
std::string RowMessage(const BatchRow& row, const PlateResult& result);

struct BatchProgress {
  std::size_t rows = 0;     // rows finished
  std::uint64_t bytes = 0;  // input read so far
};

struct BatchEvents {
  // Each finished row, in input order; returning false stops the batch. Both
  // may be moved from.
  std::function<bool(BatchRow& row, PlateResult& result)> row;
  // After each row (may be empty).
  std::function<void(const BatchProgress& progress)> progress;
  // Asked once, at the first row whose serial number stands for two model
  // years and whose year column is empty (row is that row): the decade meant
  // by every such row of the batch, whose year column then names its year;
  // nothing (or no function) leaves them undecoded.
  std::function<std::optional<Decade>(const BatchRow& row, const SerialYears& years)> chooseDecade;
};

struct BatchSummary {
  std::size_t rows = 0;   // rows handed over
  bool allClean = true;   // every one of them decoded cleanly
  bool stopped = false;   // by the stop token or by the row event
  std::string readError;  // why the input could not be read to its end, or ""
};

// Reads the rows after the header (rows.ReadHeader() went well) until the
// input ends, the row event says stop or stop is requested.
BatchSummary RunBatch(PlateRows& rows, clsDescriptionStore& store, bool withReport,
                      const BatchEvents& events, std::stop_token stop = {});

}  // namespace vorrendal::batch
