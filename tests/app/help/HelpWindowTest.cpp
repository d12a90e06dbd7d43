// The help window over the built VRNDL.chm, offscreen, alone and as the
// program's windows use it, and a missing or damaged help file.
#include <QAction>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QWhatsThis>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <set>

#include "app/AppTestSupport.h"
#include "app/GuiPrompter.h"
#include "app/LinkLabel.h"
#include "app/help/ChmFile.h"
#include "app/help/ChmHelp.h"
#include "app/help/HelpBrowser.h"
#include "app/help/HelpWindow.h"

namespace vorrendal {
namespace {

using testing::ModalDriver;
const std::filesystem::path kHelpFile = std::filesystem::path(VORRENDAL_BIN_DIR) / "VRNDL.chm";

// The main window over in-memory data with the real help, which outlives it.
struct ProgramWithHelp {
  ProgramWithHelp()
      : window(help, [] { return std::make_unique<testing::MemoryDataReader>(testing::PlateData()); }) {
    window.show();
    QApplication::setActiveWindow(&window);
    (void)QTest::qWaitForWindowActive(&window);
  }
  void Decode(const QStringList& codes) {
    for (qsizetype i = 0; i < codes.size(); ++i) window.PlateBoxList()[i]->setText(codes[i]);
    window.Process();
  }
  QString PageTitle() const { return help.Window() ? help.Window()->Browser()->documentTitle() : QString(); }

