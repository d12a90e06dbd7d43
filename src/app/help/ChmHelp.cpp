#include "ChmHelp.h"

#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "app/help/HelpWindow.h"
#include "data/ProgramPaths.h"
#include "help/ChmFile.h"

namespace vorrendal {
namespace {

// Hands the help window on to a lasting window when the modal window that
// lent it a parent is hidden, so that it outlives that window.
class ReturnOnHide final : public QObject {
 public:
  ReturnOnHide(QWidget* lender, HelpWindow* help, QWidget* owner)
      : QObject(lender), help_(help), owner_(owner) {
    lender->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Hide && watched == parent()) {
      if (help_ != nullptr && help_->parentWidget() == parent()) {
        const QRect geometry = help_->geometry();
        const bool visible = help_->isVisible();
        help_->setParent(owner_, Qt::Window);
        help_->setGeometry(geometry);
        if (visible) help_->show();
      }
      deleteLater();
    }
    return false;
  }

 private:
  QPointer<HelpWindow> help_;
  QPointer<QWidget> owner_;
};

bool IsWithin(const QWidget* widget, const QWidget* ancestor) {
  for (; widget != nullptr; widget = widget->parentWidget()) {
    if (widget == ancestor) return true;
  }
  return false;
}

// Opens the help window to the right of the window that asked, where the
// screen has room, so that the plate and the page can be read side by side.
void PlaceBeside(QWidget* help, const QWidget* asker) {
  if (asker == nullptr || asker->screen() == nullptr) return;
  const QRect screen = asker->screen()->availableGeometry();
  const QRect beside = asker->frameGeometry();
  QRect place(QPoint(beside.right() + 12, beside.top()), help->size());
  // Narrower rather than on top of the asker, while the page stays readable.
  const int room = screen.right() - place.left();
  if (place.right() > screen.right() && room >= 640) place.setWidth(room);
  if (place.right() > screen.right()) place.moveRight(screen.right());
  if (place.bottom() > screen.bottom()) place.moveBottom(screen.bottom());
  place.moveLeft(std::max(place.left(), screen.left()));
  place.moveTop(std::max(place.top(), screen.top()));
  help->setGeometry(place);
}

}  // namespace

ChmHelp::ChmHelp() : ChmHelp(FindProgramFile(kFileName)) {}

ChmHelp::ChmHelp(std::filesystem::path file) : path_(std::move(file)) {}

ChmHelp::~ChmHelp() {
  // The window may belong to a window that outlives this object.
  delete window_.data();
}

HelpWindow* ChmHelp::Window() const { return window_.data(); }

void ChmHelp::Complain(QWidget* owner, const QString& text) const {
  QMessageBox::warning(owner, QString::fromLatin1(HelpWindow::kTitle), text);
}

bool ChmHelp::EnsureOpen(QWidget* owner) {
  if (file_ != nullptr) return true;
  std::string error;
  std::unique_ptr<ChmFile> file = ChmFile::Open(path_, error);
  if (file == nullptr) {
    Complain(owner,
             QStringLiteral("Help cannot be shown.\n\n%1\n\n%2\n\nReinstalling Vorrendal puts "
                            "the help file back in place.")
                 .arg(QString::fromStdString(error), QString::fromStdString(path_.string())));
    return false;
  }
  file_ = std::move(file);
  return true;
}

HelpWindow* ChmHelp::WindowFor(QWidget* owner) {
  // The help window belongs to the window that asked, as a help viewer does:
  // it stays in front of it and stays usable while that window is modal.
  // While another modal window is up (a message box whose Help button asked
  // for the page), it is lent to that window, or it could not be used until
  // the message was closed; it goes back to the asker when the message closes.
  QWidget* asker = owner != nullptr ? owner->window() : nullptr;
  QWidget* parent = asker;
  QWidget* modal = QApplication::activeModalWidget();
  if (modal != nullptr && !IsWithin(asker, modal)) parent = modal;
  if (window_ == nullptr) {
    window_ = new HelpWindow(parent);
    window_->setWindowFlag(Qt::Window, true);
    window_->setAttribute(Qt::WA_DeleteOnClose, false);
    window_->SetFile(file_);
    PlaceBeside(window_.data(), asker);
  } else if (window_->parentWidget() != parent && parent != window_.data()) {
    const QRect geometry = window_->geometry();
    const bool visible = window_->isVisible();
    window_->setParent(parent, Qt::Window);
    if (visible) window_->setGeometry(geometry);
  }
  // A window takes no font from its parent: it speaks in the face of the
  // program's window that asked.
  if (asker != nullptr) window_->setFont(asker->font());
  // A modal window only lends itself: when it goes away (a message closed, a
  // question answered) the help window stays open, handed to the window that
  // asked or, when the modal window asked itself, to the window it belongs to.
  if (parent != nullptr && parent->isModal()) {
    QWidget* home = parent != asker                     ? asker
                    : parent->parentWidget() != nullptr ? parent->parentWidget()->window()
                                                        : nullptr;
    new ReturnOnHide(parent, window_.data(), home);
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
  const std::string page =
      contextId < 0 ? std::string() : file_->TopicOf(static_cast<std::uint32_t>(contextId));
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
