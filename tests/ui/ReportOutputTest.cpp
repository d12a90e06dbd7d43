// Copy and save of the report (printing has its own suite): the clipboard,
// the saved bytes, a failed save leaving the earlier file whole; and
// the save dialog, clsCommonFileDialog: its fields in and out, the filter
// form, the option bits, MaxFileSize and the dialog's own duties (default
// extension, folder must exist), with a scripted backend and Qt's real dialog.

#include <sys/resource.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <stdexcept>

#include "ReportOutputFakes.h"
#include "ui/QtFileDialogBackend.h"
#include "ui/SystemOutputServices.h"

using vorrendal::clsCommonFileDialog;
using vorrendal::FileDialogRequest;
using vorrendal::ReportOutput;

namespace {

struct Harness : vorrendal::test::FakeOutput {
  explicit Harness(const QString& pdf = QString())
      : output(std::make_unique<ReportOutput>(
            nullptr, [this] { return report; }, Services(pdf))) {}
  QString report = QStringLiteral(
      "Serial (Warranty) Number: 3A41K123456\n"
      "Body: 62A   Color: AA   Trim: 86A  Date: 12C\n"
      "DSO: 23     Trans: 4    Axle: 1\n\n"
      "Year (3) = 1963");
  std::unique_ptr<ReportOutput> output;
};

QByteArray Read(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QStringList Entries(const QTemporaryDir& dir) {
  return QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
}

const QString kFilter = QStringLiteral("Text Documents (*.txt)|*.txt|All Files (*.*)|*.*");

// A file dialog answered by the fake save dialog.
struct Scripted : vorrendal::test::FakeOutput {
  Scripted() : dialog(std::move(Services().fileDialog)) {}
  clsCommonFileDialog dialog;
};

// What a dialog left in its fields: "[canceled ]FileName|FileTitle|FilterIndex".
QString State(const clsCommonFileDialog& d) {
  const QString canceled = d.Canceled ? QStringLiteral("canceled ") : QString();
  return QStringLiteral("%1%2|%3|%4").arg(canceled, d.FileName, d.FileTitle).arg(d.FilterIndex);
}

}  // namespace

class ReportOutputTest : public QObject {
  Q_OBJECT

 private slots:
  // The clipboard is emptied first, then takes the text as the box holds it.
  void copy() {
    Harness h;
    h.output->CopyReport();
    QCOMPARE(h.clipboard,
             (QStringList{QStringLiteral("clear"), QStringLiteral("set:") + h.report}));
    vorrendal::SystemClipboard clipboard;
    clipboard.SetText(h.report);
    QCOMPARE(QGuiApplication::clipboard()->text(), h.report);
  }

  // CR LF after every line, the last one too, in Windows-1252 with "?" for
  // what the code page cannot hold.
  void saveBytes() {
    const struct {
      const char* what;
      QString text;
      QByteArray bytes;
    } rows[] = {
        {"lines", QStringLiteral("Body: 62A\nColor: AA"), "Body: 62A\r\nColor: AA\r\n"},
        {"empty", QString(), "\r\n"},
        {"CR LF kept single", QStringLiteral("a\r\nb"), "a\r\nb\r\n"},
        {"a lone CR ends a line too", QStringLiteral("a\rb"), "a\r\nb\r\n"},
        {"last line empty", QStringLiteral("a\n"), "a\r\n\r\n"},
        {"Windows-1252", QStringLiteral("Caf\u00e9 \u20ac5 \u2014"),
         "Caf\xe9 \x80"
         "5 \x97\r\n"},
        {"outside the code page", QStringLiteral("\u03a9 \U0001F697"), "? ?\r\n"},
    };
    for (const auto& row : rows)
      QCOMPARE(row.what + ReportOutput::SaveBytes(row.text), row.what + row.bytes);
  }

