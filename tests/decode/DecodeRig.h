#pragma once
// A code reader over in-memory descriptions, with a scripted year answer, for
// the decode tests.

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "decode/ReportWriter.h"
#include "decode/clsCodeReader.h"
#include "support/MemoryDataReader.h"
#include "support/ScriptedPrompter.h"

namespace vorrendal::testing {

// The year digit of a 1960-1974 serial number and the answer the year
// question needs for it (-1: no question).
struct YearDigit {
  char digit;
  int answer;
};
inline YearDigit DigitFor(int year) {
  if (year >= 70) return {static_cast<char>('0' + year - 70), 1};
  return {static_cast<char>('0' + year - 60), year <= 64 ? 0 : -1};
}

// A serial number of model year 19yy with the given pieces, in the layout of
// that year (1959: engine, year digit, plant, model, unit).
inline std::string SerialFor(int year, const std::string& plant = "A",
                             const std::string& model = "", const std::string& engine = "C",
                             const std::string& unit = "100001") {
  if (year == 59) return engine + "9" + plant + (model.empty() ? "B" : model) + unit;
  return std::string(1, DigitFor(year).digit) + plant + (model.empty() ? "62" : model) + engine +
         unit;
}

// The description the rig stores under key: "#" and the key, so a test sees
// which key a decoder looked up.
inline std::string Described(const std::string& key) { return "#" + key; }

// Plate boxes with one box typed and the rest empty.
inline PlateBoxes Only(std::string PlateBoxes::*box, std::string code) {
  PlateBoxes boxes;
  boxes.*box = std::move(code);
  return boxes;
}

class DecodeRig {
 public:
  DecodeRig() {
    auto data = std::make_unique<MemoryDataReader>();
    data_ = data.get();
    reader_ = std::make_unique<clsCodeReader>(prompter_, std::move(data));
  }

  // Stores Described(key) under each key, in the block of the key's year
  // (the two digits after the field letter).
  DecodeRig& Store(const std::vector<std::string>& keys) {
    for (const std::string& key : keys) data_->Add(key.substr(1, 2), key, Described(key));
    return *this;
  }
  DecodeRig& Store(const std::string& key, const std::string& description) {
    data_->Add(key.substr(1, 2), key, description);
    return *this;
  }

  // Stores the plant, model and engine of SerialFor(year), so that a decode
  // with the default serial sets ErrorOccurred only through the other codes.
  DecodeRig& StoreSerialKeys(int year) {
    const std::string y = std::to_string(year);
    return Store({"p" + y + "-A", "m" + y + (year == 59 ? "-B" : "-62"), "e" + y + "-C"});
  }

  // Answers the year question the serial number of year will raise.
  void AnswerFor(int year) {
    if (year >= 60 && DigitFor(year).answer >= 0) prompter_.QueueYearAnswer(DigitFor(year).answer);
  }

  // Decodes the plate as model year 19yy; serial defaults to SerialFor(year).
  void Decode(int year, const PlateBoxes& boxes) {
    PlateBoxes b = boxes;
    if (b.SerialNumber.empty()) b.SerialNumber = SerialFor(year);
    AnswerFor(year);
    reader_->ReadCodes(b.SerialNumber, b.Body, b.Color, b.Trim, b.Date, b.DSO, b.Trans, b.Axle);
  }

  clsCodeReader& Reader() { return *reader_; }
  MemoryDataReader& Data() { return *data_; }
  ScriptedPrompter& Prompter() { return prompter_; }

 private:
  ScriptedPrompter prompter_;
  MemoryDataReader* data_ = nullptr;  // owned by the reader
  std::unique_ptr<clsCodeReader> reader_;
};

}  // namespace vorrendal::testing
