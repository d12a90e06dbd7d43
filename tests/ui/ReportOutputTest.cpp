// Saving the report, and clsCommonFileDialog through its one seam and as Qt's own dialog.

#include <QFileDialog>
#include <QTemporaryDir>
#include <QtTest>

#include "support/ModalDriver.h"
#include "ui/ReportOutput.h"

using vorrendal::clsCommonFileDialog;
using vorrendal::ReportOutput;
using vorrendal::testing::ModalDriver;
using vorrendal::testing::Press;

namespace {

const QString kReport = QStringLiteral(
    "Serial (Warranty) Number: 3A41K123456\nBody: 62A   Color: AA   Trim: 86A  Date: 12C\n\n"
    "Year (3) = 1963");

// A dialog as it would be shown: "title|suffix|filters|filter shown|asks before overwriting".
QString Describe(const QFileDialog& dialog) {
  return QStringLiteral("%1|%2|%3|%4|%5")
      .arg(dialog.windowTitle(), dialog.defaultSuffix(), dialog.nameFilters().join(u';'),
           dialog.selectedNameFilter())
      .arg(!dialog.testOption(QFileDialog::DontConfirmOverwrite));
}

// The report's save dialog, answered with the next names (none left: Cancel).
struct Saving {
  Saving() {
    output.SaveDialog().NextFileNames = [this](QFileDialog& dialog) {
      shown << Describe(dialog);
      directories << dialog.directory().absolutePath();
      return names.isEmpty() ? QStringList() : QStringList{names.takeFirst()};
    };
  }
  QStringList names, shown, directories;
  ReportOutput output{nullptr, [] { return kReport; }};
};

QByteArray Read(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QStringList Entries(const QTemporaryDir& dir) {
  return QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
}

}  // namespace

class ReportOutputTest : public QObject {
  Q_OBJECT

 private slots:
  void saveBytes_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("lines") << "Body: 62A\nColor: AA" << QByteArray("Body: 62A\r\nColor: AA\r\n");
    QTest::newRow("CR LF kept single") << "a\r\nb" << QByteArray("a\r\nb\r\n");
    QTest::newRow("Windows-1252") << QStringLiteral("\u00e9\u20ac\u2014")
                                  << QByteArray("\xe9\x80\x97\r\n");
    QTest::newRow("outside the code page")
        << QStringLiteral("\u03a9 \U0001F697") << QByteArray("? ?\r\n");
  }
  void saveBytes() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(ReportOutput::SaveBytes(text), bytes);
  }

  // No name of the program's choosing.
  void saveDialogAsDesigned() {
    Saving s;
    QVERIFY(!s.output.SaveReportAs());
    QCOMPARE(s.shown, QStringList{"Save As|txt|Text Documents (*.txt);All Files (*)|"
                                  "Text Documents (*.txt)|1"});
    QCOMPARE(s.directories, QStringList{QDir(QCoreApplication::applicationDirPath()).path()});
    QVERIFY(s.output.SaveDialog().DefaultFileTitle.isEmpty());
  }

  // A refused name is told and the dialog asked again. <dir> is the folder, <257> a path of 257
  // characters in it.
  void savesToTheNameChosen_data() {
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("refusal");  // the start of the message, empty for none
    QTest::addColumn<QStringList>("files");
    const QStringList kept{"kept.txt"}, added{"kept.txt", "r.txt"};
    QTest::newRow("replaced") << QStringList{"<dir>/kept.txt"} << "" << kept;
    QTest::newRow("folder") << QStringList{"<dir>/x/r.txt", "<dir>/r.txt"} << "The folder" << added;
    QTest::newRow("257") << QStringList{"<257>", "<dir>/r.txt"} << "The path of" << added;
    QTest::newRow("cancelled") << QStringList{} << "" << kept;
  }
  void savesToTheNameChosen() {
    QFETCH(QStringList, names);
    QFETCH(QString, refusal);
    QFETCH(QStringList, files);
    QTemporaryDir dir;
    QFile old(dir.filePath(QStringLiteral("kept.txt")));
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write(QByteArray(500, 'o')) == 500);
    old.close();
    Saving s;
    const QString longest = dir.path() + u'/' + QString(256 - dir.path().size(), u'r');
    for (QString name : names)
      s.names << (name == u"<257>" ? longest : name.replace(QStringLiteral("<dir>"), dir.path()));
    ModalDriver driver;
    QString seen;
    if (!refusal.isEmpty()) driver.Then(Press(QMessageBox::Ok, &seen));
    QCOMPARE(s.output.SaveReportAs(), !names.isEmpty());
    QVERIFY(driver.Done() && driver.Unexpected().isEmpty());
    QCOMPARE(seen.section(u'|', 1).left(refusal.size()), refusal);
    QCOMPARE(Entries(dir), files);
    if (!names.isEmpty())
      QCOMPARE(Read(s.output.SaveDialog().FileName), ReportOutput::SaveBytes(kReport));
  }

  // No stray temporary file beside the earlier one.
  void failedSaveKeepsOldFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kept.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("earlier\r\n") == 9);
    file.close();
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    Saving s;
    s.names << path;
    ModalDriver driver;
    QString seen;
    driver.Then(Press(QMessageBox::Ok, &seen));
    QVERIFY(!s.output.SaveReportAs() && driver.Done());
    QVERIFY2(seen.startsWith("Save As|The report could not be saved to"), qPrintable(seen));
    QCOMPARE(Read(path), QByteArray("earlier\r\n"));
    QCOMPARE(Entries(dir), QStringList{"kept.txt"});
  }

  // Qt's own dialog, run and accepted: the name offered in its folder comes back.
  void qtDialog() {
    QTemporaryDir dir;
    clsCommonFileDialog dialog;
    dialog.InitDir = dir.path();
    dialog.DefaultFileTitle = QStringLiteral("plate.txt");
    ModalDriver driver;
    driver.Then([](QWidget* open) { QMetaObject::invokeMethod(open, "accept"); });
    QVERIFY(dialog.ShowSave(nullptr));
    QCOMPARE(dialog.FileName, dir.filePath(QStringLiteral("plate.txt")));
  }
};

QTEST_MAIN(ReportOutputTest)
#include "ReportOutputTest.moc"
