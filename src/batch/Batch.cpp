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
  if (withReport) result.Report = PlateReport(boxes, result.Decode);
  return result;
}

std::string PlateReport(const PlateBoxes& boxes, const DecodeResult& decode) {
  return ReportWriter::Write(decode, boxes, false, {}).Report;
}

namespace {

// Whether the row would be decoded but for its year: a serial number that
// stands for two model years (which it gives) and an empty year column.
bool WantsDecade(const BatchRow& row, SerialYears& years) {
  if (!row.error.empty() || !row.year.empty()) return false;
  years = YearsOfSerial(row.codes[0]);
  return years.TwoYears() && ToPlateBoxes(row.codes).has_value();
}

}  // namespace

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
  bool asked = false;
  std::optional<Decade> decade;
  while (!stop.stop_requested() && rows.Next(row)) {
    if (SerialYears years; WantsDecade(row, years)) {
      if (!asked && events.chooseDecade) {
        decade = events.chooseDecade(row, years);
        if (stop.stop_requested()) break;
      }
      asked = true;
      if (decade) row.year = std::to_string(years.Chosen(*decade));
    }
    PlateResult result = DecodeRow(row, store, withReport);
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
