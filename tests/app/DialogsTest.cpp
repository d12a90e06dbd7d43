// The year dialog, the decoder's message boxes and the About box.

#include "AppTestSupport.h"
#include "app/frmAbout.h"
#include "app/frmCorrectYearSelect.h"

class DialogsTest : public QObject {
  Q_OBJECT
 private slots:
  // Made once; the close box and Escape keep the last answer, preselected next.
  void yearDialogRemembersTheLastAnswer_data() {
    QTest::addColumn<QString>("script");   // a question a step: first, second, ok, close, escape
    QTest::addColumn<QString>("answers");  // the year each question answered (0 or 1)
    QTest::addColumn<QString>("shown");    // the year preselected as each question opened
    const auto row = [](const char* name, const char* script, const char* answers,
                        const char* shown) { QTest::newRow(name) << script << answers << shown; };
    row("OK at once: the first year", "ok", "0", "0");
    row("the second, preselected next time", "second ok", "1 1", "0 1");
    row("and back to the first", "second first ok", "1 0 0", "0 1 0");
    row("the close box before any answer", "close ok", "0 0", "0 0");
    row("the close box keeps the last answer", "second close ok", "1 1 1", "0 1 1");
    row("so does Escape", "second escape", "1 1", "0 1");
  }
  void yearDialogRemembersTheLastAnswer() {
    QFETCH(QString, script);
    QFETCH(QString, answers);
    QFETCH(QString, shown);
    QWidget owner;
    owner.show();
    RecordingHelp help;
    GuiPrompter prompter(&owner, help);
    ModalDriver driver;
    QStringList answered, preselected;
    for (const QString& how : script.split(' ')) {
      driver.Then([&preselected, how](QWidget* modal) {
        auto* second = Find<QRadioButton>(*modal, "optYear2");
        preselected << QString::number(second->isChecked());
        // The close box and Escape come after the other year was chosen.
        if (how == "second" || ((how == "close" || how == "escape") && !second->isChecked()))
          second->setChecked(true);
        else if (how == "first" || how == "close" || how == "escape")
          Find<QRadioButton>(*modal, "optYear1")->setChecked(true);
        if (how == "close") modal->close();
        if (how == "escape") QTest::keyClick(modal, Qt::Key_Escape);
        if (how == "first" || how == "second") Find<QPushButton>(*modal, "cmdOK")->click();
        if (how == "ok") QTest::keyClick(modal, Qt::Key_Return);
      });
      answered << QString::number(prompter.AskYear("1962", "1972"));
      QVERIFY(driver.Done());
      QVERIFY(prompter.YearDialog() != nullptr && prompter.YearDialog()->isHidden());
    }
    QCOMPARE(answered.join(' '), answers);
    QCOMPARE(preselected.join(' '), shown);
    QCOMPARE(owner.findChildren<frmCorrectYearSelect*>().size(), 1);
  }

  void yearDialogShowsTheYears() {
    QWidget owner;
    RecordingHelp help;
    GuiPrompter prompter(&owner, help);
    ModalDriver driver;
    QStringList years;
    for (int i = 0; i < 2; ++i) {
      driver.Then([&years](QWidget* modal) {
        years << Find<QRadioButton>(*modal, "optYear1")->text() + u'/' +
                     Find<QRadioButton>(*modal, "optYear2")->text();
        Find<QPushButton>(*modal, "cmdOK")->click();
      });
    }
    prompter.AskYear("1962", "1972");
    prompter.AskYear("1964", "1974");
    QCOMPARE(years, QStringList({"1962/1972", "1964/1974"}));
  }

  void yearDialogLooksAsDesigned() {
    frmCorrectYearSelect dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Which year?"));
    QCOMPARE(Find<QGroupBox>(dialog, "Frame1")->title(), QStringLiteral("Select correct year"));
    auto* ok = Find<QPushButton>(dialog, "cmdOK");
    QVERIFY(Find<QRadioButton>(dialog, "optYear1")->isChecked() && ok->isDefault());
    QCOMPARE(ok->text(), QStringLiteral("&OK"));
    QStringList order;  // the frame never takes the focus
    for (QWidget* w = dialog.nextInFocusChain(); w != &dialog; w = w->nextInFocusChain())
      if (w->focusPolicy() & Qt::TabFocus) order << w->objectName();
    QCOMPARE(order, QStringList({"cmdOK", "optYear1", "optYear2"}));
    QCOMPARE(Find(dialog, "optYear2")->property("helpContextId").toInt(), IDH_YEAR_CHOICE);
    QCOMPARE(ok->property("helpContextId").toInt(), IDH_YEAR_OK);
  }

  // Help keeps the box up, however often it is pressed; Escape ends it.
  void errorLoadingDataBox() {
    QWidget owner;
    RecordingHelp help;
    GuiPrompter prompter(&owner, help);
    ModalDriver driver;
    QStringList seen(3);
    driver.Then(Press(QMessageBox::Help, &seen[0]));
    driver.Then(Press(QMessageBox::Help, &seen[1]));
    driver.Then(Press(QMessageBox::NoButton, &seen[2]));  // not a button: closes as Escape does
    prompter.DataLoadFailed();
    QVERIFY(driver.Done() && driver.Unexpected().isEmpty());
    const QString box =
        QStringLiteral("Error Loading Data|Unable to load data file. It may be corrupted.|%1|%2")
            .arg(QMessageBox::Critical)
            .arg(int(QMessageBox::Ok | QMessageBox::Help));
    QCOMPARE(seen, QStringList(3, box));
    QCOMPARE(help.topics, std::vector<int>(2, IDH_DATA_LOAD_ERROR));
  }

  void aboutIsFreshEachTime() {
    TestWindow t;
    ModalDriver driver;
    QStringList opened;
    for (int round = 0; round < 2; ++round) {
      driver.Then([&](QWidget* modal) {
        auto* about = qobject_cast<frmAbout*>(modal);
        QVERIFY(about != nullptr);
        // A box left over from the first showing would still carry this mark.
        QVERIFY(!about->property("seenBefore").isValid());
        about->setProperty("seenBefore", true);
        QCOMPARE(about->windowTitle(), QStringLiteral("About Vorrendal"));
        QCOMPARE(Find<QLabel>(*about, "lblTitle")->text(), QStringLiteral("1959-1974 Vorrendal"));
        QCOMPARE(Find<QLabel>(*about, "lblVersion")->text(), QStringLiteral("Version 1.2.0.2"));
        auto* link = Find<QLabel>(*about, "lblWebsiteLink");
        QCOMPARE(link->text(), QStringLiteral("https://vorrendal.example.org/"));
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(Find<QPushButton>(*about, "cmdOK")->isDefault());
        about->OpenWebAddress = [&](const QString& address) { opened << address; };
        QTest::mouseClick(link, Qt::LeftButton);
        QTest::keyClick(about, Qt::Key_Return);
      });
      t.Get<QAction>("mnuHelpAbout")->trigger();
      QVERIFY(driver.Done());
    }
    QCOMPARE(opened, QStringList(2, QStringLiteral("https://vorrendal.example.org/")));
    QVERIFY(t.window.findChildren<frmAbout*>().isEmpty());  // none kept after closing
  }
};

QTEST_MAIN(DialogsTest)
#include "DialogsTest.moc"