  // Save writes the file as named (no extension added by the program),
  // replaces it the second time, keeps its one dialog (and the filter chosen)
  // between saves, and writes nothing when cancelled.
  void saveAsThenAgainThenCancel() {
    QTemporaryDir dir;
    Harness h;
    const QString path = dir.filePath(QStringLiteral("plate report"));
    h.names = {path, path};
    QVERIFY(h.output->SaveReportAs());
    QCOMPARE(Read(path), ReportOutput::SaveBytes(h.report));
    const FileDialogRequest& r = h.requests.front();
    QCOMPARE(
        r.title + '|' + r.defaultSuffix + '|' + r.nameFilters.join(';') + '|' + r.initialFileName,
        QStringLiteral("Save As|txt|Text Documents (*.txt);All Files (*)|"));
    QCOMPARE(r.initialDir, QCoreApplication::applicationDirPath());
    QCOMPARE(h.output->SaveDialog().flags, 2054);
    h.report = QStringLiteral("short");
    h.output->SaveDialog().FilterIndex = 2;
    QVERIFY(h.output->SaveReportAs());
    QCOMPARE(Read(path), QByteArray("short\r\n"));
    QVERIFY(!h.output->SaveReportAs());
    QCOMPARE(h.requests.size(), 3u);
    QCOMPARE(h.requests[1].selectedFilter, 1);
    QCOMPARE(Entries(dir), QStringList{"plate report"});
    QVERIFY(h.messages.isEmpty());
  }

