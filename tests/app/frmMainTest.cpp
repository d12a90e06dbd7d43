// The main window as a person works it: opened, typed into, decoded, the report copied, saved
// and printed, by mouse and keyboard, in each plate style (with the faces the program really
// gets: Liberation for Arial, Courier New).

#include "AppTestSupport.h"
#include "app/ReportText.h"
#include "app/frmCorrectYearSelect.h"
#include "ui/FakePrinter.h"
#include "ui/ReportOutput.h"

namespace {

// The report panel's controls.
const QStringList kPanel{"txtDescription", "cmdCopyText", "cmdSaveAs", "cmdPrint"};

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

// The report panel as the window's height shows it.
QString Panel(const TestWindow& t) {
  const int grown = t.window.height() - t.closedHeight;
  return grown == TwipsToPixels(3720) ? "open" : grown == 0 ? "closed" : "other";
}

}  // namespace

class frmMainTest : public QObject {
  Q_OBJECT
 private slots:
  void opensSmallOnTheFirstPlate() {
    TestWindow t;
    QCOMPARE(t.window.windowTitle(), QStringLiteral("1959-1974 Vorrendal"));
    QCOMPARE(t.window.centralWidget()->size(), QSize(TwipsToPixels(6015), TwipsToPixels(2715)));
    QCOMPARE(QApplication::focusWidget(), t.Box("txtSerialNumber"));
    QCOMPARE(t.readersMade, 0);
  }

