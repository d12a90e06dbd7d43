#include "ui/clsCommonFileDialog.h"

#include <QDir>
#include <QFileInfo>
#include <stdexcept>

#include "ui/QtFileDialogBackend.h"

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

clsCommonFileDialog::clsCommonFileDialog(std::unique_ptr<IFileDialogBackend> backend)
    : backend_(backend ? std::move(backend) : std::make_unique<QtFileDialogBackend>()) {}

clsCommonFileDialog::~clsCommonFileDialog() = default;

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

FileDialogRequest clsCommonFileDialog::BuildFileDialogRecord(bool save, QWidget* hwnd) {
  if (MaxFileSize < 1) MaxFileSize = kDefaultMaxFileSize;
  FileDialogRequest request;
  request.save = save;
  request.owner = hwnd;
  request.title = DialogTitle;
  request.initialDir = InitDir;
  request.initialFileName = DefaultFileTitle;
  request.nameFilters = ConvertFilter(Filter);
  request.selectedFilter =
      FilterIndex >= 1 && FilterIndex <= request.nameFilters.size() ? FilterIndex - 1 : 0;
  request.defaultSuffix = DefaultExt.startsWith(u'.') ? DefaultExt.mid(1) : DefaultExt;
  request.confirmOverwrite = (flags & kOverwritePrompt) != 0;
  request.multiSelect = !save && (flags & kAllowMultiSelect) != 0;
  request.fileMustExist = !save && (flags & kFileMustExist) != 0;
  // kHideReadOnly: Qt's dialogs have no "open as read-only" box to hide.
  return request;
}

QString clsCommonFileDialog::FileNameOf(const FileDialogRequest& request,
                                        const FileDialogResult& result) {
  if (request.multiSelect && result.files.size() > 1) {
    // Several files: the folder, then each name, separated by NUL characters.
    QStringList pieces{
        QDir::toNativeSeparators(QFileInfo(TrimSpaces(result.files.first())).absolutePath())};
    for (const QString& file : result.files) pieces.append(QFileInfo(TrimSpaces(file)).fileName());
    return pieces.join(QChar(u'\0'));
  }
  return TrimSpaces(result.files.first());
}

void clsCommonFileDialog::ShowOpen(QWidget* hwnd) { Show(false, hwnd); }

void clsCommonFileDialog::ShowSave(QWidget* hwnd) { Show(true, hwnd); }

void clsCommonFileDialog::Show(bool save, QWidget* hwnd) {
  FileDialogRequest request = BuildFileDialogRecord(save, hwnd);
  if (DefaultFileTitle.size() > MaxFileSize) {
    throw std::invalid_argument("clsCommonFileDialog: DefaultFileTitle is longer than MaxFileSize");
  }
  Canceled = false;

  FileDialogResult result;
  QString name;
  for (;;) {
    result = FileDialogResult{};
    if (!backend_->Run(request, result) || result.files.isEmpty()) {
      Canceled = true;
      return;
    }
    const QFileInfo chosen(TrimSpaces(result.files.first()));
    if ((flags & kPathMustExist) && !chosen.absoluteDir().exists()) {
      backend_->Refuse(
          hwnd, QStringLiteral("The folder \"%1\" does not exist.\nCheck the path and try again.")
                    .arg(QDir::toNativeSeparators(chosen.absolutePath())));
      request.initialFileName = chosen.fileName();
      continue;
    }
    name = FileNameOf(request, result);
    if (name.size() <= MaxFileSize) break;
    // The name does not fit the buffer the caller allowed: say so and ask again.
    backend_->Refuse(hwnd, QStringLiteral("The path of \"%1\" is %2 characters long; a file's "
                                          "whole path may have at most %3.\n"
                                          "Choose a shorter name or folder.")
                               .arg(chosen.fileName())
                               .arg(name.size())
                               .arg(MaxFileSize));
    request.initialDir = chosen.absolutePath();
    request.initialFileName = chosen.fileName();
  }
  FileName = name;
  FileTitle = TrimSpaces(QFileInfo(TrimSpaces(result.files.first())).fileName());
  if (result.selectedFilter >= 0)
    FilterIndex = static_cast<std::int16_t>(result.selectedFilter + 1);
}

}  // namespace vorrendal
