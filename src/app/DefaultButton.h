#pragma once
// A main window's default button: Enter or Return pressed anywhere in the
// window presses it, except in the one control that keeps Enter for itself
// (the report box, where Enter makes a new line). While that control has the
// focus the button does not look like the default either. A push button that
// has the focus takes Enter for itself, as in a dialog.

#include <QObject>
#include <QPointer>

class QPushButton;
class QWidget;

namespace vorrendal {

class DefaultButton final : public QObject {
  Q_OBJECT
 public:
  DefaultButton(QWidget* window, QPushButton* button, QWidget* keepsEnter);
  ~DefaultButton() override;

  // True while Enter presses the button (the control that keeps Enter does
  // not have the focus).
  bool Active() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FocusChanged(QWidget* now);

  QPointer<QWidget> window_;
  QPointer<QPushButton> button_;
  QPointer<QWidget> keepsEnter_;
};

}  // namespace vorrendal
