#include "Accessibility.h"

#include <QAccessibleWidget>

#include "LinkLabel.h"

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

// A label that is named by its text unless it is given a name of its own.
class LabelAccessible : public QAccessibleWidget {
 public:
  LabelAccessible(QLabel* label, QAccessible::Role role) : QAccessibleWidget(label, role) {}
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
      return static_cast<const QLabel*>(widget())->text();
    }
    return QAccessibleWidget::text(t);
  }
};

// A link, with a press action that works it as a click does.
class LinkAccessible final : public LabelAccessible {
 public:
  explicit LinkAccessible(LinkLabel* link) : LabelAccessible(link, QAccessible::Link) {}
  QStringList actionNames() const override {
    return QStringList{pressAction()} + QAccessibleWidget::actionNames();
  }
  void doAction(const QString& action) override {
    if (action == pressAction()) {
      if (widget()->isEnabled() && widget()->isVisible()) {
        emit static_cast<LinkLabel*>(widget())->clicked();
      }
      return;
    }
    QAccessibleWidget::doAction(action);
  }
};

QAccessibleInterface* Factory(const QString& className, QObject* object) {
  if (className == QLatin1String(ClientArea::staticMetaObject.className())) {
    if (auto* area = qobject_cast<ClientArea*>(object)) return new ClientAreaAccessible(area);
  } else if (className == QLatin1String(AlertLabel::staticMetaObject.className())) {
    if (auto* label = qobject_cast<AlertLabel*>(object)) {
      return new LabelAccessible(label, QAccessible::AlertMessage);
    }
  } else if (className == QLatin1String(LinkLabel::staticMetaObject.className())) {
    if (auto* link = qobject_cast<LinkLabel*>(object)) return new LinkAccessible(link);
  }
  return nullptr;
}

}  // namespace

void InstallAccessibility() {
  static const bool installed = (QAccessible::installFactory(Factory), true);
  (void)installed;
}

ClientArea::ClientArea(QWidget* parent) : QWidget(parent) { InstallAccessibility(); }

void ClientArea::SetDecorative(QWidget* child) { child->setProperty(kDecorative, true); }

bool ClientArea::IsDecorative(const QWidget* child) {
  return child->property(kDecorative).toBool();
}

AlertLabel::AlertLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  InstallAccessibility();
}

void AlertLabel::Announce() {
  QAccessibleEvent alert(this, QAccessible::Alert);
  QAccessible::updateAccessibility(&alert);
}

}  // namespace vorrendal
