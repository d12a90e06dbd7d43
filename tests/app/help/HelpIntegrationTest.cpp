// The program's windows with the real help: VRNDL.chm as built, shown by
// ChmHelp. The error notice link, What's This in the main window and in the
// year question, the Help button of the data load message, Help Contents,
// and the topic numbers the controls carry.
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWhatsThis>
#include <QtTest>
#include <filesystem>
#include <set>

#include "app/AppTestSupport.h"
#include "app/GuiPrompter.h"
#include "app/LinkLabel.h"
#include "app/frmCorrectYearSelect.h"
#include "app/frmMain.h"
#include "app/help/ChmFile.h"
#include "app/help/ChmHelp.h"
#include "app/help/HelpBrowser.h"
#include "app/help/HelpWindow.h"

namespace vorrendal {
namespace {

using testing::MemoryDataReader;
using testing::ModalDriver;
using testing::Press;

const std::filesystem::path kHelpFile = std::filesystem::path(VORRENDAL_BIN_DIR) / "VRNDL.chm";

// The main window over in-memory data, with the real help. The help is
// declared first so that it outlives the window, as in the program.
struct ProgramWithHelp {
  explicit ProgramWithHelp(std::filesystem::path helpFile = kHelpFile, std::string failingYear = {})
      : help(std::move(helpFile)),
        window(help, [failingYear] {
          auto data = std::make_unique<MemoryDataReader>(testing::PlateData());
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

  QString PageTitle() const {
    return help.Window() != nullptr ? help.Window()->Browser()->documentTitle() : QString();
  }

  ChmHelp help;
  frmMain window;
};

const QStringList kGoodPlate{"5A31V100001", "52A", "A", "A1", "12A", "21", "1", "1"};
const QStringList kPlantWithoutDescription{"5Z31V100001", "52A", "A", "A1", "12A", "21", "1", "1"};

}  // namespace

class HelpIntegrationTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QVERIFY2(std::filesystem::exists(kHelpFile), kHelpFile.c_str()); }
  void cleanup() {
    if (QWhatsThis::inWhatsThisMode()) QWhatsThis::leaveWhatsThisMode();
  }

  void errorNoticeLinkOpensTheErrorNoticePage() {
    ProgramWithHelp p;
    p.Decode(kPlantWithoutDescription);
    QVERIFY(p.window.lblErrorNotice->isVisible());
    QTest::mouseClick(p.window.lblErrorNotice, Qt::LeftButton, {}, QPoint(4, 4));
    QVERIFY(p.help.Window() != nullptr);
    QVERIFY(p.help.Window()->isVisible());
    QCOMPARE(p.PageTitle(), QStringLiteral("The error notice and its words"));
    QCOMPARE(p.help.Window()->parentWidget(), &p.window);
    QVERIFY(p.window.txtDescription->toPlainText().contains("Description Not Found"));
  }

  void helpContentsOpensTheFirstPage() {
    ProgramWithHelp p;
    p.window.mnuHelpHelpContents->trigger();
    QCOMPARE(p.PageTitle(), QStringLiteral("Welcome to Vorrendal"));
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
    QVERIFY(widget != nullptr);
    QVERIFY(widget->isVisible());
    p.window.mnuHelpWhatsThis->trigger();
    QVERIFY(QWhatsThis::inWhatsThisMode());
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(3, 3));
    QTRY_COMPARE(p.PageTitle(), title);
    QTRY_VERIFY(!QWhatsThis::inWhatsThisMode());
  }

