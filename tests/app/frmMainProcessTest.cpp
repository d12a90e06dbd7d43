// What Process does to the window, and the report's ways out.

#include "AppTestSupport.h"
#include "app/ReportText.h"
#include "ui/FakePrinter.h"
#include "ui/ReportOutput.h"

namespace {

// The report panel as it stands: "open|editable|Tab reaches it|height".
QString Panel(const TestWindow& t) {
  bool reached = true;
  for (const char* name : {"txtDescription", "cmdCopyText", "cmdSaveAs", "cmdPrint"})
    reached = reached && t.Get(name)->isVisible() && (t.Get(name)->focusPolicy() & Qt::TabFocus);
  const int grown = t.window.height() - t.closedHeight;
  return QStringLiteral("%1|%2|%3|%4")
      .arg(t.Get<DropDescriptionButton>("picDropDescription")->State() ==
           DropDescriptionButton::DropState::BlackUp)
      .arg(!t.Get<QPlainTextEdit>("txtDescription")->isReadOnly())
      .arg(reached)
      .arg(grown == TwipsToPixels(3720) ? "open"
           : grown == 0                 ? "closed"
                                        : "other");
}

const QString kOpen = QStringLiteral("1|1|1|open");
const QString kClosed = QStringLiteral("0|0|0|closed");

}  // namespace

class frmMainProcessTest : public QObject {
  Q_OBJECT
 private slots:
  // The first decode reads the data and opens the panel; the next leaves both.
  void firstDecodeOpensThePanel() {
    TestWindow t;
    t.ClickDropButton();  // disabled before the first decode
    QCOMPARE(Panel(t), kClosed);
    t.TypeGoodPlate();
    QTest::keyClick(t.Box("txtSerialNumber"), Qt::Key_Return);
    QCOMPARE(Panel(t), kOpen);
    QVERIFY(t.Get("chkAppend")->isEnabled());
    for (const char* name : {"txtDescription", "cmdCopyText", "cmdSaveAs", "cmdPrint"})
      QVERIFY2(t.window.centralWidget()->rect().contains(t.Get(name)->geometry()), name);
    t.window.Process();
    QCOMPARE(Panel(t), kOpen);
    QCOMPARE(t.readersMade, 1);
  }

  // Kept as written; the caret, in view, on the line after Trim.
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
    const QTextCursor caret = report->textCursor();
    QCOMPARE(caret.positionInBlock(), 1);
    QVERIFY(caret.block().previous().text().startsWith(QStringLiteral("Trim (A1) = ")));
    QVERIFY(report->verticalScrollBar()->value() > 0);
    QVERIFY(report->viewport()->rect().contains(report->cursorRect(caret)));
  }

  // Upper case; the color code cut to one character from 1967 to 1971.
  void boxesShowTheCodesAsDecoded_data() {
    QTest::addColumn<QString>("serial");
    QTest::addColumn<int>("yearAnswer");  // -1: no question
    QTest::addColumn<QString>("color");
    QTest::newRow("1966: both characters") << "6a31v100001" << -1 << "AB";
    QTest::newRow("1967: one") << "7a31v100001" << -1 << "A";
    QTest::newRow("1971: one") << "1a31v100001" << 1 << "A";
    QTest::newRow("1972: both") << "2a31v100001" << 1 << "AB";
  }
  void boxesShowTheCodesAsDecoded() {
    QFETCH(QString, serial);
    QFETCH(int, yearAnswer);
    QFETCH(QString, color);
    TestWindow t;
    t.Type({serial, "52a", "ab", "a1", "12a", "21", "1", "1"});
    t.Get<QPlainTextEdit>("txtDescription")->setPlainText(QStringLiteral("replaced"));
    ModalDriver driver;
    if (yearAnswer >= 0) driver.Then(AnswerYear(yearAnswer));
    t.window.Process();
    QVERIFY(driver.Done() && driver.Unexpected().isEmpty());
    QStringList shown;
    for (const QString& box : kBoxes) shown << t.Box(box)->text();
    QCOMPARE(shown, QStringList({serial.toUpper(), "52A", color, "A1", "12A", "21", "1", "1"}));
    QVERIFY(t.Report().startsWith("Serial (Warranty) Number: " + serial.toUpper() + u'\n'));
    QVERIFY(t.Report().contains(QStringLiteral("\nColor (%1) = ").arg(color)));
  }

  // Nothing else changes: no upper case, the report kept, the panel closed.
  void refusedYearCodeChangesNothing_data() {
    QTest::addColumn<QString>("serial");
    QTest::newRow("empty") << "";
    QTest::newRow("not a year character") << "*5a31v10000";
  }
  void refusedYearCodeChangesNothing() {
    QFETCH(QString, serial);
    TestWindow t;
    t.Type({serial, "52a"});
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
    QCOMPARE(Panel(t), kClosed);
    QVERIFY(!t.Get("chkAppend")->isEnabled() && !t.Get<QAction>("mnuFileSaveInfo")->isEnabled());
  }

  // It outlives a refused year code and goes with the next clean decode.
  void errorNoticeFollowsTheLastCompleteDecode() {
    TestWindow t;
    const auto shown = [&t] {
      return t.Get("lblErrorOccurred")->isVisible() + 2 * t.Get("lblErrorNotice")->isVisible();
    };
    t.DecodeGoodPlate();
    QCOMPARE(shown(), 0);
    t.DecodeWithError();
    QCOMPARE(shown(), 3);
    t.window.SetPlateCode(PlateField::Serial, QStringLiteral("#"));
    QVERIFY(t.ProcessPressingOk(1)[0].startsWith("Invalid Year Code|"));
    QCOMPARE(shown(), 3);
    t.DecodeGoodPlate();
    QCOMPARE(shown(), 0);
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

  // The box's text as edited; the print job named after the serial number.
  void outputFromButtonsAndMenus_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("way");
    for (const auto& [control, way] : {std::pair("Ctrl+S", "saved"),
                                       {"cmdSaveAs", "saved"},
                                       {"Ctrl+P", "printed"},
                                       {"cmdPrint", "printed"},
                                       {"cmdCopyText", "copied"},
                                       {"mnuEditCopyInfo", "copied"}})
      QTest::newRow(control) << QString(control) << QString(way);
  }
  void outputFromButtonsAndMenus() {
    QFETCH(QString, control);
    QFETCH(QString, way);
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
    QCOMPARE(result, way);
  }

  // A caret past the report's end stands at its end.
  void reportCaretPastTheEnd() { QCOMPARE(ReportText::CaretInBox("ab\r\n", 99), 3); }
};

QTEST_MAIN(frmMainProcessTest)
#include "frmMainProcessTest.moc"
