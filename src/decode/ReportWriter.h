#pragma once
// The report of a decode: the plain text the report box shows, formatted
// from a DecodeResult. It owns the report format: the serial line, the two
// echo lines, one line per field with its "(Blank)" form, the Date and DSO
// lines by year, word wrap at the 51-character budget and the append
// separator.

#include <cstddef>
#include <optional>
#include <string>

#include "DecodePlate.h"

namespace vorrendal {

struct ReportResult {
  PlateBoxes Boxes;                  // what each box shows after Process
  std::string Report;                // the whole new report text, CR LF breaks
  std::optional<std::size_t> Caret;  // append mode: caret offset from 0
};

class ReportWriter {
 public:
  // The boxes as Process leaves them and the report of a decode whose year
  // code was read: the new report replaces currentReport, or with append
  // follows it as a new section.
  static ReportResult Write(const DecodeResult& result, const PlateBoxes& typed, bool append,
                            const std::string& currentReport);

  // Breaks text at the last space at or before position width (counted from
  // 1), indenting continuation lines by 51 - width spaces; with no space
  // within reach the line is broken hard after width - 1 characters.
  static std::string WrapDescription(const std::string& text, int width);
};

}  // namespace vorrendal
