#include "DefaultButton.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

namespace vorrendal {

DefaultButton::DefaultButton(QWidget* window, QPushButton* button, const QList<QWidget*>& keepEnter)
    : QObject(window), window_(window), button_(button) {
  for (QWidget* widget : keepEnter) keepEnter_.append(widget);
  // The window's own push buttons, as it has them now (not those of dialogs
  // it owns later).
  for (QPushButton* other : window->findChildren<QPushButton*>()) {
    if (other->window() == window) buttons_.append(other);
  }
  // Key events reach the focused control first; watching the application
  // sees them before any control can use them.
  qApp->installEventFilter(this);
  // Focus leaving for nowhere (a control being deleted) changes nothing shown.
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (now != nullptr && now->window() == window_) ShowDefault();
  });
  ShowDefault();
}

DefaultButton::~DefaultButton() {
  if (qApp != nullptr) qApp->removeEventFilter(this);
}

bool DefaultButton::KeepsEnter(const QWidget* widget) const {
  for (const QPointer<QWidget>& keeper : keepEnter_) {
    if (keeper && widget != nullptr && (widget == keeper || keeper->isAncestorOf(widget))) {
      return true;
    }
  }
  return false;
}

QPushButton* DefaultButton::EnterButtonFor(QWidget* focus) const {
  if (KeepsEnter(focus)) return nullptr;
  if (auto* focused = qobject_cast<QPushButton*>(focus);
      focused != nullptr && focused->window() == window_) {
    return focused;
  }
  return button_;
}

QPushButton* DefaultButton::EnterButton() const {
  QWidget* focus = window_ ? window_->focusWidget() : nullptr;
  return EnterButtonFor(focus);
}

void DefaultButton::ShowDefault() {
  if (!window_) return;
  QPushButton* enter = EnterButton();
  for (const QPointer<QPushButton>& button : buttons_) {
    if (button) button->setDefault(button == enter);
  }
}

bool DefaultButton::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
  if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
  auto* target = static_cast<QWidget*>(watched);
  if (!window_ || target->window() != window_) return false;
  QPushButton* enter = EnterButtonFor(target);
  if (enter == nullptr) return false;
  if (enter->isEnabled()) enter->click();
  return true;
}

}  // namespace vorrendal