  // A save that cannot be completed (a read-only file, a folder in the way, a
  // full disk) says so and leaves the earlier file whole with no stray
  // temporary file beside it.
  void failedSaveKeepsOldFile_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("reportSize");
    QTest::newRow("read-only file") << "read-only" << 200;
    QTest::newRow("a folder in the way") << "folder" << 200;
    QTest::newRow("disk full, short report") << "full" << 5000;
  }
  void failedSaveKeepsOldFile() {
    QFETCH(QString, how);
    QFETCH(int, reportSize);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kept.txt"));
    const QByteArray old("earlier report\r\n");
    Harness h;
    h.report = QString(reportSize, u'x');
    h.names.push_back(path);
    if (how == QStringLiteral("folder")) {
      QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("kept.txt")));
    } else {
      QFile file(path);
      QVERIFY(file.open(QIODevice::WriteOnly) && file.write(old) == old.size());
    }
    if (how == QStringLiteral("read-only")) QFile::setPermissions(path, QFileDevice::ReadOwner);
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
    QCOMPARE(h.messages.size(), 1);
    QVERIFY(h.messages[0].startsWith("Save As|The report could not be saved to"));
    if (how != QStringLiteral("folder")) QCOMPARE(Read(path), old);
    QCOMPARE(Entries(dir), QStringList{"kept.txt"});
  }

  // A chosen path longer than MaxFileSize (the whole path) is refused with a
  // message naming the limit, and the dialog is shown again; cancelling it
  // then saves nothing.
  void tooLongPathIsAskedAgain_data() {
    QTest::addColumn<int>("extra");  // characters beyond the limit
    QTest::addColumn<bool>("thenAnother");
    QTest::newRow("exactly the limit") << 0 << false;
    QTest::newRow("one too many, then a shorter name") << 1 << true;
    QTest::newRow("one too many, then cancelled") << 1 << false;
  }
  void tooLongPathIsAskedAgain() {
    QFETCH(int, extra);
    QFETCH(bool, thenAnother);
    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    const QString chosen = folder + QString(256 + extra - folder.size(), u'r');
    const QString shorter = folder + QStringLiteral("report.txt");
    Harness h;
    h.names = {chosen};
    if (thenAnother) h.names.push_back(shorter);
    QCOMPARE(h.output->SaveReportAs(), extra == 0 || thenAnother);
    QCOMPARE(h.requests.size(), extra == 0 ? 1u : 2u);
    if (extra == 0) {
      QVERIFY(h.messages.isEmpty());
      QCOMPARE(Read(chosen), ReportOutput::SaveBytes(h.report));
      return;
    }
    QCOMPARE(h.messages.size(), 1);
    QVERIFY2(h.messages[0].startsWith(QStringLiteral("Refused|")) &&
                 h.messages[0].contains(QStringLiteral("at most 256")),
             qPrintable(h.messages[0]));
    QCOMPARE(h.output->SaveDialog().Canceled, !thenAnother);
    QCOMPARE(Entries(dir), thenAnother ? QStringList{"report.txt"} : QStringList{});
  }

  // The "description|pattern" pairs in Qt's form, whose brackets must hold the patterns.
  void convertFilter() {
    const struct {
      const char *what, *filter;
      QStringList expected;
    } rows[] = {
        {"save filter",
         "Text Documents (*.txt)|*.txt|All Files (*.*)|*.*",
         {"Text Documents (*.txt)", "All Files (*)"}},
        {"empty: no filters", "", {}},
        {"description without pattern in it", "Reports|*.rpt", {"Reports (*.rpt)"}},
        {"several patterns", "Logs|*.log;*.txt", {"Logs (*.log *.txt)"}},
        {"brackets that disagree", "Text (*.doc)|*.txt", {"Text (*.txt)"}},
        {"odd part dropped", "Text|*.txt|Lonely", {"Text (*.txt)"}},
        {"pattern only", "|*.dat", {"*.dat (*.dat)"}},
    };
    for (const auto& row : rows) {
      const QStringList converted = clsCommonFileDialog::ConvertFilter(row.filter);
      QCOMPARE(QStringList{row.what} + converted, QStringList{row.what} + row.expected);
    }
  }

  // What the dialog is asked from the fields: the overwrite check (as Qt's
  // dialog is set up for it), several files and the filter shown first from
  // the option bits and FilterIndex. A DefaultFileTitle longer than
  // MaxFileSize (256 when not positive) is refused before any dialog is shown.
  void request() {
    QCOMPARE(Scripted().dialog.MaxFileSize, 256);
    // asked: overwrite check, several files, filter index; then MaxFileSize afterwards
    const struct {
      const char* what;
      bool save;
      int flags, filter, max, title;
      const char* asked;
    } rows[] = {
        {"save 0x806", true, 0x806, 0, 256, 0, "100 256"},
        {"save without 0x2", true, 0x804, 1, 256, 0, "000 256"},
        {"second filter", true, 0x2, 2, 256, 0, "101 256"},
        {"index just past the list", true, 0x2, 3, 256, 0, "100 256"},
        {"open 0x200", false, 0x200, 2, 256, 0, "011 256"},
        {"save ignores 0x200", true, 0x200, 0, 256, 0, "000 256"},
        {"0 is 256", true, 0, 0, 0, 10, "000 256"},
        {"negative is 256", true, 0, 0, -5, 256, "000 256"},
        {"title fits exactly", true, 0, 0, 12, 12, "000 12"},
        {"title one too long", true, 0, 0, 12, 13, "refused 12"},
    };
    for (const auto& row : rows) {
      Scripted s;
      s.dialog.Filter = kFilter;
      s.dialog.flags = row.flags;
      s.dialog.FilterIndex = static_cast<std::int16_t>(row.filter);
      s.dialog.MaxFileSize = static_cast<std::int16_t>(row.max);
      s.dialog.DefaultFileTitle = QString(row.title, u'r');
      s.dialog.DefaultExt = QStringLiteral(".txt");
      s.dialog.DialogTitle = QStringLiteral("Save As");
      s.dialog.InitDir = QStringLiteral("/opt/vorrendal");
      QString asked = QStringLiteral("refused");
      try {
        row.save ? s.dialog.ShowSave(nullptr) : s.dialog.ShowOpen(nullptr);
        QCOMPARE(s.requests.size(), 1u);
        const FileDialogRequest& r = s.requests.front();
        QVERIFY(s.dialog.Canceled && r.save == row.save &&
                r.initialFileName == s.dialog.DefaultFileTitle);
        QCOMPARE(r.defaultSuffix + r.title + r.initialDir,
                 QStringLiteral("txtSave As/opt/vorrendal"));
        QCOMPARE(r.nameFilters.size(), 2);
        QFileDialog qt;
        vorrendal::QtFileDialogBackend::Configure(qt, r);
        const bool confirms = !qt.testOption(QFileDialog::DontConfirmOverwrite);
        asked = QStringLiteral("%1%2%3").arg(confirms).arg(r.multiSelect).arg(r.selectedFilter);
      } catch (const std::invalid_argument&) {
        QVERIFY(s.requests.empty());
      }
      QCOMPARE(QStringLiteral("%1: %2 %3").arg(row.what, asked).arg(s.dialog.MaxFileSize),
               QStringLiteral("%1: %2").arg(row.what, row.asked));
    }
  }

  // Cancel keeps what the last successful dialog left; the next dialog starts
  // there. Several files opened are the folder, then each name, NUL-separated.
  void resultsKeptBetweenDialogs() {
    Scripted s;
    s.filters = {1, 0};  // chosen in the dialogs that give a name
    s.dialog.Filter = QStringLiteral("Text|*.txt|All|*.*");
    s.names = {QStringLiteral("  /tmp/first report.txt  ")};
    s.dialog.ShowSave(nullptr);
    QCOMPARE(State(s.dialog), QStringLiteral("/tmp/first report.txt|first report.txt|2"));
    s.dialog.ShowSave(nullptr);
    QCOMPARE(State(s.dialog), QStringLiteral("canceled /tmp/first report.txt|first report.txt|2"));
    QCOMPARE(s.requests.back().selectedFilter, 1);
    s.names = {QStringLiteral("/tmp/second.txt")};
    s.dialog.ShowSave(nullptr);
    QCOMPARE(State(s.dialog), QStringLiteral("/tmp/second.txt|second.txt|1"));
    s.dialog.flags = clsCommonFileDialog::kAllowMultiSelect;
    s.dialog.MaxFileSize = 256;
    s.names = {QStringLiteral("/data/a.txt\n/data/b.txt")};
    s.dialog.ShowOpen(nullptr);
    QCOMPARE(State(s.dialog), QStringLiteral("/data%1a.txt%1b.txt|a.txt|1").arg(QChar(u'\0')));
  }

  // With 0x800 a name in a missing folder is refused and the dialog asked again.
  void folderMustExist() {
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("no such folder/r.txt"));
    const QString fine = dir.filePath(QStringLiteral("r.txt"));
    for (const int flags : {0x806, 0x6}) {
      Scripted s;
      s.dialog.flags = flags;
      s.names = {missing, fine};
      s.dialog.ShowSave(nullptr);
      QCOMPARE(s.messages.size(), flags & 0x800 ? 1 : 0);
      QCOMPARE(State(s.dialog), (flags & 0x800 ? fine : missing) + QStringLiteral("|r.txt|1"));
    }
  }

  // Qt's dialog run: the dialog, not the program, adds the default extension.
  void qtDialog() {
    QTemporaryDir dir;
    clsCommonFileDialog dialog;
    dialog.DefaultExt = QStringLiteral(".txt");
    dialog.Filter = kFilter;
    dialog.FilterIndex = 2;
    dialog.flags = 0x806;
    dialog.InitDir = dir.path();
    dialog.DialogTitle = QStringLiteral("Save As");
    dialog.DefaultFileTitle = QStringLiteral("plate");
    QString seen;
    QTimer::singleShot(0, [&seen] {
      auto* open = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (!open) return;
      const bool confirms = open->acceptMode() == QFileDialog::AcceptSave &&
                            !open->testOption(QFileDialog::DontConfirmOverwrite);
      seen = QStringLiteral("%1|%2|%3|%4")
                 .arg(open->windowTitle(), open->selectedNameFilter(), open->defaultSuffix())
                 .arg(confirms);
      QMetaObject::invokeMethod(open, "accept");
    });
    dialog.ShowSave(nullptr);
    QCOMPARE(seen, QStringLiteral("Save As|All Files (*)|txt|1"));
    QCOMPARE(State(dialog),
             dir.filePath(QStringLiteral("plate.txt")) + QStringLiteral("|plate.txt|2"));
  }
};

QTEST_MAIN(ReportOutputTest)
#include "ReportOutputTest.moc"
