// The help window over the built VRNDL.chm, offscreen, alone and as the
// program's windows use it, and a missing or damaged help file.
#include <QtTest>
#include <QtWidgets>
#include <fstream>
#include <set>

#include "app/AppTestSupport.h"
#include "app/frmCorrectYearSelect.h"
#include "app/help/ChmHelp.h"
#include "app/help/HelpBrowser.h"
#include "app/help/HelpWindow.h"

namespace vorrendal {
namespace {

const std::filesystem::path kHelpFile = std::filesystem::path(VORRENDAL_BIN_DIR) / "VRNDL.chm";

// The page of each topic the program opens by number.
const std::map<int, QString> kPages{
    {IDH_ERROR_NOTICE, "/errornotice.htm"}, {IDH_DATA_LOAD_ERROR, "/dataerror.htm"},
    {IDH_TEMPLATE_STYLE, "/ctl_style.htm"}, {IDH_PLATE_BOXES, "/ctl_plate.htm"},
    {IDH_PROCESS, "/ctl_process.htm"},      {IDH_CLEAR, "/ctl_clear.htm"},
    {IDH_APPEND, "/ctl_append.htm"},        {IDH_DROP_BUTTON, "/ctl_drop.htm"},
    {IDH_REPORT_BOX, "/ctl_report.htm"},    {IDH_COPY_TEXT, "/ctl_copy.htm"},
    {IDH_SAVE_AS, "/ctl_saveas.htm"},       {IDH_PRINT, "/ctl_print.htm"},
    {IDH_YEAR_CHOICE, "/yearchoice.htm"},   {IDH_YEAR_OK, "/yearok.htm"},
    {IDH_CODE_TABLES, "/codetables.htm"}};

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
    for (int i = 0; i < kPlateFieldCount; ++i)
      window.SetPlateCode(static_cast<PlateField>(i), codes.value(i));
    window.Process();
  }
  HelpWindow* Help() const { return help.Window(); }
  QString Page() const { return Help() ? Help()->Browser()->source().path() : QString(); }
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
    return testing::Find<T>(*window, name);
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

  // Each topic shows its page in the one help window, titled after it, the
  // contents on the page's own entry rather than the heading above it.
  void topicShowsItsPage_data() {
    QTest::addColumn<int>("topic");
    for (const auto& [topic, page] : kPages) QTest::newRow(qPrintable(page)) << topic;
  }
  void topicShowsItsPage() {
    QFETCH(int, topic);
    ChmHelp help(kHelpFile);
    help.ShowTopic(topic, nullptr);
    HelpWindow* window = help.Window();
    QVERIFY(window != nullptr && window->isVisible());
    const QTreeWidgetItem* current = window->ContentsTree()->currentItem();
    const bool leaf = current != nullptr && current->childCount() == 0;
    const QString entry = leaf ? current->data(0, Qt::UserRole).toString() : QString();
    QCOMPARE(window->Browser()->source().path() + u'|' + entry + u'|' + window->windowTitle(),
             QStringLiteral("%1|%1|%2 - Vorrendal Help")
                 .arg(kPages.at(topic), window->Browser()->documentTitle()));
  }

  // The numbers the program's windows carry or open are the topics above.
  void programOpensOnlyTopicsOfTheFile() {
    ProgramWithHelp p;
    frmCorrectYearSelect question(&p.window);
    p.window.ShowCodeTables();
    std::set<int> used{IDH_ERROR_NOTICE, IDH_DATA_LOAD_ERROR};
    for (QWidget* w : p.window.findChildren<QWidget*>())
      if (w->property("helpContextId").isValid()) used.insert(w->property("helpContextId").toInt());
    std::set<int> topics;
    for (const auto& [topic, page] : kPages) topics.insert(topic);
    QCOMPARE(used, topics);
  }

  // In the main window the "Error Notice." link opens its page, in a help
  // window that belongs to the main window and speaks in its face.
  void errorNoticeLinkOpensItsPage() {
    ProgramWithHelp p;
    p.Decode({"5Z31V100001", "52A", "A", "A1", "12A", "21", "1", "1"});  // an unknown plant
    QTest::mouseClick(testing::Find(p.window, "lblErrorNotice"), Qt::LeftButton, {}, QPoint(4, 4));
    QCOMPARE(p.Page(), kPages.at(IDH_ERROR_NOTICE));
    QCOMPARE(p.Help()->parentWidget(), &p.window);
    QCOMPARE(p.Help()->font(), p.window.font());
  }

