// The pictures the window draws: the Brantel artwork from its compiled-in SVG,
// the drop button's five images pixel by pixel, and the drop button's press /
// move / release / click state machine with what it does to its window.

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include "ui/BrantelArt.h"
#include "ui/DropDescriptionButton.h"
#include "ui/IReportPanelHost.h"

using vorrendal::BrantelArt;
using vorrendal::BrantelPicture;
using vorrendal::DropDescriptionButton;
using vorrendal::DropImage;
using R = QPalette::ColorRole;

namespace {

// The image each DropState shows; empty (before the first decode) shows the disabled one.
const QMap<QString, DropImage> kImages{{"", DropImage::Disabled},
                                       {"Black-Down", DropImage::BlackDown},
                                       {"Pressed-Down", DropImage::PressedDown},
                                       {"Black-Up", DropImage::BlackUp},
                                       {"Pressed-Up", DropImage::PressedUp}};

// Colours far apart, so a line in the wrong colour cannot pass.
QPalette TestPalette() {
  QPalette palette;
  for (const auto& [role, rgb] : {std::pair{R::Button, 0xc0c0c0},
                                  {R::Light, 0xfffff0},
                                  {R::Midlight, 0xe0d010},
                                  {R::Dark, 0x801080},
                                  {R::Shadow, 0x101040},
                                  {R::ButtonText, 0x006000}})
    palette.setColor(role, QColor::fromRgb(static_cast<QRgb>(rgb)));
  return palette;
}

struct Segment {
  int x1, y1, x2, y2;
};

// Plots a horizontal, vertical or diagonal segment without its end point.
void Plot(QImage& image, const Segment& s, int shift, R role) {
  const int dx = (s.x2 > s.x1) - (s.x2 < s.x1);
  const int dy = (s.y2 > s.y1) - (s.y2 < s.y1);
  const QRgb colour = TestPalette().color(role).rgb();
  for (int x = s.x1 + shift, y = s.y1 + shift; x != s.x2 + shift || y != s.y2 + shift;
       x += dx, y += dy) {
    if (image.rect().contains(x, y)) image.setPixel(x, y, colour);
  }
}

// The frame is four pairs of lines, outer light to outer dark (the other way
// round when pressed); a pressed arrow sits one pixel lower right, a disabled
// one is dark with an etched edge.
QImage Expected(DropImage image) {
  const Segment frame[] = {{0, 0, 16, 0},   {0, 0, 0, 16},   {1, 1, 16, 1},   {1, 1, 1, 16},
                           {1, 15, 17, 15}, {15, 1, 15, 17}, {0, 16, 17, 16}, {16, 0, 16, 17}};
  const R raised[] = {R::Light, R::Midlight, R::Dark, R::Shadow};
  const Segment down[] = {{4, 6, 13, 6}, {4, 6, 8, 10}, {8, 10, 13, 5},
                          {5, 7, 12, 7}, {6, 8, 11, 8}, {7, 9, 10, 9}};
  const Segment up[] = {{4, 10, 9, 5}, {8, 6, 12, 10}, {4, 10, 13, 10},
                        {8, 7, 9, 7},  {6, 8, 11, 8},  {5, 9, 12, 9}};
  const bool pressed = image == DropImage::PressedDown || image == DropImage::PressedUp;
  const bool isUp = image == DropImage::BlackUp || image == DropImage::PressedUp;
  const R ink = image == DropImage::Disabled ? R::Dark : R::ButtonText;
  QImage picture(17, 17, QImage::Format_RGB32);
  picture.fill(TestPalette().color(R::Button));
  for (int i = 0; i < 8; ++i) Plot(picture, frame[i], 0, raised[pressed ? 3 - i / 2 : i / 2]);
  for (const Segment& s : isUp ? up : down) Plot(picture, s, pressed ? 1 : 0, ink);
  if (image == DropImage::Disabled) {
    Plot(picture, {9, 10, 13, 6}, 0, R::Light);
    Plot(picture, {9, 11, 14, 6}, 0, R::Light);
  }
  return picture;
}

// A window that logs what the button tells it.
struct RecordingHost : vorrendal::IReportPanelHost {
  int OuterHeightPixels() const override { return 460; }
  void SetOuterHeightTwips(int twips) override { log << QStringLiteral("height %1").arg(twips); }
  void SetReportPanelOpen(bool open) override { log << QStringLiteral("panel %1").arg(open); }
  void SetReportPanelControls(bool open) override {
    log << QStringLiteral("controls %1").arg(open);
  }
  void FocusProcess() override { log << QStringLiteral("focus process"); }
  QStringList log;
};

// A script of steps such as "press L", "release L 30 8", "move LR 30 8" or
// "space": the buttons held after the step (L, R, LR or -; the last one is
// the one pressed or released), then the place, by default the middle.
void Run(DropDescriptionButton& button, const QString& script) {
  for (const QString& step : script.split(u';', Qt::SkipEmptyParts)) {
    const QStringList part = step.trimmed().split(u' ');
    if (part[0] == QStringLiteral("space")) {
      QTest::keyClick(&button, Qt::Key_Space);
      continue;
    }
    const QPoint at = part.size() > 3 ? QPoint(part[2].toInt(), part[3].toInt()) : QPoint(8, 8);
    const Qt::MouseButton changed = part[1].endsWith(u'R') ? Qt::RightButton : Qt::LeftButton;
    Qt::MouseButtons held;
    if (part[1].contains(u'L')) held |= Qt::LeftButton;
    if (part[1].contains(u'R')) held |= Qt::RightButton;
    const QEvent::Type type = part[0] == QStringLiteral("press")     ? QEvent::MouseButtonPress
                              : part[0] == QStringLiteral("release") ? QEvent::MouseButtonRelease
                                                                     : QEvent::MouseMove;
    if (type == QEvent::MouseButtonRelease) held &= ~changed;
    const Qt::MouseButton which = type == QEvent::MouseMove ? Qt::NoButton : changed;
    QMouseEvent event(type, QPointF(at), QPointF(button.mapToGlobal(at)), which, held,
                      Qt::NoModifier);
    QApplication::sendEvent(&button, &event);
  }
}

}  // namespace