  ChmHelp help{kHelpFile};
  frmMain window;
};

}  // namespace

class HelpWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QVERIFY2(std::filesystem::exists(kHelpFile), kHelpFile.c_str()); }
  void cleanup() { QWhatsThis::leaveWhatsThisMode(); }

  // Every number the program uses (its controls' and the two it opens itself)
  // is a topic of the file and shows its page in the one help window, the
  // contents on the page's own entry rather than the heading above it.
  void everyTopicTheProgramUsesShowsItsPage() {
    std::string error;
    const auto chm = ChmFile::Open(kHelpFile, error);
    QVERIFY2(chm != nullptr, error.c_str());
    testing::RecordingHelp recording;
    frmMain main(recording);
    frmCorrectYearSelect question(&main);
    std::set<int> used{frmMain::kErrorNoticeTopic, GuiPrompter::kDataLoadHelpTopic}, topics;
    for (QWidget* w : main.findChildren<QWidget*>()) used.insert(w->property("helpContextId").toInt());
    used.erase(0);  // no number
    for (const auto& [id, page] : chm->ContextMap()) topics.insert(static_cast<int>(id));
    QCOMPARE(used, topics);

    ChmHelp help(kHelpFile);
    HelpWindow* window = (help.ShowTopic(6003, nullptr), help.Window());
    for (int id : used) {
      help.ShowTopic(id, nullptr);
      const QString page = QString::fromStdString(chm->TopicOf(static_cast<std::uint32_t>(id)));
      const QString title = window->Browser()->documentTitle();
      const QTreeWidgetItem* current = window->ContentsTree()->currentItem();
      QVERIFY(help.Window() == window && window->isVisible());
      QCOMPARE(window->Browser()->source().path(), page);
      QVERIFY(!title.isEmpty() && window->windowTitle().startsWith(title));
      QVERIFY(current != nullptr && current->childCount() == 0);
      QCOMPARE(current->data(0, Qt::UserRole).toString(), page);
    }
    QString seen;
    ModalDriver driver;
    driver.Then(testing::NoteAndPress(&seen, QMessageBox::Ok));
    help.ShowTopic(9999, window);
    QVERIFY2(seen.contains("no topic number 9999"), qPrintable(seen));
  }

  // Links, back and forward, pictures, the contents, and Escape in one window.
  void browsing() {
    ChmHelp help(kHelpFile);
    help.ShowTopic(4, nullptr);
    HelpWindow* window = help.Window();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    HelpBrowser* browser = window->Browser();
    auto* back = window->findChild<QAction*>("actBack");
    auto* forward = window->findChild<QAction*>("actForward");
    QVERIFY(back != nullptr && forward != nullptr && !back->isEnabled());
    QTextCursor link = browser->document()->find("Error Loading Data");  // the link's text
    link.setPosition(link.selectionStart() + 3);
    browser->setTextCursor(link);
    browser->ensureCursorVisible();
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, browser->cursorRect().center());
    QCOMPARE(browser->source().path(), QStringLiteral("/dataerror.htm"));
    QVERIFY(back->isEnabled() && !forward->isEnabled());
    back->trigger();
    QCOMPARE(browser->documentTitle(), QStringLiteral("The error notice and its words"));
    forward->trigger();
    QCOMPARE(browser->documentTitle(), QStringLiteral("Error Loading Data"));
    // Links and pictures resolve against the page; a missing page leaves it.
    QVERIFY(browser->FollowLink(QUrl("images/../style62.htm#x")));
    QVERIFY(!browser->FollowLink(QUrl("no-such-page.htm")));
    QCOMPARE(browser->source().path(), QStringLiteral("/style62.htm"));
    QVERIFY(window->statusBar()->currentMessage().contains("/no-such-page.htm"));
    const QVariant png = browser->loadResource(QTextDocument::ImageResource, QUrl("images/plate62.png"));
    QCOMPARE(QImage::fromData(png.toByteArray()).size(), QSize(606, 186));
    // The Contents button shows the first page, the tree any page.
    window->findChild<QAction*>("actHome")->trigger();
    QCOMPARE(browser->documentTitle(), QStringLiteral("Welcome to Vorrendal"));
    QTreeWidget* tree = window->ContentsTree();
    QCOMPARE(tree->topLevelItemCount(), 9);
    const auto items = tree->findItems("Axle code", Qt::MatchExactly | Qt::MatchRecursive);
    tree->scrollToItem(items.value(0));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(items.value(0)).center());
    QCOMPARE(browser->documentTitle(), QStringLiteral("Axle code"));
    // Escape closes the window; the next request shows the same one again.
    QApplication::setActiveWindow(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTest::keyClick(browser, Qt::Key_Escape);
    QVERIFY(!window->isVisible());
    help.ShowContents(nullptr);
    QVERIFY(help.Window() == window && window->isVisible());
  }

  // The help window belongs to the window that asked. A modal message (whose
  // Help button asks on behalf of the main window) only lends itself, so that
  // the page can be used meanwhile and stays open after it.
  void helpBelongsToTheWindowThatAsked() {
    ChmHelp help(kHelpFile);
    QWidget main;
    main.show();
    QWidget* parentDuringModal = nullptr;
    QDialog message(&main);
    QTimer::singleShot(0, [&] {
      help.ShowTopic(101, &main);
      parentDuringModal = help.Window()->parentWidget();
      message.accept();
    });
    message.exec();
    QCOMPARE(parentDuringModal, static_cast<QWidget*>(&message));
    QCOMPARE(help.Window()->parentWidget(), &main);
    QVERIFY(help.Window()->isVisible());
    QDialog dialog(&main);
    dialog.show();  // not modal
    help.ShowTopic(6011, &dialog);
    QCOMPARE(help.Window()->parentWidget(), static_cast<QWidget*>(&dialog));
    help.ShowTopic(4, &main);
    QCOMPARE(help.Window()->parentWidget(), &main);
    QVERIFY(help.Window()->isWindow() && help.Window()->isVisible());
  }

  // In the main window the "Error Notice." link opens topic 4, and What's This
  // on each control its topic.
  void mainWindowHelp() {
    ProgramWithHelp p;
    p.Decode({"5Z31V100001", "52A", "A", "A1", "12A", "21", "1", "1"});  // a plant without description
    QTest::mouseClick(p.window.lblErrorNotice, Qt::LeftButton, {}, QPoint(4, 4));
    QCOMPARE(p.PageTitle(), QStringLiteral("The error notice and its words"));
    QCOMPARE(p.help.Window()->parentWidget(), &p.window);
    const char* const controls[][2] = {
        {"cboTemplateStyle", "Template Style list"}, {"txtSerialNumber", "The plate boxes"},
        {"Label10", "Template Style list"},          {"lblAxle", "The plate boxes"},
        {"cmdProcess", "Process button"},            {"cmdClearSerial", "Clear button"},
        {"chkAppend", "Append check box"},           {"picDropDescription", "Report drop button"},
        {"txtDescription", "Report box"},            {"cmdCopyText", "Copy button"},
        {"cmdSaveAs", "Save As button"},             {"cmdPrint", "Print button"},
    };
    for (const auto& [control, title] : controls) {
      auto* widget = p.window.findChild<QWidget*>(control);
      QVERIFY2(widget != nullptr && widget->isVisible(), control);
      p.window.mnuHelpWhatsThis->trigger();
      QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(3, 3));
      QTRY_COMPARE(p.PageTitle(), QString(title));
      QTRY_VERIFY(!QWhatsThis::inWhatsThisMode());
    }
  }

  // What's This in the modal year question shows a page usable meanwhile;
  // the answer still goes on and the page stays open with the main window.
  void whatsThisInTheYearQuestion() {
    ProgramWithHelp p;
    ModalDriver driver;
    QString page;
    driver.Then([&](QWidget* modal) {
      auto* question = qobject_cast<frmCorrectYearSelect*>(modal);
      if (question == nullptr) return modal->close(), void();
      QWhatsThis::enterWhatsThisMode();
      QTest::mouseClick(question->cmdOK, Qt::LeftButton, {}, QPoint(3, 3));
      QTest::qWait(20);
      if (p.help.Window() != nullptr && p.help.Window()->parentWidget() == question) page = p.PageTitle();
      question->optYear2->click();
      question->cmdOK->click();
    });
    p.Decode({"2A31V100001", "52A", "A", "A1", "", "21", "1", "1"});
    QVERIFY(driver.Done() && driver.Unexpected().isEmpty());
    QCOMPARE(page, QStringLiteral("The OK button of Which year?"));
    QVERIFY(p.window.txtDescription->toPlainText().contains("Year (2) = 1972"));
    QVERIFY(p.help.Window()->isVisible());
    QCOMPARE(p.help.Window()->parentWidget(), &p.window);
  }

  // A missing, then a damaged help file gives a message naming the file and no
  // window; once put right, help works without a restart.
  void badHelpFileGivesAMessageAndNoWindow() {
    QTemporaryDir dir;
    const std::filesystem::path file = std::filesystem::path(dir.path().toStdString()) / "VRNDL.chm";
    ChmHelp help(file);
    for (const char* reason : {"The help file was not found.", "it is not a compiled help file"}) {
      QString seen[2];
      ModalDriver driver;
      for (QString& s : seen) driver.Then(testing::NoteAndPress(&s, QMessageBox::Ok));
      help.ShowContents(nullptr);
      help.ShowTopic(4, nullptr);
      for (const QString& s : seen) {
        QVERIFY2(s.startsWith("Vorrendal Help|") && s.contains(reason) && s.contains(dir.path()), qPrintable(s));
      }
      QVERIFY(help.Window() == nullptr);
      std::ofstream(file, std::ios::binary) << "This is not a help file.";
    }
    std::filesystem::copy_file(kHelpFile, file, std::filesystem::copy_options::overwrite_existing);
    help.ShowContents(nullptr);
    QVERIFY(help.Window() != nullptr && help.Window()->isVisible());
  }
};

}  // namespace vorrendal

QTEST_MAIN(vorrendal::HelpWindowTest)
#include "HelpWindowTest.moc"
