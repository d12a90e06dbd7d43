// The main window driven as a person would: its controls as they start, typing, Enter, Clear,
// menus, help, and what Process and the drop button do to the boxes, report and window.

#include "AppTestSupport.h"

class frmMainTest : public QObject {
  Q_OBJECT
 private slots:
  // Opens small on the first plate with nothing read; every control's text,
  // tip, state and place; the plate boxes' limits; white captions that fit on
  // the black plate; the panel's controls out of reach.
  void opensAsDesigned() {
    // shownEnabled: 3 shown and enabled, 2 shown only, 1 enabled only, 0 neither; empty twips: not
    // checked.
    struct Control {
      const char *name, *text, *tip;
      int shownEnabled;
      QRect twips;
    };
    const Control controls[] = {
        {"cmdProcess", "&Process", "Process (Decode) The Information", 3, {120, 2280, 975, 375}},
        {"cmdClearSerial", "C&lear", "Clear The Information", 3, {}},
        {"Label10", "Template &Style:", "", 3, {}},
        {"chkAppend", "&Append", "Append (Add) To The Text", 2, {}},
        {"cmdCopyText", "&Copy", "Copy Text To Clipboard", 1, {120, 6000, 975, 375}},
        {"cmdSaveAs", "&Save As...", "Save Text To A File", 1, {1200, 6000, 975, 375}},
        {"cmdPrint", "P&rint", "Print Text", 1, {2280, 6000, 975, 375}},
        {"lblErrorOccurred", "An error occurred while decoding. Please read the", "", 1, {}},
        {"lblErrorNotice", "Error Notice.", "", 1, {}},
        {"lblMadeInUSALong", "MADE IN U.S.A.", "", 1, {}},
        {"txtType", "PASSENGER", "", 0, {2400, 600, 1575, 385}},
        {"Shape1", "", "", 3, {0, 360, 6015, 1815}},
        {"txtDescription", "", "", 1, {120, 2880, 5775, 3015}},
    };
    TestWindow t;
    QCOMPARE(t.window.windowTitle(), QStringLiteral("1959-1974 Vorrendal"));
    QCOMPARE(t.window.ClientHeight(), TwipsToPixels(frmMain::kClientHeightTwips));
    QCOMPARE(t.window.centralWidget()->width(), TwipsToPixels(frmMain::kClientWidthTwips));
    QCOMPARE(t.readersMade, 0);
    QCOMPARE(QApplication::focusWidget(), t.window.txtSerialNumber);
    QVERIFY(!t.window.ReportPanelOpen &&
            t.window.picDropDescription->State() == DropDescriptionButton::DropState::None);
    QVERIFY(t.window.txtDescription->isReadOnly());
    for (QWidget* w : t.PanelControls())
      QVERIFY2(!(w->focusPolicy() & Qt::TabFocus), qPrintable(w->objectName()));
    QCOMPARE(t.window.cboTemplateStyle->currentText(), QStringLiteral("1959-1961"));
    QVERIFY(!t.window.txtDSO->isVisible());
    QVERIFY(!t.window.imgBrantelLarge->pixmap().isNull() && !t.window.windowIcon().isNull());
    for (const Control& c : controls) {
      const Row row(c.name);
      auto* widget = t.window.findChild<QWidget*>(c.name);
      QVERIFY(widget != nullptr);
      QCOMPARE(widget->property("text").toString(),
               QString::fromLatin1(c.text));  // buttons, labels, boxes
      QCOMPARE(widget->toolTip(), c.tip);
      QCOMPARE(int(widget->isVisible()) * 2 + int(widget->isEnabled()), c.shownEnabled);
      const QRect& tw = c.twips;
      const QRect pixels(At(tw.x(), tw.y()),
                         QSize(TwipsToPixels(tw.width()), TwipsToPixels(tw.height())));
      if (!tw.isEmpty()) QCOMPARE(widget->geometry(), pixels);
    }
    QCOMPARE(t.window.Shape1->palette().color(QPalette::Window), QColor(Qt::black));
    for (QLabel* label : t.window.centralWidget()->findChildren<QLabel*>()) {
      if (label->text().isEmpty() || !label->pixmap().isNull()) continue;
      const QString text = QString(label->text()).remove('&');
      const QSize needed =
          label->wordWrap()
              ? QSize(label->width(), label->heightForWidth(label->width()))
              : QSize(label->fontMetrics().horizontalAdvance(text), label->fontMetrics().height());
      QVERIFY2(label->width() >= needed.width() && label->height() >= needed.height(),
               qPrintable(label->objectName()));
    }
    for (QLabel* caption : {t.window.lblSerialNumber, t.window.lblBody, t.window.lblAxle}) {
      QCOMPARE(caption->palette().color(QPalette::WindowText), QColor(Qt::white));
      QVERIFY(caption->font().bold() && t.window.Shape1->geometry().contains(caption->geometry()));
    }
    QVERIFY(t.window.txtDescription->font().families().contains(QStringLiteral("Courier New")));
    QCOMPARE(t.window.lblErrorNotice->palette().color(QPalette::WindowText), QColor(Qt::blue));
    QVERIFY(t.window.lblErrorNotice->font().underline());
    const std::tuple<QLineEdit*, int, const char*> boxes[] = {
        {t.window.txtSerialNumber, 11, "serial (warranty) number"},
        {t.window.txtBody, 3, "body code"},
        {t.window.txtColor, 2, "color code"},
        {t.window.txtTrim, 3, "trim code"},
        {t.window.txtDate, 3, "date code"},
        {t.window.txtDSO, 2, "DSO code"},
        {t.window.txtTrans, 1, "transmission code"},
        {t.window.txtAxle, 1, "axle code"}};
    for (const auto& [box, limit, what] : boxes) {
      QCOMPARE(box->toolTip(), QStringLiteral("Enter the %1 here").arg(QLatin1String(what)));
      QVERIFY(box->font().bold() && box->font().pixelSize() == PointsToPixels(11.25));
      box->setFocus();
      QTest::keyClicks(box, QStringLiteral("ABCDEFGHIJKLMNOP"));
      QCOMPARE(box->text(), QStringLiteral("ABCDEFGHIJKLMNOP").left(limit));
    }
  }

