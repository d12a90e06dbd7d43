// The help window over the built VRNDL.chm, offscreen, alone and as the
// program's windows use it: topics by number, contents, links, back and
// forward, pictures, What's This, help asked from modal windows, and the
// message when the help file is missing or damaged.
#include <QAction>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextBlock>
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
using testing::Press;

const std::filesystem::path kHelpFile = std::filesystem::path(VORRENDAL_BIN_DIR) / "VRNDL.chm";
const QStringList kGoodPlate{"5A31V100001", "52A", "A", "A1", "12A", "21", "1", "1"};

// The main window over in-memory data with the real help, declared first so
// that it outlives the window, as in the program.
struct ProgramWithHelp {
  explicit ProgramWithHelp(std::filesystem::path helpFile = kHelpFile, std::string failingYear = {})
      : help(std::move(helpFile)), window(help, [failingYear] {
          auto data = std::make_unique<testing::MemoryDataReader>(testing::PlateData());
          if (!failingYear.empty()) data->SetFailing(failingYear);
          return data;
        }) {
    window.show();
    QApplication::setActiveWindow(&window);
    (void)QTest::qWaitForWindowActive(&window);
  }
  void Decode(const QStringList& codes) {
    const QList<QLineEdit*> boxes = window.PlateBoxList();
    for (qsizetype i = 0; i < boxes.size(); ++i) boxes[i]->setText(i < codes.size() ? codes[i] : QString());
    window.Process();
  }
  QString PageTitle() const { return help.Window() ? help.Window()->Browser()->documentTitle() : QString(); }

  ChmHelp help;
  frmMain window;
};

// Keeps "title|text" of the message box that came up and closes it.
ModalDriver::Action Note(QStringList* seen) {
  return [seen](QWidget* modal) {
    if (auto* box = qobject_cast<QMessageBox*>(modal)) *seen << box->windowTitle() + "|" + box->text();
    Press(modal, QMessageBox::Ok);
  };
}

// Where a link to href is drawn in the browser's viewport; (-1,-1) if none.
QPoint LinkPoint(QTextBrowser* browser, const QString& href) {
  for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      if (it.fragment().charFormat().anchorHref() != href) continue;
      QTextCursor cursor(browser->document());
      cursor.setPosition(it.fragment().position() + it.fragment().length() / 2);
      browser->setTextCursor(cursor);
      browser->ensureCursorVisible();
      return browser->cursorRect(cursor).center();
    }
  }
  return {-1, -1};
}

}  // namespace

class HelpWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QVERIFY2(std::filesystem::exists(kHelpFile), kHelpFile.c_str()); }
  void cleanup() {
    if (QWhatsThis::inWhatsThisMode()) QWhatsThis::leaveWhatsThisMode();
  }

  // Every numbered topic in one window, with the contents on the page's own
  // entry rather than the heading above it; an unknown number is reported.
  void everyTopicShowsItsPageInOneWindow() {
    std::string error;
    const auto chm = ChmFile::Open(kHelpFile, error);
    QVERIFY2(chm != nullptr, error.c_str());
    ChmHelp help(kHelpFile);
    help.ShowTopic(6003, nullptr);
    HelpWindow* window = help.Window();
    for (const auto& [id, page] : chm->ContextMap()) {
      help.ShowTopic(static_cast<int>(id), nullptr);
      QCOMPARE(help.Window(), window);
      QVERIFY(window->isVisible());
      QCOMPARE(window->Browser()->source().path(), QString::fromStdString(page));
      const QString title = window->Browser()->documentTitle();
      QVERIFY(!title.isEmpty() && window->windowTitle().startsWith(title));
      const QTreeWidgetItem* current = window->ContentsTree()->currentItem();
      QVERIFY(current != nullptr && current->childCount() == 0);
      QCOMPARE(current->data(0, Qt::UserRole).toString(), QString::fromStdString(page));
    }
    QStringList seen;
    ModalDriver driver;
    driver.Then(Note(&seen));
    help.ShowTopic(9999, window);
    QCOMPARE(seen.size(), 1);
    QVERIFY2(seen[0].contains("no topic number 9999"), qPrintable(seen[0]));
  }

  void contentsFirstPageTreeAndPictures() {
    ProgramWithHelp p;
    p.window.mnuHelpHelpContents->trigger();
    QCOMPARE(p.PageTitle(), QStringLiteral("Welcome to Vorrendal"));
    HelpWindow* window = p.help.Window();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTreeWidget* tree = window->ContentsTree();
    QCOMPARE(tree->topLevelItemCount(), 9);
    const auto items = tree->findItems("Axle code", Qt::MatchExactly | Qt::MatchRecursive);
    QCOMPARE(items.size(), 1);
    tree->scrollToItem(items[0]);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(items[0]).center());
    QCOMPARE(p.PageTitle(), QStringLiteral("Axle code"));

    HelpBrowser* browser = window->Browser();
    QVERIFY(window->ShowPage("/style62.htm"));
    const QVariant png = browser->loadResource(QTextDocument::ImageResource, QUrl("images/plate62.png"));
    QCOMPARE(QImage::fromData(png.toByteArray()).size(), QSize(606, 186));
    QVERIFY(browser->loadResource(QTextDocument::StyleSheetResource, QUrl("help.css")).toString().contains("h1"));
    QVERIFY(!browser->loadResource(QTextDocument::ImageResource, QUrl("images/none.png")).isValid());
  }

  void linksBackAndForward() {
    ChmHelp help(kHelpFile);
    help.ShowTopic(4, nullptr);
    HelpWindow* window = help.Window();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    HelpBrowser* browser = window->Browser();
    auto* back = window->findChild<QAction*>("actBack");
    auto* forward = window->findChild<QAction*>("actForward");
    QVERIFY(back != nullptr && forward != nullptr && !back->isEnabled());
    const QPoint link = LinkPoint(browser, "dataerror.htm");
    QVERIFY(link.x() >= 0);
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, link);
    QCOMPARE(browser->source().path(), QStringLiteral("/dataerror.htm"));
    QVERIFY(back->isEnabled() && !forward->isEnabled());
    back->trigger();
    QCOMPARE(browser->documentTitle(), QStringLiteral("The error notice and its words"));
    QVERIFY(forward->isEnabled());
    forward->trigger();
    QCOMPARE(browser->documentTitle(), QStringLiteral("Error Loading Data"));

    // Links resolve against the page; one to a missing page leaves it shown.
    QVERIFY(browser->FollowLink(QUrl("images/../axle.htm#x")));
    QCOMPARE(browser->source().path(), QStringLiteral("/axle.htm"));
    QVERIFY(!browser->FollowLink(QUrl("no-such-page.htm")));
    QCOMPARE(browser->source().path(), QStringLiteral("/axle.htm"));
    QVERIFY(window->statusBar()->currentMessage().contains("/no-such-page.htm"));
    window->findChild<QAction*>("actHome")->trigger();
    QCOMPARE(browser->documentTitle(), QStringLiteral("Welcome to Vorrendal"));

    // Escape closes the window; the next request shows the same one again.
    QApplication::setActiveWindow(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTest::keyClick(browser, Qt::Key_Escape);
    QVERIFY(!window->isVisible());
    help.ShowTopic(6005, nullptr);
    QCOMPARE(help.Window(), window);
    QVERIFY(window->isVisible());
  }

  // The help window belongs to the window that asked. A modal message whose
  // Help button asks on behalf of the main window only lends itself, so that
  // the page can be used meanwhile and stays open after it.
  void helpBelongsToTheWindowThatAsked() {
    ChmHelp help(kHelpFile);
    QWidget main;
    main.show();
    QDialog dialog(&main);
    dialog.show();
    help.ShowTopic(6011, &dialog);
    QCOMPARE(help.Window()->parentWidget(), static_cast<QWidget*>(&dialog));
    help.ShowTopic(4, &main);
    QCOMPARE(help.Window()->parentWidget(), &main);
    QVERIFY(help.Window()->isWindow());
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
    QCOMPARE(help.Window()->Browser()->documentTitle(), QStringLiteral("Error Loading Data"));
  }

  void errorNoticeLinkOpensTopic4() {
    ProgramWithHelp p;
    p.Decode({"5Z31V100001", "52A", "A", "A1", "12A", "21", "1", "1"});  // a plant without description
    QVERIFY(p.window.lblErrorNotice->isVisible());
    QTest::mouseClick(p.window.lblErrorNotice, Qt::LeftButton, {}, QPoint(4, 4));
    QVERIFY(p.help.Window() != nullptr && p.help.Window()->isVisible());
    QCOMPARE(p.PageTitle(), QStringLiteral("The error notice and its words"));
    QCOMPARE(p.help.Window()->parentWidget(), &p.window);
  }

  void whatsThisShowsTheControlsPage_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("title");
    QTest::newRow("template list") << "cboTemplateStyle" << "Template Style list";
    QTest::newRow("its caption") << "Label10" << "Template Style list";
    QTest::newRow("serial box") << "txtSerialNumber" << "The plate boxes";
    QTest::newRow("axle caption") << "lblAxle" << "The plate boxes";
    QTest::newRow("process") << "cmdProcess" << "Process button";
    QTest::newRow("clear") << "cmdClearSerial" << "Clear button";
    QTest::newRow("append") << "chkAppend" << "Append check box";
    QTest::newRow("drop button") << "picDropDescription" << "Report drop button";
    QTest::newRow("report box") << "txtDescription" << "Report box";
    QTest::newRow("copy") << "cmdCopyText" << "Copy button";
    QTest::newRow("save as") << "cmdSaveAs" << "Save As button";
    QTest::newRow("print") << "cmdPrint" << "Print button";
  }
  void whatsThisShowsTheControlsPage() {
    QFETCH(QString, control);
    QFETCH(QString, title);
    ProgramWithHelp p;
    p.Decode(kGoodPlate);  // opens the report panel, so its controls can be clicked
    auto* widget = p.window.findChild<QWidget*>(control);
    QVERIFY(widget != nullptr && widget->isVisible());
    p.window.mnuHelpWhatsThis->trigger();
    QVERIFY(QWhatsThis::inWhatsThisMode());
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(3, 3));
    QTRY_COMPARE(p.PageTitle(), title);
    QTRY_VERIFY(!QWhatsThis::inWhatsThisMode());
  }

  // What's This in the modal year question shows a page usable meanwhile;
  // the answer still goes on and the page stays open with the main window.
  void whatsThisInTheYearQuestion() {
    ProgramWithHelp p;
    ModalDriver driver;
    QString page;
    QWidget* owner = nullptr;
    driver.Then([&](QWidget* modal) {
      auto* question = qobject_cast<frmCorrectYearSelect*>(modal);
      if (question == nullptr) return modal->close(), void();
      QWhatsThis::enterWhatsThisMode();
      QTest::mouseClick(question->cmdOK, Qt::LeftButton, {}, QPoint(3, 3));
      QTest::qWait(20);
      page = p.PageTitle();
      owner = p.help.Window() != nullptr ? p.help.Window()->parentWidget() : nullptr;
      question->optYear2->click();
      question->cmdOK->click();
    });
    p.Decode({"2A31V100001", "52A", "A", "A1", "", "21", "1", "1"});
    QVERIFY(driver.Done() && driver.Unexpected().isEmpty());
    QCOMPARE(page, QStringLiteral("The OK button of Which year?"));
    QVERIFY(qobject_cast<frmCorrectYearSelect*>(owner) != nullptr);
    QVERIFY(p.window.txtDescription->toPlainText().contains("Year (2) = 1972"));
    QVERIFY(p.help.Window()->isVisible());
    QCOMPARE(p.help.Window()->parentWidget(), &p.window);
  }

  void helpButtonOfTheDataLoadMessage() {
    ProgramWithHelp p(kHelpFile, "65");
    ModalDriver driver;
    QString pageWhileMessageUp;
    driver.Then([](QWidget* modal) { Press(modal, QMessageBox::Help); });
    driver.Then([&](QWidget* modal) {
      if (modal->windowTitle() == "Error Loading Data") pageWhileMessageUp = p.PageTitle();
      Press(modal, QMessageBox::Ok);
    });
    p.Decode(kGoodPlate);
    QVERIFY(driver.Done() && driver.Unexpected().isEmpty());
    QCOMPARE(pageWhileMessageUp, QStringLiteral("Error Loading Data"));
    QVERIFY(p.help.Window()->isVisible());
    QCOMPARE(p.help.Window()->parentWidget(), &p.window);
  }

  void badHelpFileGivesAMessageAndChangesNothing_data() {
    QTest::addColumn<QByteArray>("content");  // null: no file at all
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << QByteArray() << "The help file was not found.";
    QTest::newRow("empty") << QByteArray("") << "cannot be read";
    QTest::newRow("not a help file") << QByteArray(5000, 'x') << "cannot be read";
  }
  void badHelpFileGivesAMessageAndChangesNothing() {
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const std::filesystem::path file = std::filesystem::path(dir.path().toStdString()) / "VRNDL.chm";
    if (!content.isNull()) std::ofstream(file, std::ios::binary).write(content.constData(), content.size());
    ProgramWithHelp p(file);
    p.Decode(kGoodPlate);
    const QString report = p.window.txtDescription->toPlainText();
    const QSize size = p.window.size();
    QStringList seen;
    ModalDriver driver;
    driver.Then(Note(&seen));
    driver.Then(Note(&seen));
    p.window.mnuHelpHelpContents->trigger();
    p.window.lblErrorNotice->show();
    QTest::mouseClick(p.window.lblErrorNotice, Qt::LeftButton, {}, QPoint(4, 4));
    QCOMPARE(seen.size(), 2);
    for (const QString& m : seen) {
      QVERIFY2(m.startsWith("Vorrendal Help|") && m.contains(reason) && m.contains(QString::fromStdString(file.string())), qPrintable(m));
    }
    QVERIFY(p.help.Window() == nullptr);
    QCOMPARE(p.window.txtDescription->toPlainText(), report);
    QCOMPARE(p.window.size(), size);
    // Once the file is put right, help works without a restart.
    std::filesystem::copy_file(kHelpFile, file, std::filesystem::copy_options::overwrite_existing);
    p.window.mnuHelpHelpContents->trigger();
    QCOMPARE(p.PageTitle(), QStringLiteral("Welcome to Vorrendal"));
  }

  // Every number a control carries, and the two the program opens itself, is
  // a topic of the help file: 6001 to 6010 in the main window, 6011 and 6012
  // in the year question.
  void everyTopicNumberTheProgramUsesIsInTheHelpFile() {
    std::string error;
    const auto chm = ChmFile::Open(kHelpFile, error);
    QVERIFY2(chm != nullptr, error.c_str());
    const auto numbersOf = [](QWidget* root) {
      std::set<int> numbers;
      for (QWidget* w : root->findChildren<QWidget*>()) {
        if (const int id = w->property("helpContextId").toInt(); id != 0) numbers.insert(id);
      }
      return numbers;
    };
    testing::RecordingHelp recording;
    frmMain window(recording);
    const std::set<int> main = numbersOf(&window);
    frmCorrectYearSelect question(&window);
    const std::set<int> year = numbersOf(&question);
    QCOMPARE(main, (std::set<int>{6001, 6002, 6003, 6004, 6005, 6006, 6007, 6008, 6009, 6010}));
    QCOMPARE(year, (std::set<int>{6011, 6012}));
    std::set<int> used{frmMain::kErrorNoticeTopic, GuiPrompter::kDataLoadHelpTopic};
    used.insert(main.begin(), main.end());
    used.insert(year.begin(), year.end());
    for (int id : used) {
      QVERIFY2(!chm->TopicOf(static_cast<std::uint32_t>(id)).empty(), qPrintable(QString::number(id)));
    }
  }
};

}  // namespace vorrendal

QTEST_MAIN(vorrendal::HelpWindowTest)
#include "HelpWindowTest.moc"
