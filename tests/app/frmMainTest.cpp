// The main window as it opens and as a person works it around a decode.

#include "AppTestSupport.h"
#include "app/frmAbout.h"
#include "app/frmCorrectYearSelect.h"

class frmMainTest : public QObject {
  Q_OBJECT
 private slots:
  void opensSmallOnTheFirstPlate() {
    TestWindow t;
    QCOMPARE(t.window.windowTitle(), QStringLiteral("1959-1974 Vorrendal"));
    QCOMPARE(t.window.centralWidget()->size(), QSize(TwipsToPixels(6015), TwipsToPixels(2715)));
    QCOMPARE(t.Get<QComboBox>("cboTemplateStyle")->currentText(), QStringLiteral("1959-1961"));
    QCOMPARE(QApplication::focusWidget(), t.Box("txtSerialNumber"));
    QCOMPARE(t.readersMade, 0);
  }

  void captionsAndTips_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("tip");
    const auto row = [](const char* name, const char* text, const char* tip) {
      QTest::newRow(name) << name << text << tip;
    };
    row("cmdProcess", "&Process", "Process (Decode) The Information");
    row("cmdClearSerial", "C&lear", "Clear The Information");
    row("chkAppend", "&Append", "Append (Add) To The Text");
    row("Label10", "Template &Style:", "");
    row("cboTemplateStyle", "1959-1961", "Select A Template Style");
    row("txtSerialNumber", "", "Enter the serial (warranty) number here");
    row("txtBody", "", "Enter the body code here");
    row("txtColor", "", "Enter the color code here");
    row("txtTrim", "", "Enter the trim code here");
    row("txtDate", "", "Enter the date code here");
    row("txtDSO", "", "Enter the DSO code here");
    row("txtTrans", "", "Enter the transmission code here");
    row("txtAxle", "", "Enter the axle code here");
    row("txtType", "PASSENGER", "");
    row("lblMadeInUSALong", "MADE IN U.S.A.", "");
    row("cmdCopyText", "&Copy", "Copy Text To Clipboard");
    row("cmdSaveAs", "&Save As...", "Save Text To A File");
    row("cmdPrint", "P&rint", "Print Text");
    row("lblErrorOccurred", "An error occurred while decoding. Please read the", "");
    row("lblErrorNotice", "Error Notice.", "");
  }
  void captionsAndTips() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, tip);
    TestWindow t;
    QWidget* control = t.Get(name);
    const QVariant shown = control->property("text").isValid() ? control->property("text")
                                                               : control->property("currentText");
    QCOMPARE(shown.toString(), text);
    QCOMPARE(control->toolTip(), tip);
  }

  void boxesTakeTheirLongestCode_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("longest");
    const int longest[] = {11, 3, 2, 3, 3, 2, 1, 1};
    for (int i = 0; i < kPlateFieldCount; ++i)
      QTest::newRow(qPrintable(kBoxes[i])) << kBoxes[i] << longest[i];
  }
  void boxesTakeTheirLongestCode() {
    QFETCH(QString, box);
    QFETCH(int, longest);
    TestWindow t;
    t.window.SelectTemplateStyle(1);  // a plate with every box
    t.Box(box)->setFocus();
    QTest::keyClicks(t.Box(box), QStringLiteral("ABCDEFGHIJKLMNOP"));
    QCOMPARE(t.Box(box)->text(), QStringLiteral("ABCDEFGHIJKLMNOP").left(longest));
  }

  // Not with Ctrl, not on another button; in the report box a new line.
  void enterPressesProcess_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("processes");  // -1: a new line in the report box
    QTest::newRow("serial number box") << "txtSerialNumber" << 0 << 1;
    QTest::newRow("style list") << "cboTemplateStyle" << 0 << 1;
    QTest::newRow("Process") << "cmdProcess" << 0 << 1;
    QTest::newRow("keypad Enter") << "txtBody" << int(Qt::KeypadModifier) << 1;
    QTest::newRow("Ctrl+Enter") << "txtSerialNumber" << int(Qt::ControlModifier) << 0;
    QTest::newRow("Clear") << "cmdClearSerial" << 0 << 0;
    QTest::newRow("report box") << "txtDescription" << 0 << -1;
  }
  void enterPressesProcess() {
    QFETCH(QString, focus);
    QFETCH(int, modifiers);
    QFETCH(int, processes);
    TestWindow t;
    t.DecodeGoodPlate();  // opens the panel
    t.Get<QPlainTextEdit>("txtDescription")->setPlainText(QStringLiteral("edited"));
    QSignalSpy clicks(t.Get("cmdProcess"), SIGNAL(clicked()));
    t.Get(focus)->setFocus();
    QTest::keyClick(t.Get(focus), Qt::Key_Return, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(clicks.count(), std::max(processes, 0));
    if (processes < 0) QCOMPARE(t.Report(), QStringLiteral("\nedited"));
  }

  void clearEmptiesOnlyTheBoxes() {
    TestWindow t;
    t.DecodeGoodPlate();
    t.Get<QCheckBox>("chkAppend")->setChecked(true);
    QTest::mouseClick(t.Get("cmdClearSerial"), Qt::LeftButton);
    for (const QString& box : kBoxes) QVERIFY2(t.Box(box)->text().isEmpty(), qPrintable(box));
    QVERIFY(t.Report().startsWith(QStringLiteral("Serial (Warranty) Number: 5A31V100001")));
    QVERIFY(t.Get<QCheckBox>("chkAppend")->isChecked());
    QCOMPARE(t.Box("txtType")->text(), QStringLiteral("PASSENGER"));
  }

  // Those that need a report wait for one.
  void menusAsDesigned() {
    TestWindow t;
    QStringList items;  // "name|caption|shortcut|enabled"
    for (QAction* top : t.window.menuBar()->actions()) {
      items << top->menu()->objectName() + u'|' + top->text();
      for (QAction* item : top->menu()->actions())
        items << QStringLiteral("%1|%2|%3|%4")
                     .arg(item->objectName(), item->text(), item->shortcut().toString())
                     .arg(item->isEnabled());
    }
    QCOMPARE(items, QStringList({"mnuFile|&File", "mnuFileOpenPlates|&Open Plates...|Ctrl+O|1",
                                 "mnuFileLine1|||1", "mnuFileSaveInfo|&Save Information|Ctrl+S|0",
                                 "mnuFilePrintInfo|&Print Information|Ctrl+P|0", "mnuFileLine2|||1",
                                 "mnuFileExit|E&xit||1", "mnuEdit|&Edit",
                                 "mnuEditCopyInfo|&Copy Information||0", "mnuTools|&Tools",
                                 "mnuToolsCodeTables|Code &Tables...|Ctrl+T|1", "mnuHelp|&Help",
                                 "mnuHelpHelpContents|&Help Contents||1",
                                 "mnuHelpWhatsThis|&What's This?||1", "mnuHelpAbout|&About||1"}));
  }

  void helpContentsOpensTheHelp() {
    TestWindow t;
    t.Get<QAction>("mnuHelpHelpContents")->trigger();
    QCOMPARE(t.help.contents, 1);
  }

  void exitEndsTheProgram() {
    TestWindow t;
    int exits = 0;
    t.window.ExitProgram = [&exits] { ++exits; };
    t.Get<QAction>("mnuFileExit")->trigger();
    QCOMPARE(exits, 1);
  }

  void closingClosesEveryWindow() {
    TestWindow t;
    QWidget other;
    other.show();
    QVERIFY(t.window.close());
    QVERIFY(!other.isVisible() && !t.window.isVisible());
  }

  // Made once; OK, the close box and Escape keep the last answer, preselected next time.
  void yearDialogRemembersTheLastAnswer_data() {
    QTest::addColumn<QString>("end");
    for (const char* end : {"ok", "close", "escape"}) QTest::newRow(end) << end;
  }
  void yearDialogRemembersTheLastAnswer() {
    QFETCH(QString, end);
    QWidget owner;
    owner.show();
    RecordingHelp help;
    GuiPrompter prompter(&owner, help);
    ModalDriver driver;
    driver.Then(AnswerYear(1));
    QCOMPARE(prompter.AskYear("1962", "1972"), 1);
    bool preselected = false;
    driver.Then([&](QWidget* modal) {
      preselected = Find<QRadioButton>(*modal, "optYear2")->isChecked();
      if (end == "ok") QTest::keyClick(modal, Qt::Key_Return);
      if (end == "close") modal->close();
      if (end == "escape") QTest::keyClick(modal, Qt::Key_Escape);
    });
    QCOMPARE(prompter.AskYear("1962", "1972"), 1);
    QVERIFY(driver.Done() && preselected && prompter.YearDialog()->isHidden());
    QCOMPARE(owner.findChildren<frmCorrectYearSelect*>().size(), 1);
  }

  void yearDialogShowsTheYearsAsked() {
    QWidget owner;
    RecordingHelp help;
    GuiPrompter prompter(&owner, help);
    ModalDriver driver;
    QStringList years;
    for (const auto& [first, second] : {std::pair("1962", "1972"), {"1964", "1974"}}) {
      driver.Then([&years](QWidget* modal) {
        years << Find<QRadioButton>(*modal, "optYear1")->text() + u'/' +
                     Find<QRadioButton>(*modal, "optYear2")->text();
        Find<QPushButton>(*modal, "cmdOK")->click();
      });
      prompter.AskYear(first, second);
    }
    QCOMPARE(years, QStringList({"1962/1972", "1964/1974"}));
  }

  void yearDialogLooksAsDesigned() {
    frmCorrectYearSelect dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Which year?"));
    QCOMPARE(Find<QGroupBox>(dialog, "Frame1")->title(), QStringLiteral("Select correct year"));
    auto* ok = Find<QPushButton>(dialog, "cmdOK");
    QVERIFY(Find<QRadioButton>(dialog, "optYear1")->isChecked() && ok->isDefault());
    QCOMPARE(ok->text(), QStringLiteral("&OK"));
    QCOMPARE(Find(dialog, "optYear2")->property("helpContextId").toInt(), IDH_YEAR_CHOICE);
  }

  void aboutShowsTheProgram() {
    TestWindow t;
    ModalDriver driver;
    QString opened;
    driver.Then([&](QWidget* modal) {
      auto* about = qobject_cast<frmAbout*>(modal);
      QVERIFY(about != nullptr);
      QCOMPARE(about->windowTitle(), QStringLiteral("About Vorrendal"));
      QCOMPARE(Find<QLabel>(*about, "lblTitle")->text(), QStringLiteral("1959-1974 Vorrendal"));
      QCOMPARE(Find<QLabel>(*about, "lblVersion")->text(), QStringLiteral("Version 1.2.0.2"));
      about->OpenWebAddress = [&](const QString& address) { opened = address; };
      QTest::mouseClick(Find<QLabel>(*about, "lblWebsiteLink"), Qt::LeftButton);
      QTest::keyClick(about, Qt::Key_Return);
    });
    t.Get<QAction>("mnuHelpAbout")->trigger();
    QVERIFY(driver.Done());
    QCOMPARE(opened, QStringLiteral("https://vorrendal.example.org/"));
    QVERIFY(t.window.findChildren<frmAbout*>().isEmpty());  // none kept after closing
  }
};

QTEST_MAIN(frmMainTest)
#include "frmMainTest.moc"
