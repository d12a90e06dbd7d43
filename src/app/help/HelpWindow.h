#pragma once
// The help window: Contents, Index and Search tabs on the left, the page on
// the right, and Back, Forward and Home on a tool bar. Every tab works from
// the keyboard: Alt+C, Alt+N and Alt+S open them, Up and Down choose in a
// list while typing in the box above it, Enter shows the chosen topic.

#include <QMainWindow>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "help/HelpSearch.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;
class QAction;
class QUrl;

namespace vorrendal {

class ChmFile;
struct ChmTopicEntry;
class HelpBrowser;

class HelpWindow final : public QMainWindow {
  Q_OBJECT
 public:
  static constexpr const char* kTitle = "Vorrendal Help";

  explicit HelpWindow(QWidget* parent = nullptr);
  ~HelpWindow() override;

  // Shows the pages of this file from now on (the history starts afresh).
  void SetFile(std::shared_ptr<const ChmFile> file);

  // Shows a page of the file by its path; false when the file lacks it.
  bool ShowPage(const std::string& path);
  // Shows the file's first page.
  bool ShowDefault();

  HelpBrowser* Browser() const { return browser_; }
  QTreeWidget* ContentsTree() const { return tree_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FillTree(QTreeWidgetItem* parent, const std::vector<ChmTopicEntry>& entries);
  void OnSourceChanged(const QUrl& url);
  void OnItemActivated(QTreeWidgetItem* item);
  void FilterIndexList();
  void ShowIndexEntry(QListWidgetItem* item);
  void RunSearch();
  void ShowSearchHit(QListWidgetItem* item);
  void FocusTab(int index);

  std::shared_ptr<const ChmFile> file_;
  QTabWidget* tabs_;
  QTreeWidget* tree_;
  QLineEdit* keyword_;
  QListWidget* indexList_;
  QLineEdit* words_;
  QLabel* found_;
  QListWidget* hitList_;
  HelpBrowser* browser_;
  QAction* back_;
  QAction* forward_;
  QAction* home_;
  bool syncingTree_ = false;
  bool movingAlongTabs_ = false;
  std::vector<IndexLine> indexLines_;
  std::optional<TopicSearch> search_;  // indexed on the first search
  std::vector<TopicSearch::Hit> hits_;
};

}  // namespace vorrendal
