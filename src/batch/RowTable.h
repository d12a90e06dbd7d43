#pragma once
// The rows of a batch as a window keeps them, however many: each distinct
// text once (one description serves thousands of rows), a row some hundred
// bytes of numbers. What the writers need is kept, so a row can be given
// back whole, its report written anew, to be shown or written out exactly as
// a batch writes it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "Batch.h"
#include "PlateRows.h"
#include "RowWriters.h"

namespace vorrendal::batch {

enum class RowStatus : std::uint8_t {
  Clean,          // decoded, every code described
  NoDescription,  // decoded, but a code had no description or the year's descriptions no load
  Refused,        // not decoded; the row's reason says why
};
inline constexpr std::size_t kRowStatusCount = 3;

RowStatus StatusOf(const PlateResult& result);

class RowTable {
 public:
  // Input(row, kYearInput) is the year column.
  static constexpr std::size_t kYearInput = kPlateFields.size();

  RowTable();

  void Add(const BatchRow& row, const PlateResult& result);

  std::size_t Size() const { return rows_.size(); }
  std::size_t Count(RowStatus status) const { return counts_[static_cast<std::size_t>(status)]; }

  std::size_t Line(std::size_t row) const { return rows_[row].line; }
  RowStatus Status(std::size_t row) const;
  // The codes in kPlateFields order, then the year column: UTF-8, as read.
  std::string_view Input(std::size_t row, std::size_t column) const;
  // The results in kResultFields order, Windows-1252; empty for a refused row.
  std::string_view ResultText(std::size_t row, std::size_t field) const;
  bool DataLoadFailed(std::size_t row) const;
  // Why a refused row was not decoded, with the column (as RowMessage says it).
  std::string_view Reason(std::size_t row) const;

  // The row whole again: line, codes and year as read (not its CSV error,
  // which Reason tells), and the result as decoded, with its report if asked
  // (not its load failures, which were told when it was added).
  BatchRow Row(std::size_t row) const;
  PlateResult Result(std::size_t row, bool withReport) const;

 private:
  using TextId = std::uint32_t;
  enum Flag : std::uint8_t { kBadYearCode = 1, kErrorOccurred = 2, kDataLoadFailed = 4 };
  struct Packed {
    std::uint64_t line;
    std::array<TextId, kPlateFields.size() + 1> input;
    std::array<TextId, kResultFields.size()> result;
    TextId searchYear, error, reason;
    std::uint8_t flags;
  };

  TextId Keep(std::string_view text);
  std::string_view Text(TextId id) const { return texts_[id]; }

  std::vector<Packed> rows_;
  std::array<std::size_t, kRowStatusCount> counts_{};
  std::deque<std::string> texts_;  // by id; 0 is ""
  std::unordered_map<std::string_view, TextId> ids_;
};

// The rows, in the order added, exactly as vorrendal-decode --batch writes
// them in that format.
std::string WriteRows(const RowTable& rows, OutputFormat format);

}  // namespace vorrendal::batch
