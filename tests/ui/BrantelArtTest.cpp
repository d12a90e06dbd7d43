// The Brantel artwork: every picture renders from the compiled-in SVG at the
// plate's sizes and at high density, filling its place without spilling.

#include <QGuiApplication>
#include <QTest>

#include "ui/BrantelArt.h"

using vorrendal::BrantelArt;
using vorrendal::BrantelPicture;

Q_DECLARE_METATYPE(BrantelPicture)

namespace {

// The smallest rectangle holding every pixel that is not fully transparent.
QRect Inked(const QImage& image) {
  QRect box;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (qAlpha(image.pixel(x, y)) > 0) box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

}  // namespace

class BrantelArtTest : public QObject {
  Q_OBJECT

 private slots:
  void render_data() {
    QTest::addColumn<BrantelPicture>("picture");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<qreal>("ratio");
    // The plate places: 2070 x 720 and 1050 x 525 twips.
    QTest::newRow("large logo") << BrantelPicture::LogoLarge << QSize(138, 48) << 1.0;
    QTest::newRow("large logo, high density") << BrantelPicture::LogoLarge << QSize(138, 48) << 2.0;
    QTest::newRow("small logo") << BrantelPicture::LogoSmall << QSize(70, 35) << 1.0;
    QTest::newRow("small logo, 1.5") << BrantelPicture::LogoSmall << QSize(70, 35) << 1.5;
    QTest::newRow("emblem icon") << BrantelPicture::Emblem << QSize(32, 32) << 1.0;
  }

  void render() {
    QFETCH(BrantelPicture, picture);
    QFETCH(QSize, size);
    QFETCH(qreal, ratio);
    const QPixmap pixmap = BrantelArt::Render(picture, size, ratio);
    QVERIFY(!pixmap.isNull());
    QCOMPARE(pixmap.size(), (QSizeF(size) * ratio).toSize());
    QCOMPARE(pixmap.devicePixelRatio(), ratio);
    const QImage image = pixmap.toImage();
    const QRect inked = Inked(image);
    // The artwork fills most of its place in both directions (its proportions
    // were drawn for these places) and leaves the corners clear.
    QVERIFY2(inked.width() >= image.width() * 0.8 && inked.height() >= image.height() * 0.8,
             qPrintable(QStringLiteral("inked %1x%2 of %3x%4")
                            .arg(inked.width()).arg(inked.height()).arg(image.width()).arg(image.height())));
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
  }

  void programIconHasSizes() {
    const QIcon icon = BrantelArt::ProgramIcon();
    QVERIFY(!icon.isNull());
    QVERIFY(icon.availableSizes().contains(QSize(48, 48)));
  }

  void emptySizeGivesNothing() { QVERIFY(BrantelArt::Render(BrantelPicture::LogoLarge, QSize(0, 10)).isNull()); }
};

QTEST_MAIN(BrantelArtTest)
#include "BrantelArtTest.moc"