  // Tab or a click into a box selects its text; a second click places the
  // caret. Enter presses Process from anywhere but another button or the
  // report box; on the Clear button it clears.
  void typingAndEnter() {
    for (const bool byMouse : {false, true}) {
      const Row row(byMouse ? "click" : "tab");
      TestWindow t;
      t.window.txtBody->setText(QStringLiteral("54A"));
      t.window.txtSerialNumber->setFocus();
      if (byMouse)
        QTest::mouseClick(t.window.txtBody, Qt::LeftButton, {}, QPoint(4, 4));
      else
        QTest::keyClick(t.window.txtSerialNumber, Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget(), t.window.txtBody);
      QCOMPARE(t.window.txtBody->selectedText(), QStringLiteral("54A"));
      QTest::keyClicks(t.window.txtBody, QStringLiteral("62b"));
      QCOMPARE(t.window.txtBody->text(), QStringLiteral("62b"));
      if (!byMouse) continue;
      QTest::mouseClick(t.window.txtBody, Qt::LeftButton, {}, QPoint(4, 4));
      QVERIFY(!t.window.txtBody->hasSelectedText());
    }
    // processes: clicks of Process; -1: a new line in the report box.
    struct Case {
      const char* focus;
      Qt::KeyboardModifiers modifiers;
      int processes;
    };
    const Case cases[] = {
        {"txtSerialNumber", Qt::NoModifier, 1},  {"txtAxle", Qt::NoModifier, 1},
        {"cboTemplateStyle", Qt::NoModifier, 1}, {"cmdProcess", Qt::NoModifier, 1},
        {"txtBody", Qt::KeypadModifier, 1},      {"txtSerialNumber", Qt::ControlModifier, 0},
        {"cmdClearSerial", Qt::NoModifier, 0},   {"txtDescription", Qt::NoModifier, -1},
    };
    for (const Case& c : cases) {
      const Row row(QStringLiteral("%1 %2").arg(c.focus).arg(c.modifiers.toInt()));
      TestWindow t;
      t.DecodeGoodPlate();  // opens the panel
      t.window.txtDescription->setPlainText(QStringLiteral("edited"));
      QSignalSpy clicks(t.window.cmdProcess, &QPushButton::clicked);
      auto* target = t.window.findChild<QWidget*>(c.focus);
      target->setFocus();
      t.window.chkAppend->setChecked(c.processes == 0);
      if (qstrncmp(c.focus, "cmd", 3) != 0)
        QCOMPARE(t.window.cmdProcess->isDefault(), c.processes >= 0);
      QTest::keyClick(target, Qt::Key_Return, c.modifiers);
      QCOMPARE(clicks.count(), std::max(c.processes, 0));
      if (c.processes < 0) QCOMPARE(t.Report(), QStringLiteral("\nedited"));
      if (qstrcmp(c.focus, "cmdClearSerial") != 0) continue;
      // Clear empties the plate boxes and nothing else.
      for (QLineEdit* box : t.window.PlateBoxList())
        QVERIFY2(box->text().isEmpty(), qPrintable(box->objectName()));
      QCOMPARE(t.Report(), QStringLiteral("edited"));
      QVERIFY(t.window.chkAppend->isChecked());
      QCOMPARE(t.window.txtType->text(), QStringLiteral("PASSENGER"));
    }
  }

