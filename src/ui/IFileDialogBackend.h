#pragma once
// The system's open and save dialogs as clsCommonFileDialog sees them: one
// request in, the chosen files out. The program uses Qt's file dialog; tests
// put in a backend that answers with file names of their own.

#include <QString>
#include <QStringList>

class QWidget;

namespace vorrendal {

struct FileDialogRequest {
  bool save = true;
  QWidget* owner = nullptr;
  QString title;            // empty: the dialog's own title
  QString initialDir;       // empty: left to the dialog
  QString initialFileName;  // the file-name box's first content
  QStringList nameFilters;  // in Qt's "Description (*.a *.b)" form
  int selectedFilter = 0;   // 0-based index into nameFilters
  QString defaultSuffix;    // without its dot; added to a name typed without one
  bool confirmOverwrite = false;
  bool multiSelect = false;    // open only
  bool fileMustExist = false;  // open only
};

struct FileDialogResult {
  QStringList files;        // full paths, in the order chosen
  int selectedFilter = -1;  // 0-based index of the filter in use when the dialog closed
};

class IFileDialogBackend {
 public:
  virtual ~IFileDialogBackend() = default;
  // Shows the dialog and waits for it; false when it ended without a file.
  virtual bool Run(const FileDialogRequest& request, FileDialogResult& result) = 0;
  // Tells the user why the chosen name cannot be taken (the dialog is then shown again).
  virtual void Refuse(QWidget* owner, const QString& message) = 0;
};

}  // namespace vorrendal
