#include "HelpWindow.h"

#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QStringDecoder>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/help/HelpBrowser.h"
#include "help/ChmFile.h"

namespace vorrendal {
namespace {

constexpr int kPathRole = Qt::UserRole;      // a contents entry's page
constexpr int kLineRole = Qt::UserRole + 1;  // an index line, or a search hit
constexpr int kMaxTyped = 200;               // characters in the keyword and word boxes

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

// A caption that gives its access key to the box below it.
QLabel* Caption(const QString& text, QWidget* buddy) {
  auto* label = new QLabel(text, buddy->parentWidget());
  label->setBuddy(buddy);
  return label;
}

// The topics of a keyword that names several: the user picks one (Enter or
// a double-click), or cancels.
std::optional<int> ChooseTopic(QWidget* parent, const QStringList& titles) {
  // On the heap: whatever closes the help window meanwhile takes the
  // dialog with it.
  QPointer<QDialog> dialog = new QDialog(parent);
  dialog->setObjectName(QStringLiteral("frmTopicsFound"));
  dialog->setWindowTitle(QStringLiteral("Topics Found"));
  dialog->setWindowModality(Qt::WindowModal);
  dialog->setFont(parent->font());
  auto* list = new QListWidget(dialog);
  list->setObjectName(QStringLiteral("lstTopics"));
  list->addItems(titles);
  list->setCurrentRow(0);
  auto* buttons = new QDialogButtonBox(dialog);
  buttons->addButton(QStringLiteral("&Display"), QDialogButtonBox::AcceptRole)->setDefault(true);
  buttons->addButton(QDialogButtonBox::Cancel);
  auto* layout = new QVBoxLayout(dialog);
  layout->addWidget(Caption(QStringLiteral("Choose a &topic:"), list));
  layout->addWidget(list);
  layout->addWidget(buttons);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  QObject::connect(list, &QListWidget::itemActivated, dialog, &QDialog::accept);
  dialog->resize(360, 240);
  const bool accepted = dialog->exec() == QDialog::Accepted;
  if (dialog == nullptr) return std::nullopt;
  const int row = list->currentRow();
  delete dialog.data();
  if (!accepted || row < 0) return std::nullopt;
  return row;
}

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("frmHelp"));
  setWindowTitle(QString::fromLatin1(kTitle));
  resize(900, 640);

