// The main window driven as a person would: its controls as they start, box
// limits, select-all on entry, Enter and the default button, Clear, menus,
// help, and what Process does to the boxes, the report and the window.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextBlock>

#include "AppTestSupport.h"
#include "app/LinkLabel.h"

using namespace vorrendal;
using namespace vorrendal::testing;

namespace {

template <typename T = QWidget>
T* Child(QWidget& window, const QString& name) {
  return window.findChild<T*>(name);
}

const QString kBadYear = QStringLiteral(
    "Invalid Year Code|The year code must be a number from\n0 to 9. The year code is the first number\n"
    "in the serial number from 1960 to 1974.\nIt is the second number in 1959.|%1|%2")
    .arg(QMessageBox::Warning).arg(static_cast<int>(QMessageBox::Ok));

}  // namespace

class frmMainTest : public QObject {
  Q_OBJECT
 private slots:
  void startsShutWithNothingRead() {
    TestWindow t;
    QCOMPARE(t.window.windowTitle(), QStringLiteral("1959-1974 Vorrendal"));
    QCOMPARE(t.window.ClientHeight(), TwipsToPixels(frmMain::kClientHeightTwips));
    QCOMPARE(t.window.centralWidget()->width(), TwipsToPixels(frmMain::kClientWidthTwips));
    QCOMPARE(t.readersMade, 0);
    QCOMPARE(QApplication::focusWidget(), t.window.txtSerialNumber);
    QVERIFY(!t.window.ReportPanelOpen && t.window.DropState.isEmpty());
    QVERIFY(t.window.txtDescription->isReadOnly());
    QVERIFY(t.window.txtDescription->geometry().top() >= t.window.ClientHeight());
    for (QWidget* w : std::initializer_list<QWidget*>{t.window.txtDescription, t.window.cmdCopyText,
                                                      t.window.cmdSaveAs, t.window.cmdPrint})
      QVERIFY2(!(w->focusPolicy() & Qt::TabFocus), qPrintable(w->objectName()));
    // Ctrl+S and Ctrl+P do nothing yet.
    ModalDriver driver;
    QTest::keySequence(&t.window, QKeySequence(QStringLiteral("Ctrl+S")));
    QTest::keySequence(&t.window, QKeySequence(QStringLiteral("Ctrl+P")));
    QTest::qWait(30);
    QVERIFY(driver.Unexpected().isEmpty() && QApplication::activeModalWidget() == nullptr);
  }

