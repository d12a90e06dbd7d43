#pragma once
// The real clipboard, message box and default printer.

#include "ui/IReportOutputServices.h"

namespace vorrendal {

class SystemClipboard : public IClipboard {
 public:
  void Clear() override;
  void SetText(const QString& text) override;
};

class SystemMessageBox : public IMessageBox {
 public:
  void Warn(QWidget* owner, const QString& title, const QString& text) override;
};

class SystemDefaultPrinter : public IReportPrinter {
 public:
  std::unique_ptr<QPrinter> DefaultPrinter(QString& whyNot) override;
};

}  // namespace vorrendal
