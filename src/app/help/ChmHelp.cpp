#include "ChmHelp.h"

#include <QMessageBox>
#include <QWidget>

#include "app/help/ChmFile.h"
#include "app/help/HelpWindow.h"
#include "data/ProgramPaths.h"

namespace vorrendal {

ChmHelp::ChmHelp() : ChmHelp(FindProgramFile(kFileName)) {}

ChmHelp::ChmHelp(std::filesystem::path file) : path_(std::move(file)) {}

ChmHelp::~ChmHelp() {
  // The window may belong to a window that outlives this object.
  delete window_.data();
}

void ChmHelp::Complain(QWidget* owner, const QString& text) const {
  QMessageBox::warning(owner, QString::fromLatin1(kMessageTitle), text);
}

bool ChmHelp::EnsureOpen(QWidget* owner) {
  if (file_ != nullptr) return true;
  std::string error;
  std::unique_ptr<ChmFile> file = ChmFile::Open(path_, error);
  if (file == nullptr) {
    Complain(owner, QStringLiteral("Help cannot be shown.\n\n%1\n\n%2\n\nReinstalling Vorrendal puts "
                                   "the help file back in place.")
                        .arg(QString::fromStdString(error),
                             QString::fromStdString(path_.string())));
    return false;
  }
  file_ = std::move(file);
  return true;
}

HelpWindow* ChmHelp::WindowFor(QWidget* owner) {
  // The help window belongs to the window that asked, as a help viewer does:
  // it stays in front of it and stays usable while that window is modal.
  QWidget* parent = owner != nullptr ? owner->window() : nullptr;
  if (window_ == nullptr) {
    window_ = new HelpWindow(parent);
    window_->setWindowFlag(Qt::Window, true);
    window_->setAttribute(Qt::WA_DeleteOnClose, false);
    window_->SetFile(file_);
  } else if (window_->parentWidget() != parent && parent != window_.data()) {
    const QRect geometry = window_->geometry();
    const bool visible = window_->isVisible();
    window_->setParent(parent, Qt::Window);
    if (visible) window_->setGeometry(geometry);
  }
  return window_.data();
}

void ChmHelp::Present(HelpWindow* window) {
  window->show();
  window->raise();
  window->activateWindow();
}

void ChmHelp::ShowContents(QWidget* owner) {
  if (!EnsureOpen(owner)) return;
  HelpWindow* window = WindowFor(owner);
  if (!window->ShowDefault()) {
    Complain(owner, QStringLiteral("The help file %1 has no first page to show.")
                        .arg(QString::fromStdString(path_.string())));
    return;
  }
  Present(window);
}

void ChmHelp::ShowTopic(int contextId, QWidget* owner) {
  if (!EnsureOpen(owner)) return;
  const std::string page = contextId < 0 ? std::string() : file_->TopicOf(static_cast<std::uint32_t>(contextId));
  if (page.empty()) {
    Complain(owner, QStringLiteral("The help file %1 has no topic number %2.")
                        .arg(QString::fromStdString(path_.string()))
                        .arg(contextId));
    return;
  }
  HelpWindow* window = WindowFor(owner);
  window->ShowPage(page);
  Present(window);
}

}  // namespace vorrendal