class PictureTest : public QObject {
  Q_OBJECT

 private slots:
  // Size, density, and the artwork filling most of its place in both
  // directions (its proportions were drawn for these places) with the
  // corners clear. The plate places are 2070 x 720 and 1050 x 525 twips.
  void render() {
    const struct {
      const char* name;
      BrantelPicture picture;
      QSize size;
      qreal ratio;
    } rows[] = {
        {"large logo, high density", BrantelPicture::LogoLarge, {138, 48}, 2.0},
        {"small logo, 1.5", BrantelPicture::LogoSmall, {70, 35}, 1.5},
        {"emblem icon", BrantelPicture::Emblem, {32, 32}, 1.0},
    };
    for (const auto& row : rows) {
      const QPixmap pixmap = BrantelArt::Render(row.picture, row.size, row.ratio);
      QCOMPARE(pixmap.size(), (QSizeF(row.size) * row.ratio).toSize());
      QCOMPARE(pixmap.devicePixelRatio(), row.ratio);
      const QImage image = pixmap.toImage();
      QRect inked;  // every pixel that is not fully transparent
      for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
          if (qAlpha(image.pixel(x, y)) > 0) inked |= QRect(x, y, 1, 1);
        }
      }
      QVERIFY2(inked.width() >= image.width() * 0.8 && inked.height() >= image.height() * 0.8,
               row.name);
      QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    }
    // The program icon carries the usual sizes; an empty size gives nothing.
    QVERIFY(BrantelArt::ProgramIcon().availableSizes().contains(QSize(48, 48)));
    QVERIFY(BrantelArt::Render(BrantelPicture::LogoLarge, QSize(0, 10)).isNull());
  }

  // Each image drawn by its name ("disabled" for the greyed look) shows pixel
  // for pixel and stays drawn; an unknown name keeps the picture.
  void imagesByName() {
    for (auto [state, image] : kImages.asKeyValueRange()) {
      DropDescriptionButton button;
      button.setPalette(TestPalette());
      button.DrawDropButton(image == DropImage::BlackUp ? DropImage::Disabled : DropImage::BlackUp);
      button.DrawDropButton(state.isEmpty() ? QStringLiteral("disabled") : state);
      button.repaint();
      const QImage expected = Expected(image);
      QVERIFY2(button.grab().toImage().convertToFormat(QImage::Format_RGB32) == expected,
               qPrintable(state));
      button.DrawDropButton(QStringLiteral("black-up"));
      QVERIFY2(button.Image() == image && button.Picture() == expected, qPrintable(state));
    }
  }

  // With the focus the button shows a dotted mark on pixels of its ground
  // only, so no line of the frame or the arrow changes; without it the
  // image is exactly as drawn.
  void focusMark_data() {
    QTest::addColumn<DropImage>("image");
    QTest::newRow("Black-Down") << DropImage::BlackDown;
    QTest::newRow("Pressed-Down") << DropImage::PressedDown;
    QTest::newRow("Black-Up") << DropImage::BlackUp;
    QTest::newRow("Pressed-Up") << DropImage::PressedUp;
  }
  void focusMark() {
    QFETCH(DropImage, image);
    QWidget window;
    auto* button = new DropDescriptionButton(&window);
    button->setPalette(TestPalette());
    button->setEnabled(true);
    button->DrawDropButton(image);
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    button->setFocus(Qt::TabFocusReason);
    QVERIFY(button->hasFocus());
    const QImage expected = Expected(image);
    const QImage focused = button->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRgb ground = TestPalette().color(R::Button).rgb();
    int marked = 0;
    QRect mark;  // the rectangle the dots stand on
    for (int y = 0; y < expected.height(); ++y) {
      for (int x = 0; x < expected.width(); ++x) {
        if (focused.pixel(x, y) == expected.pixel(x, y)) continue;
        ++marked;
        mark |= QRect(x, y, 1, 1);
      }
    }
    QVERIFY(marked >= 16);
    // Every pixel of the rectangle's edges is ground in the plain image, so
    // no dot falls on the frame or the arrow, whatever colour it has.
    for (int x = mark.left(); x <= mark.right(); ++x) {
      for (int y = mark.top(); y <= mark.bottom(); ++y) {
        const bool edge =
            x == mark.left() || x == mark.right() || y == mark.top() || y == mark.bottom();
        if (edge)
          QVERIFY2(expected.pixel(x, y) == ground,
                   qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
      }
    }
    button->clearFocus();
    QCOMPARE(button->grab().toImage().convertToFormat(QImage::Format_RGB32), expected);
  }

  // Press, move, release, click and Space from each state, with the state kept
  // by the window as the program does: the state after, the image shown, and
  // what the window is told.
  void stateMachine() {
    const QStringList told[] = {{},
                                {"panel 1", "height 10620", "controls 1"},
                                {"height 3180", "controls 0", "focus process", "panel 0"}};
    // start: "" a new button, "off" one disabled after a decode; calls: 0 nothing, 1 opened, 2 shut
    const struct {
      const char *name, *start, *script, *state;
      int calls = 0;
    } rows[] = {
        {"new: click and space", "", "press L; release L; space", ""},
        {"disabled: press, move, click, space", "off", "press L; move L 3 3; release L; space",
         "Black-Down"},
        {"press closed", "Black-Down", "press L", "Pressed-Down"},
        {"press open", "Black-Up", "press R", "Pressed-Up"},
        {"press, move out", "Black-Down", "press L; move L 17 8", "Black-Down"},
        {"move out above", "Black-Up", "press L; move L 8 -1", "Black-Up"},
        {"move on the last pixel stays in", "Black-Up", "press L; move L 16 16", "Pressed-Up"},
        {"move out, release outside", "Black-Down", "press L; move L 30 8; release L 30 8",
         "Black-Down"},
        {"press, move out, move in", "Black-Down", "press L; move L -1 8; move L 0 8",
         "Pressed-Down"},
        {"out and back: opens", "Black-Down", "press L; move L -1 8; move L 5 5; release L",
         "Black-Up", 1},
        {"click opens", "Black-Down", "press L; release L", "Black-Up", 1},
        {"click shuts", "Black-Up", "press L; release L", "Black-Down", 2},
        {"two buttons held: move ignored", "Black-Down", "press L; press LR; move LR 30 8",
         "Pressed-Down"},
        {"no button held: move ignored", "Black-Down", "move - 5 5", "Black-Down"},
        {"right button moves the look", "Black-Up", "press R; move R 40 40", "Black-Up"},
        {"right click does not toggle", "Black-Up", "press R; release R", "Black-Up"},
        {"space clicks", "Black-Up", "space", "Black-Down", 2},
    };
    for (const auto& row : rows) {
      DropDescriptionButton button;
      RecordingHost host;
      QString windowState;
      button.SetHost(&host);
      button.BindDropState(&windowState);
      const QString start = row.start;
      if (!start.isEmpty()) {
        button.setEnabled(start != QStringLiteral("off"));
        windowState = button.isEnabled() ? start : QStringLiteral("Black-Down");
        const bool up = windowState.endsWith(QStringLiteral("Up"));
        button.DrawDropButton(up ? DropImage::BlackUp : DropImage::BlackDown);
      }
      Run(button, row.script);
      const QString outcome = QStringLiteral("%1: %2 %3");
      QCOMPARE(outcome.arg(row.name, windowState, host.log.join(u',')),
               outcome.arg(row.name, row.state, told[row.calls].join(u',')));
      QVERIFY2(button.Image() == kImages.value(row.state), row.name);
    }
  }
};

QTEST_MAIN(PictureTest)
#include "PictureTest.moc"
