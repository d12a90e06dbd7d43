#include "HelpBrowser.h"

#include <QDesktopServices>
#include <QTextDocument>

#include "help/ChmFile.h"

namespace vorrendal {

HelpBrowser::HelpBrowser(QWidget* parent) : QTextBrowser(parent) {
  // Links are followed here, so that a relative link never leaves the file.
  setOpenLinks(false);
  setOpenExternalLinks(false);
  connect(this, &QTextBrowser::anchorClicked, this, [this](const QUrl& link) { FollowLink(link); });
}

void HelpBrowser::SetFile(std::shared_ptr<const ChmFile> file) {
  file_ = std::move(file);
  clearHistory();
  clear();
}

QUrl HelpBrowser::UrlOf(const QString& path) {
  QUrl url;
  url.setScheme(QString::fromLatin1(kScheme));
  const qsizetype hash = path.indexOf(QLatin1Char('#'));
  url.setPath(hash < 0 ? path : path.left(hash));
  if (hash >= 0) url.setFragment(path.mid(hash + 1));
  return url;
}

QUrl HelpBrowser::Resolve(const QUrl& name) const {
  if (!name.isRelative()) return name;
  const QUrl base =
      source().isValid() && !source().isEmpty() ? source() : UrlOf(QStringLiteral("/"));
  return base.resolved(name);
}

bool HelpBrowser::FollowLink(const QUrl& link) {
  const QUrl target = Resolve(link);
  if (target.scheme() != QLatin1String(kScheme)) {
    QDesktopServices::openUrl(target);
    return true;
  }
  if (file_ == nullptr || !file_->Contains(target.path().toStdString())) {
    emit PageMissing(target.path());
    return false;
  }
  setSource(target);
  return true;
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
  const QUrl url = Resolve(name);
  if (url.scheme() != QLatin1String(kScheme) || file_ == nullptr) return {};
  const std::optional<std::string> content = file_->Read(url.path().toStdString());
  if (!content) return {};
  const QByteArray bytes(content->data(), static_cast<qsizetype>(content->size()));
  if (type == QTextDocument::StyleSheetResource) return QString::fromUtf8(bytes);
  // Pages come back as bytes so that the browser honours their declared
  // character set; pictures are decoded by the document.
  return bytes;
}

}  // namespace vorrendal
