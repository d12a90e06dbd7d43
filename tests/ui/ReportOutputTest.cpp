// Copy and save of the report, and clsCommonFileDialog through its one seam.

#include <QClipboard>
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

// The next names (none left: Cancel), with the filter of the same place.
struct Answers {
  std::function<QStringList(QFileDialog&)> Seam() {
    return [this](QFileDialog& dialog) {
      shown << Describe(dialog);
      directories << dialog.directory().absolutePath();
      if (names.isEmpty()) return QStringList();
      if (!filters.isEmpty()) dialog.selectNameFilter(filters.takeFirst());
      return names.takeFirst().split(u'\n');
    };
  }
  QStringList names, filters, shown, directories;
};

struct Saving : Answers {
  Saving() { output.SaveDialog().NextFileNames = Seam(); }
  QString report = kReport;
  ReportOutput output{nullptr, [this] { return report; }};
};

QByteArray Read(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QStringList Entries(const QTemporaryDir& dir) {
  return QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
}

const QString kFilter = QStringLiteral("Text Documents (*.txt)|*.txt|All Files (*.*)|*.*");

// What a dialog left in its fields: "[canceled ]FileName|FileTitle|FilterIndex".
QString State(const clsCommonFileDialog& d) {
  const QString canceled = d.Canceled ? QStringLiteral("canceled ") : QString();
  return QStringLiteral("%1%2|%3|%4").arg(canceled, d.FileName, d.FileTitle).arg(d.FilterIndex);
}

}  // namespace

class ReportOutputTest : public QObject {
  Q_OBJECT

 private slots:
  // An empty report leaves it empty, not with what it held before.
  void copyPutsTheReportOnTheClipboard_data() {
    QTest::addColumn<QString>("report");
    QTest::newRow("a report") << kReport;
    QTest::newRow("an empty report") << QString();
  }
  void copyPutsTheReportOnTheClipboard() {
    QFETCH(QString, report);
    QGuiApplication::clipboard()->setText(QStringLiteral("left over"));
    ReportOutput output(nullptr, [&report] { return report; });
    output.CopyReport();
    QCOMPARE(QGuiApplication::clipboard()->text(), report);
  }

  void saveBytes_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("lines") << "Body: 62A\nColor: AA" << QByteArray("Body: 62A\r\nColor: AA\r\n");
    QTest::newRow("empty") << "" << QByteArray("\r\n");
    QTest::newRow("CR LF kept single") << "a\r\nb" << QByteArray("a\r\nb\r\n");
    QTest::newRow("a lone CR ends a line too") << "a\rb" << QByteArray("a\r\nb\r\n");
    QTest::newRow("last line empty") << "a\n" << QByteArray("a\r\n\r\n");
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

