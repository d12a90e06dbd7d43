// The help window over the built VRNDL.chm, alone and as the windows use it.
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

// The topics the program opens by number.
const std::set<int> kTopics{
    IDH_ERROR_NOTICE, IDH_DATA_LOAD_ERROR, IDH_TEMPLATE_STYLE, IDH_PLATE_BOXES,
    IDH_PROCESS,      IDH_CLEAR,           IDH_APPEND,         IDH_DROP_BUTTON,
    IDH_REPORT_BOX,   IDH_COPY_TEXT,       IDH_SAVE_AS,        IDH_PRINT,
    IDH_YEAR_CHOICE,  IDH_YEAR_OK,         IDH_CODE_TABLES,    IDH_BATCH};

// The page a help of its own shows for a topic.
QString PageOf(int topic) {
  ChmHelp help(kHelpFile);
  help.ShowTopic(topic, nullptr);
  return help.Window() ? help.Window()->Browser()->source().path() : QString();
}

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

  // The contents on the page's own entry, not the heading above it.
  void topicShowsItsPage_data() {
    QTest::addColumn<int>("topic");
    for (const int topic : kTopics) QTest::newRow(qPrintable(QString::number(topic))) << topic;
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
    const QString page = window->Browser()->source().path();
    QVERIFY(page != QStringLiteral("/index.htm"));
    QCOMPARE(
        page + u'|' + entry + u'|' + window->windowTitle(),
        QStringLiteral("%1|%1|%2 - Vorrendal Help").arg(page, window->Browser()->documentTitle()));
  }

  // The numbers the program's windows carry or open are the topics above.
  void programOpensOnlyTopicsOfTheFile() {
    ProgramWithHelp p;
    frmCorrectYearSelect question(&p.window);
    p.window.ShowCodeTables();
    std::set<int> used{IDH_ERROR_NOTICE, IDH_DATA_LOAD_ERROR, IDH_BATCH};
    for (QWidget* w : p.window.findChildren<QWidget*>())
      if (w->property("helpContextId").isValid()) used.insert(w->property("helpContextId").toInt());
    QCOMPARE(used, kTopics);
  }

  void eachTopicHasItsOwnPage() {
    std::set<QString> pages;
    for (const int topic : kTopics) pages.insert(PageOf(topic));
    QCOMPARE(pages.size(), kTopics.size());
  }

  // In a help window owned by the main window, in its face.
  void errorNoticeLinkOpensItsPage() {
    ProgramWithHelp p;
    p.Decode({"5Z31V100001", "52A", "A", "A1", "12A", "21", "1", "1"});  // an unknown plant
    QTest::mouseClick(testing::Find(p.window, "lblErrorNotice"), Qt::LeftButton, {}, QPoint(4, 4));
    QCOMPARE(p.Page(), PageOf(IDH_ERROR_NOTICE));
    QCOMPARE(p.Help()->parentWidget(), &p.window);
    QCOMPARE(p.Help()->font(), p.window.font());
  }

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
    QTRY_COMPARE(p.Page(), PageOf(topic));
    QTRY_VERIFY(!QWhatsThis::inWhatsThisMode());
  }

  // A page the file lacks leaves the page as it was, with a note.
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

  // Escape closes the window; the next request shows the same one again.
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

  // A message asking for the main window; the year question for itself.
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
    QCOMPARE(page, PageOf(IDH_YEAR_OK));
    QVERIFY(testing::Find<QPlainTextEdit>(p.window, "txtDescription")
                ->toPlainText()
                .contains("Year (2) = 1972"));
    QCOMPARE(p.Help()->parentWidget(), &p.window);
    QVERIFY(p.Help()->isWindow() && p.Help()->isVisible());
  }

  void belongsToTheWindowThatAsked() {
    ProgramWithHelp p;
    QDialog dialog(&p.window);
    dialog.show();
    p.help.ShowTopic(IDH_YEAR_CHOICE, &dialog);
    QCOMPARE(p.Help()->parentWidget(), &dialog);
  }

  // The first control right after the tabs; Tab goes on to the page.
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

  // Keywords that begin with the text; a keyword of several topics asks which.
  void indexFiltersAndEnterShows_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("downs");
    QTest::addColumn<int>("listed");
    QTest::addColumn<int>("choose");  // the row picked in Topics Found, or -1
    QTest::addColumn<QString>("page");
    QTest::newRow("one keyword") << "AXLE c" << 0 << 2 << -1 << "/axle.htm";
    QTest::newRow("a sub-keyword, by Down") << "report" << 1 << 7 << -1 << "/ctl_report.htm";
    QTest::newRow("not the keyword above") << "layouts" << 0 << 2 << -1 << "/styles.htm";
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

  // Title matches first, case and accents aside.
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

  void doubleClickShows_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("list");
    QTest::newRow("Index") << "txtIndexKeyword" << 1 << "lstIndex";
    QTest::newRow("Search") << "txtSearchWords" << 2 << "lstSearchTopics";
  }
  void doubleClickShows() {
    QFETCH(QString, box);
    QFETCH(int, tab);
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

  // Once put right, help works without a restart.
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
