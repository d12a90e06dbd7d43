#include "RowWriters.h"

#include "data/Cp1252.h"

namespace vorrendal::batch {
namespace {

constexpr std::string_view kReportRule = "\n\n________________________________________\n\n";
constexpr std::size_t kQuotedBytes = 40;

}  // namespace

bool IsAscii(std::string_view text) {
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

std::string Quoted(std::string_view input) {
  if (input.size() <= kQuotedBytes) return "\"" + std::string(input) + "\"";
  return "\"" + std::string(input.substr(0, kQuotedBytes)) + "...\" (" +
         std::to_string(input.size()) + " bytes)";
}

std::string RowError(const PlateResult& result) {
  if (!result.Error.empty()) return result.Error;
  if (result.BadYearCode) return "Invalid Year Code";
  return {};
}

void AppendCsvField(std::string_view utf8, std::string& out) {
  const bool quote = utf8.find_first_of(",\"\r\n") != std::string_view::npos ||
                     (!utf8.empty() && (utf8.front() == ' ' || utf8.front() == '\t' ||
                                        utf8.back() == ' ' || utf8.back() == '\t'));
  if (!quote) {
    out += utf8;
    return;
  }
  out += '"';
  for (const char c : utf8) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

void AppendCsvHeader(std::string& out) {
  for (const auto& field : kPlateFields) {
    out += field.name;
    out += ',';
  }
  out += kYearColumn;
  for (const char* name : kResultNames) {
    out += ',';
    out += name;
  }
  out += ",error\r\n";
}

void AppendCsvRow(const BatchRow& row, const PlateResult& result, std::string& out) {
  for (const std::string& code : row.codes) {
    AppendCsvField(code, out);
    out += ',';
  }
  AppendCsvField(row.year, out);
  const bool decoded = result.Decoded();
  for (const std::string& value : result.Results) {
    out += ',';
    if (decoded) AppendCsvField(IsAscii(value) ? value : Cp1252ToUtf8(value), out);
  }
  out += ',';
  AppendCsvField(RowError(result), out);
  out += "\r\n";
}

void AppendReportSection(const BatchRow& row, const PlateResult& result, bool first,
                         std::string& out) {
  if (!first) out += kReportRule;
  if (result.Decoded()) {
    out += TerminalText(result.Report);
  } else {
    out += "Line " + std::to_string(row.line) + ": " + RowError(result);
  }
}

}  // namespace vorrendal::batch
