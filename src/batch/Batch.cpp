#include "Batch.h"

#include <optional>

#include "RowWriters.h"
#include "decode/ReportWriter.h"

namespace vorrendal::batch {

PlateResult DecodeBoxes(const PlateBoxes& boxes, Decade decade, clsDescriptionStore& store,
                        bool withReport) {
  PlateResult result;
  result.Decode = DecodePlate(boxes, decade, store);
  if (result.Decode.BadYearCode) return result;
  result.DataLoadFailed = !store.YearLoaded(*SearchYearNumber(result.Decode.SearchYear));
  if (withReport) result.Report = ReportWriter::Write(result.Decode, boxes, false, {}).Report;
  return result;
}

PlateResult DecodeRow(const BatchRow& row, clsDescriptionStore& store, bool withReport) {
  PlateResult result;
  if (!row.error.empty()) {
    result.Error = row.error;
    return result;
  }
  const auto boxes = ToPlateBoxes(row.codes);
  if (!boxes) {
    result.Error = boxes.error();
    return result;
  }
  Decade decade = Decade::k1960s;
  if (const SerialYears years = YearsOfSerial(boxes->SerialNumber); years.TwoYears()) {
    if (row.year.empty()) {
      result.Error =
          "the serial number stands for " + years.Both() + "; name one in the year column";
      return result;
    }
    const std::optional<int> year = ModelYearNamed(row.year);
    if (!year || !years.Contains(*year)) {
      result.Error = "year " + Quoted(row.year) +
                     " is not a year this serial number stands for: " + years.Both();
      return result;
    }
    if (*year == years.second) decade = Decade::k1970s;
  }
  return DecodeBoxes(*boxes, decade, store, withReport);
}

std::string RowMessage(const BatchRow& row, const PlateResult& result) {
  if (result.Decode.BadYearCode) return std::string(kPlateFields[0].name) + ": " + RowError(result);
  if (result.Error.empty()) return {};
  if (!row.errorColumn.empty() && result.Error == row.error)
    return row.errorColumn + ": " + result.Error;
  return result.Error;
}

BatchSummary RunBatch(PlateRows& rows, clsDescriptionStore& store, bool withReport,
                      const BatchEvents& events, std::stop_token stop) {
  BatchSummary summary;
  BatchRow row;
  while (!stop.stop_requested() && rows.Next(row)) {
    const PlateResult result = DecodeRow(row, store, withReport);
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
