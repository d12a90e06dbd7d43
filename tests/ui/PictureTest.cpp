// The drop button against pictures drawn by hand.

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

// One row a state, named as its image; the disabled one only when asked.
void StateRows(bool disabled) {
  QTest::addColumn<DropState>("state");
  for (const DropState state : {DropState::None, DropState::BlackDown, DropState::PressedDown,
                                DropState::BlackUp, DropState::PressedUp})
    if (disabled || state != DropState::None) QTest::newRow(qPrintable(NameOf(state))) << state;
}

}  // namespace

class PictureTest : public QObject {
  Q_OBJECT

 private slots:
  void imagesAsDrawnByHand_data() { StateRows(true); }
  void imagesAsDrawnByHand() {
    QFETCH(DropState, state);
    DropDescriptionButton button;
    button.setPalette(TestPalette());
    if (state != DropState::None) button.ShowState(state);
    QVERIFY(!Drawn(NameOf(state)).isNull());
    QCOMPARE(Shown(button), Drawn(NameOf(state)));
  }

  // No frame or arrow pixel changes; without the focus the image is as drawn.
  void focusMarkOnTheGroundOnly_data() { StateRows(false); }
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
    QRect mark;  // the rectangle the dots stand on: its edges are ground in the image
    int marked = 0;
    for (int i = 0; i < 17 * 17; ++i) {
      const QPoint at(i % 17, i / 17);
      if (focused.pixel(at) == drawn.pixel(at)) continue;
      ++marked;
      mark |= QRect(at, at);
    }
    QVERIFY(marked >= 16);
    for (int i = 0; i < 17 * 17; ++i) {
      const QPoint at(i % 17, i / 17);
      if (mark.contains(at) && !mark.adjusted(1, 1, -1, -1).contains(at))
        QCOMPARE(QColor(drawn.pixel(at)), QColor::fromRgb(kColours[0]));
    }
    button->clearFocus();
    QCOMPARE(Shown(*button), drawn);
  }
};

QTEST_MAIN(PictureTest)
#include "PictureTest.moc"
