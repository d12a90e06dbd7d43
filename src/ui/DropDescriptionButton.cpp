#include "ui/DropDescriptionButton.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>
#include <cstdlib>

namespace vorrendal {
namespace {

using DropState = DropDescriptionButton::DropState;

// The system colours the button is drawn in, by their palette roles.
enum class Ink { Highlight3D, Light3D, Shadow, DarkShadow3D, Text };

QColor InkColor(const QPalette& palette, Ink ink) {
  // The button keeps its own look when disabled, so always the active colours.
  switch (ink) {
    case Ink::Highlight3D:
      return palette.color(QPalette::Active, QPalette::Light);
    case Ink::Light3D:
      return palette.color(QPalette::Active, QPalette::Midlight);
    case Ink::Shadow:
      return palette.color(QPalette::Active, QPalette::Dark);
    case Ink::DarkShadow3D:
      return palette.color(QPalette::Active, QPalette::Shadow);
    case Ink::Text:
      return palette.color(QPalette::Active, QPalette::ButtonText);
  }
  return {};
}

struct Line {
  int x1, y1, x2, y2;
};

constexpr Line kFrame[8] = {{0, 0, 16, 0},   {0, 0, 0, 16},   {1, 1, 16, 1},   {1, 1, 1, 16},
                            {1, 15, 17, 15}, {15, 1, 15, 17}, {0, 16, 17, 16}, {16, 0, 16, 17}};
constexpr Ink kRaised[8] = {Ink::Highlight3D,  Ink::Highlight3D, Ink::Light3D,
                            Ink::Light3D,      Ink::Shadow,      Ink::Shadow,
                            Ink::DarkShadow3D, Ink::DarkShadow3D};
constexpr Ink kSunken[8] = {Ink::DarkShadow3D, Ink::DarkShadow3D, Ink::Shadow,
                            Ink::Shadow,       Ink::Light3D,      Ink::Light3D,
                            Ink::Highlight3D,  Ink::Highlight3D};

constexpr Line kArrowDown[6] = {{4, 6, 13, 6}, {4, 6, 8, 10}, {8, 10, 13, 5},
                                {5, 7, 12, 7}, {6, 8, 11, 8}, {7, 9, 10, 9}};
constexpr Line kArrowUp[6] = {{4, 10, 9, 5}, {8, 6, 12, 10}, {4, 10, 13, 10},
                              {8, 7, 9, 7},  {6, 8, 11, 8},  {5, 9, 12, 9}};
// The etched edge that makes the disabled arrow look engraved.
constexpr Line kDisabledEdge[2] = {{9, 10, 13, 6}, {9, 11, 14, 6}};

// A line covers its start point and not its end point, stepping along the
// longer axis as the system's line drawing does.
void DrawLine(QImage& image, const Line& line, int shift, QRgb colour) {
  const int x1 = line.x1 + shift, y1 = line.y1 + shift, x2 = line.x2 + shift, y2 = line.y2 + shift;
  const int dx = x2 - x1, dy = y2 - y1;
  const int steps = std::max(std::abs(dx), std::abs(dy));
  for (int i = 0; i < steps; ++i) {
    const int x = x1 + static_cast<int>(std::lround(static_cast<double>(dx) * i / steps));
    const int y = y1 + static_cast<int>(std::lround(static_cast<double>(dy) * i / steps));
    if (image.rect().contains(x, y)) image.setPixel(x, y, colour);
  }
}

// The focus mark: a dotted rectangle on the ring of pixels inside the frame
// (x and y 2 and 14), which no arrow of any image reaches.
constexpr int kFocusInset = 2;

void DrawFocusMark(QImage& image, QRgb colour) {
  const int low = kFocusInset, high = DropDescriptionButton::kSize - 1 - kFocusInset;
  for (int i = low; i <= high; i += 2) {
    image.setPixel(i, low, colour);
    image.setPixel(i, high, colour);
    image.setPixel(low, i, colour);
    image.setPixel(high, i, colour);
  }
}

bool PanelOpen(DropState state) {
  return state == DropState::BlackUp || state == DropState::PressedUp;
}

DropImage ImageOf(DropState state) {
  switch (state) {
    case DropState::None:
      return DropImage::Disabled;
    case DropState::BlackDown:
      return DropImage::BlackDown;
    case DropState::PressedDown:
      return DropImage::PressedDown;
    case DropState::BlackUp:
      return DropImage::BlackUp;
    case DropState::PressedUp:
      return DropImage::PressedUp;
  }
  return DropImage::Disabled;
}

// Draws an image onto a 17 x 17 picture in the palette's colours.
QImage Render(DropImage image, const QPalette& palette) {
  QImage picture(DropDescriptionButton::kSize, DropDescriptionButton::kSize, QImage::Format_RGB32);
  picture.fill(palette.color(QPalette::Active, QPalette::Button));

  const bool sunken = image == DropImage::PressedDown || image == DropImage::PressedUp;
  for (int i = 0; i < 8; ++i)
    DrawLine(picture, kFrame[i], 0, InkColor(palette, sunken ? kSunken[i] : kRaised[i]).rgb());

  const bool up = image == DropImage::BlackUp || image == DropImage::PressedUp;
  const Line* arrow = up ? kArrowUp : kArrowDown;
  const QRgb ink = InkColor(palette, image == DropImage::Disabled ? Ink::Shadow : Ink::Text).rgb();
  for (int i = 0; i < 6; ++i) DrawLine(picture, arrow[i], sunken ? 1 : 0, ink);
  if (image == DropImage::Disabled) {
    for (const Line& line : kDisabledEdge)
      DrawLine(picture, line, 0, InkColor(palette, Ink::Highlight3D).rgb());
  }
  return picture;
}

// To assistive technology the drawn button is a push button that shows or
// hides the report, with a press action and its expanded state.
class DropButtonAccessible final : public QAccessibleWidget {
 public:
  explicit DropButtonAccessible(DropDescriptionButton* button)
      : QAccessibleWidget(button, QAccessible::Button) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) {
      return PanelOpen(Button()->State()) ? QStringLiteral("Hide report")
                                          : QStringLiteral("Show report");
    }
    return QAccessibleWidget::text(t);
  }
  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    const bool open = PanelOpen(Button()->State());
    s.expandable = true;
    s.expanded = open;
    s.collapsed = !open;
    s.pressed =
        Button()->State() == DropState::PressedDown || Button()->State() == DropState::PressedUp;
    return s;
  }
  QStringList actionNames() const override {
    return QStringList{pressAction()} + QAccessibleWidget::actionNames();
  }
  void doAction(const QString& action) override {
    if (action == pressAction()) {
      Button()->Click();
      return;
    }
    QAccessibleWidget::doAction(action);
  }

 private:
  DropDescriptionButton* Button() const { return static_cast<DropDescriptionButton*>(widget()); }
};

