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

const QMap<QString, DropImage> kImages{{"", DropImage::Disabled},
                                       {"Black-Down", DropImage::BlackDown},
                                       {"Pressed-Down", DropImage::PressedDown},
                                       {"Black-Up", DropImage::BlackUp},
                                       {"Pressed-Up", DropImage::PressedUp}};

// Colours far apart, so a line in the wrong colour cannot pass.
QPalette TestPalette() {
  QPalette palette;
  for (const auto& [role, rgb] : {std::pair{QPalette::Button, 0xc0c0c0}, {QPalette::Light, 0xfffff0},
                                  {QPalette::Midlight, 0xe0d010}, {QPalette::Dark, 0x801080},
                                  {QPalette::Shadow, 0x101040}, {QPalette::ButtonText, 0x006000}})
    palette.setColor(role, QColor::fromRgb(static_cast<QRgb>(rgb)));
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

// A script: "press L", "release L 30 8", "move LR 30 8" (L, R, LR or - for
// the buttons held), "space" ...; without a place, the middle of the button.
void Run(DropDescriptionButton& button, const QString& script) {
  Qt::MouseButtons held;
  for (const QString& step : script.split(u';', Qt::SkipEmptyParts)) {
    const QStringList part = step.trimmed().split(u' ');
    if (part[0] == QStringLiteral("space")) {
      QTest::keyClick(&button, Qt::Key_Space);
      continue;
    }
    const QPoint at = part.size() > 3 ? QPoint(part[2].toInt(), part[3].toInt()) : QPoint(8, 8);
    const Qt::MouseButton b = part[1].contains(u'R') ? Qt::RightButton : Qt::LeftButton;
    QEvent::Type type = QEvent::MouseMove;
    if (part[0] == QStringLiteral("press")) type = QEvent::MouseButtonPress, held |= b;
    if (part[0] == QStringLiteral("release")) type = QEvent::MouseButtonRelease, held &= ~b;
    Qt::MouseButtons moving;
    if (part[1].contains(u'L')) moving |= Qt::LeftButton;
    if (part[1].contains(u'R')) moving |= Qt::RightButton;
    QMouseEvent event(type, QPointF(at), QPointF(button.mapToGlobal(at)), type == QEvent::MouseMove ? Qt::NoButton : b,
                      type == QEvent::MouseMove ? moving : held, Qt::NoModifier);
    QApplication::sendEvent(&button, &event);
  }
}

}  // namespace

class DropButtonTest : public QObject {
  Q_OBJECT

 private slots:
  void pixels_data() {
    QTest::addColumn<DropImage>("image");
    for (auto [state, image] : kImages.asKeyValueRange()) QTest::newRow(state.isEmpty() ? "disabled" : qPrintable(state)) << image;
  }

  void pixels() {
    QFETCH(DropImage, image);
    DropDescriptionButton button;
    button.setPalette(TestPalette());
    button.DrawDropButton(image);
    button.repaint();  // what is drawn stays drawn
    const QImage shown = button.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage expected = Expected(image, TestPalette());
    QCOMPARE(shown.size(), QSize(17, 17));
    for (int y = 0; y < 17; ++y) {
      for (int x = 0; x < 17; ++x) {
        QVERIFY2(shown.pixel(x, y) == expected.pixel(x, y),
                 qPrintable(QStringLiteral("pixel %1,%2: %3 instead of %4").arg(x).arg(y)
                                .arg(QColor(shown.pixel(x, y)).name(), QColor(expected.pixel(x, y)).name())));
      }
    }
  }

  // Drawing by name ("disabled" for the greyed look); an unknown name keeps the picture.
  void drawByName() {
    for (auto [state, image] : kImages.asKeyValueRange()) {
      for (const QString& name : {state.isEmpty() ? QStringLiteral("disabled") : state, QStringLiteral("black-up")}) {
        DropDescriptionButton button;
        button.DrawDropButton(DropImage::PressedDown);
        button.DrawDropButton(name);
        const DropImage expected = name == QStringLiteral("black-up") ? DropImage::PressedDown : image;
        QCOMPARE(button.Image(), expected);
        QCOMPARE(button.Picture(), DropDescriptionButton::Render(expected, button.palette()));
      }
    }
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

  void stateMachine_data() {
    QTest::addColumn<QString>("start");  // DropState before the script; "off": disabled
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("state");
    QTest::addColumn<int>("calls");  // what the window is told: 0 nothing, 1 open, 2 shut
    auto row = [](const char* name, const char* start, const char* script, const char* state, int calls = 0) {
      QTest::newRow(name) << start << script << state << calls;
    };
    row("disabled: press", "off", "press L", "");
    row("disabled: click", "off", "press L; release L", "");
    row("disabled: move", "off", "move L 3 3", "");
    row("press closed", "Black-Down", "press L", "Pressed-Down");
    row("press open", "Black-Up", "press R", "Pressed-Up");
    row("press, move out", "Black-Down", "press L; move L 17 8", "Black-Down");
    row("move out above", "Black-Up", "press L; move L 8 -1", "Black-Up");
    row("move on the last pixel stays in", "Black-Up", "press L; move L 16 16", "Pressed-Up");
    row("press, move out, release outside", "Black-Down", "press L; move L 30 8; release L 30 8", "Black-Down");
    row("press, move out, move in", "Black-Down", "press L; move L -1 8; move L 0 8", "Pressed-Down");
    row("out, in, release: opens", "Black-Down", "press L; move L -1 8; move L 5 5; release L", "Black-Up", 1);
    row("click opens", "Black-Down", "press L; release L", "Black-Up", 1);
    row("click shuts", "Black-Up", "press L; release L", "Black-Down", 2);
    row("two buttons held: move ignored", "Black-Down", "press L; press R; move LR 30 8", "Pressed-Down");
    row("no button held: move ignored", "Black-Down", "move - 5 5", "Black-Down");
    row("right button moves the look", "Black-Up", "press R; move R 40 40", "Black-Up");
    row("right click does not toggle", "Black-Up", "press R; release R", "Black-Up");
    row("space clicks", "Black-Up", "space", "Black-Down", 2);
    row("disabled: space", "off", "space", "");
  }
  void stateMachine() {
    QFETCH(QString, start);
    QFETCH(QString, script);
    QFETCH(QString, state);
    QFETCH(int, calls);
    DropDescriptionButton button;
    RecordingHost host;
    button.SetHost(&host);
    QCOMPARE(button.objectName(), QStringLiteral("picDropDescription"));
    QCOMPARE(button.size(), QSize(17, 17));
    if (start != QStringLiteral("off")) {
      button.setEnabled(true);
      button.DropState() = start;
      button.DrawDropButton(start.endsWith(QStringLiteral("Up")) ? DropImage::BlackUp : DropImage::BlackDown);
    }
    Run(button, script);
    QCOMPARE(button.DropState(), state);
    QCOMPARE(button.Image(), kImages.value(state));
    const QStringList told[] = {{}, {"panel 1", "height 10620", "controls 1"},
                                {"height 3180", "controls 0", "focus process", "panel 0"}};
    QCOMPARE(host.log, told[calls]);
  }
};

QTEST_MAIN(DropButtonTest)
#include "DropButtonTest.moc"
