#include "ResultOutput.h"

#include "data/Cp1252.h"

namespace vorrendal::decodetool {
namespace {

constexpr const char* kYearColumn = "year";

}  // namespace

bool IsAscii(const std::string& text) {
  // One pass without an early exit, so the compiler can do it a vector at a time.
  unsigned char bits = 0;
  for (const char c : text) bits |= static_cast<unsigned char>(c);
  return bits < 0x80;
}

std::string Utf8Text(const std::string& cp1252) {
  return IsAscii(cp1252) ? cp1252 : Cp1252ToUtf8(cp1252);
}

std::string TerminalText(const std::string& cp1252) {
  const std::string utf8 = Utf8Text(cp1252);
  std::string out;
  out.reserve(utf8.size() + 1);
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if (utf8[i] == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') continue;
    out += utf8[i];
  }
  return out;
}

std::string ReportText(const std::string& cp1252Report) {
  return TerminalText(cp1252Report) + '\n';
}

namespace {

nlohmann::ordered_json TextOrNull(bool present, const std::string& cp1252) {
  return present ? nlohmann::ordered_json(Utf8Text(cp1252)) : nlohmann::ordered_json();
}

void PutPlate(nlohmann::ordered_json& object, const PlateResult& result) {
  const bool decoded = result.Decoded();
  for (std::size_t i = 0; i < kResultNames.size(); ++i) {
    object[kResultNames[i]] = TextOrNull(decoded, result.Results[i]);
  }
  object["SearchYear"] = TextOrNull(decoded, result.SearchYear);
  object["BadYearCode"] = result.BadYearCode;
  object["ErrorOccurred"] = result.ErrorOccurred;
  object["DataLoadFailed"] = result.DataLoadFailed;
  object["report"] = TextOrNull(decoded, result.Report);
}

}  // namespace

nlohmann::ordered_json PlateJson(const PlateResult& result) {
  nlohmann::ordered_json object = nlohmann::ordered_json::object();
  PutPlate(object, result);
  return object;
}

std::string RowError(const PlateResult& result) {
  if (!result.Error.empty()) return result.Error;
  if (result.BadYearCode) return "Invalid Year Code";
  return {};
}

nlohmann::ordered_json BatchJson(const BatchRow& row, const PlateResult& result) {
  nlohmann::ordered_json object = nlohmann::ordered_json::object();
  object["line"] = row.line;
  nlohmann::ordered_json& input = object["input"];
  for (std::size_t i = 0; i < kPlateFields.size(); ++i) input[kPlateFields[i].name] = row.codes[i];
  input[kYearColumn] = row.year;
  PutPlate(object, result);
  const std::string error = RowError(result);
  object["error"] = error.empty() ? nlohmann::ordered_json() : nlohmann::ordered_json(error);
  return object;
}

std::string JsonLine(const nlohmann::ordered_json& object) {
  // Input fields that are not UTF-8 are kept in the row's error; here they
  // must not stop the output.
  std::string line = object.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
  line += '\n';
  return line;
}

std::string CsvField(std::string_view utf8) {
  const bool quote = utf8.find_first_of(",\"\r\n") != std::string_view::npos ||
                     (!utf8.empty() && (utf8.front() == ' ' || utf8.front() == '\t' ||
                                        utf8.back() == ' ' || utf8.back() == '\t'));
  if (!quote) return std::string(utf8);
  std::string out = "\"";
  for (const char c : utf8) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
  return out;
}

std::string CsvHeader() {
  std::string line;
  for (const auto& field : kPlateFields) line += std::string(field.name) + ',';
  line += kYearColumn;
  for (const char* name : kResultNames) line += std::string(",") + name;
  line += ",error\r\n";
  return line;
}

std::string CsvRow(const BatchRow& row, const PlateResult& result) {
  std::string line;
  for (const std::string& code : row.codes) line += CsvField(code) + ',';
  line += CsvField(row.year);
  const bool decoded = result.Decoded();
  for (const std::string& value : result.Results) {
    line += ',';
    if (decoded) line += CsvField(Utf8Text(value));
  }
  line += ',' + CsvField(RowError(result)) + "\r\n";
  return line;
}

}  // namespace vorrendal::decodetool
