#include "ui/SystemOutputServices.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPrinter>
#include <QPrinterInfo>

namespace vorrendal {

void SystemClipboard::Clear() { QGuiApplication::clipboard()->clear(); }

void SystemClipboard::SetText(const QString& text) { QGuiApplication::clipboard()->setText(text); }

void SystemMessageBox::Warn(QWidget* owner, const QString& title, const QString& text) {
  QMessageBox::warning(owner, title, text);
}

std::unique_ptr<QPrinter> SystemDefaultPrinter::DefaultPrinter(QString& whyNot) {
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (info.isNull()) {
    whyNot = QStringLiteral("No default printer is set up on this computer.");
    return nullptr;
  }
  return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

}  // namespace vorrendal
