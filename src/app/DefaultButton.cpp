#include "DefaultButton.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

namespace vorrendal {

DefaultButton::DefaultButton(QWidget* window, QPushButton* button, QWidget* keepsEnter)
    : QObject(window), window_(window), button_(button), keepsEnter_(keepsEnter) {
  // Key events reach the focused control first; watching the application
  // sees them before any control can use them.
  qApp->installEventFilter(this);
  connect(qApp, &QApplication::focusChanged, this,
          [this](QWidget*, QWidget* now) { FocusChanged(now); });
  button_->setDefault(true);
}

DefaultButton::~DefaultButton() {
  if (qApp != nullptr) qApp->removeEventFilter(this);
}

bool DefaultButton::Active() const {
  QWidget* focus = QApplication::focusWidget();
  return !(keepsEnter_ && focus != nullptr &&
           (focus == keepsEnter_ || keepsEnter_->isAncestorOf(focus)));
}

void DefaultButton::FocusChanged(QWidget* now) {
  if (!button_ || !keepsEnter_) return;
  if (now != nullptr && now->window() != window_) return;
  button_->setDefault(Active());
}

bool DefaultButton::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
  if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
  auto* target = static_cast<QWidget*>(watched);
  if (!window_ || !button_ || target->window() != window_) return false;
  if (keepsEnter_ && (target == keepsEnter_ || keepsEnter_->isAncestorOf(target))) return false;
  if (auto* focused = qobject_cast<QPushButton*>(target);
      focused != nullptr && focused != button_) {
    if (focused->isEnabled()) focused->click();
    return true;
  }
  if (button_->isEnabled()) button_->click();
  return true;
}

}  // namespace vorrendal
