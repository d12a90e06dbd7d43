#include "CsvReader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ios>
#include <string_view>
#include <system_error>

namespace vorrendal::batch {
namespace {

constexpr std::size_t kBufferBytes = 64 * 1024;

bool IsBlank(int c) { return c == ' ' || c == '\t'; }

std::string ReasonOf(const std::ios_base::failure& failure, int errorNumber) {
  // The library's own code for a failed read() carries its errno; fall back
  // on errno as the read left it.
  const std::error_code& code = failure.code();
  if (code.category() == std::system_category() || code.category() == std::generic_category())
    return code.message();
  return errorNumber != 0 ? std::strerror(errorNumber) : "read error";
}

}  // namespace

CsvReader::CsvReader(std::istream& in) : in_(in), buffer_(new char[kBufferBytes]) {}

CsvReader::~CsvReader() = default;

// Adds what the stream has ready to the buffer (at least one byte, waiting
// for it if need be), never waiting to fill the whole buffer: a pipe's rows
// are read as they come. False at the end of the input or when it cannot be
// read.
bool CsvReader::ReadMore() {
  if (pos_ == end_) {
    before_ += end_;
    pos_ = end_ = 0;
  }
  std::streambuf* const source = in_.rdbuf();
  if (!readError_.empty() || source == nullptr || end_ == kBufferBytes) return false;
  errno = 0;
  try {
    if (source->sgetc() == std::char_traits<char>::eof()) return false;
    const std::streamsize ready = std::clamp<std::streamsize>(
        source->in_avail(), 1, static_cast<std::streamsize>(kBufferBytes - end_));
    end_ += static_cast<std::size_t>(
        std::max<std::streamsize>(source->sgetn(buffer_.get() + end_, ready), 0));
  } catch (const std::ios_base::failure& failure) {
    readError_ = ReasonOf(failure, errno);
    return false;
  }
  return pos_ < end_;
}

int CsvReader::Refill() { return ReadMore() ? static_cast<unsigned char>(buffer_[pos_]) : kEnd; }

void CsvReader::SkipBom() {
  static constexpr std::string_view kBom = "\xEF\xBB\xBF";
  // The mark is taken only whole; anything else stays as data.
  while (end_ - pos_ < kBom.size() && ReadMore()) {
  }
  if (std::string_view(buffer_.get() + pos_, end_ - pos_).starts_with(kBom)) pos_ += kBom.size();
}

bool CsvReader::AtRecordEnd() {
  const int c = Peek();
  return c == kEnd || c == '\r' || c == '\n';
}

void CsvReader::SkipBlanks() {
  while (!Over() && IsBlank(Peek())) Take();
}

void CsvReader::TakeLineBreak() {
  const int c = Peek();
  if (c == '\r') {
    Take();
    if (Peek() == '\n') Take();
    ++line_;
  } else if (c == '\n') {
    Take();
    ++line_;
  }
}

// After a malformed field: the rest of the line, as it stands.
void CsvReader::SkipLine() {
  while (!AtRecordEnd()) Take();
  TakeLineBreak();
}

// The rest of an over-long record: quoted fields may hold line breaks, and
// nothing is kept.
void CsvReader::SkipRecord() {
  bool fieldStart = false;
  for (int c = Peek(); c != kEnd; c = Peek()) {
    if (inQuotes_) {
      Take();
      if (c == '"') {
        if (Peek() == '"') {
          Take();
        } else {
          inQuotes_ = false;
        }
      } else if (c == '\n' || (c == '\r' && Peek() != '\n')) {
        ++line_;
      }
      continue;
    }
    if (c == '\r' || c == '\n') {
      TakeLineBreak();
      return;
    }
    if (c == '"' && fieldStart) inQuotes_ = true;
    if (c == ',') {
      fieldStart = true;
    } else if (!IsBlank(c)) {
      fieldStart = false;
    }
    Take();
  }
}

bool CsvReader::ReadQuoted(CsvRecord& record) {
  Take();  // the opening quote
  inQuotes_ = true;
  while (!Over()) {
    const int c = Peek();
    if (c == kEnd) {
      record.error = "a quoted field is not closed";
      return false;
    }
    Take();
    if (c == '"') {
      if (Peek() != '"') {
        inQuotes_ = false;
        break;
      }
      Take();
    } else if (c == '\n' || (c == '\r' && Peek() != '\n')) {
      // Line breaks inside quotes belong to the field but still count as lines.
      ++line_;
    }
    field_ += static_cast<char>(c);
  }
  SkipBlanks();
  if (!Over() && !AtRecordEnd() && Peek() != ',') {
    record.error = "text after the closing quote of a field";
    return false;
  }
  return true;
}

bool CsvReader::ReadUnquoted(CsvRecord& record) {
  while (!Over()) {
    const int c = Peek();
    if (c == kEnd || c == '\r' || c == '\n' || c == ',') break;
    if (c == '"') {
      record.error =
          "a double quote inside an unquoted field (put the field in quotes and double it)";
      field_.clear();
      return false;
    }
    field_ += static_cast<char>(c);
    Take();
  }
  while (!field_.empty() && IsBlank(field_.back())) field_.pop_back();
  return true;
}

bool CsvReader::Next(CsvRecord& record) {
  if (!started_) {
    started_ = true;
    SkipBom();
  }
  if (skipping_) {
    skipping_ = false;
    SkipRecord();
  }
  record.fields.clear();
  record.fieldCount = 0;
  record.dropped = false;
  record.error.clear();
  record.errorField.reset();
  for (;;) {  // empty lines
    recordBytes_ = 0;
    record.line = line_;
    SkipBlanks();
    if (Peek() == kEnd) return false;
    if (!AtRecordEnd()) break;
    TakeLineBreak();
  }
  for (;;) {
    SkipBlanks();
    field_.clear();
    inQuotes_ = false;
    const bool ok = Peek() == '"' ? ReadQuoted(record) : ReadUnquoted(record);
    if (Over()) {
      record.fields.clear();
      record.dropped = false;
      record.error = "longer than " + std::to_string(kMaxRecordBytes) + " bytes";
      record.errorField.reset();
      skipping_ = true;
      return true;
    }
    if (record.fieldCount < keep_) {
      record.fields.push_back(field_);
    } else if (!field_.empty()) {
      record.dropped = true;
    }
    ++record.fieldCount;
    if (!ok) {
      record.errorField = record.fieldCount - 1;
      SkipLine();
      return true;
    }
    if (Peek() != ',') break;
    Take();
  }
  TakeLineBreak();
  return true;
}

}  // namespace vorrendal::batch
