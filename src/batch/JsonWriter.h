#pragma once
// Writes decoded plates as JSON Lines: one object per plate with the twelve
// results as the reader leaves them (before the report wraps them),
// SearchYear, BadYearCode, ErrorOccurred, DataLoadFailed and the report as
// the report box holds it (CR LF breaks); results and report are null when
// the plate was not decoded. A batch row's object has its line and input
// first and its error (or null) last.

#include <array>
#include <nlohmann/json.hpp>
#include <string>

#include "PlateDecoder.h"
#include "PlateRows.h"

namespace vorrendal::batch {

class JsonWriter {
 public:
  JsonWriter();
  JsonWriter(const JsonWriter&) = delete;
  JsonWriter& operator=(const JsonWriter&) = delete;

  // Appends the plate's object and a line break.
  void AppendPlate(const PlateResult& result, std::string& out);
  void AppendRow(const BatchRow& row, const PlateResult& result, std::string& out);

 private:
  // One object for the whole batch whose values are replaced row by row, so
  // that a row does not build and tear down a tree of small strings.
  nlohmann::ordered_json object_;
  nlohmann::ordered_json* line_ = nullptr;
  std::array<nlohmann::ordered_json*, 9> input_{};
  std::array<nlohmann::ordered_json*, 12> results_{};
  nlohmann::ordered_json* searchYear_ = nullptr;
  nlohmann::ordered_json* badYearCode_ = nullptr;
  nlohmann::ordered_json* errorOccurred_ = nullptr;
  nlohmann::ordered_json* dataLoadFailed_ = nullptr;
  nlohmann::ordered_json* report_ = nullptr;
  nlohmann::ordered_json* error_ = nullptr;
};

}  // namespace vorrendal::batch
