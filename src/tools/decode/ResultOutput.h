#pragma once
// The three shapes a decoded plate leaves the tool in: the report as text
// for a terminal, a JSON object, a CSV row. Everything written is UTF-8.

#include <cstddef>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

#include "PlateDecoder.h"
#include "PlateInput.h"

namespace vorrendal::decodetool {

// A plate as a batch row gave it: the codes and the year column as read.
struct BatchRow {
  std::size_t line = 0;
  PlateCodes codes;
  std::string year;
};

// Windows-1252 text in UTF-8; plain ASCII is taken as it is.
std::string Utf8Text(const std::string& cp1252);
bool IsAscii(const std::string& text);

// Windows-1252 text with CR LF breaks in UTF-8 with LF breaks.
std::string TerminalText(const std::string& cp1252);

// The report in UTF-8 with LF line ends and one line break at the end.
std::string ReportText(const std::string& cp1252Report);

// The plate's JSON object: the twelve results, SearchYear, BadYearCode,
// ErrorOccurred, DataLoadFailed and report (CR LF breaks, as the report box
// holds it); results and report are null when the plate was not decoded.
nlohmann::ordered_json PlateJson(const PlateResult& result);

// PlateJson with the row's line, its input and its error (or null).
nlohmann::ordered_json BatchJson(const BatchRow& row, const PlateResult& result);

// One JSON Lines line, with a line break.
std::string JsonLine(const nlohmann::ordered_json& object);

// A CSV field, quoted when it holds a comma, a quote, a line break or
// surrounding spaces (so that it reads back as it was).
std::string CsvField(std::string_view utf8);

// The header and the rows of --format csv, each with CR LF.
std::string CsvHeader();
std::string CsvRow(const BatchRow& row, const PlateResult& result);

// The error a row not decoded carries in the output, or "".
std::string RowError(const PlateResult& result);

}  // namespace vorrendal::decodetool
