#include "Batch.h"

#include <optional>

#include "ModelYears.h"
#include "RowWriters.h"

namespace vorrendal::batch {

PlateResult DecodeRow(const BatchRow& row, PlateDecoder& decoder, bool withReport) {
  PlateResult result;
  if (!row.error.empty()) {
    result.Error = row.error;
    return result;
  }
  const std::optional<PlateBoxes> boxes = ToPlateBoxes(row.codes, result.Error);
  if (!boxes) return result;
  std::optional<int> year;
  if (const auto years = AmbiguousYears(boxes->SerialNumber)) {
    if (row.year.empty()) {
      result.Error =
          "the serial number stands for " + BothYears(*years) + "; name one in the year column";
      return result;
    }
    year = YearFromText(row.year);
    if (!year || !years->Contains(*year)) {
      result.Error = "year " + Quoted(row.year) +
                     " is not a year this serial number stands for: " + BothYears(*years);
      return result;
    }
  }
  return decoder.Decode(*boxes, year, withReport);
}

std::string RowMessage(const BatchRow& row, const PlateResult& result) {
  if (result.BadYearCode) return std::string(kPlateFields[0].name) + ": " + RowError(result);
  if (result.Error.empty()) return {};
  if (!row.errorColumn.empty() && result.Error == row.error)
    return row.errorColumn + ": " + result.Error;
  return result.Error;
}

BatchSummary RunBatch(PlateRows& rows, PlateDecoder& decoder, bool withReport,
                      const BatchEvents& events, std::stop_token stop) {
  BatchSummary summary;
  BatchRow row;
  while (!stop.stop_requested() && rows.Next(row)) {
    const PlateResult result = DecodeRow(row, decoder, withReport);
    ++summary.rows;
    summary.allClean = summary.allClean && result.Clean();
    if (!events.row(row, result)) {
      summary.stopped = true;
      return summary;
    }
    if (events.progress) events.progress({summary.rows, rows.BytesRead()});
  }
  summary.stopped = stop.stop_requested();
  summary.readError = rows.ReadError();
  return summary;
}

}  // namespace vorrendal::batch
