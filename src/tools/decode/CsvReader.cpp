#include "CsvReader.h"

namespace vorrendal::decodetool {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

CsvReader::CsvReader(std::string_view text) : text_(text) {
  if (text_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;
}

bool CsvReader::AtRecordEnd() const {
  return AtEnd() || text_[pos_] == '\r' || text_[pos_] == '\n';
}

void CsvReader::SkipBlanks() {
  while (!AtEnd() && IsBlank(text_[pos_])) ++pos_;
}

void CsvReader::SkipRecordEnd() {
  if (AtEnd()) return;
  if (text_[pos_] == '\r') {
    ++pos_;
    if (!AtEnd() && text_[pos_] == '\n') ++pos_;
    ++line_;
  } else if (text_[pos_] == '\n') {
    ++pos_;
    ++line_;
  }
}

void CsvReader::SkipRestOfLine() {
  while (!AtRecordEnd()) ++pos_;
  SkipRecordEnd();
}

std::string CsvReader::ReadQuoted(CsvRecord& record) {
  std::string field;
  ++pos_;  // the opening quote
  for (;;) {
    if (AtEnd()) {
      record.error = "a quoted field is not closed";
      return field;
    }
    const char c = text_[pos_];
    if (c == '"') {
      if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '"') {
        field += '"';
        pos_ += 2;
        continue;
      }
      ++pos_;
      break;
    }
    // Line breaks inside quotes belong to the field but still count as lines.
    if (c == '\n' || (c == '\r' && (pos_ + 1 >= text_.size() || text_[pos_ + 1] != '\n'))) {
      ++line_;
    }
    field += c;
    ++pos_;
  }
  SkipBlanks();
  if (!AtRecordEnd() && text_[pos_] != ',') {
    record.error = "text after the closing quote of a field";
  }
  return field;
}

std::string CsvReader::ReadUnquoted(CsvRecord& record) {
  const std::size_t start = pos_;
  while (!AtRecordEnd() && text_[pos_] != ',') {
    if (text_[pos_] == '"') {
      record.error =
          "a double quote inside an unquoted field (put the field in quotes and double it)";
      return {};
    }
    ++pos_;
  }
  std::size_t end = pos_;
  while (end > start && IsBlank(text_[end - 1])) --end;
  return std::string(text_.substr(start, end - start));
}

bool CsvReader::Next(CsvRecord& record) {
  for (;;) {
    if (AtEnd()) return false;
    record = CsvRecord{};
    record.line = line_;
    SkipBlanks();
    if (AtEnd()) return false;  // nothing but blanks up to the end
    if (!AtRecordEnd()) break;
    SkipRecordEnd();  // an empty line
  }
  for (;;) {
    SkipBlanks();
    std::string field =
        (!AtEnd() && text_[pos_] == '"') ? ReadQuoted(record) : ReadUnquoted(record);
    record.fields.push_back(std::move(field));
    if (!record.error.empty()) {
      SkipRestOfLine();
      return true;
    }
    if (!AtEnd() && text_[pos_] == ',') {
      ++pos_;
      continue;
    }
    SkipRecordEnd();
    return true;
  }
}

}  // namespace vorrendal::decodetool
