#pragma once
// The page view of the help window: a QTextBrowser whose pages, style sheets
// and pictures come out of a compiled help file. Pages are addressed as
// chm:/path/page.htm; relative links resolve against the page shown.

#include <QTextBrowser>
#include <QUrl>
#include <memory>

namespace vorrendal {

class ChmFile;

class HelpBrowser final : public QTextBrowser {
  Q_OBJECT
 public:
  static constexpr const char* kScheme = "chm";

  explicit HelpBrowser(QWidget* parent = nullptr);

  void SetFile(std::shared_ptr<const ChmFile> file);

  // The address of a path inside the help file ("/a.htm#x" -> chm:/a.htm#x).
  static QUrl UrlOf(const QString& path);

  // Follows a link as a click does: pages inside the file are shown (and go
  // into the history), other addresses go to the desktop's handler. Returns
  // false, and shows nothing, for a page that the file does not hold.
  bool FollowLink(const QUrl& link);

  QVariant loadResource(int type, const QUrl& name) override;

 signals:
  // A link pointed at a page the help file does not hold.
  void PageMissing(const QString& path);

 private:
  QUrl Resolve(const QUrl& name) const;

  std::shared_ptr<const ChmFile> file_;
};

}  // namespace vorrendal
