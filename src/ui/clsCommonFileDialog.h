#pragma once
// The open and save file dialogs behind a few public fields: the caller fills
// the fields, calls ShowOpen or ShowSave with the owner window and reads the
// outcome from the fields. An instance keeps its fields between calls, so a
// later call starts from what the previous one left (FileName, FilterIndex).

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

class QFileDialog;
class QWidget;

namespace vorrendal {

class clsCommonFileDialog {
 public:
  // Option bits of the flags field that the dialogs honour.
  static constexpr std::int32_t kOverwritePrompt = 0x2;
  static constexpr std::int32_t kHideReadOnly = 0x4;  // Qt's dialogs have no read-only box
  static constexpr std::int32_t kAllowMultiSelect = 0x200;
  static constexpr std::int32_t kPathMustExist = 0x800;
  static constexpr std::int32_t kFileMustExist = 0x1000;
  static constexpr std::int16_t kDefaultMaxFileSize = 256;

  bool Canceled = false;     // out: the last dialog ended without a file
  QString DefaultExt;        // in: ".txt" adds .txt to a name typed without extension
  QString DefaultFileTitle;  // in: first content of the file-name box
  QString DialogTitle;       // in: empty keeps the dialog's own title
  QString FileName;          // out: the chosen file's full path
  QString FileTitle;         // out: its name without the folder
  QString Filter;            // in: "Description|pattern|Description|pattern..."
  // in: the filter shown first, from 1 (0: the first); out: the one chosen.
  std::int16_t FilterIndex = 0;
  std::int32_t flags = 0;  // in: option bits (kOverwritePrompt, ...)
  QString InitDir;         // in: the folder the dialog opens in
  // in: the longest FileName taken back, in characters (a length, not a size
  // in bytes); a longer path chosen is refused with a message naming the
  // limit and the dialog shown again. Below 1 it is taken, and kept, as 256.
  std::int16_t MaxFileSize = kDefaultMaxFileSize;

  // Show the dialog and wait for it: true when a file was chosen (FileName,
  // FileTitle and FilterIndex then tell which). False when it ended without
  // one (Canceled), or when the call is refused before any dialog is shown
  // because DefaultFileTitle is longer than MaxFileSize: *error then says so.
  bool ShowOpen(QWidget* hwnd, QString* error = nullptr);
  bool ShowSave(QWidget* hwnd, QString* error = nullptr);

  // "Text Documents (*.txt)|*.txt|All Files (*.*)|*.*" in Qt's form:
  // {"Text Documents (*.txt)", "All Files (*)"}. "*.*" means every file.
  static QStringList ConvertFilter(const QString& filter);

  // For tests, instead of a person: when set, no dialog is shown; this is
  // called with the dialog set up as it would be shown (it may choose a
  // filter there) and gives the files chosen, none for Cancel.
  std::function<QStringList(QFileDialog& dialog)> NextFileNames;

 private:
  void BuildFileDialogRecord(QFileDialog& dialog, bool save) const;
  bool Show(bool save, QWidget* hwnd, QString* error);
  QStringList Choose(QFileDialog& dialog);
  // Why a chosen file cannot be taken; empty when it can.
  QString Refusal(const QStringList& files, const QString& name) const;
  // What FileName becomes for the files chosen.
  QString FileNameOf(const QStringList& files) const;
};

}  // namespace vorrendal