  // Menu items, captions, shortcuts and order; those that need a report are
  // enabled by the first complete decode (not by a refused year code). Exit
  // ends the program; closing the window closes every other one, unasked.
  void menusAndExit() {
    TestWindow t;
    t.window.mnuHelpHelpContents->trigger();
    QCOMPARE(t.help.contents, 1);
    ModalDriver driver;
    driver.Then(Press(QMessageBox::Ok));
    QTest::keySequence(&t.window,
                       QKeySequence(QStringLiteral("Ctrl+S")));  // nothing to save or print yet
    QTest::keySequence(&t.window, QKeySequence(QStringLiteral("Ctrl+P")));
    t.Type({"#"});
    t.window.Process();
    QVERIFY(driver.Done() && driver.Unexpected().isEmpty());
    QStringList items;  // "name|caption|shortcut|enabled"
    for (QAction* top : t.window.menuBar()->actions()) {
      for (QAction* item : top->menu()->actions())
        items << QStringLiteral("%1|%2|%3|%4")
                     .arg(item->objectName(), item->text(), item->shortcut().toString())
                     .arg(item->isEnabled());
    }
    QCOMPARE(items, QStringList({"mnuFileSaveInfo|&Save Information|Ctrl+S|0",
                                 "mnuFilePrintInfo|&Print Information|Ctrl+P|0", "mnuFileLine2|||1",
                                 "mnuFileExit|E&xit||1", "mnuEditCopyInfo|&Copy Information||0",
                                 "mnuHelpHelpContents|&Help Contents||1",
                                 "mnuHelpWhatsThis|&What's This?||1", "mnuHelpAbout|&About||1"}));
    t.DecodeGoodPlate();
    for (QAction* item :
         {t.window.mnuFileSaveInfo, t.window.mnuFilePrintInfo, t.window.mnuEditCopyInfo})
      QVERIFY2(item->isEnabled(), qPrintable(item->objectName()));
    int exits = 0;
    t.window.ExitProgram = [&exits] { ++exits; };
    t.window.mnuFileExit->trigger();
    QCOMPARE(exits, 1);
    QWidget other;
    other.show();
    QVERIFY(t.window.close());
    QVERIFY(!other.isVisible() && !t.window.isVisible());
    QVERIFY(driver.Unexpected().isEmpty());
  }

