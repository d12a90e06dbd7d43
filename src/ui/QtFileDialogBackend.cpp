#include "ui/QtFileDialogBackend.h"

#include <QFileDialog>
#include <QMessageBox>

namespace vorrendal {

void QtFileDialogBackend::Configure(QFileDialog& dialog, const FileDialogRequest& request) {
  dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  if (request.save) {
    dialog.setFileMode(QFileDialog::AnyFile);
  } else if (request.multiSelect) {
    dialog.setFileMode(QFileDialog::ExistingFiles);
  } else {
    dialog.setFileMode(request.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  }
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
  if (!request.title.isEmpty()) dialog.setWindowTitle(request.title);
  if (!request.initialDir.isEmpty()) dialog.setDirectory(request.initialDir);
  dialog.setNameFilters(request.nameFilters);
  if (request.selectedFilter >= 0 && request.selectedFilter < request.nameFilters.size()) {
    dialog.selectNameFilter(request.nameFilters[request.selectedFilter]);
  }
  dialog.setDefaultSuffix(request.defaultSuffix);
  if (!request.initialFileName.isEmpty()) dialog.selectFile(request.initialFileName);
}

FileDialogResult QtFileDialogBackend::Collect(const QFileDialog& dialog) {
  FileDialogResult result;
  result.files = dialog.selectedFiles();
  result.selectedFilter =
      static_cast<int>(dialog.nameFilters().indexOf(dialog.selectedNameFilter()));
  return result;
}

bool QtFileDialogBackend::Run(const FileDialogRequest& request, FileDialogResult& result) {
  QFileDialog dialog(request.owner);
  Configure(dialog, request);
  if (dialog.exec() != QDialog::Accepted) return false;
  result = Collect(dialog);
  return !result.files.isEmpty();
}

void QtFileDialogBackend::Refuse(QWidget* owner, const QString& message) {
  QMessageBox::warning(owner, QString(), message);
}

}  // namespace vorrendal
