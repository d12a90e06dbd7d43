#include "WhatsThisRouter.h"

#include <QApplication>
#include <QEvent>
#include <QWhatsThis>
#include <QWidget>

#include "IHelp.h"

namespace vorrendal {

WhatsThisRouter::WhatsThisRouter(QWidget* owner, IHelp& help)
    : QObject(owner), owner_(owner), help_(help) {
  qApp->installEventFilter(this);
}

WhatsThisRouter::~WhatsThisRouter() {
  if (qApp != nullptr) qApp->removeEventFilter(this);
}

void WhatsThisRouter::SetContext(QWidget* widget, int contextId) {
  widget->setProperty(kProperty, contextId);
}

int WhatsThisRouter::ContextOf(const QWidget* widget) {
  for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
    const QVariant id = w->property(kProperty);
    if (id.isValid()) return id.toInt();
    if (w->isWindow()) break;
  }
  return 0;
}

bool WhatsThisRouter::Serves(const QWidget* widget) const {
  for (const QWidget* w = widget->window(); w != nullptr;
       w = w->parentWidget() != nullptr ? w->parentWidget()->window() : nullptr) {
    if (w == owner_) return true;
  }
  return false;
}

bool WhatsThisRouter::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::WhatsThis && type != QEvent::QueryWhatsThis) return false;
  if (!watched->isWidgetType() || !owner_) return false;
  auto* widget = static_cast<QWidget*>(watched);
  if (!Serves(widget)) return false;
  const int contextId = ContextOf(widget);
  if (contextId == 0) return false;
  event->accept();
  if (type == QEvent::WhatsThis) {
    // Qt's What's This mode waits for a text of its own; the help topic
    // takes its place, so the mode is left here. Both happen once the click
    // has been handled, outside the mode's own event handling.
    QPointer<QWidget> window = widget->window();
    QMetaObject::invokeMethod(
        this,
        [this, contextId, window] {
          QWhatsThis::leaveWhatsThisMode();
          help_.ShowTopic(contextId, window);
        },
        Qt::QueuedConnection);
  }
  return true;
}

}  // namespace vorrendal
