#pragma once
// One code reader for a whole run of the tool, and what one decode of a
// plate gives: the results as the reader leaves them and the report as the
// report box holds it in replace mode.

#include <array>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "OnceDataReader.h"
#include "ToolPrompter.h"
#include "decode/ReportWriter.h"
#include "decode/clsCodeReader.h"

namespace vorrendal::decodetool {

// The reader's result properties, in report order.
inline constexpr std::array<const char*, 12> kResultNames = {
    "ModelYear", "AssemblyPlant", "Model",        "EngineType", "UnitNumber",       "Body",
    "Color",     "Trim",          "DateProduced", "DSO",        "TransmissionType", "AxleRatio"};

struct PlateResult {
  std::string Error;  // why the plate was not decoded; empty when it was (or the year code was bad)
  bool BadYearCode = false;
  std::array<std::string, 12> Results;  // Windows-1252, before the report wraps them
  std::string SearchYear;
  bool ErrorOccurred = false;
  bool DataLoadFailed = false;
  std::string Report;  // Windows-1252 with CR LF breaks

  bool Decoded() const { return Error.empty() && !BadYearCode; }
  bool Clean() const { return Decoded() && !ErrorOccurred && !DataLoadFailed; }
};

class PlateDecoder {
 public:
  // data is the description source (Data.dat or a stand-in); dataName names
  // it in messages, which go to err.
  PlateDecoder(std::unique_ptr<IDataReader> data, std::ostream& err, std::string dataName);

  // Decodes one plate from its boxes as typed. yearAnswer is the full model
  // year meant when the serial number's year digit stands for two. Without
  // withReport the report is left empty.
  PlateResult Decode(const PlateBoxes& boxes, std::optional<int> yearAnswer,
                     bool withReport = true);

  ToolPrompter& Prompter() { return prompter_; }
  const clsCodeReader& Reader() const { return reader_; }

 private:
  PlateDecoder(std::unique_ptr<OnceDataReader> data, std::ostream& err, std::string dataName);

  OnceDataReader* data_;  // owned by reader_
  ToolPrompter prompter_;
  clsCodeReader reader_;
};

}  // namespace vorrendal::decodetool
