#pragma once
// The system services report output goes through: the clipboard, the message
// box and the default printer. The program uses the real ones
// (SystemOutputServices); tests put in fakes.

#include <QString>
#include <memory>

class QPrinter;
class QWidget;

namespace vorrendal {

class IClipboard {
 public:
  virtual ~IClipboard() = default;
  virtual void Clear() = 0;
  virtual void SetText(const QString& text) = 0;
};

class IMessageBox {
 public:
  virtual ~IMessageBox() = default;
  // A modal warning with an OK button.
  virtual void Warn(QWidget* owner, const QString& title, const QString& text) = 0;
};

class IReportPrinter {
 public:
  virtual ~IReportPrinter() = default;
  // The default printer, set up for a job; null with the reason when there is none.
  virtual std::unique_ptr<QPrinter> DefaultPrinter(QString& whyNot) = 0;
};

}  // namespace vorrendal
