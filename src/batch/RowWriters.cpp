#include "RowWriters.h"

#include <algorithm>
#include <cstdio>

#include "data/Cp1252.h"

namespace vorrendal::batch {
namespace {

constexpr std::string_view kReportRule = "\n\n________________________________________\n\n";
// At most this much input goes into a message (each byte shown in at most 4
// characters), so that a message stays one short line.
constexpr std::size_t kQuotedBytes = 24;

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

std::string VisibleText(std::string_view text, bool keepLineFeeds) {
  // Most text has nothing to show differently: one branch-free pass, a
  // vector at a time, finds out.
  unsigned char odd = 0;
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    odd |= static_cast<unsigned char>((c < 0x20) & ((c != '\n') | !keepLineFeeds)) |
           static_cast<unsigned char>(c >= 0x7F);
  }
  if (odd == 0) return std::string(text);
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '\n' && keepLineFeeds) {
      out += '\n';
      ++i;
    } else if (c < 0x20 || c == 0x7F) {
      out += '^';
      out += static_cast<char>(c ^ 0x40);  // ^[ for ESC, ^? for DEL
      ++i;
    } else if (c < 0x80) {
      out += static_cast<char>(c);
      ++i;
    } else {
      char32_t cp = 0;
      const std::size_t length = Utf8CharAt(text, i, cp);
      char shown[16];
      if (length == 0) {
        std::snprintf(shown, sizeof shown, "\\x%02X", c);
        out += shown;
        ++i;
      } else if (cp < 0xA0) {
        std::snprintf(shown, sizeof shown, "<U+%04X>", static_cast<unsigned>(cp));
        out += shown;
        i += length;
      } else {
        out += text.substr(i, length);
        i += length;
      }
    }
  }
  return out;
}

std::string TerminalText(const std::string& cp1252) {
  std::string utf8 = Utf8Text(cp1252);
  std::size_t kept = 0;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if (utf8[i] == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') continue;
    utf8[kept++] = utf8[i];
  }
  utf8.resize(kept);
  return VisibleText(utf8, true);
}

std::string ReportText(const std::string& cp1252Report) {
  return TerminalText(cp1252Report) + '\n';
}

std::string Quoted(std::string_view input) {
  std::size_t cut = std::min(input.size(), kQuotedBytes);
  while (cut > 0 && cut < input.size() && (static_cast<unsigned char>(input[cut]) & 0xC0) == 0x80)
    --cut;  // not inside a character
  std::string quoted = "\"" + VisibleText(input.substr(0, cut), false);
  if (cut < input.size()) return quoted + "...\" (" + std::to_string(input.size()) + " bytes)";
  return quoted + "\"";
}

std::string RowError(const PlateResult& result) {
  if (!result.Error.empty()) return result.Error;
  if (result.Decode.BadYearCode) return kInvalidYearTitle;
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
  for (const ResultField& field : kResultFields) {
    out += ',';
    out += field.name;
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
  for (const ResultField& field : kResultFields) {
    out += ',';
    if (decoded) AppendCsvField(Utf8Text(result.Decode.*field.value), out);
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

void RowsWriter::Begin(std::string& out) const {
  if (format_ == OutputFormat::Csv) AppendCsvHeader(out);
}

void RowsWriter::Append(const BatchRow& row, const PlateResult& result, std::string& out) {
  switch (format_) {
    case OutputFormat::Json:
      json_.AppendRow(row, result, out);
      break;
    case OutputFormat::Csv:
      AppendCsvRow(row, result, out);
      break;
    case OutputFormat::Report:
      AppendReportSection(row, result, rows_ == 0, out);
      break;
  }
  ++rows_;
}

void RowsWriter::End(std::string& out) const {
  if (format_ == OutputFormat::Report && rows_ > 0) out += '\n';
}

}  // namespace vorrendal::batch
