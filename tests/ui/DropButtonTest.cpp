// The drawn drop button: its five images pixel by pixel, and the press /
// move / release / click state machine with what it does to its window.

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include "ui/DropDescriptionButton.h"
#include "ui/IReportPanelHost.h"

using vorrendal::DropDescriptionButton;
using vorrendal::DropImage;

Q_DECLARE_METATYPE(DropImage)

namespace {

// Colours far apart, so a line in the wrong colour cannot pass.
QPalette TestPalette() {
  QPalette palette;
  palette.setColor(QPalette::Button, QColor(0xc0, 0xc0, 0xc0));
  palette.setColor(QPalette::Light, QColor(0xff, 0xff, 0xf0));     // 3-D highlight
  palette.setColor(QPalette::Midlight, QColor(0xe0, 0xd0, 0x10));  // 3-D light
  palette.setColor(QPalette::Dark, QColor(0x80, 0x10, 0x80));      // button shadow
  palette.setColor(QPalette::Shadow, QColor(0x10, 0x10, 0x40));    // 3-D dark shadow
  palette.setColor(QPalette::ButtonText, QColor(0x00, 0x60, 0x00));
  return palette;
}

struct Segment {
  int x1, y1, x2, y2;
  QPalette::ColorRole role;
};

// Plots a horizontal, vertical or diagonal segment without its end point.
void Plot(QImage& image, const Segment& s, int shift, const QPalette& palette) {
  const int dx = (s.x2 > s.x1) - (s.x2 < s.x1), dy = (s.y2 > s.y1) - (s.y2 < s.y1);
  int x = s.x1 + shift, y = s.y1 + shift;
  const QRgb colour = palette.color(s.role).rgb();
  while (x != s.x2 + shift || y != s.y2 + shift) {
    if (image.rect().contains(x, y)) image.setPixel(x, y, colour);
    x += dx;
    y += dy;
  }
}

QImage Expected(DropImage image, const QPalette& palette) {
  using R = QPalette::ColorRole;
  const Segment raised[] = {{0, 0, 16, 0, R::Light},     {0, 0, 0, 16, R::Light},    {1, 1, 16, 1, R::Midlight},
                            {1, 1, 1, 16, R::Midlight},  {1, 15, 17, 15, R::Dark},   {15, 1, 15, 17, R::Dark},
                            {0, 16, 17, 16, R::Shadow},  {16, 0, 16, 17, R::Shadow}};
  const Segment sunken[] = {{0, 0, 16, 0, R::Shadow},    {0, 0, 0, 16, R::Shadow},   {1, 1, 16, 1, R::Dark},
                            {1, 1, 1, 16, R::Dark},      {1, 15, 17, 15, R::Midlight}, {15, 1, 15, 17, R::Midlight},
                            {0, 16, 17, 16, R::Light},   {16, 0, 16, 17, R::Light}};
  const bool pressed = image == DropImage::PressedDown || image == DropImage::PressedUp;
  const R ink = image == DropImage::Disabled ? R::Dark : R::ButtonText;
  const Segment down[] = {{4, 6, 13, 6, ink}, {4, 6, 8, 10, ink}, {8, 10, 13, 5, ink},
                          {5, 7, 12, 7, ink}, {6, 8, 11, 8, ink}, {7, 9, 10, 9, ink}};
  const Segment up[] = {{4, 10, 9, 5, ink}, {8, 6, 12, 10, ink}, {4, 10, 13, 10, ink},
                        {8, 7, 9, 7, ink},  {6, 8, 11, 8, ink},  {5, 9, 12, 9, ink}};
  QImage picture(17, 17, QImage::Format_RGB32);
  picture.fill(palette.color(QPalette::Button));
  for (const Segment& s : pressed ? sunken : raised) Plot(picture, s, 0, palette);
  const bool isUp = image == DropImage::BlackUp || image == DropImage::PressedUp;
  for (const Segment& s : isUp ? up : down) Plot(picture, s, pressed ? 1 : 0, palette);
  if (image == DropImage::Disabled) {
    Plot(picture, {9, 10, 13, 6, R::Light}, 0, palette);
    Plot(picture, {9, 11, 14, 6, R::Light}, 0, palette);
  }
  return picture;
}

class RecordingHost : public vorrendal::IReportPanelHost {
 public:
  int OuterHeightPixels() const override { return 460; }
  void SetOuterHeightTwips(int twips) override { log << QStringLiteral("height %1").arg(twips); }
  void SetReportPanelOpen(bool open) override { log << QStringLiteral("panel %1").arg(open); }
  void SetReportPanelControls(bool open) override { log << QStringLiteral("controls %1").arg(open); }
  void FocusProcess() override { log << QStringLiteral("focus process"); }
  QStringList log;
};

void Send(QWidget* widget, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons held) {
  QMouseEvent event(type, QPointF(pos), QPointF(widget->mapToGlobal(pos)), button, held, Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

// One step of a mouse script: "press L", "release L", "move L x y" (L, R, LR
// or - for the buttons held), "release R" ...
void Run(DropDescriptionButton& button, const QString& script) {
  Qt::MouseButtons held;
  for (const QString& step : script.split(u';', Qt::SkipEmptyParts)) {
    const QStringList part = step.trimmed().split(u' ');
    const QString& what = part[0];
    if (what == QStringLiteral("press") || what == QStringLiteral("release")) {
      const Qt::MouseButton b = part[1] == QStringLiteral("R") ? Qt::RightButton : Qt::LeftButton;
      const QPoint at = part.size() > 3 ? QPoint(part[2].toInt(), part[3].toInt()) : QPoint(8, 8);
      if (what == QStringLiteral("press")) {
        held |= b;
        Send(&button, QEvent::MouseButtonPress, at, b, held);
      } else {
        held &= ~b;
        Send(&button, QEvent::MouseButtonRelease, at, b, held);
      }
    } else if (what == QStringLiteral("move")) {
      Qt::MouseButtons moveHeld;
      if (part[1].contains(u'L')) moveHeld |= Qt::LeftButton;
      if (part[1].contains(u'R')) moveHeld |= Qt::RightButton;
      Send(&button, QEvent::MouseMove, QPoint(part[2].toInt(), part[3].toInt()), Qt::NoButton, moveHeld);
    }
  }
}

}  // namespace

class DropButtonTest : public QObject {
  Q_OBJECT

 private slots:
  void pixels_data() {
    QTest::addColumn<DropImage>("image");
    QTest::newRow("disabled") << DropImage::Disabled;
    QTest::newRow("Black-Down") << DropImage::BlackDown;
    QTest::newRow("Pressed-Down") << DropImage::PressedDown;
    QTest::newRow("Black-Up") << DropImage::BlackUp;
    QTest::newRow("Pressed-Up") << DropImage::PressedUp;
  }

  void pixels() {
    QFETCH(DropImage, image);
    DropDescriptionButton button;
    button.setPalette(TestPalette());
    button.DrawDropButton(image);
    const QImage shown = button.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage expected = Expected(image, TestPalette());
    QCOMPARE(shown.size(), QSize(17, 17));
    for (int y = 0; y < 17; ++y) {
      for (int x = 0; x < 17; ++x) {
        QVERIFY2(shown.pixel(x, y) == expected.pixel(x, y),
                 qPrintable(QStringLiteral("pixel %1,%2: %3 instead of %4")
                                .arg(x)
                                .arg(y)
                                .arg(QColor(shown.pixel(x, y)).name(), QColor(expected.pixel(x, y)).name())));
      }
    }
  }

  // What is drawn stays drawn: covering and repainting shows the same image.
  void pictureSurvivesRepaint() {
    DropDescriptionButton button;
    button.setPalette(TestPalette());
    button.DrawDropButton(DropImage::PressedUp);
    const QImage first = button.grab().toImage();
    button.repaint();
    QCOMPARE(button.grab().toImage(), first);
    QCOMPARE(button.Image(), DropImage::PressedUp);
  }

  void drawByName_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<DropImage>("image");
    QTest::newRow("disabled") << "disabled" << DropImage::Disabled;
    QTest::newRow("Black-Down") << "Black-Down" << DropImage::BlackDown;
    QTest::newRow("Pressed-Down") << "Pressed-Down" << DropImage::PressedDown;
    QTest::newRow("Black-Up") << "Black-Up" << DropImage::BlackUp;
    QTest::newRow("Pressed-Up") << "Pressed-Up" << DropImage::PressedUp;
    QTest::newRow("unknown keeps the picture") << "black-up" << DropImage::PressedDown;
  }

  void drawByName() {
    QFETCH(QString, name);
    QFETCH(DropImage, image);
    DropDescriptionButton button;
    button.DrawDropButton(DropImage::PressedDown);
    button.DrawDropButton(name);
    QCOMPARE(button.Image(), image);
    QCOMPARE(button.Picture(), DropDescriptionButton::Render(image, button.palette()));
  }

  // A window that keeps the state itself sees every change the button makes.
  void boundState() {
    QString windowState = DropDescriptionButton::kBlackDown;
    DropDescriptionButton button;
    RecordingHost host;
    button.SetHost(&host);
    button.BindDropState(&windowState);
    button.setEnabled(true);
    Run(button, QStringLiteral("press L"));
    QCOMPARE(windowState, DropDescriptionButton::kPressedDown);
    Run(button, QStringLiteral("release L"));
    QCOMPARE(windowState, DropDescriptionButton::kBlackUp);
  }

  void startsDisabled() {
    DropDescriptionButton button;
    QVERIFY(!button.isEnabled());
    QCOMPARE(button.objectName(), QStringLiteral("picDropDescription"));
    QCOMPARE(button.size(), QSize(17, 17));
    QCOMPARE(button.Image(), DropImage::Disabled);
    QVERIFY(button.DropState().isEmpty());
  }

  void stateMachine_data() {
    QTest::addColumn<QString>("start");  // DropState before the script; "off": disabled
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("state");
    QTest::addColumn<DropImage>("image");
    QTest::addColumn<QStringList>("hostCalls");
    const QStringList none;
    const QStringList opens{"panel 1", "height 10620", "controls 1"};
    const QStringList closes{"height 3180", "controls 0", "focus process", "panel 0"};
    QTest::newRow("disabled: press") << "off" << "press L" << "" << DropImage::Disabled << none;
    QTest::newRow("disabled: click") << "off" << "press L; release L" << "" << DropImage::Disabled << none;
    QTest::newRow("disabled: move") << "off" << "move L 3 3" << "" << DropImage::Disabled << none;
    QTest::newRow("press closed") << "Black-Down" << "press L" << "Pressed-Down" << DropImage::PressedDown << none;
    QTest::newRow("press open") << "Black-Up" << "press R" << "Pressed-Up" << DropImage::PressedUp << none;
    QTest::newRow("press, move out") << "Black-Down" << "press L; move L 17 8" << "Black-Down"
                                     << DropImage::BlackDown << none;
    QTest::newRow("move out above") << "Black-Up" << "press L; move L 8 -1" << "Black-Up" << DropImage::BlackUp
                                    << none;
    QTest::newRow("move on the last pixel stays in") << "Black-Up" << "press L; move L 16 16" << "Pressed-Up"
                                                     << DropImage::PressedUp << none;
    QTest::newRow("press, move out, release outside")
        << "Black-Down" << "press L; move L 30 8; release L 30 8" << "Black-Down" << DropImage::BlackDown << none;
    QTest::newRow("press, move out, move in") << "Black-Down" << "press L; move L -1 8; move L 0 8" << "Pressed-Down"
                                              << DropImage::PressedDown << none;
    QTest::newRow("out, in, release: opens") << "Black-Down" << "press L; move L -1 8; move L 5 5; release L"
                                             << "Black-Up" << DropImage::BlackUp << opens;
    QTest::newRow("click opens") << "Black-Down" << "press L; release L" << "Black-Up" << DropImage::BlackUp << opens;
    QTest::newRow("click closes") << "Black-Up" << "press L; release L" << "Black-Down" << DropImage::BlackDown
                                  << closes;
    QTest::newRow("two buttons held: move ignored")
        << "Black-Down" << "press L; press R; move LR 30 8" << "Pressed-Down" << DropImage::PressedDown << none;
    QTest::newRow("no button held: move ignored") << "Black-Down" << "move - 5 5" << "Black-Down"
                                                  << DropImage::BlackDown << none;
    QTest::newRow("right button moves the look") << "Black-Up" << "press R; move R 40 40" << "Black-Up"
                                                 << DropImage::BlackUp << none;
    QTest::newRow("right click does not toggle") << "Black-Up" << "press R; release R" << "Black-Up"
                                                 << DropImage::BlackUp << none;
  }

  void stateMachine() {
    QFETCH(QString, start);
    QFETCH(QString, script);
    QFETCH(QString, state);
    QFETCH(DropImage, image);
    QFETCH(QStringList, hostCalls);
    DropDescriptionButton button;
    RecordingHost host;
    button.SetHost(&host);
    if (start != QStringLiteral("off")) {
      button.setEnabled(true);
      button.DropState() = start;
      button.DrawDropButton(start.endsWith(QStringLiteral("Up")) ? DropImage::BlackUp : DropImage::BlackDown);
    }
    Run(button, script);
    QCOMPARE(button.DropState(), state);
    QCOMPARE(button.Image(), image);
    QCOMPARE(host.log, hostCalls);
  }

  // Space on the focused button works it as a click; a disabled one ignores it.
  void spaceKeyClicks() {
    DropDescriptionButton button;
    RecordingHost host;
    button.SetHost(&host);
    QTest::keyClick(&button, Qt::Key_Space);
    QVERIFY(host.log.isEmpty());
    button.setEnabled(true);
    button.DropState() = DropDescriptionButton::kBlackUp;
    QTest::keyClick(&button, Qt::Key_Space);
    QCOMPARE(button.DropState(), DropDescriptionButton::kBlackDown);
    QCOMPARE(host.log.last(), QStringLiteral("panel 0"));
  }
};

QTEST_MAIN(DropButtonTest)
#include "DropButtonTest.moc"
