#pragma once
// The Brantel emblem and the two plate logos, drawn from the SVG artwork that
// is compiled into the program, so they stay crisp at any screen density.

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace vorrendal {

enum class BrantelPicture {
  Emblem,     // the shield on its own (program icon)
  LogoLarge,  // winged badge with the name, 2070 x 720 twips on the plate
  LogoSmall,  // shield over the name, 1050 x 525 twips on the plate
};

class BrantelArt {
 public:
  // The picture drawn into a transparent pixmap of the given logical size at
  // the given device pixel ratio; the artwork keeps its proportions and is
  // centred. A null pixmap when the artwork cannot be read.
  static QPixmap Render(BrantelPicture picture, QSize logicalSize, qreal devicePixelRatio = 1.0);

  // The program icon: the emblem at the usual icon sizes.
  static QIcon ProgramIcon();

 private:
  // ":/brantel/..." path of the picture's SVG.
  static QString ResourcePath(BrantelPicture picture);
};

}  // namespace vorrendal
