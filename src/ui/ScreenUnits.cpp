#include "ui/ScreenUnits.h"

#include <QLabel>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace vorrendal {

void PlaceTwips(QWidget* widget, int left, int top, int width, int height) {
  widget->setGeometry(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
                      TwipsToPixels(height));
}

void MoveTwips(QWidget* widget, int left, int top) {
  widget->move(TwipsToPixels(left), TwipsToPixels(top));
}

QStringList DialogFace() {
#ifdef Q_OS_WIN
  return {QStringLiteral("MS Sans Serif")};
#else
  return {QStringLiteral("Arial")};
#endif
}

void GrowToFit(QLabel* label) {
  QSize size = label->size();
  if (label->wordWrap()) {
    size.setHeight(std::max(size.height(), label->heightForWidth(size.width())));
  } else {
    size = size.expandedTo(label->sizeHint());
  }
  label->resize(size);
}

QFont FontAtPoints(const QStringList& families, double points, bool bold) {
  QFont font;
  font.setFamilies(families);
  // Pixels at 96 to the inch, rounded.
  font.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
  font.setBold(bold);
  return font;
}

}  // namespace vorrendal
