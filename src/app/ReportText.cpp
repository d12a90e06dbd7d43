#include "ReportText.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace vorrendal {

namespace {
constexpr const char* kCodePage = "windows-1252";
}

std::string ReportText::ToCp1252(const QString& text) {
  QStringEncoder encoder(kCodePage);
  QByteArray bytes = encoder.encode(text);
  if (encoder.hasError()) {
    // Encode one character at a time so that only the ones the code page
    // lacks are replaced.
    bytes.clear();
    for (qsizetype i = 0; i < text.size(); ++i) {
      const qsizetype length =
          (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ? 2
                                                                                             : 1;
      QStringEncoder one(kCodePage);
      const QByteArray piece = one.encode(QStringView(text).mid(i, length));
      bytes += (one.hasError() || piece.isEmpty()) ? QByteArray("?") : piece;
      i += length - 1;
    }
  }
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString ReportText::FromCp1252(std::string_view bytes) {
  QStringDecoder decoder(kCodePage);
  return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
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