  // Created in the order Tab visits them: the tabs, the controls of the tab
  // shown, then the page.
  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("tabNavigation"));

  tree_ = new QTreeWidget(tabs_);
  tree_->setObjectName(QStringLiteral("treeContents"));
  tree_->setHeaderHidden(true);
  tree_->setRootIsDecorated(true);
  tree_->setUniformRowHeights(true);
  tabs_->addTab(tree_, QStringLiteral("&Contents"));

  auto* indexTab = new QWidget(tabs_);
  keyword_ = new QLineEdit(indexTab);
  keyword_->setObjectName(QStringLiteral("txtIndexKeyword"));
  keyword_->setMaxLength(kMaxTyped);
  indexList_ = new QListWidget(indexTab);
  indexList_->setObjectName(QStringLiteral("lstIndex"));
  indexList_->setUniformItemSizes(true);
  auto* showKeyword = new QPushButton(QStringLiteral("&Display"), indexTab);
  showKeyword->setObjectName(QStringLiteral("cmdIndexDisplay"));
  auto* indexLayout = new QVBoxLayout(indexTab);
  indexLayout->addWidget(Caption(QStringLiteral("Type in the &keyword to find:"), keyword_));
  indexLayout->addWidget(keyword_);
  indexLayout->addWidget(indexList_, 1);
  indexLayout->addWidget(showKeyword, 0, Qt::AlignRight);
  tabs_->addTab(indexTab, QStringLiteral("I&ndex"));

  auto* searchTab = new QWidget(tabs_);
  words_ = new QLineEdit(searchTab);
  words_->setObjectName(QStringLiteral("txtSearchWords"));
  words_->setMaxLength(kMaxTyped);
  found_ = new QLabel(searchTab);
  found_->setObjectName(QStringLiteral("lblSearchFound"));
  hitList_ = new QListWidget(searchTab);
  hitList_->setObjectName(QStringLiteral("lstSearchTopics"));
  hitList_->setUniformItemSizes(true);
  auto* showHit = new QPushButton(QStringLiteral("&Display"), searchTab);
  showHit->setObjectName(QStringLiteral("cmdSearchDisplay"));
  auto* searchLayout = new QVBoxLayout(searchTab);
  searchLayout->addWidget(Caption(QStringLiteral("Type in the &word(s) to search for:"), words_));
  searchLayout->addWidget(words_);
  searchLayout->addWidget(found_);
  searchLayout->addWidget(hitList_, 1);
  searchLayout->addWidget(showHit, 0, Qt::AlignRight);
  tabs_->addTab(searchTab, QStringLiteral("&Search"));

  browser_ = new HelpBrowser(this);
  browser_->setObjectName(QStringLiteral("txtPage"));

  auto* splitter = new QSplitter(this);
  splitter->addWidget(tabs_);
  splitter->addWidget(browser_);
  splitter->setChildrenCollapsible(false);
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
  home_ = bar->addAction(QStringLiteral("&Home"));
  home_->setObjectName(QStringLiteral("actHome"));
  home_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Home));

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

  connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) { FocusTab(index); });
  connect(keyword_, &QLineEdit::textChanged, this, [this] { FilterIndexList(); });
  connect(keyword_, &QLineEdit::returnPressed, this,
          [this] { ShowIndexEntry(indexList_->currentItem()); });
  connect(indexList_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { ShowIndexEntry(item); });
  connect(showKeyword, &QPushButton::clicked, this,
          [this] { ShowIndexEntry(indexList_->currentItem()); });
  connect(words_, &QLineEdit::textChanged, this, [this] { RunSearch(); });
  connect(words_, &QLineEdit::returnPressed, this,
          [this] { ShowSearchHit(hitList_->currentItem()); });
  connect(hitList_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { ShowSearchHit(item); });
  connect(showHit, &QPushButton::clicked, this, [this] { ShowSearchHit(hitList_->currentItem()); });
  keyword_->installEventFilter(this);
  words_->installEventFilter(this);
  tabs_->tabBar()->installEventFilter(this);
  tree_->setFocus();
}

HelpWindow::~HelpWindow() = default;

