#pragma once
// What's This help: in Qt's What's This mode the next click on a control asks
// it for its help. A control carries its help topic number in the dynamic
// property "helpContextId"; the router opens that topic. A control without a
// number (nor a parent that has one) shows nothing.

#include <QObject>
#include <QPointer>

class QWidget;

namespace vorrendal {

class IHelp;

class WhatsThisRouter final : public QObject {
  Q_OBJECT
 public:
  // Serves the controls of owner and of the windows it owns (its dialogs).
  WhatsThisRouter(QWidget* owner, IHelp& help);
  ~WhatsThisRouter() override;

  static void SetContext(QWidget* widget, int contextId);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  static constexpr const char* kProperty = "helpContextId";

  // The topic number a click on widget asks for: its own or that of the
  // nearest parent inside the same window that has one; 0 for none.
  static int ContextOf(const QWidget* widget);
  bool Serves(const QWidget* widget) const;

  QPointer<QWidget> owner_;
  IHelp& help_;
};

}  // namespace vorrendal
