// The help window over the built VRNDL.chm, offscreen: topics by number, the
// contents tree, links, back and forward, pictures, and the message when the
// help file is missing or damaged.
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QMessageBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>
#include <filesystem>
#include <fstream>

#include "app/help/ChmFile.h"
#include "app/help/ChmHelp.h"
#include "app/help/HelpBrowser.h"
#include "app/help/HelpWindow.h"

namespace vorrendal {
namespace {

const std::filesystem::path kHelpFile = std::filesystem::path(VORRENDAL_BIN_DIR) / "VRNDL.chm";

// Closes the next message box that comes up and keeps its text.
class MessageCatcher {
 public:
  void Arm(int attemptsLeft = 100) {
    QTimer::singleShot(20, [this, attemptsLeft] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        text = box->text();
        title = box->windowTitle();
        box->accept();
      } else if (attemptsLeft > 0) {
        Arm(attemptsLeft - 1);
      }
    });
  }
  QString text;
  QString title;
};

// Where a link to href is drawn in the browser's viewport; (-1,-1) if none.
QPoint LinkPoint(QTextBrowser* browser, const QString& href) {
  QTextDocument* doc = browser->document();
  for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (fragment.charFormat().isAnchor() && fragment.charFormat().anchorHref() == href) {
        QTextCursor cursor(doc);
        cursor.setPosition(fragment.position() + fragment.length() / 2);
        browser->setTextCursor(cursor);
        browser->ensureCursorVisible();
        return browser->cursorRect(cursor).center();
      }
    }
  }
  return {-1, -1};
}

QTreeWidgetItem* FindItem(QTreeWidget* tree, const QString& text) {
  const auto items = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
  return items.isEmpty() ? nullptr : items.first();
}

}  // namespace

class HelpWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QVERIFY2(std::filesystem::exists(kHelpFile), kHelpFile.c_str()); }

  void topicNumberShowsItsPage_data() {
    QTest::addColumn<int>("contextId");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("path");
    QTest::newRow("error notice") << 4 << "The error notice and its words" << "/errornotice.htm";
    QTest::newRow("data file") << 101 << "Error Loading Data" << "/dataerror.htm";
    QTest::newRow("template style") << 6001 << "Template Style list" << "/ctl_style.htm";
    QTest::newRow("print") << 6010 << "Print button" << "/ctl_print.htm";
    QTest::newRow("year choice") << 6011 << "Which year?" << "/yearchoice.htm";
    QTest::newRow("year OK") << 6012 << "The OK button of Which year?" << "/yearok.htm";
  }
  void topicNumberShowsItsPage() {
    QFETCH(int, contextId);
    QFETCH(QString, title);
    QFETCH(QString, path);
    ChmHelp help(kHelpFile);
    help.ShowTopic(contextId, nullptr);
    HelpWindow* window = help.Window();
    QVERIFY(window != nullptr);
    QVERIFY(window->isVisible());
    QCOMPARE(window->Browser()->documentTitle(), title);
    QCOMPARE(window->Browser()->source().path(), path);
    QVERIFY(window->windowTitle().startsWith(title));
    // The contents follow the page.
    QTreeWidgetItem* current = window->ContentsTree()->currentItem();
    QVERIFY(current != nullptr);
    QCOMPARE(current->data(0, Qt::UserRole).toString(), path);
    QCOMPARE(current->childCount(), 0);  // the page's own entry, not the heading above it
    QVERIFY(window->Browser()->toPlainText().contains(title));
  }

  void contentsShowTheFirstPageAndTheWholeTree() {
    ChmHelp help(kHelpFile);
    help.ShowContents(nullptr);
    HelpWindow* window = help.Window();
    QVERIFY(window != nullptr);
    QCOMPARE(window->Browser()->documentTitle(), QStringLiteral("Welcome to Vorrendal"));
    QTreeWidget* tree = window->ContentsTree();
    QCOMPARE(tree->topLevelItemCount(), 9);
    QVERIFY(FindItem(tree, "Axle code") != nullptr);
    QVERIFY(FindItem(tree, "What's This?") == nullptr);  // index words are not contents
    QVERIFY(FindItem(tree, "Menus, keys and What's This?") != nullptr);
  }

  void oneWindowServesEveryRequest() {
    ChmHelp help(kHelpFile);
    help.ShowTopic(4, nullptr);
    HelpWindow* first = help.Window();
    help.ShowTopic(6003, nullptr);
    QCOMPARE(help.Window(), first);
    QCOMPARE(first->Browser()->documentTitle(), QStringLiteral("Process button"));
  }

  void linksBackAndForward() {
    ChmHelp help(kHelpFile);
    help.ShowTopic(4, nullptr);
    HelpWindow* window = help.Window();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    HelpBrowser* browser = window->Browser();
    auto* back = window->findChild<QAction*>("actBack");
    auto* forward = window->findChild<QAction*>("actForward");
    QVERIFY(back != nullptr && forward != nullptr);
    QVERIFY(!back->isEnabled());

    const QPoint link = LinkPoint(browser, "dataerror.htm");
    QVERIFY(link.x() >= 0);
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, link);
    QCOMPARE(browser->documentTitle(), QStringLiteral("Error Loading Data"));
    QCOMPARE(browser->source().path(), QStringLiteral("/dataerror.htm"));
    QVERIFY(back->isEnabled());
    QVERIFY(!forward->isEnabled());

    back->trigger();
    QCOMPARE(browser->documentTitle(), QStringLiteral("The error notice and its words"));
    QVERIFY(forward->isEnabled());
    forward->trigger();
    QCOMPARE(browser->documentTitle(), QStringLiteral("Error Loading Data"));

    // A link into a sub-folder and back up again resolves against the page.
    QVERIFY(browser->FollowLink(QUrl("images/../axle.htm#x")));
    QCOMPARE(browser->source().path(), QStringLiteral("/axle.htm"));
    window->findChild<QAction*>("actHome")->trigger();
    QCOMPARE(browser->documentTitle(), QStringLiteral("Welcome to Vorrendal"));

    // Escape closes the window; the next request shows it again, same window.
    QApplication::setActiveWindow(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTest::keyClick(browser, Qt::Key_Escape);
    QVERIFY(!window->isVisible());
    help.ShowTopic(6005, nullptr);
    QCOMPARE(help.Window(), window);
    QVERIFY(window->isVisible());
    QCOMPARE(browser->documentTitle(), QStringLiteral("Append check box"));
  }

  void aLinkToAMissingPageLeavesThePage() {
    ChmHelp help(kHelpFile);
    help.ShowTopic(6004, nullptr);
    HelpWindow* window = help.Window();
    const QUrl before = window->Browser()->source();
    QVERIFY(!window->Browser()->FollowLink(QUrl("no-such-page.htm")));
    QCOMPARE(window->Browser()->source(), before);
    QVERIFY(window->statusBar()->currentMessage().contains("/no-such-page.htm"));
  }

  void clickingTheContentsShowsThePage() {
    ChmHelp help(kHelpFile);
    help.ShowContents(nullptr);
    HelpWindow* window = help.Window();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTreeWidget* tree = window->ContentsTree();
    QTreeWidgetItem* item = FindItem(tree, "Axle code");
    QVERIFY(item != nullptr);
    tree->scrollToItem(item);
    const QRect rect = tree->visualItemRect(item);
    QVERIFY(rect.isValid());
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, rect.center());
    QCOMPARE(window->Browser()->documentTitle(), QStringLiteral("Axle code"));
  }

  void picturesAndStyleSheetComeFromTheFile() {
    ChmHelp help(kHelpFile);
    help.ShowContents(nullptr);
    HelpBrowser* browser = help.Window()->Browser();
    QVERIFY(help.Window()->ShowPage("/style62.htm"));
    const QVariant picture = browser->loadResource(QTextDocument::ImageResource, QUrl("images/plate62.png"));
    const QImage image = QImage::fromData(picture.toByteArray());
    QVERIFY(!image.isNull());
    QCOMPARE(image.size(), QSize(606, 186));
    const QVariant css = browser->loadResource(QTextDocument::StyleSheetResource, QUrl("help.css"));
    QVERIFY(css.toString().contains("h1"));
    QVERIFY(!browser->loadResource(QTextDocument::ImageResource, QUrl("images/none.png")).isValid());
    // The page itself uses the picture: the document holds an image by that name.
    bool found = false;
    for (QTextBlock block = browser->document()->begin(); block.isValid() && !found; block = block.next()) {
      for (auto it = block.begin(); !it.atEnd(); ++it) {
        if (it.fragment().charFormat().isImageFormat() &&
            it.fragment().charFormat().toImageFormat().name() == "images/plate62.png") {
          found = true;
        }
      }
    }
    QVERIFY(found);
  }

  void helpWindowBelongsToTheWindowThatAsked() {
    ChmHelp help(kHelpFile);
    QWidget main;
    main.show();
    QDialog dialog(&main);
    dialog.show();
    help.ShowTopic(6011, &dialog);
    QCOMPARE(help.Window()->parentWidget(), static_cast<QWidget*>(&dialog));
    QVERIFY(help.Window()->isWindow());
    help.ShowTopic(4, &main);
    QCOMPARE(help.Window()->parentWidget(), &main);
    QVERIFY(help.Window()->isVisible());
    QCOMPARE(help.Window()->Browser()->documentTitle(), QStringLiteral("The error notice and its words"));
  }

  // The Help button of a modal message asks for a page on behalf of the main
  // window: the page must be usable while the message is up, and stay open
  // after it closes.
  void helpAskedFromBehindAModalMessageStaysUsable() {
    ChmHelp help(kHelpFile);
    QWidget main;
    main.show();
    QPointer<HelpWindow> duringModal;
    QWidget* parentDuringModal = nullptr;
    QDialog message(&main);
    QTimer::singleShot(0, [&] {
      help.ShowTopic(101, &main);
      duringModal = help.Window();
      parentDuringModal = duringModal->parentWidget();
      message.accept();
    });
    message.exec();
    QVERIFY(duringModal != nullptr);
    QCOMPARE(parentDuringModal, static_cast<QWidget*>(&message));
    QCOMPARE(help.Window(), duringModal.data());
    QCOMPARE(help.Window()->parentWidget(), &main);
    QVERIFY(help.Window()->isVisible());
    QCOMPARE(help.Window()->Browser()->documentTitle(), QStringLiteral("Error Loading Data"));
  }

  void badHelpFileGivesAMessageAndChangesNothing_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("create");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << QByteArray() << false << "was not found";
    QTest::newRow("empty") << QByteArray() << true << "cannot be read";
    QTest::newRow("not a help file") << QByteArray(5000, 'x') << true << "cannot be read";
  }
  void badHelpFileGivesAMessageAndChangesNothing() {
    QFETCH(QByteArray, content);
    QFETCH(bool, create);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const std::filesystem::path file = std::filesystem::path(dir.path().toStdString()) / "VRNDL.chm";
    if (create) std::ofstream(file, std::ios::binary).write(content.constData(), content.size());

    QWidget owner;
    owner.setWindowTitle("owner");
    owner.show();
    ChmHelp help(file);
    for (int request = 0; request < 2; ++request) {
      MessageCatcher catcher;
      catcher.Arm();
      if (request == 0) help.ShowTopic(4, &owner);
      else help.ShowContents(&owner);
      QCOMPARE(catcher.title, QStringLiteral("Vorrendal Help"));
      QVERIFY2(catcher.text.contains(reason), qPrintable(catcher.text));
      QVERIFY(catcher.text.contains(QString::fromStdString(file.string())));
      QVERIFY(help.Window() == nullptr);
      QVERIFY(owner.isVisible());
    }
    // Once the file is put right, help works without a restart.
    std::filesystem::copy_file(kHelpFile, file, std::filesystem::copy_options::overwrite_existing);
    help.ShowTopic(101, &owner);
    QVERIFY(help.Window() != nullptr);
    QCOMPARE(help.Window()->Browser()->documentTitle(), QStringLiteral("Error Loading Data"));
  }

  void unknownTopicNumberIsReported() {
    ChmHelp help(kHelpFile);
    for (int id : {9999, 0, -4}) {
      MessageCatcher catcher;
      catcher.Arm();
      help.ShowTopic(id, nullptr);
      QVERIFY2(catcher.text.contains(QStringLiteral("no topic number %1").arg(id)), qPrintable(catcher.text));
      QVERIFY(help.Window() == nullptr);
    }
  }
};

}  // namespace vorrendal

QTEST_MAIN(vorrendal::HelpWindowTest)
#include "HelpWindowTest.moc"
