#include "PlateDecoder.h"

#include <utility>

namespace vorrendal::decodetool {

PlateDecoder::PlateDecoder(std::unique_ptr<IDataReader> data, std::ostream& err,
                           std::string dataName)
    : PlateDecoder(std::make_unique<OnceDataReader>(std::move(data)), err, std::move(dataName)) {}

PlateDecoder::PlateDecoder(std::unique_ptr<OnceDataReader> data, std::ostream& err,
                           std::string dataName)
    : data_(data.get()),
      prompter_(err, *data, std::move(dataName)),
      reader_(prompter_, std::move(data)) {}

PlateResult PlateDecoder::Decode(const PlateBoxes& boxes, std::optional<int> yearAnswer,
                                 bool withReport) {
  PlateResult result;
  prompter_.SetYearAnswer(yearAnswer);
  reader_.ErrorOccurred = false;
  reader_.ReadCodes(boxes.SerialNumber, boxes.Body, boxes.Color, boxes.Trim, boxes.Date, boxes.DSO,
                    boxes.Trans, boxes.Axle);
  if (prompter_.TakeUnansweredQuestion()) {
    // The year was guessed, so nothing the reader left is this plate's.
    result.Error = "the model year of this serial number was not named";
    return result;
  }
  if (reader_.BadYearCode) {
    result.BadYearCode = true;
    return result;
  }
  const clsCodeReader& r = reader_;
  result.Results = {
      r.ModelYear, r.AssemblyPlant, r.Model,        r.EngineType, r.UnitNumber,       r.Body,
      r.Color,     r.Trim,          r.DateProduced, r.DSO,        r.TransmissionType, r.AxleRatio};
  result.SearchYear = r.SearchYear;
  result.ErrorOccurred = r.ErrorOccurred;
  result.DataLoadFailed = data_->Failed(r.SearchYear);
  // Write may replace the reader's long texts by their wrapped form; the
  // results above were taken before.
  if (withReport) result.Report = ReportWriter::Write(reader_, boxes, false, std::string()).Report;
  return result;
}

}  // namespace vorrendal::decodetool
