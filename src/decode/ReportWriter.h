#pragma once
// The report of a decode: the plain text the report box shows, built from the
// reader's results after ReadCodes. It owns the report format: the serial
// line, the two echo lines, one line per field with its "(Blank)" form, the
// year rules for the Date and DSO lines, word wrap at the 51-character budget
// and the append separator.

#include <cstddef>
#include <optional>
#include <string>

namespace vorrendal {

class clsCodeReader;

// The eight plate boxes, in Process order. Windows-1252 text.
struct PlateBoxes {
  std::string SerialNumber, Body, Color, Trim, Date, DSO, Trans, Axle;
  bool operator==(const PlateBoxes&) const = default;
};

struct ReportResult {
  PlateBoxes Boxes;                  // what each box shows after Process
  std::string Report;                // the whole new report text, CR LF breaks
  std::optional<std::size_t> Caret;  // append mode: caret offset from 0
  bool ErrorOccurred = false;        // show the error notice
};

class ReportWriter {
 public:
  // Runs one Process: clears the reader's ErrorOccurred, calls ReadCodes with
  // the boxes as typed and, unless the year code was rejected, writes the
  // report. Returns nothing when the year code was rejected: the caller then
  // changes nothing but the focus.
  static std::optional<ReportResult> Process(clsCodeReader& reader, const PlateBoxes& typed,
                                             bool append, const std::string& currentReport);

  // Steps after ReadCodes: box normalisation, the report text, the caret.
  // May rewrite the reader's wrapped result members.
  static ReportResult Write(clsCodeReader& reader, const PlateBoxes& typed, bool append,
                            const std::string& currentReport);

  // Breaks text at the last space at or before position width (counted from
  // 1), indenting continuation lines by 51 - width spaces; with no space
  // within reach the line is broken hard after width - 1 characters.
  static std::string WrapDescription(const std::string& text, int width);
};

}  // namespace vorrendal
