// The main window as a person works it: opened, typed into, decoded, by mouse and keyboard,
// in each plate style (with the faces the program really gets: Liberation for Arial, Courier New).

#include "AppTestSupport.h"
#include "app/frmAbout.h"
#include "app/frmCorrectYearSelect.h"
#include "ui/FakePrinter.h"

namespace {

// Top to bottom, left to right; logos by name, the code boxes not at all.
const char* const kReading[] = {
    "[large logo], SERIAL NUMBER, MADE IN U.S.A. BY, BODY, COLOR, TRIM, DATE, TRANS., AXLE",
    "BODY, COLOR, TRIM, DATE, D.S.O., AXLE, TRANS., SERIAL NUMBER, MADE IN U.S.A. BY, "
    "[large logo]",
    "BODY, COLOR, TRIM, DATE, DSO, AXLE, TRANS, VEHICLE WARRANTY NUMBER, [large logo]",
    "[small logo], MADE IN U.S.A., WARRANTY NUMBER, BODY, COLOR, TRIM, DATE, D.S.O., AXLE, "
    "TRANS.",
    "VEH. IDENT. NO., BODY, COL., TRIM, AXLE, TRNS., DSO, MADE IN U.S.A.",
    "[PASSENGER], VEH. IDENT. NO., TYPE, BODY, COLOR, TRIM, TRANS., AXLE, DSO",
};

void EveryStyleFromEveryOther() {
  QTest::addColumn<int>("style");
  QTest::addColumn<int>("from");
  for (int style = 0; style < 6; ++style)
    for (int from = 0; from < 6; ++from)
      QTest::addRow("style %d from %d", style, from) << style << from;
}

// Switches the window to the row's style from the row's other one; the style.
int Switch(TestWindow& t) {
  QFETCH(int, style);
  QFETCH(int, from);
  t.window.SelectTemplateStyle(from);
  t.window.SelectTemplateStyle(style);
  return style;
}

// The plate's elements that show, in reading order.
QList<QWidget*> Shown(const TestWindow& t) {
  const QRect plate = t.Get("Shape1")->geometry();
  QList<QWidget*> shown;
  for (QWidget* w : t.window.centralWidget()->findChildren<QWidget*>())
    if (w->isVisible() && w->objectName() != "Shape1" && plate.intersects(w->geometry()))
      shown << w;
  std::ranges::sort(shown, {}, [](QWidget* w) { return std::pair(w->y(), w->x()); });
  return shown;
}

// The columns of an image that hold ink (a pixel unlike the background).
QList<int> InkColumns(const QImage& image, QColor background) {
  QList<int> columns;
  for (int x = 0; x < image.width(); ++x) {
    int y = 0;
    while (y < image.height() && QColor(image.pixel(x, y)) == background) ++y;
    if (y < image.height()) columns << x;
  }
  return columns;
}

}  // namespace

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
    driver.Then([&](QWidget* modal) {
      auto* about = qobject_cast<frmAbout*>(modal);
      QVERIFY(about != nullptr);
      QCOMPARE(about->windowTitle(), QStringLiteral("About Vorrendal"));
      QCOMPARE(Find<QLabel>(*about, "lblTitle")->text(), QStringLiteral("1959-1974 Vorrendal"));
      QCOMPARE(Find<QLabel>(*about, "lblVersion")->text(), QStringLiteral("Version 1.2.0.2"));
      QTest::keyClick(about, Qt::Key_Return);
    });
    t.Get<QAction>("mnuHelpAbout")->trigger();
    QVERIFY(driver.Done());
    QVERIFY(t.window.findChildren<frmAbout*>().isEmpty());  // none kept after closing
  }

  void tabLeavesTheReportBox_data() {
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<QString>("next");
    QTest::newRow("Tab") << Qt::Key_Tab << "cmdCopyText";
    QTest::newRow("Shift+Tab") << Qt::Key_Backtab << "chkAppend";
  }
  void tabLeavesTheReportBox() {
    QFETCH(Qt::Key, key);
    QFETCH(QString, next);
    TestWindow t;
    t.DecodeGoodPlate();
    const QString report = t.Report();
    t.Get("txtDescription")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(t.Get("txtDescription"), key);
    QCOMPARE(QApplication::focusWidget()->objectName(), next);
    QCOMPARE(t.Report(), report);
  }

  // A focused push button, else Process; none where Enter does something else.
  void onlyTheEnterButtonLooksDefault_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("looksDefault");
    const auto row = [](const char* name, const char* focus, const char* looksDefault) {
      QTest::newRow(name) << QString::fromLatin1(focus) << QString::fromLatin1(looksDefault);
    };
    row("a plate box", "txtBody", "cmdProcess");
    row("Process", "cmdProcess", "cmdProcess");
    row("Clear", "cmdClearSerial", "cmdClearSerial");
    row("the drop button", "picDropDescription", "cmdProcess");
    row("the report box", "txtDescription", "");
    row("the error notice's link", "lblErrorNotice", "");
  }
  void onlyTheEnterButtonLooksDefault() {
    QFETCH(QString, focus);
    QFETCH(QString, looksDefault);
    TestWindow t;
    t.DecodeWithError();  // raises the error notice
    t.Get(focus)->setFocus(Qt::TabFocusReason);
    QStringList looks;
    for (QPushButton* button : t.window.findChildren<QPushButton*>())
      if (button->isDefault()) looks << button->objectName();
    QCOMPARE(looks.join(u' '), looksDefault);
  }

  // Tab passes them by, their access keys do nothing; Alt+S is the style list's.
  void closedPanelIsOutOfReach_data() {
    QTest::addColumn<bool>("decodedFirst");
    QTest::newRow("before the first decode") << false;
    QTest::newRow("closed with the drop button") << true;
  }
  void closedPanelIsOutOfReach() {
    QFETCH(bool, decodedFirst);
    TestWindow t;
    QTemporaryDir dir;
    const QString printed = dir.filePath(QStringLiteral("printed.pdf"));
    t.window.UsePrinter(std::make_unique<FakePrinter>(printed));
    QGuiApplication::clipboard()->setText(QStringLiteral("untouched"));
    if (decodedFirst) {
      t.DecodeGoodPlate();
      t.ClickDropButton();
    }
    t.Box("txtSerialNumber")->setFocus(Qt::TabFocusReason);
    for (int i = 0; i < 30; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      const QString name = QApplication::focusWidget()->objectName();
      QVERIFY2(
          !QStringList({"txtDescription", "cmdCopyText", "cmdSaveAs", "cmdPrint"}).contains(name),
          qPrintable(name));
    }
    ModalDriver driver;  // a save dialog would be a modal window nobody expects
    t.Box("txtSerialNumber")->setFocus();
    for (int i = 0; i < 2; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::AltModifier);
      QCOMPARE(QApplication::focusWidget(), t.Get("cboTemplateStyle"));
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::AltModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_R, Qt::AltModifier);
    QApplication::processEvents();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("untouched"));
    QVERIFY(!QFile::exists(printed));
    QVERIFY(driver.Unexpected().isEmpty());
  }

  // Started from the Process button too, so that typing replaces it.
  void refusedYearSelectsTheSerial() {
    TestWindow t;
    t.Type({"*5A31V10000", "52A"});
    t.Get("cmdProcess")->setFocus(Qt::TabFocusReason);
    ModalDriver driver;
    driver.Then(Press(QMessageBox::Ok));
    QTest::keyClick(t.Get("cmdProcess"), Qt::Key_Return);
    QVERIFY(driver.Done());
    QCOMPARE(t.window.focusWidget(), t.Box("txtSerialNumber"));
    QCOMPARE(t.Box("txtSerialNumber")->selectedText(), QStringLiteral("*5A31V10000"));
  }

  // After the drop button while the notice shows; Enter or Space opens its topic.
  void errorNoticeLinkByKeyboard_data() {
    QTest::addColumn<Qt::Key>("key");
    QTest::newRow("Return") << Qt::Key_Return;
    QTest::newRow("Enter") << Qt::Key_Enter;
    QTest::newRow("Space") << Qt::Key_Space;
  }
  void errorNoticeLinkByKeyboard() {
    QFETCH(Qt::Key, key);
    TestWindow t;
    QWidget* drop = t.Get("picDropDescription");
    QWidget* link = t.Get("lblErrorNotice");
    t.DecodeGoodPlate();
    drop->setFocus(Qt::TabFocusReason);
    QTest::keyClick(drop, Qt::Key_Tab);
    QVERIFY(QApplication::focusWidget() != link);
    t.DecodeWithError();
    drop->setFocus(Qt::TabFocusReason);
    QTest::keyClick(drop, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), link);
    QSignalSpy processed(t.Get("cmdProcess"), SIGNAL(clicked()));
    QTest::keyClick(link, key);
    QCOMPARE(t.help.topics, std::vector<int>{IDH_ERROR_NOTICE});
    QCOMPARE(processed.count(), 0);
  }

  void readsInOrder_data() { EveryStyleFromEveryOther(); }
  void readsInOrder() {
    TestWindow t;
    const int style = Switch(t);
    QStringList read;
    for (QWidget* w : Shown(t)) {
      if (w->objectName() == "imgBrantelLarge") read << "[large logo]";
      if (w->objectName() == "imgBrantelSmall") read << "[small logo]";
      if (auto* label = qobject_cast<QLabel*>(w); label && label->pixmap().isNull())
        read << label->text();
      if (auto* box = qobject_cast<QLineEdit*>(w); box && !box->isEnabled())
        read << '[' + box->text() + ']';
    }
    QCOMPARE(read.join(", "), QString::fromLatin1(kReading[style]));
  }

  // From the style list through the boxes in the order they stand on the plate, to Process.
  void tabFollowsThePlate_data() { EveryStyleFromEveryOther(); }
  void tabFollowsThePlate() {
    TestWindow t;
    Switch(t);
    QStringList onPlate, order;
    for (QWidget* w : Shown(t))
      if (kBoxes.contains(w->objectName()) && w->isEnabled()) onPlate << w->objectName();
    t.Get("cboTemplateStyle")->setFocus(Qt::OtherFocusReason);
    for (int i = 0; i < 9 && !QApplication::focusWidget()->objectName().startsWith("cmd"); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      order << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(order, onPlate + QStringList{"cmdProcess"});
  }

  void hiddenBoxesKeepTheirCodes() {
    TestWindow t;
    t.window.SelectTemplateStyle(1);
    t.TypeGoodPlate();
    t.window.SelectTemplateStyle(4);  // no date box
    t.window.Process();
    QVERIFY(t.Report().contains("Date (12A)") && t.Report().contains("DSO (21)"));
  }

  void fullWidthLineStaysWhole_data() {
    QTest::addColumn<QString>("line");
    QTest::newRow("district") << "DSO (47) = Minneapolis-St. Paul, Minnesota District";
    QTest::newRow("no space to break at") << QString(51, u'W');
  }
  void fullWidthLineStaysWhole() {
    QFETCH(QString, line);
    QCOMPARE(line.size(), 51);
    TestWindow t;
    t.DecodeGoodPlate();
    auto* report = t.Get<QPlainTextEdit>("txtDescription");
    report->setPlainText(QStringLiteral("Year (5) = 1965\n") + line);
    QApplication::processEvents();
    QCOMPARE(report->document()->lastBlock().layout()->lineCount(), 1);
  }

  // Not "theError".
  void errorNoticeWordsStandApart() {
    TestWindow t;
    t.DecodeWithError();
    auto* text = t.Get<QLabel>("lblErrorOccurred");
    auto* link = t.Get<QLabel>("lblErrorNotice");
    QVERIFY(text->isVisible() && link->isVisible());
    const QColor ground = t.window.centralWidget()->palette().color(QPalette::Window);
    // The sentence's last line is the band the link stands in.
    const QRect band(0, link->y() - text->y(), text->width(), link->height());
    QVERIFY(text->rect().contains(band.topLeft()) && band.y() > 0);
    const QList<int> words = InkColumns(text->grab(band).toImage(), ground);
    const QList<int> linkInk = InkColumns(link->grab().toImage(), ground);
    QVERIFY(!words.isEmpty() && !linkInk.isEmpty());
    const int wordsEnd = text->x() + words.last();
    const int linkStart = link->x() + linkInk.first();
    QVERIFY2(
        linkStart - wordsEnd > QFontMetrics(link->font()).horizontalAdvance(u' ') / 2,
        qPrintable(QStringLiteral("words end %1, link starts %2").arg(wordsEnd).arg(linkStart)));
  }

  // Its first character stands where a short serial's does.
  void serialBoxesShowWholeSerials_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("serial");
    for (int style = 0; style < 6; ++style) {
      QTest::addRow("style %d 1960-1974 form", style) << style << "8W88W888888";
      QTest::addRow("style %d 1959 form", style) << style << "W9WW888888";
    }
  }
  void serialBoxesShowWholeSerials() {
    QFETCH(int, style);
    QFETCH(QString, serial);
    TestWindow t;
    t.window.SelectTemplateStyle(style);
    QLineEdit* box = t.Box("txtSerialNumber");
    const auto firstCharacterAt = [box](const QString& text) {
      box->setText(text);
      box->setSelection(0, static_cast<int>(text.size()));  // the caret at the end, the anchor at 0
      box->repaint();
      return box->inputMethodQuery(Qt::ImAnchorRectangle).toRect().left();
    };
    const int unscrolled = firstCharacterAt(QStringLiteral("W"));
    QCOMPARE(firstCharacterAt(serial), unscrolled);
    QVERIFY(box->inputMethodQuery(Qt::ImCursorRectangle).toRect().right() <=
            box->contentsRect().right());
  }
};

QTEST_MAIN(frmMainTest)
#include "frmMainTest.moc"
