// Process from the window's side: what a decode does to the boxes, the
// report box, the report panel, the menus and the error notice.

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextBlock>

#include "AppTestSupport.h"
#include "app/LinkLabel.h"
#include "app/ScreenUnits.h"
#include "app/frmCorrectYearSelect.h"

using namespace vorrendal;
using namespace vorrendal::testing;

namespace {

QStringList Lines(const QPlainTextEdit* box) { return box->toPlainText().split('\n'); }

// Answers the year question with the first (0) or second (1) year.
ModalDriver::Action AnswerYear(int answer) {
  return [answer](QWidget* modal) {
    auto* dialog = qobject_cast<frmCorrectYearSelect*>(modal);
    if (dialog == nullptr) {
      modal->close();
      return;
    }
    (answer == 1 ? dialog->optYear2 : dialog->optYear1)->setChecked(true);
    dialog->cmdOK->click();
  };
}

}  // namespace

class frmMainProcessTest : public QObject {
  Q_OBJECT
 private slots:
  void firstCompleteDecodeOpensThePanelOnce() {
    TestWindow t;
    const int closedHeight = t.window.height();
    t.TypeGoodPlate();
    QTest::keyClick(t.window.txtSerialNumber, Qt::Key_Return);
    QCOMPARE(t.readersMade, 1);
    QVERIFY(t.window.ReportPanelOpen);
    QCOMPARE(t.window.DropState, QStringLiteral("Black-Up"));
    QVERIFY(t.window.picDropDescription->isEnabled());
    QCOMPARE(t.window.height(), closedHeight + TwipsToPixels(frmMain::kReportPanelTwips));
    QCOMPARE(t.window.ClientHeight(),
             TwipsToPixels(frmMain::kClientHeightTwips + frmMain::kReportPanelTwips));
    // The report panel's controls are inside the client area now.
    const QRect client = t.window.centralWidget()->rect();
    for (QWidget* w : {static_cast<QWidget*>(t.window.txtDescription),
                       static_cast<QWidget*>(t.window.cmdCopyText),
                       static_cast<QWidget*>(t.window.cmdPrint)}) {
      QVERIFY2(client.contains(w->geometry()), qPrintable(w->objectName()));
    }
    for (QAction* item : {t.window.mnuFileSaveInfo, t.window.mnuFilePrintInfo,
                          t.window.mnuEditCopyInfo}) {
      QVERIFY2(item->isEnabled(), qPrintable(item->objectName()));
    }
    QVERIFY(t.window.chkAppend->isEnabled());
    QVERIFY(!t.window.txtDescription->isReadOnly());
    for (QWidget* w : {static_cast<QWidget*>(t.window.txtDescription),
                       static_cast<QWidget*>(t.window.cmdCopyText),
                       static_cast<QWidget*>(t.window.cmdSaveAs),
                       static_cast<QWidget*>(t.window.cmdPrint)}) {
      QVERIFY2(w->focusPolicy() & Qt::TabFocus, qPrintable(w->objectName()));
    }

    // Later decodes leave the size and the states alone.
    t.window.Process();
    t.window.Process();
    QCOMPARE(t.window.height(), closedHeight + TwipsToPixels(frmMain::kReportPanelTwips));
    QCOMPARE(t.readersMade, 1);
  }

