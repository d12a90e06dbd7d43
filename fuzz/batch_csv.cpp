// Fuzzes the batch as vorrendal-decode and the batch window run it: any bytes
// as the CSV input, read whole and again handed over in pieces of a size the
// input chooses, each row decoded and written as JSON and CSV. Checks that
// nothing crashes, hangs or keeps more than the row bound, that both readings
// give the same rows, that a refused row's message is one short line with
// nothing raw in it, that every JSON line parses, and that a CSV row reads
// back to the codes it was made from.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "batch/Batch.h"
#include "batch/CsvReader.h"
#include "batch/JsonWriter.h"
#include "batch/RowWriters.h"
#include "support/MemoryDataReader.h"

namespace {

using namespace vorrendal::batch;

[[noreturn]] void Fail(const char* what, const std::string& detail) {
  std::fprintf(stderr, "batch_csv: %s\n[%s]\n", what, detail.c_str());
  std::abort();
}

// Hands its text over piece by piece, as a pipe does.
class Pieces final : public std::streambuf {
 public:
  Pieces(std::string text, std::size_t piece) : text_(std::move(text)), piece_(piece) {}

 protected:
  int_type underflow() override {
    if (at_ >= text_.size()) return traits_type::eof();
    char* const start = &text_[at_];
    at_ = std::min(text_.size(), at_ + piece_);
    setg(start, start, &text_[0] + at_);
    return traits_type::to_int_type(*start);
  }

 private:
  std::string text_;
  std::size_t piece_;
  std::size_t at_ = 0;
};

struct Read {
  std::string header;
  std::vector<BatchRow> rows;
};

Read ReadAll(std::istream& in) {
  PlateRows plates(in);
  Read read;
  if (const auto header = plates.ReadHeader(); !header) {
    read.header = header.error();
    return read;
  }
  for (BatchRow row; plates.Next(row);) read.rows.push_back(row);
  return read;
}

bool Same(const BatchRow& a, const BatchRow& b) {
  return a.line == b.line && a.codes == b.codes && a.year == b.year && a.error == b.error &&
         a.errorColumn == b.errorColumn;
}

std::unique_ptr<vorrendal::testing::MemoryDataReader> Descriptions() {
  auto data = std::make_unique<vorrendal::testing::MemoryDataReader>();
  for (const std::string y : {"59", "62", "65", "72"}) {
    data->Add(y, "p" + y + "-A", "Atlanta, Georgia")
        .Add(y, "m" + y + "-62", "Two-door hardtop coupe, eight cylinders, bucket seats")
        .Add(y, "c" + y + "-M", "Caf\xE9 \x1B[31m\x81");
  }
  data->SetFailing("72");
  return data;
}

void CheckMessage(const BatchRow& row, const PlateResult& result) {
  const std::string message = RowMessage(row, result);
  if (message.size() > 200) Fail("a row's message is longer than 200 bytes", message);
  for (const char c : message) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) Fail("a row's message holds a control character", message);
  }
}

void CheckJson(const BatchRow& row, const PlateResult& result, JsonWriter& json) {
  std::string line;
  json.AppendRow(row, result, line);
  if (line.empty() || line.back() != '\n' || line.find('\n') != line.size() - 1)
    Fail("a JSON row is not one line", line);
  const nlohmann::json parsed = nlohmann::json::parse(line, nullptr, false);
  if (parsed.is_discarded()) Fail("a JSON row does not parse", line);
  if (parsed["line"] != row.line) Fail("a JSON row has the wrong line", line);
}

void CheckCsv(const BatchRow& row, const PlateResult& result) {
  std::string text;
  AppendCsvHeader(text);
  const std::size_t header = text.size();
  AppendCsvRow(row, result, text);
  const std::string line = text.substr(header);
  if (line.size() > CsvReader::kMaxRecordBytes) return;  // a row of long, refused codes
  std::istringstream in(text);
  CsvReader reader(in);
  CsvRecord record;
  if (!reader.Next(record) || !reader.Next(record) || !record.error.empty() ||
      record.fields.size() != 22)
    Fail("a CSV row does not read back", line);
  for (std::size_t i = 0; i < row.codes.size(); ++i) {
    if (record.fields[i] != row.codes[i]) Fail("a CSV row reads back other codes", line);
  }
  if (record.fields[8] != row.year) Fail("a CSV row reads back another year", line);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t piece = 1 + data[0] % 16;
  const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);

  std::istringstream whole(text);
  const Read read = ReadAll(whole);
  Pieces pieces(text, piece);
  std::istream pieced(&pieces);
  const Read again = ReadAll(pieced);
  if (read.header != again.header || read.rows.size() != again.rows.size())
    Fail("reading in pieces gave other rows", read.header + " / " + again.header);
  for (std::size_t i = 0; i < read.rows.size(); ++i) {
    if (!Same(read.rows[i], again.rows[i]))
      Fail("reading in pieces gave another row", std::to_string(read.rows[i].line));
  }
  if (read.header.size() > 200 || read.header.find('\n') != std::string::npos)
    Fail("the header's message is not one short line", read.header);

  vorrendal::clsDescriptionStore store(Descriptions(),
                                       vorrendal::clsDescriptionStore::FailedYears::GiveUp);
  JsonWriter json;
  std::size_t line = 0;
  for (const BatchRow& row : read.rows) {
    if (row.line <= line) Fail("rows out of order", std::to_string(row.line));
    line = row.line;
    for (const std::string& code : row.codes) {
      if (code.size() > CsvReader::kMaxRecordBytes) Fail("a code past the row bound", code);
    }
    const PlateResult result = DecodeRow(row, store, true);
    CheckMessage(row, result);
    CheckJson(row, result, json);
    CheckCsv(row, result);
  }
  return 0;
}
