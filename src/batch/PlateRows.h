#pragma once
// The plates of a batch as CSV rows: a header naming the columns (serial,
// body, color, trim, date, dso, trans, axle, year, in any order, serial at
// least), then one plate per row.

#include <array>
#include <cstddef>
#include <cstdint>
#include <istream>
#include <string>
#include <tl/expected.hpp>

#include "CsvReader.h"
#include "PlateInput.h"

namespace vorrendal::batch {

inline constexpr const char* kYearColumn = "year";

// A plate as a batch row gave it: the codes and the year column as read.
struct BatchRow {
  std::size_t line = 0;  // where the row starts in the input, from 1
  PlateCodes codes;      // UTF-8, as read; empty when the row has no such column
  std::string year;
  std::string error;        // why the row could not be read as CSV; the codes are then partial
  std::string errorColumn;  // the column that error is about, if one
};

class PlateRows {
 public:
  explicit PlateRows(std::istream& in);

  // Reads the header; fails with what is wrong with it (naming the line).
  // When the input cannot be read it fails with "", and ReadError() says why.
  tl::expected<void, std::string> ReadHeader();

  // The next row; false at the end of the input or when it cannot be read.
  bool Next(BatchRow& row);

  const std::string& ReadError() const { return csv_.ReadError(); }
  std::uint64_t BytesRead() const { return csv_.BytesRead(); }

 private:
  static constexpr std::size_t kNoColumn = static_cast<std::size_t>(-1);
  static constexpr std::size_t kYearSlot = kPlateFields.size();

  CsvReader csv_;
  CsvRecord record_;
  std::array<std::size_t, kPlateFields.size() + 1> slot_{};  // input column of each field and year
  std::array<std::string, kPlateFields.size() + 1> names_;   // header name of each input column
  std::size_t width_ = 0;                                    // columns the header names
};

}  // namespace vorrendal::batch
