// The help window over the built VRNDL.chm, offscreen, alone and as the
// program's windows use it, and a missing or damaged help file.
#include <QAction>
#include <QPushButton>
#include <QStatusBar>
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
    std::set<int> used{frmMain::kErrorNoticeTopic, GuiPrompter::kDataLoadHelpTopic}, topics;
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
