#include "ui/ReportOutput.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QSaveFile>

#include "data/Cp1252.h"
#include "ui/SystemOutputServices.h"

namespace vorrendal {
namespace {

const QString kSaveFilter = QStringLiteral("Text Documents (*.txt)|*.txt|All Files (*.*)|*.*");
// Ask before overwriting, hide the read-only box, the folder must exist.
constexpr std::int32_t kSaveFlags = 0x806;

// The report's lines, whichever line ends the box used.
QStringList ReportLines(const QString& text) {
  QString unified = text;
  unified.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  unified.replace(u'\r', u'\n');
  unified.replace(QChar(QChar::ParagraphSeparator), u'\n');
  unified.replace(QChar(QChar::LineSeparator), u'\n');
  return unified.split(u'\n');
}

}  // namespace

ReportOutput::ReportOutput(QWidget* window, std::function<QString()> reportText,
                           ReportOutputServices services)
    : window_(window), reportText_(std::move(reportText)), services_(std::move(services)) {
  if (!services_.clipboard) services_.clipboard = std::make_unique<SystemClipboard>();
  if (!services_.messages) services_.messages = std::make_unique<SystemMessageBox>();
  if (!services_.printer) services_.printer = std::make_unique<SystemDefaultPrinter>();
}

ReportOutput::~ReportOutput() = default;

clsCommonFileDialog& ReportOutput::SaveDialog() {
  if (!saveDialog_)
    saveDialog_ = std::make_unique<clsCommonFileDialog>(std::move(services_.fileDialog));
  return *saveDialog_;
}

void ReportOutput::CopyReport() {
  services_.clipboard->Clear();
  services_.clipboard->SetText(reportText_());
}

QByteArray ReportOutput::SaveBytes(const QString& text) {
  QByteArray bytes;
  const QString report = ReportLines(text).join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
  bytes.reserve(report.size());
  for (char32_t codePoint : report.toUcs4()) {
    const QByteArray utf8 = QString::fromUcs4(&codePoint, 1).toUtf8();
    const auto converted =
        Utf8ToCp1252(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
    if (converted && converted->size() == 1) {
      bytes.append((*converted)[0]);
    } else {
      bytes.append('?');
    }
  }
  return bytes;
}

bool ReportOutput::WriteFileAtomically(const QString& path, const QByteArray& bytes,
                                       QString& error) {
  const QFileInfo target(path);
  if (target.isDir()) {
    error = QStringLiteral("It is a folder.");
    return false;
  }
  // A file marked read-only is left alone, whoever runs the program.
  if (target.exists() &&
      (!(target.permissions() & QFileDevice::WriteOwner) || !target.isWritable())) {
    error = QStringLiteral("The file is read-only.");
    return false;
  }
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    error = file.errorString();
    return false;
  }
  if (file.write(bytes) != bytes.size()) {
    error = file.errorString();
    file.cancelWriting();
    return false;
  }
  if (!file.commit()) {
    error = file.errorString();
    return false;
  }
  return true;
}

bool ReportOutput::SaveReportAs() {
  clsCommonFileDialog& dialog = SaveDialog();
  dialog.DefaultExt = QStringLiteral(".txt");
  dialog.DialogTitle = QStringLiteral("Save As");
  dialog.Filter = kSaveFilter;
  dialog.flags = kSaveFlags;
  dialog.InitDir = QCoreApplication::applicationDirPath();
  dialog.ShowSave(window_);
  if (dialog.Canceled) return false;

  QString error;
  if (!WriteFileAtomically(dialog.FileName, SaveBytes(reportText_()), error)) {
    services_.messages->Warn(window_, QStringLiteral("Save As"),
                             QStringLiteral("The report could not be saved to\n%1\n\n%2")
                                 .arg(QDir::toNativeSeparators(dialog.FileName), error));
    return false;
  }
  return true;
}

bool ReportOutput::PrintText(QPrinter& printer, const QString& text, QString& error) {
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  font.setPointSizeF(kPrintPointSize);

  QPainter painter;
  if (!painter.begin(&printer)) {
    error = QStringLiteral("The printer could not be started.");
    return false;
  }
  painter.setFont(font);
  const QFontMetricsF metrics(painter.font(), &printer);
  const double pageHeight = printer.pageRect(QPrinter::DevicePixel).height();
  double top = 0;
  for (const QString& line : ReportLines(text)) {
    if (top > 0 && top + metrics.height() > pageHeight) {
      if (!printer.newPage()) {
        error = QStringLiteral("The printer could not start a new page.");
        painter.end();
        return false;
      }
      top = 0;
    }
    painter.drawText(QPointF(0, top + metrics.ascent()), line);
    top += metrics.lineSpacing();
  }
  if (!painter.end() || printer.printerState() == QPrinter::Error) {
    error = QStringLiteral("The report could not be sent to the printer.");
    return false;
  }
  return true;
}

bool ReportOutput::PrintReport() {
  QString error;
  std::unique_ptr<QPrinter> printer = services_.printer->DefaultPrinter(error);
  if (!printer || !PrintText(*printer, reportText_(), error)) {
    services_.messages->Warn(window_, QStringLiteral("Print"),
                             QStringLiteral("The report could not be printed.\n\n%1").arg(error));
    return false;
  }
  return true;
}

}  // namespace vorrendal
