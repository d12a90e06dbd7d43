#include "RowTable.h"

#include <limits>
#include <stdexcept>

namespace vorrendal::batch {

RowStatus StatusOf(const PlateResult& result) {
  if (!result.Decoded()) return RowStatus::Refused;
  return result.Clean() ? RowStatus::Clean : RowStatus::NoDescription;
}

RowTable::RowTable() { texts_.emplace_back(); }

RowTable::TextId RowTable::Keep(std::string_view text) {
  if (text.empty()) return 0;
  if (const auto found = ids_.find(text); found != ids_.end()) return found->second;
  if (texts_.size() > std::numeric_limits<TextId>::max())
    throw std::length_error("too many different texts in one batch");
  const auto id = static_cast<TextId>(texts_.size());
  ids_.emplace(texts_.emplace_back(text), id);
  return id;
}

void RowTable::Add(const BatchRow& row, const PlateResult& result) {
  Packed packed{};
  packed.line = row.line;
  for (std::size_t i = 0; i < row.codes.size(); ++i) packed.input[i] = Keep(row.codes[i]);
  packed.input[kYearInput] = Keep(row.year);
  if (result.Decoded()) {
    for (std::size_t i = 0; i < kResultFields.size(); ++i)
      packed.result[i] = Keep(result.Decode.*kResultFields[i].value);
  }
  packed.searchYear = Keep(result.Decode.SearchYear);
  packed.error = Keep(result.Error);
  packed.reason = Keep(RowMessage(row, result));
  packed.flags = static_cast<std::uint8_t>((result.Decode.BadYearCode ? kBadYearCode : 0) |
                                           (result.Decode.ErrorOccurred ? kErrorOccurred : 0) |
                                           (result.DataLoadFailed ? kDataLoadFailed : 0));
  rows_.push_back(packed);
  ++counts_[static_cast<std::size_t>(StatusOf(result))];
}

RowStatus RowTable::Status(std::size_t row) const {
  const Packed& packed = rows_[row];
  if (packed.error != 0 || (packed.flags & kBadYearCode) != 0) return RowStatus::Refused;
  if ((packed.flags & (kErrorOccurred | kDataLoadFailed)) != 0) return RowStatus::NoDescription;
  return RowStatus::Clean;
}

std::string_view RowTable::Input(std::size_t row, std::size_t column) const {
  return Text(rows_[row].input[column]);
}

std::string_view RowTable::ResultText(std::size_t row, std::size_t field) const {
  return Text(rows_[row].result[field]);
}

bool RowTable::DataLoadFailed(std::size_t row) const {
  return (rows_[row].flags & kDataLoadFailed) != 0;
}

std::string_view RowTable::Reason(std::size_t row) const { return Text(rows_[row].reason); }

BatchRow RowTable::Row(std::size_t row) const {
  const Packed& packed = rows_[row];
  BatchRow whole;
  whole.line = packed.line;
  for (std::size_t i = 0; i < whole.codes.size(); ++i) whole.codes[i] = Text(packed.input[i]);
  whole.year = Text(packed.input[kYearInput]);
  return whole;
}

PlateResult RowTable::Result(std::size_t row, bool withReport) const {
  const Packed& packed = rows_[row];
  PlateResult whole;
  whole.Error = Text(packed.error);
  whole.Decode.BadYearCode = (packed.flags & kBadYearCode) != 0;
  whole.Decode.ErrorOccurred = (packed.flags & kErrorOccurred) != 0;
  whole.Decode.SearchYear = Text(packed.searchYear);
  whole.DataLoadFailed = (packed.flags & kDataLoadFailed) != 0;
  if (!whole.Decoded()) return whole;
  for (std::size_t i = 0; i < kResultFields.size(); ++i)
    whole.Decode.*kResultFields[i].value = Text(packed.result[i]);
  if (withReport) {
    // A decoded row's codes passed the boxes' checks when it was decoded.
    if (const auto boxes = ToPlateBoxes(Row(row).codes))
      whole.Report = PlateReport(*boxes, whole.Decode);
  }
  return whole;
}

std::string WriteRows(const RowTable& rows, OutputFormat format) {
  RowsWriter writer(format);
  std::string out;
  writer.Begin(out);
  for (std::size_t i = 0; i < rows.Size(); ++i)
    writer.Append(rows.Row(i), rows.Result(i, writer.WantsReport()), out);
  writer.End(out);
  return out;
}

}  // namespace vorrendal::batch
