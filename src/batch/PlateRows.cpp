#include "PlateRows.h"

#include <string_view>

#include "RowWriters.h"

namespace vorrendal::batch {
namespace {

constexpr const char* kHeaderNames = "serial,body,color,trim,date,dso,trans,axle,year";

std::string AsciiLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

}  // namespace

PlateRows::PlateRows(std::istream& in) : csv_(in) { slot_.fill(kNoColumn); }

tl::expected<void, std::string> PlateRows::ReadHeader() {
  if (!csv_.Next(record_)) {
    if (!ReadError().empty()) return tl::unexpected(std::string());
    return tl::unexpected(std::string("no header; the first line must be ") + kHeaderNames);
  }
  const std::string line = "line " + std::to_string(record_.line) + ": ";
  if (!record_.error.empty()) return tl::unexpected(line + record_.error);
  for (std::size_t column = 0; column < record_.fields.size(); ++column) {
    const std::string name = AsciiLower(record_.fields[column]);
    std::size_t slot = name == kYearColumn ? kYearSlot : kNoColumn;
    for (std::size_t i = 0; i < kPlateFields.size(); ++i) {
      if (name == kPlateFields[i].name) slot = i;
    }
    if (slot == kNoColumn) {
      return tl::unexpected(line + "unknown column " + Quoted(record_.fields[column]) +
                            "; the header is " + kHeaderNames);
    }
    if (slot_[slot] != kNoColumn) return tl::unexpected("the column " + name + " is named twice");
    slot_[slot] = column;
    names_[column] = name;
  }
  if (slot_[0] == kNoColumn) {
    return tl::unexpected(std::string("the first line must be the header ") + kHeaderNames +
                          " (serial at least)");
  }
  csv_.KeepFields(record_.fields.size());
  width_ = record_.fields.size();
  return {};
}

bool PlateRows::Next(BatchRow& row) {
  if (!csv_.Next(record_)) return false;
  row.line = record_.line;
  for (std::size_t slot = 0; slot < slot_.size(); ++slot) {
    const std::size_t column = slot_[slot];
    std::string& code = slot == kYearSlot ? row.year : row.codes[slot];
    // Short rows: the missing codes are empty.
    if (column < record_.fields.size()) {
      code = record_.fields[column];
    } else {
      code.clear();
    }
  }
  row.error = record_.error;
  row.errorColumn.clear();
  if (record_.errorField && *record_.errorField < width_)
    row.errorColumn = names_[*record_.errorField];
  if (row.error.empty() && record_.dropped) {
    row.error =
        std::to_string(record_.fieldCount) + " fields, the header names " + std::to_string(width_);
  }
  return true;
}

}  // namespace vorrendal::batch