  void whatsThisInTheYearQuestionAndTheAnswerGoesOn() {
    ProgramWithHelp p;
    ModalDriver driver;
    QString pageDuringQuestion;
    bool ownedByQuestion = false;
    driver.Then([&](QWidget* modal) {
      auto* question = qobject_cast<frmCorrectYearSelect*>(modal);
      if (question == nullptr) {
        modal->close();
        return;
      }
      QWhatsThis::enterWhatsThisMode();
      QTest::mouseClick(question->cmdOK, Qt::LeftButton, {}, QPoint(3, 3));
      QTest::qWait(20);
      pageDuringQuestion = p.PageTitle();
      ownedByQuestion = p.help.Window() != nullptr && p.help.Window()->parentWidget() == question;
      question->optYear2->click();
      question->cmdOK->click();
    });
    p.Decode({"2A31V100001", "52A", "A", "A1", "", "21", "1", "1"});
    QVERIFY(driver.Done());
    QVERIFY(driver.Unexpected().isEmpty());
    QCOMPARE(pageDuringQuestion, QStringLiteral("The OK button of Which year?"));
    QVERIFY(ownedByQuestion);  // usable while the question is modal
    QVERIFY(p.window.txtDescription->toPlainText().contains("Year (2) = 1972"));
    // The question is only hidden; the help page stays open with the main window.
    QVERIFY(p.help.Window() != nullptr);
    QVERIFY(p.help.Window()->isVisible());
    QCOMPARE(p.help.Window()->parentWidget(), &p.window);
  }

  void helpButtonOfTheDataLoadMessage() {
    ProgramWithHelp p(kHelpFile, "65");
    ModalDriver driver;
    QString pageWhileMessageUp;
    bool messageStillUp = false;
    driver.Then([](QWidget* modal) { Press(modal, QMessageBox::Help); });
    driver.Then([&](QWidget* modal) {
      pageWhileMessageUp = p.PageTitle();
      messageStillUp = modal->windowTitle() == "Error Loading Data";
      Press(modal, QMessageBox::Ok);
    });
    p.Decode(kGoodPlate);
    QVERIFY(driver.Done());
    QVERIFY(driver.Unexpected().isEmpty());
    QCOMPARE(pageWhileMessageUp, QStringLiteral("Error Loading Data"));
    QVERIFY(messageStillUp);
    QVERIFY(p.help.Window()->isVisible());
    QCOMPARE(p.help.Window()->parentWidget(), &p.window);
  }

  void missingHelpFileLeavesTheWindowAsItWas() {
    QTemporaryDir dir;
    ProgramWithHelp p(std::filesystem::path(dir.path().toStdString()) / "VRNDL.chm");
    p.Decode(kGoodPlate);
    const QString report = p.window.txtDescription->toPlainText();
    const QSize size = p.window.size();
    ModalDriver driver;
    QStringList messages;
    for (int i = 0; i < 2; ++i) {
      driver.Then([&](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) messages << box->text();
        Press(modal, QMessageBox::Ok);
      });
    }
    p.window.mnuHelpHelpContents->trigger();
    p.window.lblErrorNotice->show();
    QTest::mouseClick(p.window.lblErrorNotice, Qt::LeftButton, {}, QPoint(4, 4));
    QVERIFY(driver.Done());
    QCOMPARE(messages.size(), 2);
    for (const QString& m : messages) QVERIFY2(m.contains("The help file was not found."), qPrintable(m));
    QVERIFY(p.help.Window() == nullptr);
    QCOMPARE(p.window.txtDescription->toPlainText(), report);
    QCOMPARE(p.window.size(), size);
    QVERIFY(p.window.isVisible());
  }

  // Every number a control carries, and the two the program opens itself,
  // is a page of the help file; the main window uses exactly 6001 to 6010
  // and the year question 6011 and 6012.
  void everyTopicNumberTheProgramUsesIsInTheHelpFile() {
    std::string error;
    const auto chm = ChmFile::Open(kHelpFile, error);
    QVERIFY2(chm != nullptr, error.c_str());
    auto numbersOf = [](QWidget* root) {
      std::set<int> numbers;
      for (QWidget* w : root->findChildren<QWidget*>()) {
        const int id = w->property("helpContextId").toInt();
        if (id != 0) numbers.insert(id);
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
    std::set<int> all = main;
    all.insert(year.begin(), year.end());
    all.insert(frmMain::kErrorNoticeTopic);
    all.insert(GuiPrompter::kDataLoadHelpTopic);
    for (int id : all) {
      QVERIFY2(!chm->TopicOf(static_cast<std::uint32_t>(id)).empty(), qPrintable(QString::number(id)));
    }
  }
};

}  // namespace vorrendal

QTEST_MAIN(vorrendal::HelpIntegrationTest)
#include "HelpIntegrationTest.moc"
