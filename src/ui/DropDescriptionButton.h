#pragma once
// The small drawn button at the right end of the command row that opens and
// closes the report panel. It paints a three-dimensional button with an arrow
// line by line in the system colours, shows a pressed look while a mouse
// button is held over it, and says "toggled" on a click; the window opens or
// closes the panel. While it has the focus a dotted rectangle inside its frame
// shows it; Space then clicks it.

#include <QWidget>

namespace vorrendal {

enum class DropImage { Disabled, BlackDown, PressedDown, BlackUp, PressedUp };

class DropDescriptionButton : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kSize = 17;  // pixels, 255 twips

  // None until the first decode (the button disabled); then Up while the
  // panel is open, Down while it is closed, Pressed while a mouse button
  // held over it would click it.
  enum class DropState { None, BlackDown, PressedDown, BlackUp, PressedUp };

  explicit DropDescriptionButton(QWidget* parent = nullptr);

  // Paints one of the five images; it stays until the next call.
  void DrawDropButton(DropImage image);

  DropState State() const { return state_; }
  // Paints the image of a state and takes that state; assistive technology
  // hears when it changes whether the panel shows.
  void ShowState(DropState state);

  // The click: in Black-Down shows Black-Up and says toggled(true), in
  // Black-Up the other way round; in any other state nothing.
  void Click();

  QSize sizeHint() const override { return {kSize, kSize}; }

 signals:
  void toggled(bool open);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  bool Outside(const QPoint& pos) const;
  // "Black-" to "Pressed-" of the same panel state, and back.
  void LookPressed();
  void LookRaised();

  DropState state_ = DropState::None;
  DropImage image_ = DropImage::Disabled;  // drawn in the palette's colours when painted
};

}  // namespace vorrendal
