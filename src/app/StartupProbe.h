#pragma once
// For the start-up benchmark only: with VORRENDAL_EXIT_WHEN_SHOWN=1 in the
// environment, the program prints the wall-clock time (milliseconds since
// 1970, "shown <ms>") the moment its main window has first been painted, and
// ends. Without the variable nothing happens.

#include <QObject>

class QWidget;

namespace vorrendal {

class StartupProbe final : public QObject {
  Q_OBJECT
 public:
  static constexpr const char* kVariable = "VORRENDAL_EXIT_WHEN_SHOWN";

  // Installs a probe on window when the variable asks for it.
  static void WatchIfAsked(QWidget& window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  explicit StartupProbe(QObject* parent) : QObject(parent) {}
  bool fired_ = false;
};

}  // namespace vorrendal
