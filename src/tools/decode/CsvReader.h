#pragma once
// Reads RFC 4180 CSV: records separated by CR LF (LF or a lone CR also end
// a record), fields by commas; a field in double quotes may hold commas,
// line breaks and doubled quotes. Spaces and tabs around an unquoted field
// are dropped, a quoted field keeps what is between its quotes.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vorrendal::decodetool {

struct CsvRecord {
  std::vector<std::string> fields;
  std::size_t line = 0;  // line of the input the record starts on, from 1
  std::string error;     // why the record could not be read; fields are then partial
};

class CsvReader {
 public:
  // text must outlive the reader. A UTF-8 byte order mark at its start is
  // skipped.
  explicit CsvReader(std::string_view text);

  // Reads the next record, skipping empty lines (a line holding nothing but
  // spaces and tabs counts as empty). Returns false at the end of the input.
  // A malformed record comes back with its error set; reading goes on at the
  // line after it.
  bool Next(CsvRecord& record);

 private:
  bool AtEnd() const { return pos_ >= text_.size(); }
  bool AtRecordEnd() const;
  void SkipBlanks();
  void SkipRecordEnd();
  void SkipRestOfLine();
  std::string ReadQuoted(CsvRecord& record);
  std::string ReadUnquoted(CsvRecord& record);

  std::string_view text_;
  std::size_t pos_ = 0;
  std::size_t line_ = 1;
};

}  // namespace vorrendal::decodetool
