#pragma once
// The windows are laid out in twips, 1440 to the inch, at a fixed 15 twips per
// device-independent pixel (96 per inch). Fonts are sized the same way, so a
// 11.25 point face is 15 pixels high whatever the screen's reported density,
// and text keeps its proportions to the boxes it stands in.

#include <QFont>
#include <QStringList>

class QLabel;
class QWidget;

namespace vorrendal {

inline constexpr int kTwipsPerPixel = 15;

// Nearest whole pixel.
constexpr int TwipsToPixels(int twips) {
  return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                    : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

// Places a control at its designed place (client-area twips).
void PlaceTwips(QWidget* widget, int left, int top, int width, int height);

// Moves a control without changing its size.
void MoveTwips(QWidget* widget, int left, int top);

// Makes a label at least as large as its text needs (a wrapped label grows
// downwards, a single-line one to the right), so that no face whose metrics
// differ a little from the designed one cuts its text off. Never shrinks it.
void GrowToFit(QLabel* label);

// A face at a size in points, converted at 96 pixels per inch. The first
// family that the system has wins; the others are fall-backs.
QFont FontAtPoints(const QStringList& families, double points, bool bold = false);

// The face of dialogs and plain labels: "MS Sans Serif" where Windows has it,
// its metric stand-in Arial elsewhere (Liberation Sans on Linux).
QStringList DialogFace();

}  // namespace vorrendal
