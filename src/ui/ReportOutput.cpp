#include "ui/ReportOutput.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include "data/Cp1252.h"
#include "ui/CupsPrinter.h"
#include "ui/FileSaver.h"

namespace vorrendal {
namespace {

const QString kSaveFilter = QStringLiteral("Text Documents (*.txt)|*.txt|All Files (*.*)|*.*");
constexpr double kPrintPointSize = 11.0;
// How far from a PDF file's end its end-of-file mark may stand.
constexpr qint64 kPdfEndMarkRoom = 32;

// The report's lines, whichever line ends the box used.
QStringList ReportLines(const QString& text) {
  QString unified = text;
  unified.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  unified.replace(u'\r', u'\n');
  unified.replace(QChar(QChar::ParagraphSeparator), u'\n');
  unified.replace(QChar(QChar::LineSeparator), u'\n');
  return unified.split(u'\n');
}

QString JobNotWritten() { return QStringLiteral("The print job could not be written."); }

// Prints the text line by line from the top-left of the printable area in a
// fixed-pitch face at 11 points, a line too wide for the page continued on
// the next, a new page when one is full. Whether the job was written whole
// is for WrittenWhole to tell: Qt's PDF writer does not report a short write.
bool PrintText(QPrinter& printer, const QString& text, QString* error) {
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  font.setPointSizeF(kPrintPointSize);

  QPainter painter;
  if (!painter.begin(&printer)) {
    *error = JobNotWritten();
    return false;
  }
  painter.setFont(font);
  const QFontMetricsF metrics(painter.font(), &printer);
  const QRectF page = printer.pageRect(QPrinter::DevicePixel);
  const auto fits = [&](QStringView piece) {
    return metrics.horizontalAdvance(piece.toString()) <= page.width();
  };
  double top = 0;
  for (const QString& line : ReportLines(text)) {
    for (const QString& piece : ReportOutput::WrapLine(line, fits)) {
      if (top > 0 && top + metrics.height() > page.height()) {
        printer.newPage();
        top = 0;
      }
      painter.drawText(QPointF(0, top + metrics.ascent()), piece);
      top += metrics.lineSpacing();
    }
  }
  painter.end();
  return true;
}

// A PDF file ends with its end-of-file mark; a job cut short (a full disk)
// does not reach the printer.
bool WrittenWhole(const QString& pdf, QString* error) {
  QFile file(pdf);
  if (file.open(QIODevice::ReadOnly) && file.size() > kPdfEndMarkRoom &&
      file.seek(file.size() - kPdfEndMarkRoom) &&
      file.read(kPdfEndMarkRoom).contains(QByteArrayLiteral("%%EOF"))) {
    return true;
  }
  *error = JobNotWritten();
  return false;
}

}  // namespace

ReportOutput::ReportOutput(QWidget* window, std::function<QString()> reportText,
                           std::unique_ptr<IReportPrinter> printer)
    : window_(window),
      reportText_(std::move(reportText)),
      printer_(printer ? std::move(printer) : std::make_unique<CupsPrinter>()) {}

ReportOutput::~ReportOutput() = default;

clsCommonFileDialog& ReportOutput::SaveDialog() {
  if (!saveDialog_) saveDialog_ = std::make_unique<clsCommonFileDialog>();
  return *saveDialog_;
}

void ReportOutput::CopyReport() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  clipboard->setText(reportText_());
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

bool ReportOutput::SaveReportAs() {
  clsCommonFileDialog& dialog = SaveDialog();
  dialog.DefaultExt = QStringLiteral(".txt");
  dialog.DialogTitle = QStringLiteral("Save As");
  dialog.Filter = kSaveFilter;
  dialog.flags = kSaveFlags;
  dialog.InitDir = QCoreApplication::applicationDirPath();
  QString error;
  if (!dialog.ShowSave(window_, &error)) {
    if (!error.isEmpty()) QMessageBox::warning(window_, QStringLiteral("Save As"), error);
    return false;
  }
  if (!FileSaver().Save(dialog.FileName, SaveBytes(reportText_()), &error)) {
    QMessageBox::warning(window_, QStringLiteral("Save As"),
                         QStringLiteral("The report could not be saved to\n%1\n\n%2")
                             .arg(QDir::toNativeSeparators(dialog.FileName), error));
    return false;
  }
  return true;
}

void ReportOutput::SetJobSerial(const QString& serial) { jobSerial_ = serial; }

QString ReportOutput::JobTitle() const {
  return jobSerial_.isEmpty() ? QStringLiteral("Vorrendal")
                              : QStringLiteral("Vorrendal - ") + jobSerial_;
}

QStringList ReportOutput::WrapLine(const QString& line,
                                   const std::function<bool(QStringView)>& fits) {
  QStringList pieces;
  QStringView rest(line);
  while (true) {
    // The longest start of rest that fits: double the length until it does
    // not, then halve the gap, so a very long line is never measured whole.
    qsizetype fitting = 0;
    qsizetype tooLong = 1;
    while (tooLong < rest.size() && fits(rest.first(tooLong))) {
      fitting = tooLong;
      tooLong *= 2;
    }
    if (tooLong >= rest.size()) {
      if (fits(rest)) break;
      tooLong = rest.size();
    }
    while (tooLong - fitting > 1) {
      const qsizetype middle = fitting + (tooLong - fitting) / 2;
      (fits(rest.first(middle)) ? fitting : tooLong) = middle;
    }
    // A space just past the room may end the piece: it prints nothing.
    qsizetype cut = rest.first(fitting + 1).lastIndexOf(u' ') + 1;
    if (cut <= 1) {  // no space, or only a leading one: cut where the room ends
      cut = fitting;
      if (cut > 0 && rest[cut - 1].isHighSurrogate()) --cut;  // keeping a character whole
      if (cut == 0) cut = rest.size() > 1 && rest[0].isHighSurrogate() ? 2 : 1;
    }
    pieces.append(rest.first(cut).toString());
    rest = rest.sliced(cut);
    if (rest.isEmpty()) return pieces;
  }
  pieces.append(rest.toString());
  return pieces;
}

bool ReportOutput::PrintReport() {
  QString error;
  if (!PrintJob(&error)) {
    QMessageBox::warning(window_, QStringLiteral("Print"),
                         QStringLiteral("The report could not be printed.\n\n%1").arg(error));
    return false;
  }
  return true;
}

bool ReportOutput::PrintJob(QString* error) {
  PrintQueue queue;
  if (!printer_->DefaultQueue(&queue, error)) return false;
  // The job is written in a folder of its own that only this user can reach.
  const QTemporaryDir folder;
  if (!folder.isValid()) {
    *error = JobNotWritten();
    return false;
  }
  const QString pdf = folder.filePath(QStringLiteral("report.pdf"));
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(pdf);
  printer.setDocName(JobTitle());
  if (queue.paper.paintRectPoints().isEmpty() || !printer.setPageLayout(queue.paper)) {
    *error = QStringLiteral("The paper of printer \"%1\" cannot be used.").arg(queue.name);
    return false;
  }
  return PrintText(printer, reportText_(), error) && WrittenWhole(pdf, error) &&
         printer_->Submit(queue, pdf, JobTitle(), error);
}

}  // namespace vorrendal
