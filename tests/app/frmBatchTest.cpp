// The plates window over a CSV file: what it adds to the batch it runs.

#include <QMimeData>

#include "AppTestSupport.h"
#include "app/frmBatch.h"
#include "data/clsDataFile.h"
#include "ui/clsCommonFileDialog.h"

namespace {

// A 1965 plate every code of which the test data describes, the same with a
// body code it does not, and one whose year code cannot be read.
const QString kClean = QStringLiteral("5A31V100001,52A,A,A1,12A,21,1,1,");
const QString kUndescribed = QStringLiteral("5A31V100002,99Z,A,A1,12A,21,1,1,");
const QString kUnreadable = QStringLiteral("#A31V100003,52A,A,A1,12A,21,1,1,");
// A serial number that stands for 1962 or 1972, with no year.
const QString kOpenYear = QStringLiteral("2A31V100004,52A,A,A1,12A,21,1,1,");
constexpr int kStatus = 1;
constexpr int kYear = 10;

QByteArray Csv(const QStringList& rows) {
  return ("serial,body,color,trim,date,dso,trans,axle,year\r\n" + rows.join("\r\n") + "\r\n")
      .toUtf8();
}

// A main window and the batch window of a file it opened.
struct Opened {
  explicit Opened(TestWindow::Factory data = {}) : t(PlateData(), std::move(data)) {}
  explicit Opened(const QStringList& rows) { Open(Csv(rows)); }
  void Open(const QByteArray& csv) {
    QFile file(dir.filePath("plates.csv"));
    if (!file.open(QIODevice::WriteOnly) || file.write(csv) != csv.size()) qFatal("no test file");
    file.close();
    t.window.OpenPlates(file.fileName());
    batch = t.window.findChild<frmBatch*>();
  }
  bool Finish() {
    return batch != nullptr && QTest::qWaitFor([this] { return batch->Done(); }, 20000);
  }
  QAbstractItemModel* Model() const { return Find<QTableView>(*batch, "grdPlates")->model(); }
  QString Cell(int row, int column) const { return Model()->index(row, column).data().toString(); }
  void Select(int row) const {
    Find<QTableView>(*batch, "grdPlates")->setCurrentIndex(Model()->index(row, 0));
  }
  void Press(const char* button) const { Find<QPushButton>(*batch, button)->click(); }

  QTemporaryDir dir;
  ModalDriver driver;
  TestWindow t;
  frmBatch* batch = nullptr;
};

}  // namespace

class frmBatchTest : public QObject {
  Q_OBJECT
 private slots:
  // In file order, with the line number.
  void rowsCarryTheirStatus_data() {
    QTest::addColumn<QString>("row");
    QTest::addColumn<QString>("status");
    QTest::newRow("every code described") << kClean << "Decoded";
    QTest::newRow("a code not described") << kUndescribed << "Description not found";
    QTest::newRow("an unreadable year code") << kUnreadable << "Not decoded: serial: ";
  }
  void rowsCarryTheirStatus() {
    QFETCH(QString, row);
    QFETCH(QString, status);
    Opened o({kClean, row});
    QVERIFY(o.Finish());
    QCOMPARE(o.Model()->rowCount(), 2);
    QCOMPARE(o.Cell(1, 0), QStringLiteral("3"));
    QVERIFY2(o.Cell(1, kStatus).startsWith(status), qPrintable(o.Cell(1, kStatus)));
  }

  void filterLeavesTheRowsWithProblems() {
    Opened o({kClean, kUndescribed, kClean, kUnreadable});
    QVERIFY(o.Finish());
    Find<QCheckBox>(*o.batch, "chkOnlyProblems")->setChecked(true);
    QCOMPARE(o.Model()->rowCount(), 2);
    QCOMPARE(o.Cell(0, 0) + ' ' + o.Cell(1, 0), QStringLiteral("3 5"));
  }

