#pragma once
// The open and save file dialogs behind a few public fields: the caller fills
// the fields, calls ShowOpen or ShowSave with the owner window and reads the
// outcome from the fields. An instance keeps its fields between calls, so a
// later call starts from what the previous one left (FileName, FilterIndex).

#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

#include "ui/IFileDialogBackend.h"

class QWidget;

namespace vorrendal {

class clsCommonFileDialog {
 public:
  // Option bits of the flags field that the dialogs honour.
  static constexpr std::int32_t kOverwritePrompt = 0x2;
  static constexpr std::int32_t kHideReadOnly = 0x4;
  static constexpr std::int32_t kAllowMultiSelect = 0x200;
  static constexpr std::int32_t kPathMustExist = 0x800;
  static constexpr std::int32_t kFileMustExist = 0x1000;
  static constexpr std::int16_t kDefaultMaxFileSize = 256;

  // Without a backend the dialogs are Qt's.
  explicit clsCommonFileDialog(std::unique_ptr<IFileDialogBackend> backend = nullptr);
  ~clsCommonFileDialog();
  clsCommonFileDialog(const clsCommonFileDialog&) = delete;
  clsCommonFileDialog& operator=(const clsCommonFileDialog&) = delete;

  bool Canceled = false;     // out: the last dialog ended without a file
  QString DefaultExt;        // in: ".txt" adds .txt to a name typed without extension
  QString DefaultFileTitle;  // in: first content of the file-name box
  QString DialogTitle;       // in: empty keeps the dialog's own title
  QString FileName;          // out: the chosen file's full path
  QString FileTitle;         // out: its name without the folder
  QString Filter;            // in: "Description|pattern|Description|pattern..."
  std::int16_t FilterIndex =
      0;                   // in: filter shown first, from 1 (0: the first); out: the one chosen
  std::int32_t flags = 0;  // in: option bits (kOverwritePrompt, ...)
  QString InitDir;         // in: the folder the dialog opens in
  // in: the longest FileName taken back, in characters; a longer path chosen
  // is refused with a message naming the limit and the dialog shown again.
  std::int16_t MaxFileSize = kDefaultMaxFileSize;

  // Both throw std::invalid_argument, before any dialog is shown, when
  // DefaultFileTitle is longer than MaxFileSize.
  void ShowOpen(QWidget* hwnd);
  void ShowSave(QWidget* hwnd);

  // "Text Documents (*.txt)|*.txt|All Files (*.*)|*.*" in Qt's form:
  // {"Text Documents (*.txt)", "All Files (*)"}. "*.*" means every file.
  static QStringList ConvertFilter(const QString& filter);

 private:
  FileDialogRequest BuildFileDialogRecord(bool save, QWidget* hwnd);
  // What FileName becomes for the files chosen.
  static QString FileNameOf(const FileDialogRequest& request, const FileDialogResult& result);
  void Show(bool save, QWidget* hwnd);

  std::unique_ptr<IFileDialogBackend> backend_;
};

}  // namespace vorrendal
