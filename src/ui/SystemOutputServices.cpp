#include "ui/SystemOutputServices.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>

namespace vorrendal {

void SystemClipboard::Clear() { QGuiApplication::clipboard()->clear(); }

void SystemClipboard::SetText(const QString& text) { QGuiApplication::clipboard()->setText(text); }

void SystemMessageBox::Warn(QWidget* owner, const QString& title, const QString& text) {
  QMessageBox::warning(owner, title, text);
}

}  // namespace vorrendal
