#pragma once
// The real clipboard and message box (the real printer is CupsPrinter).

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

}  // namespace vorrendal