void HelpWindow::SetFile(std::shared_ptr<const ChmFile> file) {
  file_ = std::move(file);
  browser_->SetFile(file_);
  tree_->clear();
  search_.reset();
  indexLines_ = file_ != nullptr ? IndexLines(file_->Index()) : std::vector<IndexLine>();
  FilterIndexList();
  RunSearch();
  if (file_ == nullptr) return;
  FillTree(nullptr, file_->Contents());
  tree_->expandToDepth(0);
  if (!file_->Title().empty()) setWindowTitle(FromHelpText(file_->Title()));
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
  // Keys on the tab bar move along the tabs and leave the focus there.
  if (event->type() == QEvent::KeyPress && watched == tabs_->tabBar()) {
    const QScopedValueRollback<bool> keys(movingAlongTabs_, true);
    return static_cast<QObject*>(tabs_->tabBar())->event(event);
  }
  // Up and Down (and the page keys) in a tab's box move in its list, so that
  // a topic is chosen without leaving the box.
  if (event->type() == QEvent::KeyPress && (watched == keyword_ || watched == words_)) {
    switch (static_cast<QKeyEvent*>(event)->key()) {
      case Qt::Key_Up:
      case Qt::Key_Down:
      case Qt::Key_PageUp:
      case Qt::Key_PageDown:
        QCoreApplication::sendEvent(watched == keyword_ ? indexList_ : hitList_, event);
        return true;
      default:
        break;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void HelpWindow::FocusTab(int index) {
  // A tab chosen by its access key or a click takes the focus to its first
  // control.
  if (movingAlongTabs_) return;
  QWidget* first[] = {tree_, keyword_, words_};
  if (index >= 0 && index < 3) first[index]->setFocus(Qt::TabFocusReason);
}

void HelpWindow::FilterIndexList() {
  indexList_->clear();
  if (indexLines_.empty()) {
    auto* note =
        new QListWidgetItem(file_ == nullptr || file_->IndexFile().empty()
                                ? QStringLiteral("This help file has no index.")
                                : QStringLiteral("The index of this help file cannot be read."),
                            indexList_);
    note->setFlags(Qt::NoItemFlags);
    return;
  }
  // A character the code page lacks matches no keyword: it becomes the
  // substitute control character, which no keyword holds.
  const std::string typed = Utf8ToCp1252Lossy(keyword_->text().toStdString(), '\x1A');
  QListWidgetItem* first = nullptr;
  for (const ShownLine& shown : FilterIndex(indexLines_, typed)) {
    const IndexLine& line = indexLines_[shown.line];
    auto* item = new QListWidgetItem(
        QString(line.level * 4, QLatin1Char(' ')) + FromHelpText(line.name), indexList_);
    item->setData(kLineRole, static_cast<qulonglong>(shown.line));
    if (shown.matches && first == nullptr) first = item;
  }
  if (first != nullptr) {
    indexList_->setCurrentItem(first);
    indexList_->scrollToItem(first, QAbstractItemView::PositionAtTop);
  }
}

void HelpWindow::ShowIndexEntry(QListWidgetItem* item) {
  if (item == nullptr || !item->data(kLineRole).isValid()) return;
  const IndexLine& line = indexLines_[item->data(kLineRole).toULongLong()];
  // One page each, in the index's order.
  std::vector<ChmPageLink> pages;
  for (const ChmPageLink& page : line.pages) {
    const auto same = [&page](const ChmPageLink& p) { return p.local == page.local; };
    if (std::none_of(pages.begin(), pages.end(), same)) pages.push_back(page);
  }
  if (pages.empty()) {
    statusBar()->showMessage(
        QStringLiteral("\"%1\" has no topic of its own.").arg(FromHelpText(line.name)), 8000);
    return;
  }
  std::size_t chosen = 0;
  if (pages.size() > 1) {
    QStringList titles;
    for (const ChmPageLink& page : pages) {
      std::string title = page.title;
      if (title.empty()) title = ReadPageText(file_->Read(page.local).value_or("")).title;
      titles << (title.empty() ? QString::fromStdString(page.local) : FromHelpText(title));
    }
    const std::optional<int> answer = ChooseTopic(this, titles);
    if (!answer) return;
    chosen = static_cast<std::size_t>(*answer);
  }
  if (!ShowPage(pages[chosen].local)) {
    statusBar()->showMessage(QStringLiteral("The page %1 is not in the help file.")
                                 .arg(QString::fromStdString(pages[chosen].local)),
                             8000);
  }
}

void HelpWindow::RunSearch() {
  hitList_->clear();
  hits_.clear();
  const std::string query = Utf8ToCp1252Lossy(words_->text().toStdString(), ' ');
  if (FoldedWords(query).empty() || file_ == nullptr) {
    found_->setText(QStringLiteral("Select topic to display:"));
    return;
  }
  if (!search_) search_ = TopicSearch::Of(*file_);
  hits_ = search_->Find(query);
  for (std::size_t i = 0; i < hits_.size(); ++i) {
    auto* item = new QListWidgetItem(FromHelpText(hits_[i].title), hitList_);
    item->setData(kLineRole, static_cast<qulonglong>(i));
  }
  QString text = hits_.empty()       ? QStringLiteral("No topics found.")
                 : hits_.size() == 1 ? QStringLiteral("1 topic found:")
                                     : QStringLiteral("%1 topics found:").arg(hits_.size());
  if (!search_->Complete()) text += QStringLiteral(" (the help file is too large to search whole)");
  found_->setText(text);
  if (hitList_->count() > 0) hitList_->setCurrentRow(0);
}

void HelpWindow::ShowSearchHit(QListWidgetItem* item) {
  if (item == nullptr) return;
  ShowPage(hits_.at(item->data(kLineRole).toULongLong()).page);
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
