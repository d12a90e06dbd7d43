#include "HelpWindow.h"

#include <QAction>
#include <QHeaderView>
#include <QKeySequence>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QStringDecoder>
#include <QToolBar>
#include <QTreeWidget>

#include "app/help/ChmFile.h"
#include "app/help/HelpBrowser.h"

namespace vorrendal {
namespace {

constexpr int kPathRole = Qt::UserRole;

// Help files keep their captions in the Windows code page.
QString FromHelpText(const std::string& text) {
  QStringDecoder decoder("windows-1252");
  if (!decoder.isValid())
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
  return decoder(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
}

// The page part of a path, for comparing pages regardless of anchor and case.
QString PageKey(const QString& path) {
  const qsizetype hash = path.indexOf(QLatin1Char('#'));
  return (hash < 0 ? path : path.left(hash)).toLower();
}

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("frmHelp"));
  setWindowTitle(QString::fromLatin1(kTitle));
  resize(900, 640);

  tree_ = new QTreeWidget(this);
  tree_->setObjectName(QStringLiteral("treeContents"));
  tree_->setHeaderHidden(true);
  tree_->setRootIsDecorated(true);
  tree_->setUniformRowHeights(true);

  browser_ = new HelpBrowser(this);
  browser_->setObjectName(QStringLiteral("txtPage"));

  auto* splitter = new QSplitter(this);
  splitter->addWidget(tree_);
  splitter->addWidget(browser_);
  splitter->setStretchFactor(0, 0);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({260, 640});
  setCentralWidget(splitter);

  auto* bar = addToolBar(QStringLiteral("Navigation"));
  bar->setObjectName(QStringLiteral("barNavigation"));
  bar->setMovable(false);
  bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  back_ = bar->addAction(QStringLiteral("< &Back"));
  back_->setObjectName(QStringLiteral("actBack"));
  back_->setShortcut(QKeySequence::Back);
  back_->setEnabled(false);
  forward_ = bar->addAction(QStringLiteral("&Forward >"));
  forward_->setObjectName(QStringLiteral("actForward"));
  forward_->setShortcut(QKeySequence::Forward);
  forward_->setEnabled(false);
  home_ = bar->addAction(QStringLiteral("&Contents"));
  home_->setObjectName(QStringLiteral("actHome"));

  // Escape closes the help as it closes a dialog; the page stays for next time.
  auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(close, &QShortcut::activated, this, &QWidget::close);

  connect(back_, &QAction::triggered, browser_, &QTextBrowser::backward);
  connect(forward_, &QAction::triggered, browser_, &QTextBrowser::forward);
  connect(home_, &QAction::triggered, this, [this] { ShowDefault(); });
  connect(browser_, &QTextBrowser::backwardAvailable, back_, &QAction::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QAction::setEnabled);
  connect(browser_, &QTextBrowser::sourceChanged, this,
          [this](const QUrl& url) { OnSourceChanged(url); });
  connect(browser_, &QTextBrowser::highlighted, this, [this](const QUrl& link) {
    statusBar()->showMessage(link.isEmpty() ? QString() : link.toString(QUrl::RemoveScheme));
  });
  connect(browser_, &HelpBrowser::PageMissing, this, [this](const QString& path) {
    statusBar()->showMessage(QStringLiteral("The page %1 is not in the help file.").arg(path),
                             8000);
  });
  connect(tree_, &QTreeWidget::itemActivated, this,
          [this](QTreeWidgetItem* item) { OnItemActivated(item); });
  connect(tree_, &QTreeWidget::itemClicked, this,
          [this](QTreeWidgetItem* item) { OnItemActivated(item); });
}

HelpWindow::~HelpWindow() = default;

const ChmFile* HelpWindow::File() const { return file_.get(); }

void HelpWindow::SetFile(std::shared_ptr<const ChmFile> file) {
  file_ = std::move(file);
  browser_->SetFile(file_);
  tree_->clear();
  if (file_ == nullptr) return;
  FillTree(nullptr, file_->Contents());
  tree_->expandToDepth(0);
  if (!file_->Title().empty()) setWindowTitle(FromHelpText(file_->Title()));
}

void HelpWindow::FillTree(QTreeWidgetItem* parent, const std::vector<ChmTopicEntry>& entries) {
  for (const ChmTopicEntry& entry : entries) {
    auto* item = parent == nullptr ? new QTreeWidgetItem(tree_) : new QTreeWidgetItem(parent);
    item->setText(0, FromHelpText(entry.name));
    item->setData(0, kPathRole, QString::fromStdString(entry.local));
    FillTree(item, entry.children);
  }
}

bool HelpWindow::ShowPage(const std::string& path) {
  if (file_ == nullptr || !file_->Contains(path)) return false;
  browser_->setSource(HelpBrowser::UrlOf(QString::fromStdString(path)));
  return true;
}

bool HelpWindow::ShowDefault() { return file_ != nullptr && ShowPage(file_->DefaultTopic()); }

void HelpWindow::OnItemActivated(QTreeWidgetItem* item) {
  if (item == nullptr || syncingTree_) return;
  const QString path = item->data(0, kPathRole).toString();
  if (!path.isEmpty() && PageKey(path) != PageKey(browser_->source().path())) {
    ShowPage(path.toStdString());
  }
}

void HelpWindow::OnSourceChanged(const QUrl& url) {
  const QString title = browser_->documentTitle();
  const QString base = file_ != nullptr && !file_->Title().empty() ? FromHelpText(file_->Title())
                                                                   : QString::fromLatin1(kTitle);
  setWindowTitle(title.isEmpty() ? base : QStringLiteral("%1 - %2").arg(title, base));

  // Select the contents entry of the page shown; a page listed twice keeps
  // the entry that is already current when it matches.
  // (While this signal runs, the browser's source() may still be the old page.)
  const QString key = PageKey(url.path());
  QTreeWidgetItem* current = tree_->currentItem();
  if (current != nullptr && PageKey(current->data(0, kPathRole).toString()) == key) return;
  // A heading that opens the same page as its first entry gives way to that
  // entry, so the selection names the page itself.
  QTreeWidgetItem* match = nullptr;
  for (QTreeWidgetItemIterator it(tree_); *it != nullptr; ++it) {
    if (PageKey((*it)->data(0, kPathRole).toString()) != key) continue;
    if (match == nullptr) match = *it;
    if ((*it)->childCount() == 0) {
      match = *it;
      break;
    }
  }
  if (match == nullptr) return;
  syncingTree_ = true;
  tree_->setCurrentItem(match);
  tree_->scrollToItem(match);
  syncingTree_ = false;
}

}  // namespace vorrendal