  // The first complete decode reads the data and grows the window once; the
  // drop button (disabled before) shuts and opens the panel, and a decode
  // opens a shut panel without growing the window a second time. The report
  // box then takes appended sections.
  void reportPanel() {
    TestWindow t;
    auto drop = [&] {
      QTest::mouseClick(t.window.picDropDescription, Qt::LeftButton, {}, QPoint(8, 8));
    };
    drop();
    QCOMPARE(t.window.height(), t.closedHeight);  // disabled before the first decode
    t.TypeGoodPlate();
    QTest::keyClick(t.window.txtSerialNumber, Qt::Key_Return);
    QVERIFY(t.window.ReportPanelOpen && !t.window.txtDescription->isReadOnly());
    QCOMPARE(t.window.picDropDescription->State(), DropDescriptionButton::DropState::BlackUp);
    QVERIFY(t.window.picDropDescription->isEnabled() && t.window.chkAppend->isEnabled());
    QCOMPARE(t.window.height(), t.OpenHeight());
    for (QWidget* w : t.PanelControls()) {
      QVERIFY2(t.window.centralWidget()->rect().contains(w->geometry()),
               qPrintable(w->objectName()));
      QVERIFY2(w->focusPolicy() & Qt::TabFocus, qPrintable(w->objectName()));
    }
    t.window.Process();
    QCOMPARE(t.window.height(), t.OpenHeight());
    QCOMPARE(t.readersMade, 1);
    t.window.txtDescription->setFocus();
    drop();
    QCOMPARE(t.window.picDropDescription->State(), DropDescriptionButton::DropState::BlackDown);
    QVERIFY(!t.window.ReportPanelOpen && t.window.txtDescription->isReadOnly());
    QCOMPARE(t.window.height(), t.closedHeight);
    QCOMPARE(QApplication::focusWidget(), t.window.cmdProcess);
    QCOMPARE(t.window.cmdCopyText->focusPolicy(), Qt::ClickFocus);
    drop();
    QVERIFY(t.window.ReportPanelOpen && !t.window.txtDescription->isReadOnly());
    QCOMPARE(t.window.picDropDescription->State(), DropDescriptionButton::DropState::BlackUp);
    QCOMPARE(t.window.height(), t.OpenHeight());
    t.window.cmdProcess->click();
    QCOMPARE(t.window.height(), t.OpenHeight());
    drop();
    t.window.cmdProcess->click();
    QVERIFY(t.window.ReportPanelOpen);
    QCOMPARE(t.window.height(), t.OpenHeight());
    // Append adds a section below what the box holds (kept as written) and
    // puts the caret, scrolled into view, on the line after Trim.
    const QString note = QString::fromUtf8("Owner's note: \u03a9 \u20ac\n") + t.Report();
    t.window.txtDescription->setPlainText(note);
    t.window.chkAppend->setChecked(true);
    t.Type({"6A31V100001", "52A", "A", "A1", "12A", "21", "1", "1"});
    t.window.Process();
    const QString rule = QString(40, '_');
    QVERIFY(t.Report().startsWith(note + "\n\n" + rule +
                                  "\n\nSerial (Warranty) Number: 6A31V100001\n"));
    const QTextCursor caret = t.window.txtDescription->textCursor();
    QCOMPARE(caret.positionInBlock(), 1);
    QVERIFY(caret.block().previous().text().startsWith(QStringLiteral("Trim (A1) = ")));
    QVERIFY(caret.position() > note.size());
    QVERIFY(t.window.txtDescription->verticalScrollBar()->value() > 0);
    QVERIFY(t.window.txtDescription->viewport()->rect().contains(
        t.window.txtDescription->cursorRect(caret)));
    t.window.chkAppend->setChecked(false);
    t.window.Process();
    QVERIFY(t.Report().startsWith("Serial (Warranty) Number: 6A31V100001\n"));
    QVERIFY(!t.Report().contains(rule));
  }

  // Process upper-cases the boxes and the report, and cuts the color code to
  // one character from 1967 to 1971 (the year asked where the code is shared).
  // A refused year code is told, sends the focus back to the serial number
  // and changes nothing else.
  void processReadsTheBoxes() {
    const QString badYear =
        QStringLiteral(
            "Invalid Year Code|The year code must be a number from\n0 to 9. The year code is the "
            "first number\n"
            "in the serial number from 1960 to 1974.\nIt is the second number in 1959.|%1|%2")
            .arg(QMessageBox::Warning)
            .arg(static_cast<int>(QMessageBox::Ok));
    // yearAnswer -1: no question; a null color: the year code is refused.
    struct Case {
      const char* serial;
      int yearAnswer;
      const char* color;
    };
    const Case cases[] = {
        {"6a31v100001", -1, "AB"}, {"7a31v100001", -1, "A"},     {"9a31v100001", -1, "A"},
        {"1a31v100001", 1, "A"},   {"2a31v100001", 1, "AB"},     {"2a31v100001", 0, "AB"},
        {"", -1, nullptr},         {"*5a31v10000", -1, nullptr}, {"ab", -1, nullptr}};
    for (const Case& c : cases) {
      const Row row(QStringLiteral("%1 %2").arg(c.serial).arg(c.yearAnswer));
      TestWindow t;
      t.Type({c.serial, "52a", "ab", "a1", "12a", "21", "1", "1"});
      t.window.txtDescription->setPlainText(QStringLiteral("kept"));
      t.window.cmdClearSerial->setFocus();
      ModalDriver driver;
      QString seen;
      if (c.yearAnswer >= 0) driver.Then(AnswerYear(c.yearAnswer));
      if (c.color == nullptr) driver.Then(Press(QMessageBox::Ok, &seen));
      t.window.Process();
      QVERIFY(driver.Done() && driver.Unexpected().isEmpty());
      if (c.color == nullptr) {
        QCOMPARE(seen, badYear);
        QCOMPARE(t.window.focusWidget(), t.window.txtSerialNumber);
        QCOMPARE(t.window.height(), t.closedHeight);
        QVERIFY(!t.window.ReportPanelOpen && !t.window.chkAppend->isEnabled());
        QCOMPARE(t.window.txtBody->text(), QStringLiteral("52a"));  // not upper-cased
        QCOMPARE(t.Report(), QStringLiteral("kept"));
        QVERIFY(t.window.lblErrorOccurred->isHidden());
        continue;
      }
      const QString serial = QString::fromLatin1(c.serial).toUpper();
      QStringList shown;
      for (QLineEdit* box : t.window.PlateBoxList()) shown << box->text();
      QCOMPARE(shown, QStringList({serial, "52A", c.color, "A1", "12A", "21", "1", "1"}));
      const QStringList lines = t.Report().split('\n');
      QCOMPARE(lines.value(0), "Serial (Warranty) Number: " + serial);
      QVERIFY(t.Report().contains(QStringLiteral("Color (%1) = ").arg(c.color)));
      QVERIFY(lines.last().startsWith(QStringLiteral("Axle (1) = ")));  // no line break after it
    }
  }

