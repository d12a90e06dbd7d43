// The main window as it opens and as a person works it around a decode.

#include "AppTestSupport.h"

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

  // The report panel's controls lie below the window, hidden.
  void controlsAsDesigned_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("tip");
    QTest::addColumn<QString>("state");
    const auto row = [](const char* name, const char* text, const char* tip, const char* state) {
      QTest::newRow(name) << name << text << tip << state;
    };
    row("cmdProcess", "&Process", "Process (Decode) The Information", "shown enabled");
    row("cmdClearSerial", "C&lear", "Clear The Information", "shown enabled");
    row("chkAppend", "&Append", "Append (Add) To The Text", "shown");
    row("Label10", "Template &Style:", "", "shown enabled");
    row("cboTemplateStyle", "1959-1961", "Select A Template Style", "shown enabled");
    row("txtSerialNumber", "", "Enter the serial (warranty) number here", "shown enabled");
    row("txtBody", "", "Enter the body code here", "shown enabled");
    row("txtColor", "", "Enter the color code here", "shown enabled");
    row("txtTrim", "", "Enter the trim code here", "shown enabled");
    row("txtDate", "", "Enter the date code here", "shown enabled");
    row("txtDSO", "", "Enter the DSO code here", "enabled");
    row("txtTrans", "", "Enter the transmission code here", "shown enabled");
    row("txtAxle", "", "Enter the axle code here", "shown enabled");
    row("txtType", "PASSENGER", "", "");
    row("lblMadeInUSALong", "MADE IN U.S.A.", "", "enabled");
    row("picDropDescription", "", "", "shown");
    row("txtDescription", "", "", "enabled");
    row("cmdCopyText", "&Copy", "Copy Text To Clipboard", "enabled");
    row("cmdSaveAs", "&Save As...", "Save Text To A File", "enabled");
    row("cmdPrint", "P&rint", "Print Text", "enabled");
    row("lblErrorOccurred", "An error occurred while decoding. Please read the", "", "enabled");
    row("lblErrorNotice", "Error Notice.", "", "enabled");
  }
  void controlsAsDesigned() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, tip);
    QFETCH(QString, state);
    TestWindow t;
    QWidget* control = t.Get(name);
    const QVariant shown = control->property("text").isValid() ? control->property("text")
                                                               : control->property("currentText");
    QCOMPARE(shown.toString(), text);
    QCOMPARE(control->toolTip(), tip);
    const QStringList states{control->isVisible() ? "shown" : "",
                             control->isEnabled() ? "enabled" : ""};
    QCOMPARE(states.join(u' ').trimmed(), state);
  }

  void looksAsDesigned_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("look");
    for (const auto& [name, look] : {std::pair("Shape1", "ground #000000"),
                                     {"lblBody", "ink #ffffff"},
                                     {"lblAxle", "font Arial 13px bold"},
                                     {"txtSerialNumber", "font Arial 15px bold"},
                                     {"txtDescription", "font Courier New 12px"},
                                     {"lblErrorNotice", "ink #0000ff"},
                                     {"lblErrorNotice", "font Arial 11px underlined"},
                                     {"imgBrantelLarge", "picture"}})
      QTest::newRow(look) << QString(name) << QString(look);
  }
  void looksAsDesigned() {
    QFETCH(QString, name);
    QFETCH(QString, look);
    TestWindow t;
    QWidget* control = t.Get(name);
    const QFont f = control->font();
    QString seen;
    if (look.startsWith("ground"))
      seen = "ground " + control->palette().color(QPalette::Window).name();
    if (look.startsWith("ink"))
      seen = "ink " + control->palette().color(QPalette::WindowText).name();
    if (look.startsWith("font"))
      seen = QStringLiteral("font %1 %2px%3%4")
                 .arg(f.family())
                 .arg(f.pixelSize())
                 .arg(f.bold() ? " bold" : "", f.underline() ? " underlined" : "");
    if (look == "picture" && !qobject_cast<QLabel*>(control)->pixmap().isNull()) seen = look;
    QCOMPARE(seen, look);
    QVERIFY(!t.window.windowIcon().isNull());
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

  // A second click places the caret.
  void enteringABoxSelectsItsText_data() {
    QTest::addColumn<bool>("byMouse");
    QTest::newRow("by Tab") << false;
    QTest::newRow("by a click") << true;
  }
  void enteringABoxSelectsItsText() {
    QFETCH(bool, byMouse);
    TestWindow t;
    QLineEdit* body = t.Box("txtBody");
    body->setText(QStringLiteral("54A"));
    if (byMouse)
      QTest::mouseClick(body, Qt::LeftButton, {}, QPoint(4, 4));
    else
      QTest::keyClick(t.Box("txtSerialNumber"), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), body);
    QCOMPARE(body->selectedText(), QStringLiteral("54A"));
    if (byMouse) {
      QTest::mouseClick(body, Qt::LeftButton, {}, QPoint(4, 4));
      QVERIFY(!body->hasSelectedText());
      return;
    }
    QTest::keyClicks(body, QStringLiteral("62b"));
    QCOMPARE(body->text(), QStringLiteral("62b"));
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
};

QTEST_MAIN(frmMainTest)
#include "frmMainTest.moc"