  // What's This on a control of the main window opens its topic.
  void whatsThisOpensTheControlsTopic_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("topic");
    const std::pair<const char*, int> controls[] = {{"cboTemplateStyle", IDH_TEMPLATE_STYLE},
                                                    {"Label10", IDH_TEMPLATE_STYLE},
                                                    {"txtSerialNumber", IDH_PLATE_BOXES},
                                                    {"lblAxle", IDH_PLATE_BOXES},
                                                    {"cmdProcess", IDH_PROCESS},
                                                    {"cmdClearSerial", IDH_CLEAR},
                                                    {"chkAppend", IDH_APPEND},
                                                    {"picDropDescription", IDH_DROP_BUTTON},
                                                    {"txtDescription", IDH_REPORT_BOX},
                                                    {"cmdCopyText", IDH_COPY_TEXT},
                                                    {"cmdSaveAs", IDH_SAVE_AS},
                                                    {"cmdPrint", IDH_PRINT},
                                                    {"grdCodes", IDH_CODE_TABLES}};
    for (const auto& [control, topic] : controls) QTest::newRow(control) << control << topic;
  }
  void whatsThisOpensTheControlsTopic() {
    QFETCH(QString, control);
    QFETCH(int, topic);
    ProgramWithHelp p;
    p.Decode({"5A31V100001", "52A", "A", "A1", "12A", "21", "1", "1"});  // the panel open
    if (topic == IDH_CODE_TABLES) p.window.ShowCodeTables();
    testing::Find<QAction>(p.window, "mnuHelpWhatsThis")->trigger();
    QTest::mouseClick(testing::Find(p.window, control), Qt::LeftButton, {}, QPoint(3, 3));
    QTRY_COMPARE(p.Page(), kPages.at(topic));
    QTRY_VERIFY(!QWhatsThis::inWhatsThisMode());
  }

  // Links, back and forward; links and pictures resolve against the page,
  // and a page the file lacks leaves the page as it was, with a note.
  void linksBackAndForward() {
    ActiveHelp h;
    HelpBrowser* browser = h.window->Browser();
    auto* back = h.Find<QAction>("actBack");
    auto* forward = h.Find<QAction>("actForward");
    QVERIFY(!back->isEnabled());
    emit browser->anchorClicked(QUrl("dataerror.htm"));  // a click on a link of the page
    QCOMPARE(h.Page(), QStringLiteral("/dataerror.htm"));
    QVERIFY(back->isEnabled() && !forward->isEnabled());
    back->trigger();
    QCOMPARE(h.Page(), QStringLiteral("/index.htm"));
    forward->trigger();
    QCOMPARE(h.Page(), QStringLiteral("/dataerror.htm"));
    QVERIFY(browser->FollowLink(QUrl("images/../style62.htm#x")));
    QVERIFY(!browser->FollowLink(QUrl("no-such-page.htm")));
    QCOMPARE(h.Page(), QStringLiteral("/style62.htm"));
    QVERIFY(h.window->statusBar()->currentMessage().contains("/no-such-page.htm"));
    const QVariant png =
        browser->loadResource(QTextDocument::ImageResource, QUrl("images/plate62.png"));
    QCOMPARE(QImage::fromData(png.toByteArray()).size(), QSize(606, 186));
  }

  // Home shows the first page, a click in the contents any page; Escape
  // closes the window and the next request shows the same one again.
  void contentsHomeAndEscape() {
    ActiveHelp h;
    QTreeWidget* tree = h.window->ContentsTree();
    QCOMPARE(tree->topLevelItemCount(), 9);
    emit tree->itemClicked(
        tree->findItems("Axle code", Qt::MatchExactly | Qt::MatchRecursive).value(0), 0);
    QCOMPARE(h.Page(), QStringLiteral("/axle.htm"));
    h.Find<QAction>("actHome")->trigger();
    QCOMPARE(h.window->Browser()->documentTitle(), QStringLiteral("Welcome to Vorrendal"));
    QTest::keyClick(h.window->Browser(), Qt::Key_Escape);
    QVERIFY(!h.window->isVisible());
    h.help.ShowContents(nullptr);
    QVERIFY(h.help.Window() == h.window && h.window->isVisible());
  }

  // A modal window only lends itself, so the page can be used meanwhile and
  // stays open after it: a message whose Help button asks for the main
  // window, and the year question asking for itself (the answer goes on).
  void modalWindowOnlyLendsTheHelp() {
    ProgramWithHelp p;
    QWidget* parentDuringModal = nullptr;
    QDialog message(&p.window);
    QTimer::singleShot(0, [&] {
      p.help.ShowTopic(IDH_DATA_LOAD_ERROR, &p.window);
      parentDuringModal = p.Help()->parentWidget();
      message.accept();
    });
    message.exec();
    QCOMPARE(parentDuringModal, &message);
    QVERIFY(p.Help()->parentWidget() == &p.window && p.Help()->isVisible());
    testing::ModalDriver driver;
    QString page;
    driver.Then([&](QWidget* question) {
      QWhatsThis::enterWhatsThisMode();
      QTest::mouseClick(testing::Find(*question, "cmdOK"), Qt::LeftButton, {}, QPoint(3, 3));
      QTest::qWait(20);
      if (p.Help()->parentWidget() == question) page = p.Page();
      testing::AnswerYear(1)(question);
    });
    p.Decode({"2A31V100001", "52A", "A", "A1", "", "21", "1", "1"});
    QVERIFY(driver.Done() && driver.Unexpected().isEmpty());
    QCOMPARE(page, kPages.at(IDH_YEAR_OK));
    QVERIFY(testing::Find<QPlainTextEdit>(p.window, "txtDescription")
                ->toPlainText()
                .contains("Year (2) = 1972"));
    QCOMPARE(p.Help()->parentWidget(), &p.window);
    QVERIFY(p.Help()->isWindow() && p.Help()->isVisible());
  }

  // A window that is not modal keeps the help window it asked for.
  void belongsToTheWindowThatAsked() {
    ProgramWithHelp p;
    QDialog dialog(&p.window);
    dialog.show();
    p.help.ShowTopic(IDH_YEAR_CHOICE, &dialog);
    QCOMPARE(p.Help()->parentWidget(), &dialog);
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
        auto* list = testing::Find<QListWidget>(*modal, "lstTopics");
        for (int i = 0; i < list->count(); ++i) topics << list->item(i)->text();
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
  // matches first, case and accents aside) and Enter shows the chosen one.
  void searchListsAndEnterShows_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("downs");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("page");
    const auto row = [](const char* name, const QString& typed, int downs, const char* first,
                        const char* page) {
      QTest::newRow(name) << typed << downs << first << page;
    };
    row("the title match first", "slashed ZERO", 0, "Axle code", "/axle.htm");
    row("accents typed", QString::fromUtf8("CR\u00c8ME"), 0, "Code tables", "/codetables.htm");
    row("the second, chosen with Down", "axle code", 1, "Axle code", "/codetables.htm");
    row("nothing found", "xylophone", 0, "", "/index.htm");
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

  // A double-click in the Index or Search list shows the topic too.
  void doubleClickShows_data() {
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("list");
    QTest::newRow("Index") << 1 << "txtIndexKeyword"
                           << "lstIndex";
    QTest::newRow("Search") << 2 << "txtSearchWords"
                            << "lstSearchTopics";
  }
  void doubleClickShows() {
    QFETCH(int, tab);
    QFETCH(QString, box);
    QFETCH(QString, list);
    ActiveHelp h;
    h.Find<QTabWidget>("tabNavigation")->setCurrentIndex(tab);
    QTest::keyClicks(h.Find(qPrintable(box)), "trim code");
    auto* view = h.Find<QListWidget>(qPrintable(list));
    const QPoint row = view->visualItemRect(view->item(0)).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, row);  // as a double-click begins
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, row);
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
    help.ShowTopic(IDH_ERROR_NOTICE, nullptr);
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
