#include "ui/BrantelArt.h"

#include <QPainter>
#include <QSvgRenderer>
#include <algorithm>

// Resources of a static library must be registered by name from outside any
// namespace; doing it on first use keeps the linker from dropping them.
static void EnsureBrantelResources() {
  static const bool done = [] {
    Q_INIT_RESOURCE(brantel);
    return true;
  }();
  (void)done;
}

namespace vorrendal {

QString BrantelArt::ResourcePath(BrantelPicture picture) {
  switch (picture) {
    case BrantelPicture::Emblem:
      return QStringLiteral(":/brantel/emblem.svg");
    case BrantelPicture::LogoLarge:
      return QStringLiteral(":/brantel/logo-large.svg");
    case BrantelPicture::LogoSmall:
      return QStringLiteral(":/brantel/logo-small.svg");
  }
  return {};
}

QPixmap BrantelArt::Render(BrantelPicture picture, QSize logicalSize, qreal devicePixelRatio) {
  EnsureBrantelResources();
  QSvgRenderer renderer(ResourcePath(picture));
  if (!renderer.isValid() || logicalSize.isEmpty() || devicePixelRatio <= 0) return {};

  const QSize pixels = (QSizeF(logicalSize) * devicePixelRatio).toSize();
  QPixmap pixmap(pixels);
  pixmap.fill(Qt::transparent);
  // The largest size of the artwork's proportions that fits.
  const QSizeF box = renderer.viewBoxF().size();
  const double factor = std::min(pixels.width() / box.width(), pixels.height() / box.height());
  const QSizeF art = box * factor;
  const QRectF target(
      QPointF((pixels.width() - art.width()) / 2, (pixels.height() - art.height()) / 2), art);
  {
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, target);
  }
  pixmap.setDevicePixelRatio(devicePixelRatio);
  return pixmap;
}

QIcon BrantelArt::ProgramIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128, 256})
    icon.addPixmap(Render(BrantelPicture::Emblem, QSize(size, size)));
  return icon;
}

}  // namespace vorrendal
