// The drop button against pictures drawn by hand.

#include <QMouseEvent>
#include <QtTest>

#include "ui/DropDescriptionButton.h"

using vorrendal::DropDescriptionButton;
using DropState = DropDescriptionButton::DropState;
using R = QPalette::ColorRole;

namespace {

// Colours far apart, so a line in the wrong one cannot pass.
const std::pair<char, R> kInks[] = {{'.', R::Button}, {'H', R::Light},  {'L', R::Midlight},
                                    {'S', R::Dark},   {'D', R::Shadow}, {'T', R::ButtonText}};
const QRgb kColours[] = {0xffc0c0c0, 0xfffffff0, 0xffe0d010, 0xff801080, 0xff101040, 0xff006000};

QPalette TestPalette() {
  QPalette palette;
  for (std::size_t i = 0; i < std::size(kInks); ++i)
    palette.setColor(kInks[i].second, QColor::fromRgb(kColours[i]));
  return palette;
}

// The hand-drawn picture of an image ("disabled", "Black-Down", ...).
QImage Drawn(const QString& name) {
  QFile file(QFINDTESTDATA("DropButtonImages.txt"));
  if (!file.open(QIODevice::ReadOnly)) return {};
  QImage picture(17, 17, QImage::Format_RGB32);
  int y = -1;
  while (!file.atEnd()) {
    const QByteArray line = file.readLine().trimmed();
    if (line == name.toLatin1()) y = 0;
    if (y < 0 || line.size() != 17) continue;
    for (int x = 0; x < 17; ++x) {
      for (std::size_t i = 0; i < std::size(kInks); ++i)
        if (line[x] == kInks[i].first) picture.setPixel(x, y, kColours[i]);
    }
    if (++y == 17) return picture;
  }
  return {};
}

QString NameOf(DropState state) {
  const char* names[] = {"disabled", "Black-Down", "Pressed-Down", "Black-Up", "Pressed-Up"};
  return QString::fromLatin1(names[static_cast<int>(state)]);
}

QImage Shown(QWidget& button) {
  return button.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Steps "press L", "release L 30 8", "move LR 30 8" (buttons held after), "space".
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
  void imagesAsDrawnByHand_data() {
    QTest::addColumn<DropState>("state");
    for (const DropState state : {DropState::None, DropState::BlackDown, DropState::PressedDown,
                                  DropState::BlackUp, DropState::PressedUp})
      QTest::newRow(qPrintable(NameOf(state))) << state;
  }
  void imagesAsDrawnByHand() {
    QFETCH(DropState, state);
    DropDescriptionButton button;
    button.setPalette(TestPalette());
    if (state != DropState::None) button.ShowState(state);
    QVERIFY(!Drawn(NameOf(state)).isNull());
    QCOMPARE(Shown(button), Drawn(NameOf(state)));
  }

  // No frame or arrow pixel changes; without the focus the image is as drawn.
  void focusMarkOnTheGroundOnly_data() {
    QTest::addColumn<DropState>("state");
    for (const DropState state :
         {DropState::BlackDown, DropState::PressedDown, DropState::BlackUp, DropState::PressedUp})
      QTest::newRow(qPrintable(NameOf(state))) << state;
  }
  void focusMarkOnTheGroundOnly() {
    QFETCH(DropState, state);
    QWidget window;
    auto* button = new DropDescriptionButton(&window);
    button->setPalette(TestPalette());
    button->setEnabled(true);
    button->ShowState(state);
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    button->setFocus(Qt::TabFocusReason);
    const QImage drawn = Drawn(NameOf(state));
    const QImage focused = Shown(*button);
    int marked = 0;
    QRect mark;  // the rectangle the dots stand on
    for (int y = 0; y < 17; ++y) {
      for (int x = 0; x < 17; ++x) {
        if (focused.pixel(x, y) == drawn.pixel(x, y)) continue;
        ++marked;
        mark |= QRect(x, y, 1, 1);
      }
    }
    QVERIFY(marked >= 16);
    for (int x = mark.left(); x <= mark.right(); ++x) {
      for (int y = mark.top(); y <= mark.bottom(); ++y) {
        const bool edge =
            x == mark.left() || x == mark.right() || y == mark.top() || y == mark.bottom();
        if (edge) QCOMPARE(QColor(drawn.pixel(x, y)), QColor::fromRgb(kColours[0]));
      }
    }
    button->clearFocus();
    QCOMPARE(Shown(*button), drawn);
  }

  // The toggle said: "" none, "1" opened, "0" closed.
  void pressMoveReleaseClick_data() {
    QTest::addColumn<DropState>("start");  // None: a new button, disabled
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("script");
    QTest::addColumn<DropState>("end");
    QTest::addColumn<QString>("toggled");
    using enum DropState;
    const auto row = [](const char* name, DropState start, bool enabled, const char* script,
                        DropState end, const char* toggled = "") {
      QTest::newRow(name) << start << enabled << QString::fromLatin1(script) << end
                          << QString::fromLatin1(toggled);
    };
    row("new: click and space", None, false, "press L; release L; space", None);
    row("press closed", BlackDown, true, "press L", PressedDown);
    row("press, move out", BlackDown, true, "press L; move L 17 8", BlackDown);
    row("move on the last pixel stays in", BlackUp, true, "press L; move L 16 16", PressedUp);
    row("out and back: opens", BlackDown, true, "press L; move L -1 8; move L 5 5; release L",
        BlackUp, "1");
    row("click opens", BlackDown, true, "press L; release L", BlackUp, "1");
    row("click closes", BlackUp, true, "press L; release L", BlackDown, "0");
    row("two buttons held: move ignored", BlackDown, true, "press L; press LR; move LR 30 8",
        PressedDown);
    row("right click does not toggle", BlackUp, true, "press R; release R", BlackUp);
    row("space clicks", BlackUp, true, "space", BlackDown, "0");
  }
  void pressMoveReleaseClick() {
    QFETCH(DropState, start);
    QFETCH(bool, enabled);
    QFETCH(QString, script);
    QFETCH(DropState, end);
    QFETCH(QString, toggled);
    DropDescriptionButton button;
    button.setPalette(TestPalette());
    if (start != DropState::None) button.ShowState(start);
    button.setEnabled(enabled);
    QSignalSpy toggles(&button, &DropDescriptionButton::toggled);
    Run(button, script);
    QCOMPARE(button.State(), end);
    QCOMPARE(Shown(button), Drawn(NameOf(end)));
    QString said;
    for (const QList<QVariant>& toggle : toggles) said += QString::number(toggle[0].toBool());
    QCOMPARE(said, toggled);
  }
};

QTEST_MAIN(PictureTest)
#include "PictureTest.moc"
