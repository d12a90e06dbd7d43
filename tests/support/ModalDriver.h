#pragma once
// Answers the modal windows a Qt test runs into, as a person would: queued
// actions run on them as they come up, one action per showing. A modal window
// nobody expected is noted and closed, so a wrong turn fails the test instead
// of hanging it.

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <deque>
#include <functional>

namespace vorrendal::testing {

class ModalDriver final : public QObject {
 public:
  using Action = std::function<void(QWidget* modal)>;

  ModalDriver() {
    connect(&timer_, &QTimer::timeout, this, [this] { Tick(); });
    timer_.start(10);
  }
  void Then(Action action) { actions_.push_back(std::move(action)); }
  bool Done() const { return actions_.empty(); }
  const QStringList& Unexpected() const { return unexpected_; }

 private:
  void Tick() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible()) return;
    if (actions_.empty()) {
      unexpected_ << modal->windowTitle();
      if (auto* dialog = qobject_cast<QDialog*>(modal))
        dialog->reject();
      else
        modal->close();
      return;
    }
    const Action action = std::move(actions_.front());
    actions_.pop_front();
    action(modal);
  }

  QTimer timer_;
  std::deque<Action> actions_;
  QStringList unexpected_;
};

// Clicks the message box button of the given role (anything else closes the
// window), noting first what the box showed: "title|text|icon|buttons".
inline ModalDriver::Action Press(QMessageBox::StandardButton which, QString* seen = nullptr) {
  return [seen, which](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box != nullptr && seen != nullptr)
      *seen = QStringLiteral("%1|%2|%3|%4")
                  .arg(box->windowTitle(), box->text())
                  .arg(box->icon())
                  .arg(static_cast<int>(box->standardButtons()));
    if (box != nullptr && box->button(which) != nullptr)
      box->button(which)->click();
    else
      modal->close();
  };
}

}  // namespace vorrendal::testing
