#pragma once
// The help window: the help file's table of contents on the left, the page
// on the right, and Back, Forward and Contents on a tool bar.

#include <QMainWindow>
#include <memory>
#include <string>

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
  const ChmFile* File() const;

  // Shows a page of the file by its path; false when the file lacks it.
  bool ShowPage(const std::string& path);
  // Shows the file's first page.
  bool ShowDefault();

  HelpBrowser* Browser() const { return browser_; }
  QTreeWidget* ContentsTree() const { return tree_; }

 private:
  void FillTree(QTreeWidgetItem* parent, const std::vector<ChmTopicEntry>& entries);
  void OnSourceChanged(const QUrl& url);
  void OnItemActivated(QTreeWidgetItem* item);

  std::shared_ptr<const ChmFile> file_;
  QTreeWidget* tree_;
  HelpBrowser* browser_;
  QAction* back_;
  QAction* forward_;
  QAction* home_;
  bool syncingTree_ = false;
};

}  // namespace vorrendal