  // The error notice shows after a decode with an unknown code, opens its help
  // topic, outlives a refused year code and goes with the next clean decode. A
  // year missing from the data is told (with its help topic) and the decode goes on.
  void errorsAreToldAndTheNoticeFollowsTheLastDecode() {
    YearData years = PlateData();
    years.erase("65");
    TestWindow t(years);
    t.Type({"6A31V100001", "52A", "A", "A1", "12A", "21", "1", "1"});
    t.window.Process();
    QVERIFY(t.window.lblErrorOccurred->isHidden() && t.window.lblErrorNotice->isHidden());
    t.window.txtBody->setText(QStringLiteral("99Z"));  // no such body
    t.window.Process();
    QVERIFY(t.window.lblErrorOccurred->isVisible() && t.window.lblErrorNotice->isVisible());
    QTest::mouseClick(t.window.lblErrorNotice, Qt::LeftButton);
    QCOMPARE(t.help.topics, std::vector<int>{IDH_ERROR_NOTICE});
    ModalDriver driver;
    driver.Then(Press(QMessageBox::Ok));
    t.window.txtSerialNumber->setText(QStringLiteral("#"));
    t.window.Process();
    QVERIFY(driver.Done() && t.window.lblErrorOccurred->isVisible());
    t.Type({"6A31V100001", "52A", "A", "A1", "12A", "21", "1", "1"});
    t.window.Process();
    QVERIFY(t.window.lblErrorOccurred->isHidden() && t.window.lblErrorNotice->isHidden());
    QString seen;
    driver.Then(Press(QMessageBox::Help, &seen));
    driver.Then(Press(QMessageBox::Ok));
    t.DecodeGoodPlate();  // 1965, not in the data
    QVERIFY(driver.Done());
    QVERIFY(seen.startsWith("Error Loading Data|"));
    QVERIFY(seen.endsWith(QStringLiteral("|%1|%2")
                              .arg(QMessageBox::Critical)
                              .arg(static_cast<int>(QMessageBox::Ok | QMessageBox::Help))));
    QCOMPARE(t.help.topics, (std::vector<int>{IDH_ERROR_NOTICE, GuiPrompter::kDataLoadHelpTopic}));
    QVERIFY(t.window.lblErrorOccurred->isVisible());
    // A reader that fails altogether is told too, and the window stays usable.
    RecordingHelp help;
    frmMain window(help, []() -> std::unique_ptr<IDataReader> {
      throw std::runtime_error("no memory for the reader");
    });
    window.show();
    window.txtSerialNumber->setText(QStringLiteral("5A31V100001"));
    driver.Then(Press(QMessageBox::Ok, &seen));
    window.Process();
    QVERIFY(driver.Done());
    QVERIFY(seen.contains(QStringLiteral("no memory for the reader")));
    QVERIFY(!window.ReportPanelOpen);
    QCOMPARE(window.txtSerialNumber->text(), QStringLiteral("5A31V100001"));
  }
};

QTEST_MAIN(frmMainTest)
#include "frmMainTest.moc"
