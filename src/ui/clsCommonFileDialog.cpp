#include "ui/clsCommonFileDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace vorrendal {
namespace {

// Spaces only: other white space is part of a name.
QString TrimSpaces(const QString& text) {
  qsizetype first = 0, last = text.size();
  while (first < last && text[first] == u' ') ++first;
  while (last > first && text[last - 1] == u' ') --last;
  return text.mid(first, last - first);
}

QString QtPatterns(const QString& patterns) {
  QStringList out;
  for (const QString& part : patterns.split(u';', Qt::SkipEmptyParts)) {
    const QString pattern = part.trimmed();
    if (pattern.isEmpty()) continue;
    out.append(pattern == QStringLiteral("*.*") ? QStringLiteral("*") : pattern);
  }
  return out.join(u' ');
}

}  // namespace

QStringList clsCommonFileDialog::ConvertFilter(const QString& filter) {
  const QStringList parts = filter.split(u'|');
  QStringList filters;
  // A description without its pattern (an odd part at the end) is dropped.
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i].trimmed();
    const QString patterns = QtPatterns(parts[i + 1]);
    if (description.isEmpty() && patterns.isEmpty()) continue;
    // Qt reads the patterns from the description's last brackets, so those
    // must hold exactly the patterns.
    const qsizetype open = description.lastIndexOf(u'(');
    if (open >= 0 && description.endsWith(u')')) description = description.left(open).trimmed();
    if (description.isEmpty()) description = patterns;
    filters.append(description + QStringLiteral(" (") + patterns + u')');
  }
  return filters;
}

void clsCommonFileDialog::BuildFileDialogRecord(QFileDialog& dialog, bool save) const {
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  if (save) {
    dialog.setFileMode(QFileDialog::AnyFile);
  } else if (flags & kAllowMultiSelect) {
    dialog.setFileMode(QFileDialog::ExistingFiles);
  } else {
    dialog.setFileMode((flags & kFileMustExist) ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  }
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !(flags & kOverwritePrompt));
  if (!DialogTitle.isEmpty()) dialog.setWindowTitle(DialogTitle);
  if (!InitDir.isEmpty()) dialog.setDirectory(InitDir);
  const QStringList filters = ConvertFilter(Filter);
  dialog.setNameFilters(filters);
  if (FilterIndex >= 1 && FilterIndex <= filters.size()) {
    dialog.selectNameFilter(filters[FilterIndex - 1]);
  }
  dialog.setDefaultSuffix(DefaultExt.startsWith(u'.') ? DefaultExt.mid(1) : DefaultExt);
  if (!DefaultFileTitle.isEmpty()) dialog.selectFile(DefaultFileTitle);
}

bool clsCommonFileDialog::ShowOpen(QWidget* hwnd, QString* error) {
  return Show(false, hwnd, error);
}

bool clsCommonFileDialog::ShowSave(QWidget* hwnd, QString* error) {
  return Show(true, hwnd, error);
}

QStringList clsCommonFileDialog::Choose(QFileDialog& dialog) {
  if (NextFileNames) return NextFileNames(dialog);
  return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles() : QStringList();
}

QString clsCommonFileDialog::FileNameOf(const QStringList& files) const {
  if ((flags & kAllowMultiSelect) && files.size() > 1) {
    // Several files: the folder, then each name, separated by NUL characters.
    QStringList pieces{
        QDir::toNativeSeparators(QFileInfo(TrimSpaces(files.first())).absolutePath())};
    for (const QString& file : files) pieces.append(QFileInfo(TrimSpaces(file)).fileName());
    return pieces.join(QChar(u'\0'));
  }
  return TrimSpaces(files.first());
}

QString clsCommonFileDialog::Refusal(const QStringList& files, const QString& name) const {
  const QFileInfo chosen(TrimSpaces(files.first()));
  if ((flags & kPathMustExist) && !chosen.absoluteDir().exists()) {
    return QStringLiteral("The folder \"%1\" does not exist.\nCheck the path and try again.")
        .arg(QDir::toNativeSeparators(chosen.absolutePath()));
  }
  if (name.size() > MaxFileSize) {
    return QStringLiteral(
               "The path of \"%1\" is %2 characters long; a file's whole path may have at most "
               "%3.\nChoose a shorter name or folder.")
        .arg(chosen.fileName())
        .arg(name.size())
        .arg(MaxFileSize);
  }
  return {};
}

bool clsCommonFileDialog::Show(bool save, QWidget* hwnd, QString* error) {
  if (MaxFileSize < 1) MaxFileSize = kDefaultMaxFileSize;
  if (DefaultFileTitle.size() > MaxFileSize) {
    // Refused before any dialog: no caller may take an earlier FileName for
    // this call's answer.
    Canceled = true;
    if (error != nullptr) {
      *error = QStringLiteral("The file name offered is %1 characters long; MaxFileSize allows %2.")
                   .arg(DefaultFileTitle.size())
                   .arg(MaxFileSize);
    }
    return false;
  }
  Canceled = false;
  if (error != nullptr) error->clear();

  QFileDialog dialog(hwnd);
  BuildFileDialogRecord(dialog, save);
  QStringList files;
  QString name;
  for (;;) {
    files = Choose(dialog);
    if (files.isEmpty()) {
      Canceled = true;
      return false;
    }
    name = FileNameOf(files);
    const QString refusal = Refusal(files, name);
    if (refusal.isEmpty()) break;
    // The dialog is asked again, at the name that was refused.
    QMessageBox::warning(hwnd, QString(), refusal);
    const QFileInfo chosen(TrimSpaces(files.first()));
    if (chosen.absoluteDir().exists()) dialog.setDirectory(chosen.absolutePath());
    dialog.selectFile(chosen.fileName());
  }
  FileName = name;
  FileTitle = TrimSpaces(QFileInfo(TrimSpaces(files.first())).fileName());
  const qsizetype chosenFilter = dialog.nameFilters().indexOf(dialog.selectedNameFilter());
  if (chosenFilter >= 0) FilterIndex = static_cast<std::int16_t>(chosenFilter + 1);
  return true;
}

}  // namespace vorrendal
