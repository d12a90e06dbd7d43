#pragma once
// The small drawn button at the right end of the command row that opens and
// closes the report panel. It paints a three-dimensional button with an arrow
// line by line in the system colours, shows a pressed look while a mouse
// button is held over it, and toggles the panel on a click. While it has the
// focus a dotted rectangle inside its frame shows it; Space then clicks it.

#include <QImage>
#include <QString>
#include <QWidget>

namespace vorrendal {

class IReportPanelHost;

enum class DropImage { Disabled, BlackDown, PressedDown, BlackUp, PressedUp };

class DropDescriptionButton : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kSize = 17;  // pixels, 255 twips

  // The values of DropState.
  static const QString kBlackDown;
  static const QString kPressedDown;
  static const QString kBlackUp;
  static const QString kPressedUp;

  explicit DropDescriptionButton(QWidget* parent = nullptr);

  void SetHost(IReportPanelHost* host) { host_ = host; }

  // Paints one of the five images; it stays until the next call.
  void DrawDropButton(DropImage image);
  // The same by the image's name: "disabled" or one of the four states.
  // An unknown name paints nothing.
  void DrawDropButton(const QString& image);

  // The image last painted.
  DropImage Image() const { return image_; }
  const QImage& Picture() const { return picture_; }

  // Draws an image onto a 17 x 17 picture in the palette's colours.
  static QImage Render(DropImage image, const QPalette& palette);

  // The state of the button: empty until the first decode, then one of the
  // four values above. It lives in the button unless the window binds its own.
  QString& DropState() { return *state_; }
  const QString& DropState() const { return *state_; }
  void BindDropState(QString* state) { state_ = state ? state : &ownState_; }

  // Paints an image and sets DropState to the state it shows; assistive
  // technology hears when the panel's state changes.
  void ShowState(DropImage image, const QString& state);

  // The click: opens the panel in "Black-Down", closes it in "Black-Up".
  void Click();

  // What assistive technology calls the button in a state: "Show report"
  // while the panel is closed, "Hide report" while it is open.
  static QString AccessibleName(const QString& state);

  QSize sizeHint() const override { return {kSize, kSize}; }

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

  IReportPanelHost* host_ = nullptr;
  QString ownState_;
  QString* state_ = &ownState_;
  DropImage image_ = DropImage::Disabled;
  QImage picture_;
};

}  // namespace vorrendal
