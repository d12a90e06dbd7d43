#pragma once
// A code reader over in-memory descriptions for the decode tests. A stored
// description is "#" and its key, so a result names the key a decoder used.

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "decode/ReportWriter.h"
#include "decode/clsCodeReader.h"
#include "support/MemoryDataReader.h"
#include "support/ScriptedPrompter.h"

namespace vorrendal::testing {

inline constexpr const char* kIncorrect = "Incorrect Code";
inline constexpr const char* kNotFound = "Description Not Found";
using Kind = ScriptedPrompter::Kind;

// Plate boxes from "serial|body|color|trim|date|dso|trans|axle"; missing boxes are empty.
inline PlateBoxes Boxes(const std::string& text) {
  std::vector<std::string> p(8);
  std::istringstream in(text);
  for (std::string& box : p) std::getline(in, box, '|');
  return {p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7]};
}

// The plant, model and engine keys of the serial number DecodeRig::Decode makes up.
inline std::string SerialKeys(int year) {
  const std::string y = std::to_string(year);
  return "p" + y + "-A m" + y + (year == 59 ? "-B" : "-62") + " e" + y + "-C";
}

struct DecodeRig {
  ScriptedPrompter prompter;
  MemoryDataReader* data = new MemoryDataReader;  // owned by reader
  std::unique_ptr<clsCodeReader> reader =
      std::make_unique<clsCodeReader>(prompter, std::unique_ptr<IDataReader>(data));

  // Stores "#key" under each space-separated key, in the block of its year.
  explicit DecodeRig(const std::string& keys = "") {
    std::istringstream in(keys);
    for (std::string key; in >> key;) Store(key, "#" + key);
  }
  DecodeRig& Store(const std::string& key, const std::string& description) {
    data->Add(key.substr(1, 2), key, description);
    return *this;
  }
  // Answers the question a 196x/197x year digit raises so that 19yy is chosen.
  void Answer(int year) {
    if (year >= 60 && year <= 64) prompter.QueueYearAnswer(0);
    if (year >= 70) prompter.QueueYearAnswer(1);
  }
  // Decodes boxes as year 19yy; an empty serial is made up: plant A,
  // model 62 (B in 1959), engine C.
  void Decode(int year, PlateBoxes b = {}) {
    if (b.SerialNumber.empty())
      b.SerialNumber = year == 59 ? "C9AB100001" : std::to_string(year % 10) + "A62C100001";
    Answer(year);
    reader->ReadCodes(b.SerialNumber, b.Body, b.Color, b.Trim, b.Date, b.DSO, b.Trans, b.Axle);
  }
};

}  // namespace vorrendal::testing
