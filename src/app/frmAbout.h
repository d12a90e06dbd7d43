#pragma once
// "About Vorrendal": the program's name, its version and a link to its
// product page. A fresh box is made for every showing.

#include <QDialog>
#include <functional>

namespace vorrendal {

class frmAbout final : public QDialog {
  Q_OBJECT
 public:
  static constexpr const char* kWebAddress = "https://vorrendal.example.org/";

  explicit frmAbout(QWidget* parent = nullptr);

  // Opens an address with the desktop's default handler; the result is
  // ignored. Replaceable so that tests do not start a browser.
  std::function<void(const QString& address)> OpenWebAddress;

  // Shows a fresh About box modally over owner and returns when it closes.
  static void ShowModal(QWidget* owner);
};

}  // namespace vorrendal
