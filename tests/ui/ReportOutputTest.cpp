// Copy, save and print of the report: the clipboard, the saved bytes, a
// failed save leaving the earlier file whole, a print job written as PDF.

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>

#include "ReportOutputFakes.h"
#include "ui/ReportOutput.h"
#include "ui/SystemOutputServices.h"

using vorrendal::FileDialogRequest;
using vorrendal::ReportOutput;

namespace {

struct Harness : vorrendal::test::FakeOutput {
  explicit Harness(const QString& pdf = QString())
      : output(std::make_unique<ReportOutput>(nullptr, [this] { return report; }, Services(pdf))) {}
  QString report;
  std::unique_ptr<ReportOutput> output;
};

QByteArray Read(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

const QString kSampleReport = QStringLiteral(
    "Serial (Warranty) Number: 3A41K123456\n"
    "Body: 62A   Color: AA   Trim: 86A  Date: 12C\n"
    "DSO: 23     Trans: 4    Axle: 1\n\n"
    "Year (3) = 1963");

}  // namespace

class ReportOutputTest : public QObject {
  Q_OBJECT

 private slots:
  // The clipboard is emptied first, then takes the text as the box holds it.
  void copy() {
    Harness h;
    h.report = kSampleReport;
    h.output->CopyReport();
    QCOMPARE(h.clipboard, (QStringList{QStringLiteral("clear"), QStringLiteral("set:") + kSampleReport}));
    vorrendal::SystemClipboard clipboard;
    QGuiApplication::clipboard()->setText(QStringLiteral("old"));
    clipboard.Clear();
    clipboard.SetText(kSampleReport);
    QCOMPARE(QGuiApplication::clipboard()->text(), kSampleReport);
  }

  void saveBytes_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("lines") << QStringLiteral("Body: 62A\nColor: AA") << QByteArray("Body: 62A\r\nColor: AA\r\n");
    QTest::newRow("empty") << QString() << QByteArray("\r\n");
    QTest::newRow("CR LF kept single") << QStringLiteral("a\r\nb") << QByteArray("a\r\nb\r\n");
    QTest::newRow("last line empty") << QStringLiteral("a\n") << QByteArray("a\r\n\r\n");
    QTest::newRow("Windows-1252") << QStringLiteral("Caf\u00e9 \u20ac5 \u2014") << QByteArray("Caf\xe9 \x80" "5 \x97\r\n");
    QTest::newRow("outside the code page") << QStringLiteral("\u03a9 \U0001F697") << QByteArray("? ?\r\n");
  }

  void saveBytes() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(ReportOutput::SaveBytes(text), bytes);
  }

  // Save writes the file as named (no extension added by the program),
  // replaces it the second time, keeps its one dialog (and the filter chosen)
  // between saves, and writes nothing when cancelled.
  void saveAsThenAgainThenCancel() {
    QTemporaryDir dir;
    Harness h;
    h.report = kSampleReport;
    const QString path = dir.filePath(QStringLiteral("plate report"));
    h.names = {path, path};
    QVERIFY(h.output->SaveReportAs());
    QCOMPARE(Read(path), ReportOutput::SaveBytes(kSampleReport));
    QVERIFY(Read(path).endsWith("Year (3) = 1963\r\n"));
    const FileDialogRequest& r = h.requests.front();
    QCOMPARE(r.title + '|' + r.defaultSuffix + '|' + r.nameFilters.join(';'),
             QStringLiteral("Save As|txt|Text Documents (*.txt);All Files (*)"));
    QVERIFY(r.confirmOverwrite && r.initialFileName.isEmpty());
    QCOMPARE(r.initialDir, QCoreApplication::applicationDirPath());
    QCOMPARE(h.output->SaveDialog().flags, 2054);
    h.report = QStringLiteral("short");
    h.output->SaveDialog().FilterIndex = 2;
    QVERIFY(h.output->SaveReportAs());
    QCOMPARE(Read(path), QByteArray("short\r\n"));
    QVERIFY(!h.output->SaveReportAs());
    QCOMPARE(h.requests.size(), 3u);
    QCOMPARE(h.requests[1].selectedFilter, 1);
    QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{"plate report"});
    QVERIFY(h.messages.isEmpty());
  }

  void failedSaveKeepsOldFile_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("read-only file") << "read-only";
    QTest::newRow("folder in the way") << "folder";
    QTest::newRow("disk full while writing") << "full";
  }

  // A save that cannot be completed says so and leaves the earlier file whole.
  void failedSaveKeepsOldFile() {
    QFETCH(QString, how);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kept.txt"));
    const QByteArray old("earlier report\r\n");
    Harness h;
    h.report = QString(200000, u'x');
    h.names.push_back(path);
    if (how != QStringLiteral("folder")) {
      QFile file(path);
      QVERIFY(file.open(QIODevice::WriteOnly) && file.write(old) == old.size());
    }
    if (how == QStringLiteral("read-only")) QFile::setPermissions(path, QFileDevice::ReadOwner);
    if (how == QStringLiteral("folder")) QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("kept.txt")));
    rlimit before{};  // a file-size limit makes writing fail part-way, as a full disk does
    getrlimit(RLIMIT_FSIZE, &before);
    rlimit small = before;
    if (how == QStringLiteral("full")) small.rlim_cur = 4096;
    auto* previous = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    const bool saved = h.output->SaveReportAs();
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, previous);
    QVERIFY(!saved);
    QVERIFY(h.messages.size() == 1 && h.messages[0].startsWith("Save As|The report could not be saved to"));
    if (how != QStringLiteral("folder")) QCOMPARE(Read(path), old);
    // No stray temporary file is left beside it.
    QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{"kept.txt"});
  }

  void printToPdf_data() {
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("pages");
    QTest::newRow("empty report") << 0 << 1;
    QTest::newRow("one page") << 20 << 1;
    QTest::newRow("long report breaks pages") << 150 << 3;
  }

  void printToPdf() {
    QFETCH(int, lines);
    QFETCH(int, pages);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("job.pdf"));
    Harness h(pdf);
    QStringList report;
    for (int i = 0; i < lines; ++i) report.append(QStringLiteral("Line %1 of the report").arg(i));
    h.report = report.join(u'\n');
    QVERIFY(h.output->PrintReport());
    QVERIFY(h.messages.isEmpty());
    const QByteArray bytes = Read(pdf);
    QVERIFY(bytes.startsWith("%PDF"));
    QCOMPARE(static_cast<int>(bytes.count("/Type /Page\n")), pages);
    // A fixed-pitch face, so the report's columns line up on paper.
    if (lines > 0) QVERIFY2(bytes.contains("Mono") || bytes.contains("Courier"), "no fixed-pitch face in the job");
  }

  // No printer is a message; without CUPS the real source says so too.
  void printWithoutPrinter() {
    Harness h;
    h.report = kSampleReport;
    QVERIFY(!h.output->PrintReport());
    QCOMPARE(h.messages, QStringList{QStringLiteral(
                             "Print|The report could not be printed.\n\nNo default printer is set up on this computer.")});
    if (!QPrinterInfo::defaultPrinter().isNull()) QSKIP("this machine has a default printer");
    vorrendal::SystemDefaultPrinter source;
    QString why;
    QVERIFY(!source.DefaultPrinter(why) && !why.isEmpty());
  }
};

QTEST_MAIN(ReportOutputTest)
#include "ReportOutputTest.moc"
