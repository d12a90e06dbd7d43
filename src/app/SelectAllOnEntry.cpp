#include "SelectAllOnEntry.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QMouseEvent>

namespace vorrendal {

SelectAllOnEntry::SelectAllOnEntry(QObject* parent) : QObject(parent) {}

void SelectAllOnEntry::Watch(QLineEdit* box) { box->installEventFilter(this); }

bool SelectAllOnEntry::eventFilter(QObject* watched, QEvent* event) {
  auto* box = qobject_cast<QLineEdit*>(watched);
  if (box == nullptr) return false;
  switch (event->type()) {
    case QEvent::FocusIn: {
      // Coming back to the window or out of a menu is not entering the box:
      // leave the person's selection alone then.
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
        box->setSelection(0, static_cast<int>(box->text().size()));
      }
      enteredByMouse_ = reason == Qt::MouseFocusReason ? box : nullptr;
      return false;
    }
    case QEvent::FocusOut:
    case QEvent::KeyPress:
      enteredByMouse_ = nullptr;
      return false;
    case QEvent::MouseButtonPress: {
      // The focus comes with the press, before the box sees it; the click
      // that enters the box would then place the caret and drop the
      // selection. It only enters the box.
      const bool entering = enteredByMouse_ == box;
      enteredByMouse_ = nullptr;
      return entering && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
    }
    default:
      return false;
  }
}

}  // namespace vorrendal
