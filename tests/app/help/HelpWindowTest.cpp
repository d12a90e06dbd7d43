// The help window over the built VRNDL.chm, offscreen, alone and as the
// program's windows use it, and a missing or damaged help file.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QWhatsThis>
#include <fstream>
#include <set>

#include "app/AppTestSupport.h"
#include "app/LinkLabel.h"
#include "app/help/ChmHelp.h"
#include "app/help/HelpBrowser.h"
#include "app/help/HelpWindow.h"

namespace vorrendal {
namespace {

const std::filesystem::path kHelpFile = std::filesystem::path(VORRENDAL_BIN_DIR) / "VRNDL.chm";

// Every topic number the program opens, with its page and that page's title.
const struct Topic {
  int id;
  const char *page, *title;
} kTopics[] = {
    {4, "/errornotice.htm", "The error notice and its words"},
    {101, "/dataerror.htm", "Error Loading Data"},
    {6001, "/ctl_style.htm", "Template Style list"},
    {6002, "/ctl_plate.htm", "The plate boxes"},
    {6003, "/ctl_process.htm", "Process button"},
    {6004, "/ctl_clear.htm", "Clear button"},
    {6005, "/ctl_append.htm", "Append check box"},
    {6006, "/ctl_drop.htm", "Report drop button"},
    {6007, "/ctl_report.htm", "Report box"},
    {6008, "/ctl_copy.htm", "Copy button"},
    {6009, "/ctl_saveas.htm", "Save As button"},
    {6010, "/ctl_print.htm", "Print button"},
    {6011, "/yearchoice.htm", "Which year?"},
    {6012, "/yearok.htm", "The OK button of Which year?"},
};

// The main window over in-memory data with the real help, which outlives it.
struct ProgramWithHelp {
  ProgramWithHelp()
      : window(help,
               [] { return std::make_unique<testing::MemoryDataReader>(testing::PlateData()); }) {
    window.show();
    QApplication::setActiveWindow(&window);
    (void)QTest::qWaitForWindowActive(&window);
  }
  void Decode(const QStringList& codes) {
    for (qsizetype i = 0; i < codes.size(); ++i) window.PlateBoxList()[i]->setText(codes[i]);
    window.Process();
  }
  QString PageTitle() const {
    return help.Window() ? help.Window()->Browser()->documentTitle() : QString();
  }
  ChmHelp help{kHelpFile};
  frmMain window;
};

// The help window alone, shown and active, its focus on the page.
struct ActiveHelp {
  ActiveHelp() {
    help.ShowContents(nullptr);
    window = help.Window();
    QApplication::setActiveWindow(window);
    (void)QTest::qWaitForWindowActive(window);
    window->Browser()->setFocus();
  }
  template <typename T = QWidget>
  T* Find(const char* name) const {
    return window->findChild<T*>(name);
  }
  QString Page() const { return window->Browser()->source().path(); }
  ChmHelp help{kHelpFile};
  HelpWindow* window = nullptr;
};

// Types into a box, presses Down in it so often, then Enter.
void TypeChooseAndEnter(QWidget* box, const QString& text, int downs) {
  QTest::keyClicks(box, text);
  for (int i = 0; i < downs; ++i) QTest::keyClick(box, Qt::Key_Down);
  QTest::keyClick(box, Qt::Key_Return);
}

}  // namespace

class HelpWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { QWhatsThis::leaveWhatsThisMode(); }