  // Rows: "name|caption|tip".
  void captionsAndTips_data() {
    Rows({"cmdProcess|&Process|Process (Decode) The Information",
          "cmdClearSerial|C&lear|Clear The Information",
          "chkAppend|&Append|Append (Add) To The Text", "Label10|Template &Style:|",
          "cboTemplateStyle|1959-1961|Select A Template Style",
          "txtSerialNumber||Enter the serial (warranty) number here",
          "txtBody||Enter the body code here", "txtColor||Enter the color code here",
          "txtTrim||Enter the trim code here", "txtDate||Enter the date code here",
          "txtDSO||Enter the DSO code here", "txtTrans||Enter the transmission code here",
          "txtAxle||Enter the axle code here", "txtType|PASSENGER|",
          "lblMadeInUSALong|MADE IN U.S.A.|", "cmdCopyText|&Copy|Copy Text To Clipboard",
          "cmdSaveAs|&Save As...|Save Text To A File", "cmdPrint|P&rint|Print Text",
          "lblErrorOccurred|An error occurred while decoding. Please read the|"});
  }
  void captionsAndTips() {
    const QStringList r = Fields();
    TestWindow t;
    QWidget* w = t.Get(r[0]);
    const QVariant text =
        w->property("text").isValid() ? w->property("text") : w->property("currentText");
    QCOMPARE(text.toString() + u'|' + w->toolTip(), r[1] + u'|' + r[2]);
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

  // The first decode reads the data and opens the panel; the next leaves both.
  void firstDecodeOpensThePanel() {
    TestWindow t;
    t.TypeGoodPlate();
    QTest::keyClick(t.Box("txtSerialNumber"), Qt::Key_Return);
    QCOMPARE(Panel(t), "open");
    QVERIFY(t.Get("chkAppend")->isEnabled());
    for (const QString& name : kPanel)
      QVERIFY2(t.window.centralWidget()->rect().contains(t.Get(name)->geometry()),
               qPrintable(name));
    t.window.Process();
    QCOMPARE(Panel(t), "open");
    QCOMPARE(t.readersMade, 1);
  }

  // The window back to its first height, the focus to Process.
  void dropButtonClosesThePanel() {
    TestWindow t;
    t.DecodeGoodPlate();
    t.Get("txtDescription")->setFocus();
    t.ClickDropButton();
    QCOMPARE(Panel(t) + u' ' + QApplication::focusWidget()->objectName(), "closed cmdProcess");
  }

  void decodeOpensAPanelClosedByHand() {
    TestWindow t;
    t.DecodeGoodPlate();
    t.ClickDropButton();
    t.window.Process();
    QCOMPARE(Panel(t), "open");
  }

  // What the box held is kept as written.
  void appendAddsASection() {
    TestWindow t;
    t.DecodeGoodPlate();
    auto* report = t.Get<QPlainTextEdit>("txtDescription");
    const QString note = QString::fromUtf8("Owner's note: \u03a9 \u20ac\n") + t.Report();
    report->setPlainText(note);
    t.Get<QCheckBox>("chkAppend")->setChecked(true);
    t.Type({"6A31V100001", "52A", "A", "A1", "12A", "21", "1", "1"});
    t.window.Process();
    QVERIFY(t.Report().startsWith(note + "\n\n" + QString(40, u'_') +
                                  "\n\nSerial (Warranty) Number: 6A31V100001\n"));
  }

  // Upper case; the color code cut to one character from 1967 to 1971. Rows: "serial|the
  // year question answered with the 1970s|color shown".
  void boxesShowTheCodesAsDecoded_data() {
    Rows({"6a31v100001||AB", "7a31v100001||A", "1a31v100001|yes|A", "2a31v100001|yes|AB"});
  }
  void boxesShowTheCodesAsDecoded() {
    const QStringList r = Fields();
    const QString &serial = r[0], &color = r[2];
    TestWindow t;
    t.Type({serial, "52a", "ab", "a1", "12a", "21", "1", "1"});
    t.Get<QPlainTextEdit>("txtDescription")->setPlainText(QStringLiteral("replaced"));
    ModalDriver driver;
    if (r[1] == u"yes") driver.Then(AnswerYear(1));
    t.window.Process();
    QVERIFY(driver.Done() && driver.Unexpected().isEmpty());
    QStringList shown;
    for (const QString& box : kBoxes) shown << t.Box(box)->text();
    QCOMPARE(shown, QStringList({serial.toUpper(), "52A", color, "A1", "12A", "21", "1", "1"}));
    QVERIFY(t.Report().startsWith("Serial (Warranty) Number: " + serial.toUpper() + u'\n'));
  }

  // Nothing else changes: no upper case, the report kept, the panel closed.
  void refusedYearCodeChangesNothing_data() {
    Rows({"empty|", "not a year character|*5a31v10000"});
  }
  void refusedYearCodeChangesNothing() {
    TestWindow t;
    t.Type({Fields()[1], "52a"});
    t.Get<QPlainTextEdit>("txtDescription")->setPlainText(QStringLiteral("kept"));
    QCOMPARE(t.ProcessPressingOk(1),
             QStringList(QStringLiteral("Invalid Year Code|The year code must be a number from\n0 "
                                        "to 9. The year code is the first number\nin the serial "
                                        "number from 1960 to 1974.\nIt is the second number in "
                                        "1959.|%1|%2")
                             .arg(QMessageBox::Warning)
                             .arg(int(QMessageBox::Ok))));
    QCOMPARE(t.Box("txtBody")->text(), QStringLiteral("52a"));
    QCOMPARE(t.Report(), QStringLiteral("kept"));
    QCOMPARE(Panel(t), "closed");
    QVERIFY(!t.Get("chkAppend")->isEnabled() && !t.Get<QAction>("mnuFileSaveInfo")->isEnabled());
  }

  // It outlives a refused year code and goes with the next clean decode.
  void errorNoticeFollowsTheLastCompleteDecode() {
    TestWindow t;
    const auto shown = [&t] { return t.Get("lblErrorOccurred")->isVisible(); };
    t.DecodeWithError();
    QVERIFY(shown());
    t.window.SetPlateCode(PlateField::Serial, QStringLiteral("#"));
    QVERIFY(t.ProcessPressingOk(1)[0].startsWith("Invalid Year Code|"));
    QVERIFY(shown());
    t.DecodeGoodPlate();
    QVERIFY(!shown());
  }

  // Help keeps the box up and opens its topic; the decode goes on, with the notice.
  void missingYearIsToldAndTheDecodeGoesOn() {
    YearData years = PlateData();
    years.erase("65");
    TestWindow t(years);
    ModalDriver driver;
    QStringList seen(2);
    driver.Then(Press(QMessageBox::Help, &seen[0]));
    driver.Then(Press(QMessageBox::Ok, &seen[1]));
    t.DecodeGoodPlate();
    QVERIFY(driver.Done() && driver.Unexpected().isEmpty());
    const QString box =
        QStringLiteral("Error Loading Data|Unable to load data file. It may be corrupted.|%1|%2")
            .arg(QMessageBox::Critical)
            .arg(int(QMessageBox::Ok | QMessageBox::Help));
    QCOMPARE(seen, QStringList(2, box));
    QCOMPARE(t.help.topics, std::vector<int>{IDH_DATA_LOAD_ERROR});
    QVERIFY(t.Report().startsWith(QStringLiteral("Serial (Warranty) Number: 5A31V100001")));
    QVERIFY(t.Get("lblErrorOccurred")->isVisible());
  }

  // The year that failed with the last plate is tried again before this one is read.
  void failedYearIsRetriedFirst() {
    YearData years = PlateData();
    years.erase("65");
    TestWindow t(years);
    t.TypeGoodPlate();
    QStringList titles = t.ProcessPressingOk(1);
    t.window.SetPlateCode(PlateField::Serial, QStringLiteral("#"));
    titles += t.ProcessPressingOk(2);
    for (QString& box : titles) box = box.section(u'|', 0, 0);
    QCOMPARE(titles,
             QStringList({"Error Loading Data", "Error Loading Data", "Invalid Year Code"}));
  }

  void failingReaderIsTold() {
    TestWindow t(PlateData(), []() -> std::unique_ptr<IDataReader> {
      throw std::runtime_error("no memory for the reader");
    });
    t.window.SetPlateCode(PlateField::Serial, QStringLiteral("5A31V100001"));
    const QStringList seen = t.ProcessPressingOk(1);
    QVERIFY(seen.size() == 1 && seen[0].contains(QStringLiteral("no memory for the reader")));
    QVERIFY(!t.Get("picDropDescription")->isEnabled());
    QCOMPARE(t.Box("txtSerialNumber")->text(), QStringLiteral("5A31V100001"));
  }

  // The box's text as edited; the print job named after the serial number. Rows: "control|result".
  void outputFromButtonsAndMenus_data() {
    Rows({"Ctrl+S|saved", "cmdSaveAs|saved", "Ctrl+P|printed", "cmdPrint|printed",
          "cmdCopyText|copied", "mnuEditCopyInfo|copied"});
  }
  void outputFromButtonsAndMenus() {
    const QString control = Fields()[0];
    QTemporaryDir dir;
    TestWindow t;
    const QString saved = dir.filePath(QStringLiteral("plate.txt"));
    auto* queue = new FakePrinter(dir.filePath(QStringLiteral("job.pdf")));
    t.window.UsePrinter(std::unique_ptr<FakePrinter>(queue));
    t.window.SaveDialog().NextFileNames = [&saved](QFileDialog&) { return QStringList{saved}; };
    QGuiApplication::clipboard()->clear();
    t.DecodeGoodPlate();
    t.Get<QPlainTextEdit>("txtDescription")->appendPlainText(QStringLiteral("checked by hand"));
    if (control.startsWith("Ctrl"))
      QTest::keySequence(&t.window, QKeySequence(control));
    else if (control.startsWith("mnu"))
      t.Get<QAction>(control)->trigger();
    else
      t.Get<QPushButton>(control)->click();
    QFile file(saved);
    QString result = QStringLiteral("nothing");
    if (file.open(QIODevice::ReadOnly) && file.readAll() == ReportOutput::SaveBytes(t.Report()))
      result = QStringLiteral("saved");
    if (queue->jobs == QStringList{"Vorrendal - 5A31V100001"}) result = QStringLiteral("printed");
    if (QGuiApplication::clipboard()->text() == t.Report()) result = QStringLiteral("copied");
    QCOMPARE(result, Fields()[1]);
  }

  void reportCaretPastTheEnd() { QCOMPARE(ReportText::CaretInBox("ab\r\n", 99), 3); }

  // Made once; OK, the close box and Escape keep the last answer, preselected next time.
  void yearDialogRemembersTheLastAnswer_data() { Rows({"ok", "close", "escape"}); }
  void yearDialogRemembersTheLastAnswer() {
    const QString end = Fields()[0];
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

  void yearDialogLooksAsDesigned() {
    frmCorrectYearSelect dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Which year?"));
    QCOMPARE(Find<QGroupBox>(dialog, "Frame1")->title(), QStringLiteral("Select correct year"));
    auto* ok = Find<QPushButton>(dialog, "cmdOK");
    QVERIFY(Find<QRadioButton>(dialog, "optYear1")->isChecked() && ok->isDefault());
    QCOMPARE(ok->text(), QStringLiteral("&OK"));
  }

  void tabLeavesTheReportBox_data() { Rows({"Tab|cmdCopyText", "Shift+Tab|chkAppend"}); }
  void tabLeavesTheReportBox() {
    const QStringList r = Fields();
    TestWindow t;
    t.DecodeGoodPlate();
    t.Get("txtDescription")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(t.Get("txtDescription"), r[0] == u"Tab" ? Qt::Key_Tab : Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget()->objectName(), r[1]);
  }

  // A focused push button, else Process; none where Enter does something else. Rows: "focus|the
  // button that looks like the default".
  void onlyTheEnterButtonLooksDefault_data() {
    Rows({"txtBody|cmdProcess", "cmdProcess|cmdProcess", "cmdClearSerial|cmdClearSerial",
          "picDropDescription|cmdProcess", "txtDescription|", "lblErrorNotice|"});
  }
  void onlyTheEnterButtonLooksDefault() {
    const QStringList r = Fields();
    TestWindow t;
    t.DecodeWithError();  // raises the error notice
    t.Get(r[0])->setFocus(Qt::TabFocusReason);
    QStringList looks;
    for (QPushButton* button : t.window.findChildren<QPushButton*>())
      if (button->isDefault()) looks << button->objectName();
    QCOMPARE(looks.join(u' '), r[1]);
  }

  // Tab passes them by, their access keys do nothing; Alt+S is the style list's.
  void closedPanelIsOutOfReach_data() { Rows({"before the first decode", "closed by hand"}); }
  void closedPanelIsOutOfReach() {
    const bool decodedFirst = Fields()[0] == u"closed by hand";
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
      QVERIFY2(!kPanel.contains(name), qPrintable(name));
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
  void errorNoticeLinkByKeyboard_data() { Rows({"Return", "Enter", "Space"}); }
  void errorNoticeLinkByKeyboard() {
    const Qt::Key key = QKeySequence(Fields()[0])[0].key();
    TestWindow t;
    QWidget* link = t.Get("lblErrorNotice");
    const auto afterTheDropButton = [&t] {
      t.Get("picDropDescription")->setFocus(Qt::TabFocusReason);
      QTest::keyClick(t.Get("picDropDescription"), Qt::Key_Tab);
      return QApplication::focusWidget();
    };
    t.DecodeGoodPlate();
    QVERIFY(afterTheDropButton() != link);
    t.DecodeWithError();
    QCOMPARE(afterTheDropButton(), link);
    QTest::keyClick(link, key);
    QCOMPARE(t.help.topics, std::vector<int>{IDH_ERROR_NOTICE});
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

  void fullWidthLineStaysWhole_data() {
    QTest::addColumn<QString>("line");
    QTest::newRow("district") << "DSO (47) = Minneapolis-St. Paul, Minnesota District";
    QTest::newRow("no space to break at") << QString(51, u'W');
  }
  void fullWidthLineStaysWhole() {
    QFETCH(QString, line);
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
    const int gap = (link->x() + linkInk.first()) - (text->x() + words.last());
    QVERIFY(gap > QFontMetrics(link->font()).horizontalAdvance(u' ') / 2);
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
  }
};

QTEST_MAIN(frmMainTest)
#include "frmMainTest.moc"
