#pragma once
// Writes decoded plates as JSON Lines: one object per plate with the twelve
// results as the reader leaves them (before the report wraps them),
// SearchYear, BadYearCode, ErrorOccurred, DataLoadFailed and the report as
// the report box holds it (CR LF breaks); results and report are null when
// the plate was not decoded. A batch row's object has its line and input
// first and its error (or null) last.

#include <memory>
#include <string>

#include "Batch.h"
#include "PlateRows.h"

namespace vorrendal::batch {

class JsonWriter {
 public:
  JsonWriter();
  ~JsonWriter();
  JsonWriter(const JsonWriter&) = delete;
  JsonWriter& operator=(const JsonWriter&) = delete;

  // Appends the plate's object and a line break.
  void AppendPlate(const PlateResult& result, std::string& out);
  void AppendRow(const BatchRow& row, const PlateResult& result, std::string& out);

 private:
  class Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace vorrendal::batch
