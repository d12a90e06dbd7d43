#include "ReportWriter.h"

#include <cstddef>
#include <string>
#include <utility>

#include "CodeText.h"
#include "clsCodeReader.h"
#include "data/clsDescriptionStore.h"

namespace vorrendal {

namespace {

constexpr const char* kCrLf = "\r\n";
constexpr int kLineBudget = 51;  // a report line, wrapped values included
constexpr std::size_t kCaretLineBreaks = 13;

// Pads the echo columns; an over-long code (only possible from outside the
// window, whose boxes are bounded) gets no padding rather than a negative one.
std::string Spaces(int count) {
  return count > 0 ? std::string(static_cast<std::size_t>(count), ' ') : std::string();
}

int Length(const std::string& text) { return static_cast<int>(text.size()); }

// The pieces the report labels, cut from the upper-cased, trimmed serial.
struct SerialPieces {
  std::string Year, Plant, Model, Engine, Unit;
};

SerialPieces CutSerial(const std::string& serialBox, int searchYear) {
  const std::string serial = TrimSpaces(serialBox);
  if (searchYear == 59) {
    return {Mid(serial, 2, 1), Mid(serial, 3, 1), Mid(serial, 4, 1), Mid(serial, 1, 1),
            Mid(serial, 5, 6)};
  }
  return {Mid(serial, 1, 1), Mid(serial, 2, 1), Mid(serial, 3, 2), Mid(serial, 5, 1),
          Mid(serial, 6, 6)};
}

// One decoded line: "Label (Blank) = value" for an empty code, else
// "Label (CODE) = value".
void AddLine(std::string& report, const std::string& label, const std::string& code,
             const std::string& value, bool lineBreak = true) {
  if (code.empty()) {
    report += label + " (Blank) = " + value;
  } else {
    report += label + " (" + code + ") = " + value;
  }
  if (lineBreak) report += kCrLf;
}

// A line whose value may be wrapped: the reader's value is replaced by its
// wrapped form when it is longer than what is left of the line, but only the
// coded line shows the wrapped form.
void AddWrappedLine(std::string& report, const std::string& label, const std::string& code,
                    std::string& value) {
  const int allowance = Length(label) + 6;  // "Label (" and ") = "
  const std::string unwrapped = value;
  const int width = kLineBudget - (Length(code) + allowance);
  if (Length(value) > width) value = ReportWriter::WrapDescription(value, width);
  AddLine(report, label, code, code.empty() ? unwrapped : value);
}

// In append mode the caret goes to the new section: past the separator and
// thirteen line breaks, which without wrapped lines is just after the Trim
// line. Returns a 0-based offset.
std::size_t CaretOffset(const std::string& report, std::size_t previousLength) {
  std::size_t s = previousLength + 46;  // 1-based, inside the separator block
  for (std::size_t counted = 0; counted < kCaretLineBreaks; ++counted) {
    if (s == 0 || s > report.size()) break;
    const std::size_t p = report.find(kCrLf, s - 1);
    if (p == std::string::npos) break;
    s = p + 1 + 2;  // p + 1 is the 1-based position of the break
  }
  return s < report.size() ? s : report.size();
}

}  // namespace

std::optional<ReportResult> ReportWriter::Process(clsCodeReader& reader, const PlateBoxes& typed,
                                                  bool append, const std::string& currentReport) {
  reader.ErrorOccurred = false;
  reader.ReadCodes(typed.SerialNumber, typed.Body, typed.Color, typed.Trim, typed.Date, typed.DSO,
                   typed.Trans, typed.Axle);
  if (reader.BadYearCode) return std::nullopt;
  return Write(reader, typed, append, currentReport);
}

ReportResult ReportWriter::Write(clsCodeReader& reader, const PlateBoxes& typed, bool append,
                                 const std::string& currentReport) {
  const int year = clsDescriptionStore::YearNumber(reader.SearchYear).value_or(0);

  PlateBoxes boxes = typed;
  if (year >= 67 && year <= 71) boxes.Color = Mid(boxes.Color, 1, 1);
  for (std::string* box : {&boxes.SerialNumber, &boxes.Body, &boxes.Color, &boxes.Trim,
                           &boxes.Date, &boxes.DSO, &boxes.Trans, &boxes.Axle}) {
    *box = UpperCase(*box);
  }
  const SerialPieces pieces = CutSerial(boxes.SerialNumber, year);

  ReportResult result;
  std::string& report = result.Report;
  const std::size_t previousLength = currentReport.size();
  if (append) {
    report = currentReport + kCrLf + kCrLf + std::string(40, '_') + kCrLf + kCrLf;
  }
  report += "Serial (Warranty) Number: " + boxes.SerialNumber + kCrLf;

  report += "Body: " + boxes.Body + Spaces(6 - Length(boxes.Body)) + "Color: " + boxes.Color +
            Spaces(5 - Length(boxes.Color)) + "Trim: " + boxes.Trim +
            Spaces(5 - Length(boxes.Trim)) + "Date: " + boxes.Date + kCrLf;
  report += "DSO: " + boxes.DSO + Spaces(7 - Length(boxes.DSO)) + "Trans: " + boxes.Trans +
            Spaces(5 - Length(boxes.Trans)) + "Axle: " + boxes.Axle + kCrLf + kCrLf;

  AddLine(report, "Year", pieces.Year, reader.ModelYear);
  AddLine(report, "Plant", pieces.Plant, reader.AssemblyPlant);
  AddWrappedLine(report, "Model", pieces.Model, reader.Model);
  AddWrappedLine(report, "Engine", pieces.Engine, reader.EngineType);
  AddLine(report, "Consecutive Unit Number", pieces.Unit, reader.UnitNumber);
  AddWrappedLine(report, "Body", boxes.Body, reader.Body);
  AddWrappedLine(report, "Color", boxes.Color, reader.Color);
  AddWrappedLine(report, "Trim", boxes.Trim, reader.Trim);
  if (year <= 69) AddWrappedLine(report, "Date", boxes.Date, reader.DateProduced);
  if (year >= 62) AddLine(report, "DSO", boxes.DSO, reader.DSO);
  AddWrappedLine(report, "Transmission", boxes.Trans, reader.TransmissionType);
  AddLine(report, "Axle", boxes.Axle, reader.AxleRatio, false);

  if (append) result.Caret = CaretOffset(report, previousLength);
  result.Boxes = std::move(boxes);
  result.ErrorOccurred = reader.ErrorOccurred;
  return result;
}

std::string ReportWriter::WrapDescription(const std::string& text, int width) {
  // Nothing fits on a line this narrow; leave the text whole.
  if (width < 2) return text;
  const std::size_t w = static_cast<std::size_t>(width);
  const std::string indent = Spaces(kLineBudget - width);

  std::string rest = text;
  std::string out;
  std::size_t pos = w;
  while (rest.size() >= w) {
    if (rest[pos - 1] == ' ') {
      out += rest.substr(0, pos - 1) + kCrLf + indent;
      rest.erase(0, pos);
      pos = w;
    } else if (pos > 1) {
      --pos;
    } else {
      // No space within reach: break after width - 1 characters.
      out += rest.substr(0, w - 1) + kCrLf + indent;
      rest.erase(0, w - 1);
      pos = w;
    }
  }
  return out + rest;
}

}  // namespace vorrendal
