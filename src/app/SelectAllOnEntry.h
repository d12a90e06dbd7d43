#pragma once
// Plate boxes select their whole text when they are entered, by the keyboard
// or by a click, so that typing replaces what was there.

#include <QObject>

class QLineEdit;

namespace vorrendal {

class SelectAllOnEntry final : public QObject {
  Q_OBJECT
 public:
  explicit SelectAllOnEntry(QObject* parent = nullptr);

  // Starts watching a box (the box is not owned).
  void Watch(QLineEdit* box);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The box that a mouse press has just given the focus to; the press
  // itself must not undo the selection.
  QLineEdit* enteredByMouse_ = nullptr;
};

}  // namespace vorrendal
