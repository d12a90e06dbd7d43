#pragma once
// A label that behaves like a link: a hand pointer, and a click on it (press
// and release of the left button over it) emits clicked(). When its owner
// lets it take the focus, it shows a focus rectangle, and Enter or Space
// works it as a click does. Assistive technology sees a link with a press
// action.

#include <QLabel>

namespace vorrendal {

class LinkLabel final : public QLabel {
  Q_OBJECT
 public:
  explicit LinkLabel(const QString& text, QWidget* parent = nullptr);

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  bool pressed_ = false;
};

}  // namespace vorrendal
