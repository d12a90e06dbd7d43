#pragma once
// Takes the report out of the program: to the clipboard, into a text file
// chosen in the save dialog, and to the default printer. The window keeps one
// ReportOutput for its life; it holds the one save dialog, so a later save
// starts with the filter chosen in the previous one.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "ui/IReportPrinter.h"
#include "ui/clsCommonFileDialog.h"

class QWidget;

namespace vorrendal {

class ReportOutput {
 public:
  // The save dialog's option bits: ask before overwriting a file, hide the
  // read-only box, the folder must exist.
  static constexpr std::int32_t kSaveFlags = clsCommonFileDialog::kOverwritePrompt |
                                             clsCommonFileDialog::kHideReadOnly |
                                             clsCommonFileDialog::kPathMustExist;

  // reportText gives the report box's current text. Without a printer, jobs go
  // to the default printer through the print service.
  ReportOutput(QWidget* window, std::function<QString()> reportText,
               std::unique_ptr<IReportPrinter> printer = nullptr);
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

  // The serial number of the last complete decode, which names print jobs.
  void SetJobSerial(const QString& serial);

  // A line as printed: whole when it fits, else cut into pieces that do, each
  // after the last space that fits (or stands just past the room, where it
  // prints nothing) or, with no space, where the room runs out. The pieces put
  // together give the line back. fits says whether a piece fits.
  static QStringList WrapLine(const QString& line, const std::function<bool(QStringView)>& fits);

 private:
  // "Vorrendal - " and that serial number; "Vorrendal" before any decode.
  QString JobTitle() const;
  bool PrintJob(QString* error);

  QWidget* window_;
  std::function<QString()> reportText_;
  std::unique_ptr<IReportPrinter> printer_;
  std::unique_ptr<clsCommonFileDialog> saveDialog_;
  QString jobSerial_;
};

}  // namespace vorrendal