  void beforeTheFirstDecodeThePanelIsShut() {
    TestWindow t;
    QVERIFY(t.window.txtDescription->isReadOnly());
    for (QWidget* w : {static_cast<QWidget*>(t.window.txtDescription),
                       static_cast<QWidget*>(t.window.cmdCopyText),
                       static_cast<QWidget*>(t.window.cmdSaveAs),
                       static_cast<QWidget*>(t.window.cmdPrint)}) {
      QVERIFY2(!(w->focusPolicy() & Qt::TabFocus), qPrintable(w->objectName()));
    }
    // The report panel lies below the visible client area.
    QVERIFY(t.window.txtDescription->geometry().top() >= t.window.ClientHeight());
    QVERIFY(!t.window.chkAppend->isEnabled());
    // Ctrl+S and Ctrl+P do nothing yet (no dialog comes up).
    ModalDriver driver;
    QTest::keySequence(&t.window, QKeySequence(QStringLiteral("Ctrl+S")));
    QTest::keySequence(&t.window, QKeySequence(QStringLiteral("Ctrl+P")));
    QTest::qWait(30);
    QVERIFY(driver.Unexpected().isEmpty());
    QVERIFY(QApplication::activeModalWidget() == nullptr);
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
    const int closedHeight = t.window.height();
    t.Type({serial, "52a", "a", "a1", "12a", "21", "1", "1"});
    t.window.txtDescription->setPlainText(QStringLiteral("kept"));
    t.window.cmdClearSerial->setFocus();

    ModalDriver driver;
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    driver.Then([&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      QVERIFY(box != nullptr);
      title = box->windowTitle();
      text = box->text();
      icon = box->icon();
      buttons = box->standardButtons();
      Press(modal, QMessageBox::Ok);
    });
    t.window.Process();
    QVERIFY(driver.Done());

    QCOMPARE(title, QStringLiteral("Invalid Year Code"));
    QCOMPARE(text, QStringLiteral("The year code must be a number from\n"
                                  "0 to 9. The year code is the first number\n"
                                  "in the serial number from 1960 to 1974.\n"
                                  "It is the second number in 1959."));
    QCOMPARE(icon, QMessageBox::Warning);
    QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));

    // The focus is back in the serial box (once the window is active again).
    QCOMPARE(t.window.focusWidget(), t.window.txtSerialNumber);
    QCOMPARE(t.window.height(), closedHeight);
    QVERIFY(!t.window.ReportPanelOpen);
    QVERIFY(!t.window.mnuFileSaveInfo->isEnabled());
    QVERIFY(!t.window.chkAppend->isEnabled());
    QCOMPARE(t.window.txtBody->text(), QStringLiteral("52a"));  // not upper-cased
    QCOMPARE(t.window.txtDescription->toPlainText(), QStringLiteral("kept"));
    QVERIFY(t.window.lblErrorOccurred->isHidden());
  }

  void processUpperCasesTheBoxesAndTheReport() {
    TestWindow t;
    t.Type({"5a31v100001", "52a", "a", "a1", "12a", "21", "1", "1"});
    t.window.Process();
    const QStringList expected{"5A31V100001", "52A", "A", "A1", "12A", "21", "1", "1"};
    const QList<QLineEdit*> boxes = t.window.PlateBoxList();
    for (qsizetype i = 0; i < boxes.size(); ++i) QCOMPARE(boxes[i]->text(), expected[i]);
    const QStringList lines = Lines(t.window.txtDescription);
    QCOMPARE(lines.value(0), QStringLiteral("Serial (Warranty) Number: 5A31V100001"));
    QVERIFY(lines.value(1).startsWith(QStringLiteral("Body: 52A")));
    QVERIFY(!t.window.txtDescription->toPlainText().contains(QStringLiteral("52a")));
    // The report ends with the axle line, no line break after it.
    QVERIFY(lines.last().startsWith(QStringLiteral("Axle (1) = ")));
  }

  void colorIsCutToOneCharacterFrom1967To1971_data() {
    QTest::addColumn<QString>("serial");
    QTest::addColumn<int>("yearAnswer");  // -1: no question
    QTest::addColumn<QString>("color");
    QTest::newRow("1966 keeps two") << "6A31V100001" << -1 << "AB";
    QTest::newRow("1967 cut") << "7A31V100001" << -1 << "A";
    QTest::newRow("1968 cut") << "8A31V100001" << -1 << "A";
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
    QVERIFY(driver.Done());
    QVERIFY(driver.Unexpected().isEmpty());
    QCOMPARE(t.window.txtColor->text(), color);
    QVERIFY(t.window.txtDescription->toPlainText().contains("Color (" + color + ") = "));
  }

  void appendAddsASectionAndPutsTheCaretInIt() {
    TestWindow t;
    t.TypeGoodPlate();
    t.window.Process();
    const QString first = t.window.txtDescription->toPlainText();
    t.window.chkAppend->setChecked(true);
    t.Type({"6A31V100001", "52A", "A", "A1", "12A", "21", "1", "1"});
    t.window.Process();

    const QString both = t.window.txtDescription->toPlainText();
    QVERIFY(both.startsWith(first + "\n\n" + QString(40, '_') + "\n\n" +
                            "Serial (Warranty) Number: 6A31V100001\n"));
    // The caret stands on the second character of the line after Trim,
    // with nothing selected.
    const QTextCursor caret = t.window.txtDescription->textCursor();
    QVERIFY(!caret.hasSelection());
    QCOMPARE(caret.positionInBlock(), 1);
    QVERIFY(caret.block().previous().text().startsWith(QStringLiteral("Trim (A1) = ")));
    QVERIFY(caret.position() > first.size());
    // And the box has scrolled to it.
    QVERIFY(t.window.txtDescription->verticalScrollBar()->value() > 0);
    QVERIFY(t.window.txtDescription->viewport()->rect().contains(
        t.window.txtDescription->cursorRect(caret)));

    // Back to replace mode: the report is the new section only, caret left.
    t.window.chkAppend->setChecked(false);
    t.window.Process();
    QVERIFY(t.window.txtDescription->toPlainText().startsWith("Serial (Warranty) Number: 6A31V100001\n"));
    QVERIFY(!t.window.txtDescription->toPlainText().contains(QString(40, '_')));
  }

  void appendKeepsWhatThePersonWrote() {
    TestWindow t;
    t.TypeGoodPlate();
    t.window.Process();
    const QString note = QString::fromUtf8("Owner's note: \u03a9 \u20ac");
    t.window.txtDescription->setPlainText(note);
    t.window.chkAppend->setChecked(true);
    t.window.Process();
    QVERIFY(t.window.txtDescription->toPlainText().startsWith(note + "\n\n____"));
  }

  void errorNoticeFollowsTheLastCompleteDecode() {
    TestWindow t;
    t.TypeGoodPlate();
    t.window.Process();
    QVERIFY(t.window.lblErrorOccurred->isHidden());
    QVERIFY(t.window.lblErrorNotice->isHidden());

    t.window.txtBody->setText(QStringLiteral("99Z"));  // no such body
    t.window.Process();
    QVERIFY(t.window.lblErrorOccurred->isVisible());
    QVERIFY(t.window.lblErrorNotice->isVisible());
    QVERIFY(t.window.txtDescription->toPlainText().contains(QStringLiteral("Description Not Found")));
    QTest::mouseClick(t.window.lblErrorNotice, Qt::LeftButton);
    QCOMPARE(t.help.topics, std::vector<int>{frmMain::kErrorNoticeTopic});

    // A decode stopped by a bad year code leaves the notice as it was.
    ModalDriver driver;
    driver.Then([](QWidget* modal) { Press(modal, QMessageBox::Ok); });
    t.window.txtSerialNumber->setText(QStringLiteral("#"));
    t.window.Process();
    QVERIFY(driver.Done());
    QVERIFY(t.window.lblErrorOccurred->isVisible());

    t.TypeGoodPlate();
    t.window.Process();
    QVERIFY(t.window.lblErrorOccurred->isHidden());
    QVERIFY(t.window.lblErrorNotice->isHidden());
  }

  void errorNoticeStandsAfterTheSentence() {
    TestWindow t;
    QCOMPARE(t.window.lblErrorNotice->font().underline(), true);
    QCOMPARE(t.window.lblErrorNotice->palette().color(QPalette::WindowText), QColor(Qt::blue));
    QCOMPARE(t.window.lblErrorNotice->cursor().shape(), Qt::PointingHandCursor);
    // Two lines, the second ending in "read the" just left of the link.
    const QLabel* sentence = t.window.lblErrorOccurred;
    QVERIFY(sentence->wordWrap());
    QVERIFY(sentence->heightForWidth(sentence->width()) > sentence->fontMetrics().height());
  }

  void aMissingYearBlockIsToldAndTheDecodeGoesOn() {
    auto years = PlateData();
    years.erase("65");
    TestWindow t(years);
    t.TypeGoodPlate();
    ModalDriver driver;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    driver.Then([&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      QVERIFY(box != nullptr);
      title = box->windowTitle();
      icon = box->icon();
      buttons = box->standardButtons();
      Press(modal, QMessageBox::Help);
    });
    driver.Then([](QWidget* modal) { Press(modal, QMessageBox::Ok); });
    t.window.Process();
    QVERIFY(driver.Done());
    QCOMPARE(title, QStringLiteral("Error Loading Data"));
    QCOMPARE(icon, QMessageBox::Critical);
    QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok | QMessageBox::Help));
    QCOMPARE(t.help.topics, std::vector<int>{GuiPrompter::kDataLoadHelpTopic});
    QVERIFY(t.window.ReportPanelOpen);
    QVERIFY(t.window.lblErrorOccurred->isVisible());
  }

  void yearQuestionRemembersItsAnswerAcrossDecodes() {
    TestWindow t;
    QVERIFY(t.window.Prompter().YearDialog() == nullptr);
    t.Type({"2A31V100001", "52A", "A", "A1", "", "21", "1", "1"});
    ModalDriver driver;
    driver.Then(AnswerYear(1));
    t.window.Process();
    QVERIFY(driver.Done());
    QVERIFY(t.window.txtDescription->toPlainText().contains(QStringLiteral("= 1972")));
    frmCorrectYearSelect* dialog = t.window.Prompter().YearDialog();
    QVERIFY(dialog != nullptr);
    QVERIFY(dialog->isHidden());

    // Next question: the second option is still chosen; OK at once keeps it.
    QString first, second;
    bool secondChecked = false;
    driver.Then([&](QWidget* modal) {
      auto* d = qobject_cast<frmCorrectYearSelect*>(modal);
      QVERIFY(d != nullptr);
      first = d->optYear1->text();
      second = d->optYear2->text();
      secondChecked = d->optYear2->isChecked();
      QTest::keyClick(d, Qt::Key_Return);
    });
    t.window.txtSerialNumber->setText(QStringLiteral("4A31V100001"));
    t.window.Process();
    QVERIFY(driver.Done());
    QCOMPARE(first, QStringLiteral("1964"));
    QCOMPARE(second, QStringLiteral("1974"));
    QVERIFY(secondChecked);
    QCOMPARE(t.window.Prompter().YearDialog(), dialog);  // the same dialog, shown again
    QVERIFY(t.window.txtDescription->toPlainText().contains(QStringLiteral("= 1974")));
  }

  void exceptionsFromTheDataReaderAreToldAndTheWindowStaysUsable() {
    RecordingHelp help;
    frmMain window(help, []() -> std::unique_ptr<IDataReader> {
      throw std::runtime_error("no memory for the reader");
    });
    window.show();
    window.txtSerialNumber->setText(QStringLiteral("5A31V100001"));
    ModalDriver driver;
    QString text;
    driver.Then([&](QWidget* modal) {
      if (auto* box = qobject_cast<QMessageBox*>(modal)) text = box->text();
      modal->close();
    });
    window.Process();
    QVERIFY(driver.Done());
    QVERIFY(text.contains(QStringLiteral("no memory for the reader")));
    QVERIFY(!window.ReportPanelOpen);
    QCOMPARE(window.txtSerialNumber->text(), QStringLiteral("5A31V100001"));
  }
};

QTEST_MAIN(frmMainProcessTest)
#include "frmMainProcessTest.moc"