  void controlsStartAsDesigned_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("tooltip");
    QTest::addColumn<int>("shownEnabled");  // 3 shown and enabled, 2 shown only, 1 enabled only, 0 neither
    QTest::addColumn<QRect>("twips");       // empty: not checked
    auto row = [](const char* name, const char* text, const char* tip, int state, QRect twips = {}) {
      QTest::newRow(name) << name << text << tip << state << twips;
    };
    row("cmdProcess", "&Process", "Process (Decode) The Information", 3, {120, 2280, 975, 375});
    row("cmdClearSerial", "C&lear", "Clear The Information", 3);
    row("chkAppend", "&Append", "Append (Add) To The Text", 2);
    row("cmdCopyText", "&Copy", "Copy Text To Clipboard", 3, {120, 6000, 975, 375});
    row("cmdSaveAs", "&Save As...", "Save Text To A File", 3, {1200, 6000, 975, 375});
    row("cmdPrint", "P&rint", "Print Text", 3, {2280, 6000, 975, 375});
    row("Label10", "Template &Style:", "", 3);
    row("lblErrorOccurred", "An error occurred while decoding. Please read the", "", 1);
    row("lblErrorNotice", "Error Notice.", "", 1);
    row("lblMadeInUSALong", "MADE IN U.S.A.", "", 1);
    row("txtType", "PASSENGER", "", 0, {2400, 600, 1575, 385});
    row("Shape1", "", "", 3, {0, 360, 6015, 1815});
    row("txtDescription", "", "", 3, {120, 2880, 5775, 3015});
  }
  void controlsStartAsDesigned() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, tooltip);
    QFETCH(int, shownEnabled);
    QFETCH(QRect, twips);
    TestWindow t;
    auto* widget = Child(t.window, name);
    QVERIFY(widget != nullptr);
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) QCOMPARE(button->text(), text);
    if (auto* label = qobject_cast<QLabel*>(widget)) QCOMPARE(label->text(), text);
    if (auto* box = qobject_cast<QLineEdit*>(widget)) QCOMPARE(box->text(), text);
    QCOMPARE(widget->toolTip(), tooltip);
    QCOMPARE(widget->isVisible(), (shownEnabled & 2) != 0);
    QCOMPARE(widget->isEnabled(), (shownEnabled & 1) != 0);
    if (!twips.isEmpty())
      QCOMPARE(widget->geometry(), QRect(TwipsToPixels(twips.x()), TwipsToPixels(twips.y()),
                                         TwipsToPixels(twips.width()), TwipsToPixels(twips.height())));
  }

  // Typing past a box's limit is refused.
  void plateBoxes() {
    TestWindow t;
    const std::tuple<QLineEdit*, int, const char*> boxes[] = {
        {t.window.txtSerialNumber, 11, "serial (warranty) number"}, {t.window.txtBody, 3, "body code"},
        {t.window.txtColor, 2, "color code"}, {t.window.txtTrim, 3, "trim code"}, {t.window.txtDate, 3, "date code"},
        {t.window.txtDSO, 2, "DSO code"}, {t.window.txtTrans, 1, "transmission code"}, {t.window.txtAxle, 1, "axle code"}};
    for (const auto& [box, limit, what] : boxes) {
      QCOMPARE(box->toolTip(), QStringLiteral("Enter the %1 here").arg(QLatin1String(what)));
      QVERIFY(box->font().bold() && box->font().pixelSize() == PointsToPixels(11.25));
      box->setFocus();
      QTest::keyClicks(box, QStringLiteral("ABCDEFGHIJKLMNOP"));
      QCOMPARE(box->text(), QStringLiteral("ABCDEFGHIJKLMNOP").left(limit));
    }
  }

  void captionsFitWhiteOnTheBlackPlate() {
    TestWindow t;
    QCOMPARE(t.window.Shape1->palette().color(QPalette::Window), QColor(Qt::black));
    for (QLabel* label : t.window.centralWidget()->findChildren<QLabel*>()) {
      if (label->text().isEmpty() || !label->pixmap().isNull()) continue;
      const QString text = QString(label->text()).remove('&');
      const QSize needed = label->wordWrap()
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
  }

  void enteringABoxSelectsItsText_data() {
    QTest::addColumn<bool>("byMouse");
    QTest::newRow("tab") << false;
    QTest::newRow("click") << true;
  }
  void enteringABoxSelectsItsText() {
    QFETCH(bool, byMouse);
    TestWindow t;
    t.window.txtBody->setText(QStringLiteral("54A"));
    t.window.txtSerialNumber->setFocus();
    if (byMouse) QTest::mouseClick(t.window.txtBody, Qt::LeftButton, {}, QPoint(4, 4));
    else QTest::keyClick(t.window.txtSerialNumber, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), t.window.txtBody);
    QCOMPARE(t.window.txtBody->selectedText(), QStringLiteral("54A"));
    QTest::keyClicks(t.window.txtBody, QStringLiteral("62b"));
    QCOMPARE(t.window.txtBody->text(), QStringLiteral("62b"));
    if (byMouse) {  // a second click in the focused box places the caret
      QTest::mouseClick(t.window.txtBody, Qt::LeftButton, {}, QPoint(4, 4));
      QVERIFY(!t.window.txtBody->hasSelectedText());
    }
  }

  void enter_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("processes");  // clicks of Process; -1: a new line in the report box
    QTest::newRow("serial box") << "txtSerialNumber" << 0 << 1;
    QTest::newRow("axle box") << "txtAxle" << 0 << 1;
    QTest::newRow("template list") << "cboTemplateStyle" << 0 << 1;
    QTest::newRow("process button") << "cmdProcess" << 0 << 1;
    QTest::newRow("keypad Enter") << "txtBody" << int(Qt::KeypadModifier) << 1;
    QTest::newRow("Ctrl+Enter") << "txtSerialNumber" << int(Qt::ControlModifier) << 0;
    QTest::newRow("clear button presses Clear") << "cmdClearSerial" << 0 << 0;
    QTest::newRow("report box") << "txtDescription" << 0 << -1;
  }
  void enter() {
    QFETCH(QString, focus);
    QFETCH(int, modifiers);
    QFETCH(int, processes);
    TestWindow t;
    t.DecodeGoodPlate();  // opens the panel
    t.window.txtDescription->setPlainText(QStringLiteral("edited"));
    QSignalSpy clicks(t.window.cmdProcess, &QPushButton::clicked);
    auto* target = Child(t.window, focus);
    target->setFocus();
    if (!focus.startsWith("cmd")) QCOMPARE(t.window.cmdProcess->isDefault(), processes >= 0);
    QTest::keyClick(target, Qt::Key_Return, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(clicks.count(), std::max(processes, 0));
    if (processes == 1) QVERIFY(t.Report().startsWith("Serial (Warranty) Number: "));
    if (processes < 0) QCOMPARE(t.Report(), QStringLiteral("\nedited"));
    if (focus == "cmdClearSerial") QVERIFY(t.window.txtSerialNumber->text().isEmpty());
  }

  void clearEmptiesOnlyThePlateBoxes() {
    TestWindow t;
    t.DecodeGoodPlate();
    t.window.chkAppend->setChecked(true);
    const QString report = t.Report();
    t.window.txtBody->setFocus();
    QTest::keySequence(&t.window, QKeySequence(QStringLiteral("Alt+L")));
    QTRY_VERIFY(t.window.txtSerialNumber->text().isEmpty());
    for (QLineEdit* box : t.window.PlateBoxList()) QVERIFY2(box->text().isEmpty(), qPrintable(box->objectName()));
    QCOMPARE(t.Report(), report);
    QVERIFY(t.window.chkAppend->isChecked());
    QCOMPARE(t.window.txtType->text(), QStringLiteral("PASSENGER"));
  }

  void menus_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QKeySequence>("shortcut");
    QTest::addColumn<bool>("enabledAtStart");
    QTest::newRow("save") << "mnuFileSaveInfo" << "&Save Information" << QKeySequence("Ctrl+S") << false;
    QTest::newRow("print") << "mnuFilePrintInfo" << "&Print Information" << QKeySequence("Ctrl+P") << false;
    QTest::newRow("exit") << "mnuFileExit" << "E&xit" << QKeySequence() << true;
    QTest::newRow("copy") << "mnuEditCopyInfo" << "&Copy Information" << QKeySequence() << false;
    QTest::newRow("contents") << "mnuHelpHelpContents" << "&Help Contents" << QKeySequence() << true;
    QTest::newRow("what's this") << "mnuHelpWhatsThis" << "&What's This?" << QKeySequence() << true;
    QTest::newRow("about") << "mnuHelpAbout" << "&About" << QKeySequence() << true;
  }
  // Items that need a report are enabled by the first decode, and stay so.
  void menus() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QKeySequence, shortcut);
    QFETCH(bool, enabledAtStart);
    TestWindow t;
    auto* action = t.window.findChild<QAction*>(name);
    QCOMPARE(action->text(), caption);
    QCOMPARE(action->shortcut(), shortcut);
    QCOMPARE(action->isEnabled(), enabledAtStart);
    if (name == QStringLiteral("mnuHelpHelpContents")) action->trigger();
    QCOMPARE(t.help.contents, name == QStringLiteral("mnuHelpHelpContents") ? 1 : 0);
    t.Type({"#"});
    ModalDriver driver;
    driver.Then([](QWidget* modal) { Press(modal, QMessageBox::Ok); });
    t.window.Process();
    QCOMPARE(action->isEnabled(), enabledAtStart);  // a bad year code opens nothing
    t.DecodeGoodPlate();
    QVERIFY(action->isEnabled());
    QStringList order;
    for (QAction* top : t.window.menuBar()->actions())
      for (QAction* item : top->menu()->actions()) order << item->objectName();
    QCOMPARE(order, QStringList({"mnuFileSaveInfo", "mnuFilePrintInfo", "mnuFileLine2", "mnuFileExit",
                                 "mnuEditCopyInfo", "mnuHelpHelpContents", "mnuHelpWhatsThis",
                                 "mnuHelpAbout"}));
  }

  void exitAndCloseEndAtOnce() {
    TestWindow t;
    t.DecodeGoodPlate();
    int exits = 0;
    t.window.ExitProgram = [&exits] { ++exits; };
    ModalDriver driver;
    t.window.mnuFileExit->trigger();
    QCOMPARE(exits, 1);
    QWidget other;
    other.show();
    QVERIFY(t.window.close());
    QVERIFY(!other.isVisible() && !t.window.isVisible());
    QTest::qWait(30);
    QVERIFY(driver.Unexpected().isEmpty());
  }

  // The first complete decode reads the data and grows the window once.
  void firstDecodeOpensThePanelOnce() {
    TestWindow t;
    t.TypeGoodPlate();
    QTest::keyClick(t.window.txtSerialNumber, Qt::Key_Return);
    QCOMPARE(t.readersMade, 1);
    QVERIFY(t.window.ReportPanelOpen);
    QCOMPARE(t.window.DropState, QStringLiteral("Black-Up"));
    QVERIFY(t.window.picDropDescription->isEnabled() && t.window.chkAppend->isEnabled());
    QVERIFY(!t.window.txtDescription->isReadOnly());
    QCOMPARE(t.window.height(), t.OpenHeight());
    QCOMPARE(t.window.ClientHeight(), TwipsToPixels(frmMain::kClientHeightTwips + frmMain::kReportPanelTwips));
    for (QWidget* w : std::initializer_list<QWidget*>{t.window.txtDescription, t.window.cmdCopyText,
                                                      t.window.cmdSaveAs, t.window.cmdPrint}) {
      QVERIFY2(t.window.centralWidget()->rect().contains(w->geometry()), qPrintable(w->objectName()));
      QVERIFY2(w->focusPolicy() & Qt::TabFocus, qPrintable(w->objectName()));
    }
    t.window.Process();
    t.window.Process();
    QCOMPARE(t.window.height(), t.OpenHeight());
    QCOMPARE(t.readersMade, 1);
  }

  void badYearCodeOnTheFirstProcessLeavesTheWindowSmall_data() {
    QTest::addColumn<QString>("serial");
    QTest::newRow("empty") << QString();
    QTest::newRow("punctuation first") << QStringLiteral("*5a31v10000");
    QTest::newRow("letter, then a letter") << QStringLiteral("ab");
  }
  void badYearCodeOnTheFirstProcessLeavesTheWindowSmall() {
    QFETCH(QString, serial);
    TestWindow t;
    t.Type({serial, "52a", "a", "a1", "12a", "21", "1", "1"});
    t.window.txtDescription->setPlainText(QStringLiteral("kept"));
    t.window.cmdClearSerial->setFocus();
    ModalDriver driver;
    QString seen;
    driver.Then(NoteAndPress(&seen, QMessageBox::Ok));
    t.window.Process();
    QVERIFY(driver.Done());
    QCOMPARE(seen, kBadYear);
    QCOMPARE(t.window.focusWidget(), t.window.txtSerialNumber);
    QCOMPARE(t.window.height(), t.closedHeight);
    QVERIFY(!t.window.ReportPanelOpen && !t.window.chkAppend->isEnabled());
    QCOMPARE(t.window.txtBody->text(), QStringLiteral("52a"));  // not upper-cased
    QCOMPARE(t.Report(), QStringLiteral("kept"));
    QVERIFY(t.window.lblErrorOccurred->isHidden());
  }

  void processUpperCasesTheBoxesAndTheReport() {
    TestWindow t;
    t.Type({"5a31v100001", "52a", "a", "a1", "12a", "21", "1", "1"});
    t.window.Process();
    QStringList shown;
    for (QLineEdit* box : t.window.PlateBoxList()) shown << box->text();
    QCOMPARE(shown, QStringList({"5A31V100001", "52A", "A", "A1", "12A", "21", "1", "1"}));
    const QStringList lines = t.Report().split('\n');
    QCOMPARE(lines.value(0), QStringLiteral("Serial (Warranty) Number: 5A31V100001"));
    QVERIFY(lines.value(1).startsWith(QStringLiteral("Body: 52A")));
    QVERIFY(lines.last().startsWith(QStringLiteral("Axle (1) = ")));  // no line break after it
  }

  void colorIsCutToOneCharacterFrom1967To1971_data() {
    QTest::addColumn<QString>("serial");
    QTest::addColumn<int>("yearAnswer");  // -1: no question
    QTest::addColumn<QString>("color");
    QTest::newRow("1966 keeps two") << "6A31V100001" << -1 << "AB";
    QTest::newRow("1967 cut") << "7A31V100001" << -1 << "A";
    QTest::newRow("1969 cut") << "9A31V100001" << -1 << "A";
    QTest::newRow("1971 cut") << "1A31V100001" << 1 << "A";
    QTest::newRow("1972 keeps two") << "2A31V100001" << 1 << "AB";
    QTest::newRow("1962 keeps two") << "2A31V100001" << 0 << "AB";
  }
  void colorIsCutToOneCharacterFrom1967To1971() {
    QFETCH(QString, serial);
    QFETCH(int, yearAnswer);
    QFETCH(QString, color);
    TestWindow t;
    t.Type({serial, "52A", "ab", "A1", "12A", "21", "1", "1"});
    ModalDriver driver;
    if (yearAnswer >= 0) driver.Then(AnswerYear(yearAnswer));
    t.window.Process();
    QVERIFY(driver.Done() && driver.Unexpected().isEmpty());
    QCOMPARE(t.window.txtColor->text(), color);
    QVERIFY(t.Report().contains("Color (" + color + ") = "));
  }

  // Append adds a section below what the box holds (kept as written) and
  // puts the caret, scrolled into view, on the line after Trim.
  void appendAddsASectionAndPutsTheCaretInIt() {
    TestWindow t;
    t.DecodeGoodPlate();
    const QString note = QString::fromUtf8("Owner's note: \u03a9 \u20ac\n") + t.Report();
    t.window.txtDescription->setPlainText(note);
    t.window.chkAppend->setChecked(true);
    t.Type({"6A31V100001", "52A", "A", "A1", "12A", "21", "1", "1"});
    t.window.Process();
    QVERIFY(t.Report().startsWith(note + "\n\n" + QString(40, '_') + "\n\nSerial (Warranty) Number: 6A31V100001\n"));
    const QTextCursor caret = t.window.txtDescription->textCursor();
    QVERIFY(!caret.hasSelection());
    QCOMPARE(caret.positionInBlock(), 1);
    QVERIFY(caret.block().previous().text().startsWith(QStringLiteral("Trim (A1) = ")));
    QVERIFY(caret.position() > note.size());
    QVERIFY(t.window.txtDescription->verticalScrollBar()->value() > 0);
    QVERIFY(t.window.txtDescription->viewport()->rect().contains(t.window.txtDescription->cursorRect(caret)));
    t.window.chkAppend->setChecked(false);
    t.window.Process();
    QVERIFY(t.Report().startsWith("Serial (Warranty) Number: 6A31V100001\n"));
    QVERIFY(!t.Report().contains(QString(40, '_')));
  }

  void errorNoticeFollowsTheLastCompleteDecode() {
    TestWindow t;
    t.DecodeGoodPlate();
    QVERIFY(t.window.lblErrorOccurred->isHidden() && t.window.lblErrorNotice->isHidden());
    t.window.txtBody->setText(QStringLiteral("99Z"));  // no such body
    t.window.Process();
    QVERIFY(t.window.lblErrorOccurred->isVisible() && t.window.lblErrorNotice->isVisible());
    QVERIFY(t.Report().contains(QStringLiteral("Description Not Found")));
    QTest::mouseClick(t.window.lblErrorNotice, Qt::LeftButton);
    QCOMPARE(t.help.topics, std::vector<int>{frmMain::kErrorNoticeTopic});
    ModalDriver driver;  // a bad year code leaves the notice as it was
    driver.Then([](QWidget* modal) { Press(modal, QMessageBox::Ok); });
    t.window.txtSerialNumber->setText(QStringLiteral("#"));
    t.window.Process();
    QVERIFY(driver.Done() && t.window.lblErrorOccurred->isVisible());
    t.DecodeGoodPlate();
    QVERIFY(t.window.lblErrorOccurred->isHidden() && t.window.lblErrorNotice->isHidden());
  }

  void aMissingYearBlockIsToldAndTheDecodeGoesOn() {
    auto years = PlateData();
    years.erase("65");
    TestWindow t(years);
    ModalDriver driver;
    QString seen;
    driver.Then(NoteAndPress(&seen, QMessageBox::Help));
    driver.Then([](QWidget* modal) { Press(modal, QMessageBox::Ok); });
    t.DecodeGoodPlate();
    QVERIFY(driver.Done());
    QVERIFY(seen.startsWith("Error Loading Data|"));
    QVERIFY(seen.endsWith(QStringLiteral("|%1|%2").arg(QMessageBox::Critical)
                              .arg(static_cast<int>(QMessageBox::Ok | QMessageBox::Help))));
    QCOMPARE(t.help.topics, std::vector<int>{GuiPrompter::kDataLoadHelpTopic});
    QVERIFY(t.window.ReportPanelOpen && t.window.lblErrorOccurred->isVisible());
  }

  void exceptionsFromTheDataReaderAreToldAndTheWindowStaysUsable() {
    RecordingHelp help;
    frmMain window(help, []() -> std::unique_ptr<IDataReader> { throw std::runtime_error("no memory for the reader"); });
    window.show();
    window.txtSerialNumber->setText(QStringLiteral("5A31V100001"));
    ModalDriver driver;
    QString seen;
    driver.Then(NoteAndPress(&seen, QMessageBox::Ok));
    window.Process();
    QVERIFY(driver.Done());
    QVERIFY(seen.contains(QStringLiteral("no memory for the reader")));
    QVERIFY(!window.ReportPanelOpen);
    QCOMPARE(window.txtSerialNumber->text(), QStringLiteral("5A31V100001"));
  }
};

QTEST_MAIN(frmMainTest)
#include "frmMainTest.moc"
