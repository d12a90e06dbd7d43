#pragma once
// The keyboard tab order of a window kept as a list of places, 0 first.
// Giving a control place n moves it there and shifts the controls between its
// old and its new place by one, so every other control keeps its relative
// order. The list is then handed to Qt's focus chain; controls that cannot
// take the focus (labels, hidden or disabled controls, non-tab-stops) keep a
// place but are skipped by the Tab key.

#include <QList>
#include <QPointer>
#include <QWidget>

namespace vorrendal {

class TabPlaces {
 public:
  // The controls in their places, 0 first.
  void Build(const QList<QWidget*>& controls);

  // Moves a control to place n (clamped to the list); unknown controls are ignored.
  void SetTabPlace(QWidget* control, int place);

  // Makes the window's focus chain follow the places.
  void Apply() const;

 private:
  // The place of a control, -1 when it has none.
  int TabPlace(const QWidget* control) const;
  // The controls in place order.
  QList<QWidget*> Order() const;

  QList<QPointer<QWidget>> places_;
};

}  // namespace vorrendal
