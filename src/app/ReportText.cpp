#include "ReportText.h"

#include "data/Cp1252.h"

namespace vorrendal {

std::string ReportText::ToCp1252(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  return Utf8ToCp1252Lossy(
      std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())), '?');
}

QString ReportText::FromCp1252(std::string_view bytes) {
  return QString::fromStdString(Cp1252ToUtf8(bytes));
}

std::string ReportText::ToReport(const QString& boxText) {
  std::string bytes = ToCp1252(boxText);
  std::string report;
  report.reserve(bytes.size() + bytes.size() / 16);
  for (char c : bytes) {
    if (c == '\n') report += '\r';
    report += c;
  }
  return report;
}

QString ReportText::FromReport(std::string_view report) {
  std::string bytes;
  bytes.reserve(report.size());
  for (std::size_t i = 0; i < report.size(); ++i) {
    if (report[i] == '\r' && i + 1 < report.size() && report[i + 1] == '\n') continue;
    bytes += report[i];
  }
  return FromCp1252(bytes);
}

int ReportText::CaretInBox(std::string_view report, std::size_t caret) {
  if (caret > report.size()) caret = report.size();
  std::size_t position = caret;
  for (std::size_t i = 0; i + 1 < caret; ++i) {
    if (report[i] == '\r' && report[i + 1] == '\n') --position;
  }
  return static_cast<int>(position);
}

ReportText::Shown ReportText::Show(const QString& oldBoxText, const std::string& oldReport,
                                   const std::string& newReport, std::optional<std::size_t> caret) {
  Shown shown;
  const bool continues = !oldReport.empty() && newReport.size() >= oldReport.size() &&
                         newReport.compare(0, oldReport.size(), oldReport) == 0 &&
                         !(oldReport.back() == '\r' && newReport.size() > oldReport.size() &&
                           newReport[oldReport.size()] == '\n');
  if (!continues) {
    shown.Text = FromReport(newReport);
    if (caret) shown.Caret = CaretInBox(newReport, *caret);
    return shown;
  }
  const std::string_view tail = std::string_view(newReport).substr(oldReport.size());
  shown.Text = oldBoxText + FromReport(tail);
  if (caret) {
    if (*caret >= oldReport.size()) {
      shown.Caret =
          static_cast<int>(oldBoxText.size()) + CaretInBox(tail, *caret - oldReport.size());
    } else {
      shown.Caret = CaretInBox(newReport, *caret);
    }
  }
  return shown;
}

}  // namespace vorrendal
