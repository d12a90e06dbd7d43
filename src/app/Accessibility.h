#pragma once
// What assistive technology (a screen reader) is shown of the main window
// beyond what Qt's controls tell it themselves.

#include <QLabel>
#include <QWidget>

namespace vorrendal {

// Tells Qt's accessibility how to show the controls below and the LinkLabel;
// they call it themselves when made.
void InstallAccessibility();

// The window's client area. Pictures and frames that only decorate (the
// plate's black ground, the emblems, the separator lines) are left out of what
// it tells assistive technology, so they are not read out as unnamed objects.
class ClientArea final : public QWidget {
  Q_OBJECT
 public:
  explicit ClientArea(QWidget* parent = nullptr);

  // Leaves a child out of the accessibility tree.
  static void SetDecorative(QWidget* child);
  static bool IsDecorative(const QWidget* child);
};

// A label that tells of a problem: assistive technology sees an alert, and
// Announce() asks it to read the alert out now.
class AlertLabel final : public QLabel {
  Q_OBJECT
 public:
  explicit AlertLabel(const QString& text, QWidget* parent = nullptr);
  void Announce();
};

}  // namespace vorrendal
