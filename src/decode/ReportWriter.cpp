#include "ReportWriter.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "CodeText.h"

namespace vorrendal {

namespace {

constexpr const char* kCrLf = "\r\n";
constexpr int kLineBudget = 51;  // a report line, wrapped values included
constexpr std::size_t kCaretLineBreaks = 13;
// Room for a whole new section, so it is built without reallocating.
constexpr std::size_t kReportReserve = 1024;

int Length(std::string_view text) { return static_cast<int>(text.size()); }

// One decoded line: "Label (Blank) = value" for an empty code, else
// "Label (CODE) = value".
void AddLine(std::string& report, std::string_view label, std::string_view code,
             std::string_view value, bool lineBreak = true) {
  report.append(label);
  if (code.empty()) {
    report.append(" (Blank) = ");
  } else {
    report.append(" (").append(code).append(") = ");
  }
  report.append(value);
  if (lineBreak) report.append(kCrLf);
}

// A line whose value may be wrapped: a value longer than what is left of the
// line is wrapped, but only the coded line shows the wrapped form.
void AddWrappedLine(std::string& report, std::string_view label, std::string_view code,
                    const std::string& value) {
  const int allowance = Length(label) + 6;  // "Label (" and ") = "
  const int width = kLineBudget - (Length(code) + allowance);
  if (code.empty() || Length(value) <= width) return AddLine(report, label, code, value);
  AddLine(report, label, code, ReportWriter::WrapDescription(value, width));
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

ReportResult ReportWriter::Write(const DecodeResult& r, const PlateBoxes& typed, bool append,
                                 const std::string& currentReport) {
  const int year = SearchYearNumber(r.SearchYear).value_or(0);

  PlateBoxes boxes = typed;
  if (OneCharacterColor(year) && boxes.Color.size() > 1) boxes.Color.resize(1);
  for (std::string* box : {&boxes.SerialNumber, &boxes.Body, &boxes.Color, &boxes.Trim, &boxes.Date,
                           &boxes.DSO, &boxes.Trans, &boxes.Axle}) {
    UpperCaseInPlace(*box);
  }
  const SerialPieces pieces = SplitSerial(TrimSpaces(boxes.SerialNumber), year);

  ReportResult result;
  std::string& report = result.Report;
  const std::size_t previousLength = currentReport.size();
  report.reserve(previousLength + kReportReserve);
  if (append) {
    report.append(currentReport).append(kCrLf).append(kCrLf).append(40, '_');
    report.append(kCrLf).append(kCrLf);
  }
  report.append("Serial (Warranty) Number: ").append(boxes.SerialNumber).append(kCrLf);

  // Echo codes are padded to their columns; an over-long code (only possible
  // from outside the window, whose boxes are bounded) gets no padding.
  const auto echo = [&report](std::string_view label, const std::string& code, int column) {
    report.append(label).append(code);
    if (column > Length(code)) report.append(static_cast<std::size_t>(column - Length(code)), ' ');
  };
  echo("Body: ", boxes.Body, 6);
  echo("Color: ", boxes.Color, 5);
  echo("Trim: ", boxes.Trim, 5);
  echo("Date: ", boxes.Date, 0);
  report.append(kCrLf);
  echo("DSO: ", boxes.DSO, 7);
  echo("Trans: ", boxes.Trans, 5);
  echo("Axle: ", boxes.Axle, 0);
  report.append(kCrLf).append(kCrLf);

  AddLine(report, "Year", pieces.Year, r.ModelYear);
  AddLine(report, "Plant", pieces.Plant, r.AssemblyPlant);
  AddWrappedLine(report, "Model", pieces.Model, r.Model);
  AddWrappedLine(report, "Engine", pieces.Engine, r.EngineType);
  AddLine(report, "Consecutive Unit Number", pieces.Unit, r.UnitNumber);
  AddWrappedLine(report, "Body", boxes.Body, r.Body);
  AddWrappedLine(report, "Color", boxes.Color, r.Color);
  AddWrappedLine(report, "Trim", boxes.Trim, r.Trim);
  if (HasDateLine(year)) AddWrappedLine(report, "Date", boxes.Date, r.DateProduced);
  if (HasDso(year)) AddLine(report, "DSO", boxes.DSO, r.DSO);
  AddWrappedLine(report, "Transmission", boxes.Trans, r.TransmissionType);
  AddLine(report, "Axle", boxes.Axle, r.AxleRatio, false);

  if (append) result.Caret = CaretOffset(report, previousLength);
  result.Boxes = std::move(boxes);
  return result;
}

std::string ReportWriter::WrapDescription(const std::string& text, int width) {
  // Nothing fits on a line this narrow; leave the text whole.
  if (width < 2) return text;
  const std::size_t w = static_cast<std::size_t>(width);
  const std::size_t indent = static_cast<std::size_t>(kLineBudget - width);

  // rest is text[start, end); each pass takes one line off its front.
  const std::size_t end = text.size();
  std::size_t start = 0;
  std::string out;
  out.reserve(end + (end / (w - 1) + 1) * (indent + 2));
  std::size_t pos = w;
  while (end - start >= w) {
    if (text[start + pos - 1] == ' ') {
      out.append(text, start, pos - 1).append(kCrLf).append(indent, ' ');
      start += pos;
      pos = w;
    } else if (pos > 1) {
      --pos;
    } else {
      // No space within reach: break after width - 1 characters.
      out.append(text, start, w - 1).append(kCrLf).append(indent, ' ');
      start += w - 1;
      pos = w;
    }
  }
  return out.append(text, start, std::string::npos);
}

}  // namespace vorrendal
