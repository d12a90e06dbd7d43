#include "ui/TabPlaces.h"

#include <algorithm>

namespace vorrendal {

void TabPlaces::Build(const QList<QWidget*>& controls) {
  places_.clear();
  for (QWidget* control : controls) places_.append(control);
}

void TabPlaces::SetTabPlace(QWidget* control, int place) {
  const int from = TabPlace(control);
  if (from < 0) return;
  const int to = std::clamp(place, 0, static_cast<int>(places_.size()) - 1);
  places_.move(from, to);
}

int TabPlaces::TabPlace(const QWidget* control) const {
  for (int i = 0; i < places_.size(); ++i) {
    if (places_[i] == control) return i;
  }
  return -1;
}

QList<QWidget*> TabPlaces::Order() const {
  QList<QWidget*> order;
  for (const auto& control : places_) {
    if (control) order.append(control.data());
  }
  return order;
}

void TabPlaces::Apply() const {
  // Controls that never take the focus (captions) are left out of Qt's chain;
  // a link label that takes it keeps its place.
  QWidget* previous = nullptr;
  for (QWidget* control : Order()) {
    if (control->focusPolicy() == Qt::NoFocus) continue;
    if (previous) QWidget::setTabOrder(previous, control);
    previous = control;
  }
}

}  // namespace vorrendal
