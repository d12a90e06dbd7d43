#include "Accessibility.h"

#include <QAccessibleWidget>

namespace vorrendal {
namespace {

constexpr char kDecorative[] = "vorrendalDecorative";

class ClientAreaAccessible final : public QAccessibleWidget {
 public:
  explicit ClientAreaAccessible(QWidget* area) : QAccessibleWidget(area, QAccessible::Client) {}

  int childCount() const override { return static_cast<int>(Children().size()); }
  QAccessibleInterface* child(int index) const override {
    const QList<QWidget*> children = Children();
    if (index < 0 || index >= children.size()) return nullptr;
    return QAccessible::queryAccessibleInterface(children[index]);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    if (child == nullptr || !child->object() || !child->object()->isWidgetType()) return -1;
    return static_cast<int>(Children().indexOf(static_cast<QWidget*>(child->object())));
  }

 private:
  QList<QWidget*> Children() const {
    QList<QWidget*> children;
    for (QObject* object : widget()->children()) {
      auto* child = qobject_cast<QWidget*>(object);
      if (child != nullptr && !child->isWindow() && !ClientArea::IsDecorative(child)) {
        children.append(child);
      }
    }
    return children;
  }
};

class AlertAccessible final : public QAccessibleWidget {
 public:
  explicit AlertAccessible(QLabel* label) : QAccessibleWidget(label, QAccessible::AlertMessage) {}
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
      return static_cast<const QLabel*>(widget())->text();
    }
    return QAccessibleWidget::text(t);
  }
};

QAccessibleInterface* Factory(const QString& className, QObject* object) {
  if (className == QLatin1String(ClientArea::staticMetaObject.className())) {
    if (auto* area = qobject_cast<ClientArea*>(object)) return new ClientAreaAccessible(area);
  } else if (className == QLatin1String(AlertLabel::staticMetaObject.className())) {
    if (auto* label = qobject_cast<AlertLabel*>(object)) return new AlertAccessible(label);
  }
  return nullptr;
}

void InstallFactory() {
  static const bool installed = (QAccessible::installFactory(Factory), true);
  (void)installed;
}

}  // namespace

ClientArea::ClientArea(QWidget* parent) : QWidget(parent) { InstallFactory(); }

void ClientArea::SetDecorative(QWidget* child) { child->setProperty(kDecorative, true); }

bool ClientArea::IsDecorative(const QWidget* child) {
  return child->property(kDecorative).toBool();
}

AlertLabel::AlertLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  InstallFactory();
}

void AlertLabel::Announce() {
  QAccessibleEvent alert(this, QAccessible::Alert);
  QAccessible::updateAccessibility(&alert);
}

}  // namespace vorrendal