QAccessibleInterface* DropButtonFactory(const QString& className, QObject* object) {
  if (className != QLatin1String(DropDescriptionButton::staticMetaObject.className())) {
    return nullptr;
  }
  auto* button = qobject_cast<DropDescriptionButton*>(object);
  return button != nullptr ? new DropButtonAccessible(button) : nullptr;
}

}  // namespace

DropDescriptionButton::DropDescriptionButton(QWidget* parent) : QWidget(parent) {
  static const bool factoryInstalled = (QAccessible::installFactory(DropButtonFactory), true);
  (void)factoryInstalled;
  setObjectName(QStringLiteral("picDropDescription"));
  setFixedSize(kSize, kSize);
  setFocusPolicy(Qt::StrongFocus);
  setEnabled(false);
  DrawDropButton(DropImage::Disabled);
}

void DropDescriptionButton::DrawDropButton(DropImage image) {
  image_ = image;
  update();
}

void DropDescriptionButton::paintEvent(QPaintEvent*) {
  QImage picture = Render(image_, palette());
  if (hasFocus()) DrawFocusMark(picture, InkColor(palette(), Ink::Text).rgb());
  QPainter(this).drawImage(QRect(0, 0, kSize, kSize), picture);
}

void DropDescriptionButton::focusInEvent(QFocusEvent* event) {
  update();
  QWidget::focusInEvent(event);
}

void DropDescriptionButton::focusOutEvent(QFocusEvent* event) {
  update();
  QWidget::focusOutEvent(event);
}

bool DropDescriptionButton::Outside(const QPoint& pos) const {
  return pos.x() < 0 || pos.x() > kSize - 1 || pos.y() < 0 || pos.y() > kSize - 1;
}

void DropDescriptionButton::ShowState(DropState state) {
  DrawDropButton(ImageOf(state));
  const bool wasOpen = PanelOpen(state_);
  state_ = state;
  if (PanelOpen(state) != wasOpen) {
    QAccessible::State changed;
    changed.expanded = true;
    changed.collapsed = true;
    QAccessibleStateChangeEvent stateChange(this, changed);
    QAccessible::updateAccessibility(&stateChange);
    QAccessibleEvent nameChange(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&nameChange);
  }
}

void DropDescriptionButton::LookPressed() {
  if (state_ == DropState::BlackDown) {
    ShowState(DropState::PressedDown);
  } else if (state_ == DropState::BlackUp) {
    ShowState(DropState::PressedUp);
  }
}

void DropDescriptionButton::LookRaised() {
  if (state_ == DropState::PressedDown) {
    ShowState(DropState::BlackDown);
  } else if (state_ == DropState::PressedUp) {
    ShowState(DropState::BlackUp);
  }
}

void DropDescriptionButton::mousePressEvent(QMouseEvent* event) {
  event->accept();
  if (!isEnabled()) return;
  LookPressed();
}

void DropDescriptionButton::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
  if (!isEnabled()) return;
  const Qt::MouseButtons held = event->buttons();
  if (held != Qt::LeftButton && held != Qt::RightButton) return;
  // The button looks pressed exactly while the held pointer is over it.
  if (Outside(event->position().toPoint())) {
    LookRaised();
  } else {
    LookPressed();
  }
}

void DropDescriptionButton::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  if (!isEnabled()) return;
  LookRaised();
  // A click is a press and a release of the left button over the button; it
  // follows the release.
  if (event->button() == Qt::LeftButton && !Outside(event->position().toPoint())) Click();
}

void DropDescriptionButton::keyReleaseEvent(QKeyEvent* event) {
  // With the focus on the button, Space works it as a click does.
  if (event->key() == Qt::Key_Space && !event->isAutoRepeat() && isEnabled()) {
    Click();
    return;
  }
  QWidget::keyReleaseEvent(event);
}

void DropDescriptionButton::Click() {
  if (!isEnabled()) return;
  if (state_ == DropState::BlackDown) {
    ShowState(DropState::BlackUp);
    emit toggled(true);
  } else if (state_ == DropState::BlackUp) {
    ShowState(DropState::BlackDown);
    emit toggled(false);
  }
}

}  // namespace vorrendal