  // Even on a box that takes text; another kind of file is not taken. Rows: "file|dropped
  // on|opens".
  void droppedFileOpens_data() {
    Rows({"PLATES.CSV|frmMain|yes", "plates.csv|txtSerialNumber|yes", "plates.txt|frmMain|no"});
  }
  void droppedFileOpens() {
    const QStringList r = Fields();
    const QString &name = r[0], &on = r[1];
    const bool opens = r[2] == u"yes";
    TestWindow t;
    QWidget* target = on == "frmMain" ? &t.window : t.window.findChild<QWidget*>(on);
    QVERIFY(target != nullptr);
    QTemporaryDir dir;
    QFile file(dir.filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(Csv({kClean})) > 0);
    file.close();
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(file.fileName())});
    mime.setText(file.fileName());  // as file managers give it, for boxes that take text
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QCOMPARE(enter.isAccepted(), opens);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    QCOMPARE(t.window.findChild<frmBatch*>() != nullptr, opens);
  }

  // The answer is taken for every row that leaves the year open. Rows: "button|year|status".
  void asksTheYearOnceForTheFile_data() {
    Rows({"cmd1970s|1972|Decoded", "cmdLeaveUndecoded||Not decoded"});
  }
  void asksTheYearOnceForTheFile() {
    const QStringList r = Fields();
    const QString &button = r[0], &year = r[1], &status = r[2];
    Opened o({kOpenYear, kClean, kOpenYear, kOpenYear});
    o.driver.Then([button](QWidget* modal) { Find<QPushButton>(*modal, button)->click(); });
    QVERIFY(o.Finish());
    QVERIFY(o.driver.Done() && o.driver.Unexpected().isEmpty());
    QCOMPARE(o.Cell(1, kStatus), QStringLiteral("Decoded"));
    for (int row : {0, 2, 3}) {
      QCOMPARE(o.Cell(row, kYear), year);
      QVERIFY2(o.Cell(row, kStatus).startsWith(status), qPrintable(o.Cell(row, kStatus)));
    }
  }

  // However many rows are of that year; no message box.
  void yearThatFailsToLoadIsNamedOnce() {
    Opened o([] {
      auto reader = std::make_unique<MemoryDataReader>(PlateData());
      reader->SetFailing("65");
      return reader;
    });
    o.Open(Csv({kClean, kClean, QStringLiteral("7A31V100009,52A,A,A1,12A,21,1,1,"), kClean}));
    QVERIFY(o.Finish());
    QVERIFY(o.driver.Unexpected().isEmpty());
    QCOMPARE(Find<QLabel>(*o.batch, "lblDataLoadFailed")->text(),
             QStringLiteral("The descriptions of 1965 could not be read: their codes show as "
                            "not found."));
  }

  void cancelKeepsTheRowsDone() {
    constexpr int kRows = 200000;
    Opened o(QStringList(kRows, kClean));
    QVERIFY(o.batch != nullptr);
    QVERIFY(QTest::qWaitFor([&] { return o.Model()->rowCount() > 0; }));
    o.Press("cmdCancel");
    QVERIFY(o.Finish());
    const int kept = o.Model()->rowCount();
    QVERIFY2(kept > 0 && kept < kRows, qPrintable(QString::number(kept)));
    QCOMPARE(o.Cell(kept - 1, 0), QString::number(kept + 1));
    const QString counts = Find<QLabel>(*o.batch, "lblCounts")->text();
    QVERIFY2(counts.endsWith(QStringLiteral("Cancelled after %1 plates").arg(kept)),
             qPrintable(counts));
  }

  // A file that is not a list of plates: a message naming it, and no window.
  void malformedFileIsAMessage() {
    Opened o;
    QString seen;
    o.driver.Then(Press(QMessageBox::Ok, &seen));
    o.Open("serial,colour\r\n5A31V100001,A\r\n");
    QVERIFY(o.batch == nullptr);
    QVERIFY2(seen.contains("plates.csv is not a list of plates: line 1"), qPrintable(seen));
  }

  void selectedRowShowsTheMainWindowsReport() {
    Opened o({kUnreadable, kUndescribed});
    QVERIFY(o.Finish());
    o.Select(1);
    o.t.Type(kUndescribed.split(','));
    o.t.window.Process();
    QCOMPARE(Find<QPlainTextEdit>(*o.batch, "txtReport")->toPlainText(), o.t.Report());
  }

  // On the plate of the row's year.
  void putsTheCodesIntoTheMainWindow() {
    Opened o({kClean, QStringLiteral("2A31V100005,52A,A,A1,12A,21,1,2,1972")});
    QVERIFY(o.Finish());
    o.Select(1);
    o.Press("cmdPutInMainWindow");
    QCOMPARE(o.t.Get<QComboBox>("cboTemplateStyle")->currentText(), QStringLiteral("1970-1972"));
    QStringList typed;
    for (const QString& box : kBoxes) typed << o.t.Box(box)->text();
    QCOMPARE(typed.join(','), QStringLiteral("2A31V100005,52A,A,A1,12A,21,1,2"));
  }

  // For the same file and the same answer to the year question. Rows: "button|filter|options".
  void exportIsWhatTheToolWrites_data() {
    Rows({"cmdLeaveUndecoded|0|csv", "cmd1970s|1|json --decade 1970s"});
  }
  void exportIsWhatTheToolWrites() {
    const QStringList r = Fields();
    const QString& button = r[0];
    const int filter = r[1].toInt();
    const QStringList options = r[2].split(u' ');
    const QString data = QStringLiteral(VORRENDAL_BIN_DIR "/Data.dat");
    Opened o([data] { return std::make_unique<clsDataFile>(data.toStdString()); });
    QFile sample(QStringLiteral(VORRENDAL_SOURCE_DIR "/resources/samples/plates.csv"));
    QVERIFY(sample.open(QIODevice::ReadOnly));
    const QByteArray csv = sample.readAll() + "2G53H123457,63C,4A,3E,,42,W,3,\r\n";
    o.driver.Then([button](QWidget* modal) { Find<QPushButton>(*modal, button)->click(); });
    o.Open(csv);
    QVERIFY(o.Finish());
    const QString exported = o.dir.filePath("out");
    o.batch->ExportDialog().NextFileNames = [&](QFileDialog& dialog) {
      dialog.selectNameFilter(dialog.nameFilters().at(filter));
      return QStringList{exported};
    };
    o.Press("cmdExport");
    QFile written(exported);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QProcess tool;
    tool.start(QStringLiteral(VORRENDAL_BIN_DIR "/vorrendal-decode"),
               QStringList{"--batch", "-", "--data", data, "--format"} + options);
    tool.write(csv);
    tool.closeWriteChannel();
    QVERIFY(tool.waitForFinished(20000));
    const QByteArray want = tool.readAllStandardOutput();
    QVERIFY(!want.isEmpty());
    QCOMPARE(written.readAll(), want);
  }
};

QTEST_MAIN(frmBatchTest)
#include "frmBatchTest.moc"
