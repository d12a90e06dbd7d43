#pragma once
// Reads RFC 4180 CSV from a stream, one record at a time: records separated
// by CR LF (LF or a lone CR also end a record), fields by commas; a field in
// double quotes may hold commas, line breaks and doubled quotes. Spaces and
// tabs around an unquoted field are dropped, a quoted field keeps what is
// between its quotes. Only the record being read is held, and only up to a
// bound, so any input, however long its lines, is read in little memory.

#include <cstddef>
#include <cstdint>
#include <istream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vorrendal::batch {

struct CsvRecord {
  std::vector<std::string> fields;  // the fields kept (see KeepFields)
  std::size_t fieldCount = 0;       // fields in the record, kept or not
  bool dropped = false;             // a field beyond those kept was not empty
  std::size_t line = 0;             // line of the input the record starts on, from 1
  std::string error;                // why the record could not be read; fields are then partial
  std::optional<std::size_t> errorField;  // the field (from 0) the error is about, if one
};

class CsvReader {
 public:
  // A record longer than this (line breaks inside quotes included, the one
  // that ends it not) is refused unread; the longest plate row is about 120
  // bytes.
  static constexpr std::size_t kMaxRecordBytes = 4096;

  // A UTF-8 byte order mark at the start of in is skipped.
  explicit CsvReader(std::istream& in);
  ~CsvReader();
  CsvReader(const CsvReader&) = delete;
  CsvReader& operator=(const CsvReader&) = delete;

  // From the next record on, keeps at most count fields of a record; the
  // rest are counted, and dropped is set when one of them is not empty.
  void KeepFields(std::size_t count) { keep_ = count; }

  // Reads the next record, skipping empty lines (a line holding nothing but
  // spaces and tabs counts as empty). Returns false at the end of the input
  // or when it cannot be read (then ReadError says why). A malformed record
  // comes back with its error set, and reading goes on after it; a record
  // over the bound comes back with no fields, and the rest of it is skipped
  // when the next one is read.
  bool Next(CsvRecord& record);

  // Why the input could not be read to its end; empty when it could.
  const std::string& ReadError() const { return readError_; }

  // Bytes of the input taken so far.
  std::uint64_t BytesRead() const { return before_ + pos_; }

 private:
  static constexpr int kEnd = -1;
  int Peek() { return pos_ < end_ ? static_cast<unsigned char>(buffer_[pos_]) : Refill(); }
  // Takes the byte Peek returned.
  void Take() {
    ++pos_;
    ++recordBytes_;
  }
  int Refill();
  bool ReadMore();
  bool Over() const { return recordBytes_ > kMaxRecordBytes; }
  bool AtRecordEnd();
  void SkipBom();
  void SkipBlanks();
  void TakeLineBreak();
  void SkipLine();
  void SkipRecord();
  bool ReadQuoted(CsvRecord& record);
  bool ReadUnquoted(CsvRecord& record);

  std::istream& in_;
  std::unique_ptr<char[]> buffer_;
  std::size_t pos_ = 0, end_ = 0;
  std::uint64_t before_ = 0;  // bytes taken in earlier buffers
  std::string readError_;
  bool started_ = false;
  std::size_t keep_ = static_cast<std::size_t>(-1);
  std::size_t line_ = 1;
  std::size_t recordBytes_ = 0;
  std::string field_;
  bool inQuotes_ = false;  // inside a quoted field
  bool skipping_ = false;  // the rest of an over-long record is still to skip
};

}  // namespace vorrendal::batch
