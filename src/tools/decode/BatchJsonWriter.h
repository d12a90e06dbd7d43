#pragma once
// Writes the JSON Lines of a batch. It gives the same lines as
// JsonLine(BatchJson(row, result)), but keeps one object for the whole batch
// and only replaces its values, so a batch of many thousand rows does not
// build and tear down a tree of small strings per row.

#include <array>
#include <nlohmann/json.hpp>
#include <string>

#include "ResultOutput.h"

namespace vorrendal::decodetool {

class BatchJsonWriter {
 public:
  BatchJsonWriter();
  BatchJsonWriter(const BatchJsonWriter&) = delete;
  BatchJsonWriter& operator=(const BatchJsonWriter&) = delete;

  // The row's line, with its line break; valid until the next call.
  const std::string& Line(const BatchRow& row, const PlateResult& result);

 private:
  nlohmann::ordered_json object_;
  // Slots inside object_; its keys never change after construction, so they
  // stay put.
  nlohmann::ordered_json* line_ = nullptr;
  std::array<nlohmann::ordered_json*, 9> input_{};
  std::array<nlohmann::ordered_json*, 12> results_{};
  nlohmann::ordered_json* searchYear_ = nullptr;
  nlohmann::ordered_json* badYearCode_ = nullptr;
  nlohmann::ordered_json* errorOccurred_ = nullptr;
  nlohmann::ordered_json* dataLoadFailed_ = nullptr;
  nlohmann::ordered_json* report_ = nullptr;
  nlohmann::ordered_json* error_ = nullptr;
  std::string text_;
};

}  // namespace vorrendal::decodetool
