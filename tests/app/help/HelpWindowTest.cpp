// The help window over the built VRNDL.chm, alone and as the windows use it.
#include <set>

#include "app/AppTestSupport.h"
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
  QString Page() const { return window->Browser()->source().path(); }
  // Opens a tab by its access key and types where the focus lands.
  QWidget* TypeInTab(Qt::Key key, const QString& text) const {
    QTest::keyClick(window, key, Qt::AltModifier);
    QTest::keyClicks(QApplication::focusWidget(), text);
    return QApplication::focusWidget();
  }
  ChmHelp help{kHelpFile};
  HelpWindow* window = nullptr;
};

// Presses Down in a box so often, then Enter.
void ChooseAndEnter(QWidget* box, int downs) {
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

  // In a help window owned by the main window.
  void errorNoticeLinkOpensItsPage() {
    ProgramWithHelp p;
    p.window.SetPlateCode(PlateField::Serial, "5Z31V100001");  // an unknown plant
    p.window.Process();
    QTest::mouseClick(Find(p.window, "lblErrorNotice"), Qt::LeftButton, {}, QPoint(4, 4));
    QCOMPARE(p.Page(), PageOf(IDH_ERROR_NOTICE));
    QCOMPARE(p.Help()->parentWidget(), &p.window);
  }

  // In the main window and in another one.
  void whatsThisOpensTheControlsTopic_data() { Rows({"cboTemplateStyle", "grdCodes"}); }
  void whatsThisOpensTheControlsTopic() {
    const QString control = Fields()[0];
    const int topic = control == u"grdCodes" ? IDH_CODE_TABLES : IDH_TEMPLATE_STYLE;
    ProgramWithHelp p;
    if (topic == IDH_CODE_TABLES) p.window.ShowCodeTables();
    Find<QAction>(p.window, "mnuHelpWhatsThis")->trigger();
    QTest::mouseClick(Find(p.window, control), Qt::LeftButton, {}, QPoint(3, 3));
    QTRY_COMPARE(p.Page(), PageOf(topic));
    QTRY_VERIFY(!QWhatsThis::inWhatsThisMode());
  }

  // A page the file lacks leaves the page as it was, with a note.
  void linksAndBack() {
    ActiveHelp h;
    HelpBrowser* browser = h.window->Browser();
    emit browser->anchorClicked(QUrl("dataerror.htm"));  // a click on a link of the page
    QCOMPARE(h.Page(), QStringLiteral("/dataerror.htm"));
    Find<QAction>(*h.window, "actBack")->trigger();
    QCOMPARE(h.Page(), QStringLiteral("/index.htm"));
    QVERIFY(browser->FollowLink(QUrl("images/../style62.htm#x")));
    QVERIFY(!browser->FollowLink(QUrl("no-such-page.htm")));
    QCOMPARE(h.Page(), QStringLiteral("/style62.htm"));
    QVERIFY(h.window->statusBar()->currentMessage().contains("/no-such-page.htm"));
  }

  void contentsEntryShowsItsPage() {
    ActiveHelp h;
    QTreeWidget* tree = h.window->ContentsTree();
    emit tree->itemClicked(
        tree->findItems("Axle code", Qt::MatchExactly | Qt::MatchRecursive).value(0), 0);
    QCOMPARE(h.Page(), QStringLiteral("/axle.htm"));
  }

  // Reached by Alt+N: keywords that begin with the text; one of several topics asks which. Rows:
  // "typed|keywords listed|the row picked in Topics Found, or -1|page".
  void indexFiltersAndEnterShows_data() {
    Rows({"AXLE c|2|-1|/axle.htm", "incorr|1|1|/codes.htm"});
  }
  void indexFiltersAndEnterShows() {
    const QStringList r = Fields();
    const int choose = r[2].toInt();
    ActiveHelp h;
    ModalDriver driver;
    int topics = 0;
    if (choose >= 0) {
      driver.Then([&](QWidget* modal) {
        auto* list = Find<QListWidget>(*modal, "lstTopics");
        topics = list->count();
        ChooseAndEnter(list, choose);
      });
    }
    QWidget* box = h.TypeInTab(Qt::Key_N, r[0]);
    QCOMPARE(Find<QListWidget>(*h.window, "lstIndex")->count(), r[1].toInt());
    ChooseAndEnter(box, 0);
    QCOMPARE(h.Page(), r[3]);
    QVERIFY(driver.Done() && driver.Unexpected().isEmpty());
    QCOMPARE(topics, choose >= 0 ? 2 : 0);
  }

  // Reached by Alt+S: title matches first, the second of them shown.
  void searchListsAndEnterShows() {
    ActiveHelp h;
    ChooseAndEnter(h.TypeInTab(Qt::Key_S, QStringLiteral("axle code")), 1);
    QCOMPARE(h.Page(), QStringLiteral("/codetables.htm"));
  }

  void badHelpFileGivesAMessageAndNoWindow() {
    QTemporaryDir dir;
    ChmHelp help(std::filesystem::path(dir.path().toStdString()) / "VRNDL.chm");
    QString seen;
    ModalDriver driver;
    driver.Then(Press(QMessageBox::Ok, &seen));
    help.ShowTopic(IDH_ERROR_NOTICE, nullptr);
    QVERIFY(help.Window() == nullptr);
    QVERIFY2(seen.startsWith("Vorrendal Help|") && seen.contains(dir.path()) &&
                 seen.contains("The help file was not found."),
             qPrintable(seen));
  }
};

}  // namespace vorrendal

QTEST_MAIN(vorrendal::HelpWindowTest)
#include "HelpWindowTest.moc"
