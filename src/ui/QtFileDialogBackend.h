#pragma once
// The file dialog backend that shows Qt's file dialog.

#include "ui/IFileDialogBackend.h"

class QFileDialog;

namespace vorrendal {

class QtFileDialogBackend : public IFileDialogBackend {
 public:
  bool Run(const FileDialogRequest& request, FileDialogResult& result) override;
  void Refuse(QWidget* owner, const QString& message) override;

  // Sets a dialog up for a request (used by Run; open to tests).
  static void Configure(QFileDialog& dialog, const FileDialogRequest& request);
  // Reads the outcome of an accepted dialog.
  static FileDialogResult Collect(const QFileDialog& dialog);
};

}  // namespace vorrendal
