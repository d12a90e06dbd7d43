#pragma once
// One code reader for a whole run over many plates, and what one decode of a
// plate gives: the results as the reader leaves them, the report as the
// report box holds it in replace mode, and what the desktop program would
// have said in message boxes.

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "OnceDataReader.h"
#include "decode/IPrompter.h"
#include "decode/ReportWriter.h"
#include "decode/clsCodeReader.h"

namespace vorrendal::batch {

// The reader's result properties, in report order.
inline constexpr std::array<const char*, 12> kResultNames = {
    "ModelYear", "AssemblyPlant", "Model",        "EngineType", "UnitNumber",       "Body",
    "Color",     "Trim",          "DateProduced", "DSO",        "TransmissionType", "AxleRatio"};

// A message box the desktop program would have shown during the decode.
struct Notice {
  enum class Kind { InvalidYearCode, DataLoadFailed };
  Kind kind = Kind::InvalidYearCode;
  std::string title, text;  // Windows-1252; text with CR LF breaks
  std::string year;         // DataLoadFailed: the model year, "1965"
};

struct PlateResult {
  std::string Error;  // why the plate was not decoded; empty when it was (or the year code was bad)
  bool BadYearCode = false;
  std::array<std::string, 12> Results;  // Windows-1252, before the report wraps them
  std::string SearchYear;
  bool ErrorOccurred = false;
  bool DataLoadFailed = false;
  std::string Report;  // Windows-1252 with CR LF breaks
  // The invalid year code each time; a model year that failed to load only
  // the first time in the decoder's life.
  std::vector<Notice> Notices;

  bool Decoded() const { return Error.empty() && !BadYearCode; }
  bool Clean() const { return Decoded() && !ErrorOccurred && !DataLoadFailed; }
};

class PlateDecoder {
 public:
  // data is the description source (Data.dat or a stand-in); it is read
  // once per model year.
  explicit PlateDecoder(std::unique_ptr<IDataReader> data);
  ~PlateDecoder();
  PlateDecoder(const PlateDecoder&) = delete;
  PlateDecoder& operator=(const PlateDecoder&) = delete;

  // Decodes one plate from its boxes as typed. yearAnswer is the full model
  // year meant when the serial number's year digit stands for two. Without
  // withReport the report is left empty.
  PlateResult Decode(const PlateBoxes& boxes, std::optional<int> yearAnswer,
                     bool withReport = true);

 private:
  class Answers;
  explicit PlateDecoder(std::unique_ptr<OnceDataReader> data);

  OnceDataReader* data_;  // owned by reader_
  std::unique_ptr<Answers> answers_;
  clsCodeReader reader_;
};

}  // namespace vorrendal::batch