  // A refused name is told and the dialog asked again.
  void savesToTheNameChosen_data() {
    // In names and files, <dir> stands for the folder and <256> for a path of
    // 256 characters in it.
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("refusal");  // the start of the message, empty for none
    QTest::addColumn<QStringList>("files");
    const auto row = [](const char* name, QStringList names, const char* refusal, QString added) {
      const QStringList kept{"<dir>/kept.txt"};
      QTest::newRow(name) << names << refusal
                          << (added.isEmpty() ? kept : kept + QStringList{added});
    };
    row("a file replaced", {"<dir>/kept.txt"}, "", "");
    row("a new file", {"<dir>/new report"}, "", "<dir>/new report");
    row("a missing folder, then a file", {"<dir>/none/r.txt", "<dir>/r.txt"}, "The folder",
        "<dir>/r.txt");
    row("a path of 256 characters", {"<256>"}, "", "<256>");
    row("a path of 257, then a file", {"<256>r", "<dir>/r.txt"}, "The path of", "<dir>/r.txt");
    row("cancelled", {}, "", "");
  }
  void savesToTheNameChosen() {
    QFETCH(QStringList, names);
    QFETCH(QString, refusal);
    QFETCH(QStringList, files);
    QTemporaryDir dir;
    const auto expand = [&dir](QString name) {
      const QString longest = dir.path() + u'/' + QString(255 - dir.path().size(), u'r');
      return name.replace(QStringLiteral("<dir>"), dir.path())
          .replace(QStringLiteral("<256>"), longest);
    };
    QFile old(dir.filePath(QStringLiteral("kept.txt")));
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write(QByteArray(500, 'o')) == 500);
    old.close();
    Saving s;
    for (const QString& name : names) s.names << expand(name);
    ModalDriver driver;
    QString seen;
    if (!refusal.isEmpty()) driver.Then(Press(QMessageBox::Ok, &seen));
    QCOMPARE(s.output.SaveReportAs(), !names.isEmpty());
    QVERIFY(driver.Done() && driver.Unexpected().isEmpty());
    QCOMPARE(seen.section(u'|', 1).left(refusal.size()), refusal);
    QStringList expected;
    for (const QString& file : files) expected << QFileInfo(expand(file)).fileName();
    QCOMPARE(Entries(dir), expected);
    if (!names.isEmpty())
      QCOMPARE(Read(s.output.SaveDialog().FileName), ReportOutput::SaveBytes(kReport));
  }

  void laterSaveStartsWithTheFilterChosen() {
    QTemporaryDir dir;
    Saving s;
    s.names = QStringList{dir.filePath(QStringLiteral("a")), dir.filePath(QStringLiteral("b"))};
    s.filters = {QStringLiteral("All Files (*)")};
    QVERIFY(s.output.SaveReportAs() && s.output.SaveReportAs());
    QCOMPARE(s.shown.size(), 2);
    QVERIFY(s.shown[0].endsWith(QStringLiteral("|Text Documents (*.txt)|1")));
    QVERIFY(s.shown[1].endsWith(QStringLiteral("|All Files (*)|1")));
  }

  // No stray temporary file beside the earlier one.
  void failedSaveKeepsOldFile_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("read-only file") << "read-only";
    QTest::newRow("a folder in the way") << "folder";
  }
  void failedSaveKeepsOldFile() {
    QFETCH(QString, how);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kept.txt"));
    const QByteArray old("earlier report\r\n");
    Saving s;
    s.names << path;
    if (how == QStringLiteral("folder")) {
      QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("kept.txt")));
    } else {
      QFile file(path);
      QVERIFY(file.open(QIODevice::WriteOnly) && file.write(old) == old.size());
    }
    if (how == QStringLiteral("read-only")) QFile::setPermissions(path, QFileDevice::ReadOwner);
    ModalDriver driver;
    QString seen;
    driver.Then(Press(QMessageBox::Ok, &seen));
    QVERIFY(!s.output.SaveReportAs() && driver.Done());
    QVERIFY2(seen.startsWith("Save As|The report could not be saved to"), qPrintable(seen));
    if (how != QStringLiteral("folder")) QCOMPARE(Read(path), old);
    QCOMPARE(Entries(dir), QStringList{"kept.txt"});
  }

  // The "description|pattern" pairs in Qt's form, whose brackets must hold the patterns.
  void convertFilter_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("converted");
    QTest::newRow("the save filter")
        << kFilter << QStringList{"Text Documents (*.txt)", "All Files (*)"};
    QTest::newRow("empty: no filters") << "" << QStringList{};
    QTest::newRow("no pattern in it") << "Reports|*.rpt" << QStringList{"Reports (*.rpt)"};
    QTest::newRow("several patterns") << "Logs|*.log;*.txt" << QStringList{"Logs (*.log *.txt)"};
    QTest::newRow("brackets that disagree") << "Text (*.doc)|*.txt" << QStringList{"Text (*.txt)"};
    QTest::newRow("odd part dropped") << "Text|*.txt|Lonely" << QStringList{"Text (*.txt)"};
    QTest::newRow("pattern only") << "|*.dat" << QStringList{"*.dat (*.dat)"};
  }
  void convertFilter() {
    QFETCH(QString, filter);
    QFETCH(QStringList, converted);
    QCOMPARE(clsCommonFileDialog::ConvertFilter(filter), converted);
  }

  void dialogFollowsTheFields_data() {
    QTest::addColumn<bool>("save");
    QTest::addColumn<int>("flags");
    QTest::addColumn<int>("filterIndex");
    QTest::addColumn<QString>("dialog");  // "asks|file mode|filter shown"
    QTest::newRow("save with 0x2") << true << 0x2 << 0 << "1|0|Text Documents (*.txt)";
    QTest::newRow("save without 0x2") << true << 0x804 << 0 << "0|0|Text Documents (*.txt)";
    QTest::newRow("save ignores 0x200") << true << 0x200 << 0 << "0|0|Text Documents (*.txt)";
    QTest::newRow("the second filter") << true << 0 << 2 << "0|0|All Files (*)";
    QTest::newRow("an index past the list") << true << 0 << 3 << "0|0|Text Documents (*.txt)";
    QTest::newRow("open any file") << false << 0 << 0 << "0|0|Text Documents (*.txt)";
    QTest::newRow("open 0x1000: existing") << false << 0x1000 << 0 << "0|1|Text Documents (*.txt)";
    QTest::newRow("open 0x200: several") << false << 0x200 << 0 << "0|3|Text Documents (*.txt)";
  }
  void dialogFollowsTheFields() {
    QFETCH(bool, save);
    QFETCH(int, flags);
    QFETCH(int, filterIndex);
    QFETCH(QString, dialog);
    clsCommonFileDialog d;
    d.Filter = kFilter;
    d.flags = flags;
    d.FilterIndex = static_cast<std::int16_t>(filterIndex);
    QString seen;
    d.NextFileNames = [&seen](QFileDialog& shown) {
      seen = QStringLiteral("%1|%2|%3")
                 .arg(!shown.testOption(QFileDialog::DontConfirmOverwrite))
                 .arg(shown.fileMode())
                 .arg(shown.selectedNameFilter());
      return QStringList();
    };
    QVERIFY(!(save ? d.ShowSave(nullptr) : d.ShowOpen(nullptr)));
    QCOMPARE(seen, dialog);
  }

  // Refused before any dialog; MaxFileSize below 1 is taken, and kept, as 256.
  void defaultTitleWithinMaxFileSize_data() {
    QTest::addColumn<int>("maxFileSize");
    QTest::addColumn<int>("titleLength");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<int>("maxAfter");
    QTest::newRow("a title that fits exactly") << 12 << 12 << true << 12;
    QTest::newRow("one too long") << 12 << 13 << false << 12;
    QTest::newRow("0 is 256") << 0 << 256 << true << 256;
    QTest::newRow("negative is 256, one too long") << -5 << 257 << false << 256;
  }
  void defaultTitleWithinMaxFileSize() {
    QFETCH(int, maxFileSize);
    QFETCH(int, titleLength);
    QFETCH(bool, shown);
    QFETCH(int, maxAfter);
    clsCommonFileDialog d;
    d.MaxFileSize = static_cast<std::int16_t>(maxFileSize);
    d.DefaultFileTitle = QString(titleLength, u'r');
    int dialogs = 0;
    d.NextFileNames = [&dialogs](QFileDialog&) { return ++dialogs, QStringList(); };
    QString error;
    QVERIFY(!d.ShowSave(nullptr, &error));
    QCOMPARE(dialogs, shown ? 1 : 0);
    QCOMPARE(error.isEmpty(), shown);
    QVERIFY(d.Canceled);
    QCOMPARE(d.MaxFileSize, maxAfter);
  }

  // Only Canceled changes; the next file chosen clears it.
  void cancelKeepsTheEarlierAnswer() {
    Answers a;
    clsCommonFileDialog d;
    d.Filter = kFilter;
    d.NextFileNames = a.Seam();
    a.names = QStringList{QStringLiteral("/tmp/first.txt")};
    a.filters = QStringList{QStringLiteral("All Files (*)")};
    QVERIFY(d.ShowSave(nullptr));
    QVERIFY(!d.ShowSave(nullptr));
    QCOMPARE(State(d), QStringLiteral("canceled /tmp/first.txt|first.txt|2"));
    a.names = QStringList{QStringLiteral("/tmp/second.txt")};
    QVERIFY(d.ShowSave(nullptr));
    QCOMPARE(State(d), QStringLiteral("/tmp/second.txt|second.txt|2"));
  }

  // Several files opened with 0x200: the folder and each name, NUL-separated.
  void fileNameOfTheChoice_data() {
    QTest::addColumn<QString>("chosen");  // a line a file
    QTest::addColumn<int>("flags");
    QTest::addColumn<QString>("state");  // FileName|FileTitle, "0" standing for NUL
    QTest::newRow("one file") << "/data/a.txt" << 0 << "/data/a.txt|a.txt";
    QTest::newRow("spaces at both ends") << "  /tmp/a b.txt  " << 0 << "/tmp/a b.txt|a b.txt";
    QTest::newRow("several") << "/data/a.txt\n/data/b.txt" << 0x200 << "/data0a.txt0b.txt|a.txt";
  }
  void fileNameOfTheChoice() {
    QFETCH(QString, chosen);
    QFETCH(int, flags);
    QFETCH(QString, state);
    Answers a;
    clsCommonFileDialog d;
    d.flags = flags;
    d.NextFileNames = a.Seam();
    a.names = QStringList{chosen};
    QVERIFY(d.ShowOpen(nullptr));
    QCOMPARE(QString(d.FileName).replace(QChar(u'\0'), u'0') + u'|' + d.FileTitle, state);
  }

  // Qt's own dialog, run and accepted: the file and the filter chosen come back.
  void qtDialog() {
    QTemporaryDir dir;
    clsCommonFileDialog dialog;
    dialog.Filter = kFilter;
    dialog.FilterIndex = 2;
    dialog.InitDir = dir.path();
    dialog.DefaultFileTitle = QStringLiteral("plate.txt");
    ModalDriver driver;
    driver.Then([](QWidget* open) { QMetaObject::invokeMethod(open, "accept"); });
    QVERIFY(dialog.ShowSave(nullptr));
    QCOMPARE(State(dialog),
             dir.filePath(QStringLiteral("plate.txt")) + QStringLiteral("|plate.txt|2"));
  }
};

QTEST_MAIN(ReportOutputTest)
#include "ReportOutputTest.moc"
