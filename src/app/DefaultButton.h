#pragma once
// A main window's default button: Enter or Return pressed anywhere in the
// window presses it, except in the controls that keep Enter for themselves
// (the report box, where Enter makes a new line; the error notice's link,
// which Enter opens). A push button that has the focus takes Enter for itself,
// as in a dialog. Only the button that Enter would press looks like the
// default: the focused push button, else the default button, and none while a
// control that keeps Enter has the focus.

#include <QList>
#include <QObject>
#include <QPointer>

class QPushButton;
class QWidget;

namespace vorrendal {

class DefaultButton final : public QObject {
  Q_OBJECT
 public:
  DefaultButton(QWidget* window, QPushButton* button, const QList<QWidget*>& keepEnter);
  ~DefaultButton() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The button Enter presses now; null while a control that keeps Enter has
  // the focus.
  QPushButton* EnterButton() const;
  bool KeepsEnter(const QWidget* widget) const;
  QPushButton* EnterButtonFor(QWidget* focus) const;
  void ShowDefault();

  QPointer<QWidget> window_;
  QPointer<QPushButton> button_;
  QList<QPointer<QWidget>> keepEnter_;
  QList<QPointer<QPushButton>> buttons_;
};

}  // namespace vorrendal