  // The numbers the program uses (its windows' controls' and the two it opens
  // itself) are the file's topics; each shows its page in the one help window,
  // titled after it, the contents on the page's own entry rather than the
  // heading above it. In the main window the "Error Notice." link opens topic
  // 4, and What's This on each control its topic.
  void topicsOfTheProgram() {
    ProgramWithHelp p;
    frmCorrectYearSelect question(&p.window);
    std::set<int> used{IDH_ERROR_NOTICE, GuiPrompter::kDataLoadHelpTopic}, topics;
    for (QWidget* w : p.window.findChildren<QWidget*>())
      used.insert(w->property("helpContextId").toInt());
    used.erase(0);  // no number
    for (const Topic& topic : kTopics) {
      topics.insert(topic.id);
      p.help.ShowTopic(topic.id, nullptr);
      HelpWindow* window = p.help.Window();
      QVERIFY2(window != nullptr && window->isVisible(), topic.page);
      const QTreeWidgetItem* current = window->ContentsTree()->currentItem();
      const bool leaf = current != nullptr && current->childCount() == 0;
      const QString entry = leaf ? current->data(0, Qt::UserRole).toString() : QString();
      QCOMPARE(window->Browser()->source().path() + u'|' + entry + u'|' + window->windowTitle(),
               QStringLiteral("%1|%1|%2 - Vorrendal Help").arg(topic.page, topic.title));
    }
    QCOMPARE(used, topics);
    p.Decode(
        {"5Z31V100001", "52A", "A", "A1", "12A", "21", "1", "1"});  // a plant without description
    QTest::mouseClick(p.window.lblErrorNotice, Qt::LeftButton, {}, QPoint(4, 4));
    QCOMPARE(p.PageTitle(), QStringLiteral("The error notice and its words"));
    QCOMPARE(p.help.Window()->parentWidget(), &p.window);
    const std::pair<const char*, int> controls[] = {
        {"cboTemplateStyle", 6001}, {"txtSerialNumber", 6002},    {"Label10", 6001},
        {"lblAxle", 6002},          {"cmdProcess", 6003},         {"cmdClearSerial", 6004},
        {"chkAppend", 6005},        {"picDropDescription", 6006}, {"txtDescription", 6007},
        {"cmdCopyText", 6008},      {"cmdSaveAs", 6009},          {"cmdPrint", 6010},
    };
    for (const auto& [control, id] : controls) {
      auto* widget = p.window.findChild<QWidget*>(control);
      QVERIFY2(widget != nullptr && widget->isVisible(), control);
      p.window.mnuHelpWhatsThis->trigger();
      QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(3, 3));
      const auto has = [id](const Topic& topic) { return topic.id == id; };
      QTRY_COMPARE(p.PageTitle(),
                   QString(std::find_if(std::begin(kTopics), std::end(kTopics), has)->title));
      QTRY_VERIFY(!QWhatsThis::inWhatsThisMode());
    }
  }

  // The help window speaks in the face of the program's window that asks.
  void inTheProgramsFace() {
    ProgramWithHelp p;
    p.help.ShowTopic(4, &p.window);
    QCOMPARE(p.help.Window()->font(), p.window.font());
  }

  // One help window: links, back and forward, pictures, the contents and
  // Escape. It belongs to the window that asked; a modal window only lends
  // itself, so that the page can be used meanwhile and stays open after it:
  // a message whose Help button asks on behalf of the main window, and the
  // year question asking for itself through What's This (the answer goes on).
  void oneHelpWindow() {
    ProgramWithHelp p;
    p.help.ShowTopic(4, nullptr);
    HelpWindow* window = p.help.Window();
    HelpBrowser* browser = window->Browser();
    auto* back = window->findChild<QAction*>("actBack");
    auto* forward = window->findChild<QAction*>("actForward");
    QVERIFY(back != nullptr && forward != nullptr && !back->isEnabled());
    emit browser->anchorClicked(QUrl("dataerror.htm"));  // a click on a link of the page
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
    const QVariant png =
        browser->loadResource(QTextDocument::ImageResource, QUrl("images/plate62.png"));
    QCOMPARE(QImage::fromData(png.toByteArray()).size(), QSize(606, 186));
    // The Contents button shows the first page, the tree any page.
    window->findChild<QAction*>("actHome")->trigger();
    QCOMPARE(browser->documentTitle(), QStringLiteral("Welcome to Vorrendal"));
    QTreeWidget* tree = window->ContentsTree();
    QCOMPARE(tree->topLevelItemCount(), 9);
    emit tree->itemClicked(
        tree->findItems("Axle code", Qt::MatchExactly | Qt::MatchRecursive).value(0), 0);
    QCOMPARE(browser->documentTitle(), QStringLiteral("Axle code"));
    // Escape closes the window; the next request shows the same one again.
    QApplication::setActiveWindow(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTest::keyClick(browser, Qt::Key_Escape);
    QVERIFY(!window->isVisible());
    p.help.ShowContents(nullptr);
    QVERIFY(p.help.Window() == window && window->isVisible());
    QWidget* parentDuringModal = nullptr;
    QDialog message(&p.window);
    QTimer::singleShot(0, [&] {
      p.help.ShowTopic(101, &p.window);
      parentDuringModal = p.help.Window()->parentWidget();
      message.accept();
    });
    message.exec();
    QCOMPARE(parentDuringModal, static_cast<QWidget*>(&message));
    QVERIFY(p.help.Window()->parentWidget() == &p.window && p.help.Window()->isVisible());
    QDialog dialog(&p.window);
    dialog.show();  // not modal
    p.help.ShowTopic(6011, &dialog);
    QCOMPARE(p.help.Window()->parentWidget(), static_cast<QWidget*>(&dialog));
    testing::ModalDriver driver;
    QString page;
    driver.Then([&](QWidget* modal) {
      auto* question = qobject_cast<frmCorrectYearSelect*>(modal);
      QVERIFY(question != nullptr);
      QWhatsThis::enterWhatsThisMode();
      QTest::mouseClick(question->cmdOK, Qt::LeftButton, {}, QPoint(3, 3));
      QTest::qWait(20);
      if (p.help.Window()->parentWidget() == question) page = p.PageTitle();
      question->optYear2->click();
      question->cmdOK->click();
    });
    p.Decode({"2A31V100001", "52A", "A", "A1", "", "21", "1", "1"});
    QVERIFY(driver.Done() && driver.Unexpected().isEmpty());
    QCOMPARE(page, QStringLiteral("The OK button of Which year?"));
    QVERIFY(p.window.txtDescription->toPlainText().contains("Year (2) = 1972"));
    QCOMPARE(p.help.Window()->parentWidget(), &p.window);
    QVERIFY(p.help.Window()->isWindow() && p.help.Window()->isVisible());
  }

  // Alt+C, Alt+N and Alt+S open the tabs with the focus in their first
  // control, which comes right after the tabs; Tab then visits the tab's
  // controls and goes on to the page.
  void tabsByKeyboard_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QStringList>("focusChain");
    QTest::newRow("Contents") << int(Qt::Key_C) << QStringList{"treeContents", "txtPage"};
    QTest::newRow("Index") << int(Qt::Key_N)
                           << QStringList{"txtIndexKeyword", "lstIndex", "cmdIndexDisplay",
                                          "txtPage"};
    QTest::newRow("Search") << int(Qt::Key_S)
                            << QStringList{"txtSearchWords", "lstSearchTopics", "cmdSearchDisplay",
                                           "txtPage"};
  }
  void tabsByKeyboard() {
    QFETCH(int, key);
    QFETCH(QStringList, focusChain);
    ActiveHelp h;
    auto* tabs = h.Find<QTabWidget>("tabNavigation");
    tabs->setCurrentIndex(key == Qt::Key_C ? 2 : 0);  // start on another tab
    h.window->Browser()->setFocus();
    QTest::keyClick(h.window, Qt::Key(key), Qt::AltModifier);
    QStringList chain{QApplication::focusWidget()->objectName()};
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);  // back to the tabs, and on
    QVERIFY(QApplication::focusWidget() == tabs->tabBar());
    for (int i = 0; i < focusChain.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      chain << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(chain, QStringList{focusChain.first()} + focusChain);
  }

  // Typing in the Index box narrows the list to the keywords that begin with
  // it (with the keywords they stand under or over), Down moves in the
  // list from the box, and Enter shows the keyword's page; a keyword of
  // several topics asks which one.
  void indexFiltersAndEnterShows_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("downs");
    QTest::addColumn<int>("listed");
    QTest::addColumn<int>("choose");  // the row picked in Topics Found, or -1
    QTest::addColumn<QString>("page");
    QTest::newRow("one keyword") << "AXLE c" << 0 << 2 << -1 << "/axle.htm";
    QTest::newRow("a sub-keyword, chosen with Down")
        << "report" << 1 << 7 << -1 << "/ctl_report.htm";
    QTest::newRow("the match, not the keyword above it")
        << "layouts" << 0 << 2 << -1 << "/styles.htm";
    QTest::newRow("several topics, the second chosen") << "incorr" << 0 << 1 << 1 << "/codes.htm";
  }
  void indexFiltersAndEnterShows() {
    QFETCH(QString, typed);
    QFETCH(int, downs);
    QFETCH(int, listed);
    QFETCH(int, choose);
    QFETCH(QString, page);
    ActiveHelp h;
    QTest::keyClick(h.window, Qt::Key_N, Qt::AltModifier);
    testing::ModalDriver driver;
    QStringList topics;
    if (choose >= 0) {
      driver.Then([&](QWidget* modal) {
        auto* list = modal->findChild<QListWidget*>("lstTopics");
        for (int i = 0; list != nullptr && i < list->count(); ++i) topics << list->item(i)->text();
        for (int i = 0; i < choose; ++i) QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
      });
    }
    QTest::keyClicks(h.Find("txtIndexKeyword"), typed);
    QCOMPARE(h.Find<QListWidget>("lstIndex")->count(), listed);
    TypeChooseAndEnter(h.Find("txtIndexKeyword"), QString(), downs);
    QCOMPARE(h.Page(), page);
    QVERIFY(driver.Done() && driver.Unexpected().isEmpty());
    QCOMPARE(topics.size(), choose >= 0 ? 2 : 0);
  }

  // Typing in the Search box lists the topics that hold the words (title
  // matches first, case and accents aside) and Enter shows the chosen one;
  // a double-click does the same.
  void searchListsAndEnterShows_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("downs");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("page");
    QTest::newRow("the title match first") << "slashed ZERO" << 0 << "Axle code"
                                           << "/axle.htm";
    QTest::newRow("accents typed")
        << QString::fromUtf8("CR\u00c8ME") << 0 << "Menus, keys and What's This?"
        << "/menus.htm";
    QTest::newRow("the second, chosen with Down") << "axle code" << 1 << "Axle code"
                                                  << "/codes.htm";
    QTest::newRow("nothing found") << "xylophone" << 0 << ""
                                   << "/index.htm";
  }
  void searchListsAndEnterShows() {
    QFETCH(QString, typed);
    QFETCH(int, downs);
    QFETCH(QString, first);
    QFETCH(QString, page);
    ActiveHelp h;
    QTest::keyClick(h.window, Qt::Key_S, Qt::AltModifier);
    auto* list = h.Find<QListWidget>("lstSearchTopics");
    QTest::keyClicks(h.Find("txtSearchWords"), typed);
    QCOMPARE(list->count() > 0 ? list->item(0)->text() : QString(), first);
    QCOMPARE(h.Find<QLabel>("lblSearchFound")->text().startsWith("No topics"), first.isEmpty());
    TypeChooseAndEnter(h.Find("txtSearchWords"), QString(), downs);
    QCOMPARE(h.Page(), page);
  }

  void doubleClickShows_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("list");
    QTest::newRow("Index") << "txtIndexKeyword"
                           << "lstIndex";
    QTest::newRow("Search") << "txtSearchWords"
                            << "lstSearchTopics";
  }
  void doubleClickShows() {
    QFETCH(QString, box);
    QFETCH(QString, list);
    ActiveHelp h;
    h.Find<QTabWidget>("tabNavigation")->setCurrentIndex(box == "txtIndexKeyword" ? 1 : 2);
    QTest::keyClicks(h.window->findChild<QWidget*>(box), "trim code");
    auto* view = h.window->findChild<QListWidget*>(list);
    const QRect row = view->visualItemRect(view->item(0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      row.center());  // as a double-click begins
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, row.center());
    QCOMPARE(h.Page(), QStringLiteral("/trim.htm"));
  }

  // A missing or damaged help file gives a message naming the file and its
  // fault, for the contents as for a topic, and no window; once put right,
  // help works without a restart, and a number that is no topic is a message.
  void badHelpFileGivesAMessageAndNoWindow() {
    QTemporaryDir dir;
    const std::filesystem::path file =
        std::filesystem::path(dir.path().toStdString()) / "VRNDL.chm";
    ChmHelp help(file);
    QString seen[3];
    testing::ModalDriver driver;
    for (QString& s : seen) driver.Then(testing::Press(QMessageBox::Ok, &s));
    help.ShowContents(nullptr);
    std::ofstream(file, std::ios::binary) << "This is not a help file.";
    help.ShowTopic(4, nullptr);
    QVERIFY(help.Window() == nullptr);
    QVERIFY(seen[0].startsWith("Vorrendal Help|") &&
            seen[0].contains("The help file was not found."));
    QVERIFY(seen[1].startsWith("Vorrendal Help|") &&
            seen[1].contains("it is not a compiled help file"));
    QVERIFY(seen[0].contains(dir.path()) && seen[1].contains(dir.path()));
    std::filesystem::copy_file(kHelpFile, file, std::filesystem::copy_options::overwrite_existing);
    help.ShowTopic(9999, nullptr);
    QVERIFY2(seen[2].contains("no topic number 9999"), qPrintable(seen[2]));
    help.ShowContents(nullptr);
    QVERIFY(help.Window() != nullptr && help.Window()->isVisible());
  }
};

}  // namespace vorrendal

QTEST_MAIN(vorrendal::HelpWindowTest)
#include "HelpWindowTest.moc"
