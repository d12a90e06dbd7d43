#pragma once
// The shapes a decoded plate leaves in: the report as text for a terminal,
// a CSV row, a line of the batch report. Everything written is UTF-8; rows
// are appended to a buffer the caller writes out.

#include <cstddef>
#include <string>
#include <string_view>

#include "Batch.h"
#include "JsonWriter.h"
#include "PlateRows.h"

namespace vorrendal::batch {

// The messages the desktop program shows in message boxes, as the decoder
// tells them: an unreadable year code (also the error of its row), and a
// model year whose descriptions could not be loaded. The texts have CR LF
// line breaks.
inline constexpr const char* kInvalidYearTitle = "Invalid Year Code";
inline constexpr const char* kInvalidYearText =
    "The year code must be a number from\r\n"
    "0 to 9. The year code is the first number\r\n"
    "in the serial number from 1960 to 1974.\r\n"
    "It is the second number in 1959.";
inline constexpr const char* kLoadFailedTitle = "Error Loading Data";
inline constexpr const char* kLoadFailedText = "Unable to load data file. It may be corrupted.";

// Windows-1252 text in UTF-8; plain ASCII is taken as it is.
std::string Utf8Text(const std::string& cp1252);
bool IsAscii(std::string_view text);

// UTF-8 text (or what was given as such) that a terminal shows as it is:
// control characters in caret notation (^[ for ESC, ^? for DEL; line feeds
// kept if asked), C1 controls by number (<U+0081>), bytes that are not UTF-8
// as \xFF. A description or an input can then never drive the terminal.
std::string VisibleText(std::string_view text, bool keepLineFeeds);

// Windows-1252 text with CR LF breaks for a terminal: UTF-8, LF breaks, the
// rest visible.
std::string TerminalText(const std::string& cp1252);

// The report in UTF-8 with LF line ends and one line break at the end.
std::string ReportText(const std::string& cp1252Report);

// Input text as a message shows it: visible, in double quotes, cut short
// (with its length) when long.
std::string Quoted(std::string_view input);

// The error a row not decoded carries in the output, or "".
std::string RowError(const PlateResult& result);

// A CSV field, quoted when it holds a comma, a quote, a line break or
// surrounding spaces (so that it reads back as it was).
void AppendCsvField(std::string_view utf8, std::string& out);

// The header and the rows of the CSV output, each with CR LF: the input
// columns as read, the twelve results, the error.
void AppendCsvHeader(std::string& out);
void AppendCsvRow(const BatchRow& row, const PlateResult& result, std::string& out);

// One section of the batch report: the report, or the line and why it was
// not decoded. Sections after the first begin with the rule append mode puts
// between reports; the last line break is the caller's.
void AppendReportSection(const BatchRow& row, const PlateResult& result, bool first,
                         std::string& out);

enum class OutputFormat { Report, Json, Csv };

// The rows of a batch in one format, as a batch writes them: JSON Lines, CSV
// after its header, or the reports one after the other and a line break at
// the end.
class RowsWriter {
 public:
  explicit RowsWriter(OutputFormat format) : format_(format) {}

  // Whether the rows' results must carry their reports.
  bool WantsReport() const { return format_ != OutputFormat::Csv; }

  void Begin(std::string& out) const;
  void Append(const BatchRow& row, const PlateResult& result, std::string& out);
  void End(std::string& out) const;

 private:
  OutputFormat format_;
  JsonWriter json_;
  std::size_t rows_ = 0;
};

}  // namespace vorrendal::batch
