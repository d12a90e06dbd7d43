#pragma once
// Takes the report out of the program: to the clipboard, into a text file
// chosen in the save dialog, and to the default printer. The window keeps one
// ReportOutput for its life; it holds the one save dialog, so a later save
// starts with the filter chosen in the previous one.

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

#include "ui/IFileDialogBackend.h"
#include "ui/IReportOutputServices.h"
#include "ui/clsCommonFileDialog.h"

class QPrinter;
class QWidget;

namespace vorrendal {

struct ReportOutputServices {
  std::unique_ptr<IClipboard> clipboard;
  std::unique_ptr<IMessageBox> messages;
  std::unique_ptr<IReportPrinter> printer;
  std::unique_ptr<IFileDialogBackend> fileDialog;
};

class ReportOutput {
 public:
  static constexpr double kPrintPointSize = 11.0;

  // reportText gives the report box's current text. Services left null are the system's.
  ReportOutput(QWidget* window, std::function<QString()> reportText,
               ReportOutputServices services = {});
  ~ReportOutput();
  ReportOutput(const ReportOutput&) = delete;
  ReportOutput& operator=(const ReportOutput&) = delete;

  void CopyReport();
  // False when nothing was written (cancelled, or failed with a message).
  bool SaveReportAs();
  bool PrintReport();

  // The save dialog, created on first use.
  clsCommonFileDialog& SaveDialog();

  // The bytes of a saved report: the text with CR LF line ends plus a closing
  // CR LF, in Windows-1252 (a character it cannot hold becomes "?").
  static QByteArray SaveBytes(const QString& text);

  // Replaces the file as one piece; on failure the file stays as it was and
  // error says why.
  static bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString& error);

  // Prints the text line by line from the top-left of the printable area in a
  // fixed-pitch face at 11 points, a new page when one is full. Long lines
  // are not wrapped.
  static bool PrintText(QPrinter& printer, const QString& text, QString& error);

 private:
  QWidget* window_;
  std::function<QString()> reportText_;
  ReportOutputServices services_;
  std::unique_ptr<clsCommonFileDialog> saveDialog_;
};

}  // namespace vorrendal
