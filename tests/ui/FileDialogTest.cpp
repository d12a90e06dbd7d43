// clsCommonFileDialog: its fields in and out, the filter form, the option
// bits, MaxFileSize and the dialog's own duties (default extension, folder
// must exist), with a scripted backend and with Qt's real dialog.

#include <QApplication>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>
#include <stdexcept>

#include "ui/QtFileDialogBackend.h"
#include "ui/clsCommonFileDialog.h"

using vorrendal::clsCommonFileDialog;
using vorrendal::FileDialogRequest;
using vorrendal::FileDialogResult;

namespace {

// Answers each dialog with the next scripted result; no answer left is Cancel.
class ScriptedBackend : public vorrendal::IFileDialogBackend {
 public:
  bool Run(const FileDialogRequest& request, FileDialogResult& result) override {
    requests.push_back(request);
    if (answers.empty()) return false;
    result = answers.front();
    answers.pop_front();
    return !result.files.isEmpty();
  }
  void Refuse(QWidget*, const QString& message) override { refusals.append(message); }

  std::deque<FileDialogResult> answers;
  std::vector<FileDialogRequest> requests;
  QStringList refusals;
};

struct Scripted {
  Scripted() : dialog(std::unique_ptr<vorrendal::IFileDialogBackend>(backend = new ScriptedBackend)) {}
  QString State() const {
    return QStringLiteral("%1|%2|%3").arg(dialog.FileName, dialog.FileTitle).arg(dialog.FilterIndex);
  }
  ScriptedBackend* backend;
  clsCommonFileDialog dialog;
};

}  // namespace

class FileDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void convertFilter_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("save filter") << "Text Documents (*.txt)|*.txt|All Files (*.*)|*.*"
                                 << QStringList{"Text Documents (*.txt)", "All Files (*)"};
    QTest::newRow("empty: no filters") << "" << QStringList{};
    QTest::newRow("description without pattern in it") << "Reports|*.rpt" << QStringList{"Reports (*.rpt)"};
    QTest::newRow("several patterns") << "Logs|*.log;*.txt" << QStringList{"Logs (*.log *.txt)"};
    QTest::newRow("brackets that disagree") << "Text (*.doc)|*.txt" << QStringList{"Text (*.txt)"};
    QTest::newRow("odd part dropped") << "Text|*.txt|Lonely" << QStringList{"Text (*.txt)"};
    QTest::newRow("pattern only") << "|*.dat" << QStringList{"*.dat (*.dat)"};
  }

  void convertFilter() {
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    QCOMPARE(clsCommonFileDialog::ConvertFilter(filter), expected);
  }

  void request_data() {
    QTest::addColumn<bool>("save");
    QTest::addColumn<int>("flags");
    QTest::addColumn<int>("filterIndex");
    QTest::addColumn<QString>("asked");  // overwrite check, several files, filter chosen
    QTest::newRow("save 0x806") << true << 0x806 << 0 << "100";
    QTest::newRow("save without 0x2") << true << 0x804 << 1 << "000";
    QTest::newRow("second filter") << true << 0x2 << 2 << "101";
    QTest::newRow("index just past the list") << true << 0x2 << 3 << "100";
    QTest::newRow("open 0x200") << false << 0x200 << 2 << "011";
    QTest::newRow("save ignores 0x200") << true << 0x200 << 0 << "000";
  }

  void request() {
    QFETCH(bool, save);
    QFETCH(int, flags);
    QFETCH(int, filterIndex);
    Scripted s;
    s.dialog.Filter = QStringLiteral("Text Documents (*.txt)|*.txt|All Files (*.*)|*.*");
    s.dialog.flags = flags;
    s.dialog.FilterIndex = static_cast<std::int16_t>(filterIndex);
    s.dialog.DefaultExt = QStringLiteral(".txt");
    s.dialog.DialogTitle = QStringLiteral("Save As");
    s.dialog.InitDir = QStringLiteral("/opt/vorrendal");
    save ? s.dialog.ShowSave(nullptr) : s.dialog.ShowOpen(nullptr);
    QVERIFY(s.dialog.Canceled);
    QCOMPARE(s.backend->requests.size(), 1u);
    const FileDialogRequest& r = s.backend->requests.front();
    QFETCH(QString, asked);
    QCOMPARE(r.save, save);
    QCOMPARE(QStringLiteral("%1%2%3").arg(int(r.confirmOverwrite)).arg(int(r.multiSelect)).arg(r.selectedFilter), asked);
    QCOMPARE(r.defaultSuffix + r.title + r.initialDir, QStringLiteral("txtSave As/opt/vorrendal"));
    QCOMPARE(r.nameFilters.size(), 2);
  }

  void maxFileSize_data() {
    QTest::addColumn<int>("maxFileSize");
    QTest::addColumn<int>("titleLength");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<int>("storedBack");
    QTest::newRow("unset is 256") << 256 << 0 << false << 256;
    QTest::newRow("0 is 256") << 0 << 10 << false << 256;
    QTest::newRow("negative is 256") << -5 << 256 << false << 256;
    QTest::newRow("title of 257 with 256") << 256 << 257 << true << 256;
    QTest::newRow("title fits exactly") << 12 << 12 << false << 12;
    QTest::newRow("title one too long") << 12 << 13 << true << 12;
  }

  void maxFileSize() {
    QFETCH(int, maxFileSize);
    QFETCH(int, titleLength);
    QFETCH(bool, refused);
    QFETCH(int, storedBack);
    Scripted s;
    if (titleLength == 0) QCOMPARE(s.dialog.MaxFileSize, 256);
    s.dialog.MaxFileSize = static_cast<std::int16_t>(maxFileSize);
    s.dialog.DefaultFileTitle = QString(titleLength, u'r');
    bool threw = false;
    try { s.dialog.ShowSave(nullptr); } catch (const std::invalid_argument&) { threw = true; }
    QCOMPARE(threw, refused);
    QCOMPARE(s.backend->requests.size(), refused ? 0u : 1u);
    QCOMPARE(s.dialog.MaxFileSize, storedBack);
    if (!refused) QCOMPARE(s.backend->requests.front().initialFileName, s.dialog.DefaultFileTitle);
  }

  // Cancel keeps what the last successful dialog left; the next dialog starts
  // there. A name longer than MaxFileSize does not fit: the dialog failed.
  void cancelKeepsEarlierResult() {
    Scripted s;
    s.dialog.MaxFileSize = 22;
    s.backend->answers.push_back({{QStringLiteral("/tmp/twenty-three-c.txt")}, 0});
    s.dialog.ShowSave(nullptr);
    QVERIFY(s.dialog.Canceled && s.dialog.FileName.isEmpty());
    s.dialog.Filter = QStringLiteral("Text|*.txt|All|*.*");
    s.backend->answers.push_back({{QStringLiteral("  /tmp/first report.txt  ")}, 1});
    s.dialog.ShowSave(nullptr);
    QVERIFY(!s.dialog.Canceled);
    QCOMPARE(s.State(), QStringLiteral("/tmp/first report.txt|first report.txt|2"));

    s.dialog.ShowSave(nullptr);
    QVERIFY(s.dialog.Canceled);
    QCOMPARE(s.State(), QStringLiteral("/tmp/first report.txt|first report.txt|2"));
    QCOMPARE(s.backend->requests.back().selectedFilter, 1);

    s.backend->answers.push_back({{QStringLiteral("/tmp/second.txt")}, 0});
    s.dialog.ShowSave(nullptr);
    QVERIFY(!s.dialog.Canceled);
    QCOMPARE(s.State(), QStringLiteral("/tmp/second.txt|second.txt|1"));
  }

  // With 0x800 a name in a missing folder is refused and the dialog asked again.
  void folderMustExist() {
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("no such folder/r.txt")), fine = dir.filePath("r.txt");
    for (const int flags : {0x806, 0x6}) {
      Scripted s;
      s.dialog.flags = flags;
      s.backend->answers = {{{missing}, 0}, {{fine}, 0}};
      s.dialog.ShowSave(nullptr);
      QVERIFY(!s.dialog.Canceled);
      QCOMPARE(s.backend->refusals.size(), flags & 0x800 ? 1 : 0);
      QCOMPARE(s.dialog.FileName, flags & 0x800 ? fine : missing);
    }
  }

  void openSeveralFiles() {
    Scripted s;
    s.dialog.flags = clsCommonFileDialog::kAllowMultiSelect;
    s.backend->answers.push_back({{QStringLiteral("/data/a.txt"), QStringLiteral("/data/b.txt")}, 0});
    s.dialog.ShowOpen(nullptr);
    QCOMPARE(s.State(), QStringLiteral("/data%1a.txt%1b.txt|a.txt|1").arg(QChar(u'\0')));
  }

  // Qt's dialog as set up from a request, and run: the dialog, not the
  // program, adds the default extension to a bare name.
  void qtDialog() {
    FileDialogRequest request;
    request.save = request.confirmOverwrite = false;
    QFileDialog configured;
    vorrendal::QtFileDialogBackend::Configure(configured, request);
    QVERIFY(configured.testOption(QFileDialog::DontConfirmOverwrite));
    QTemporaryDir dir;
    clsCommonFileDialog dialog;
    dialog.DefaultExt = QStringLiteral(".txt");
    dialog.Filter = QStringLiteral("Text Documents (*.txt)|*.txt|All Files (*.*)|*.*");
    dialog.FilterIndex = 2;
    dialog.flags = 0x806;
    dialog.InitDir = dir.path();
    dialog.DialogTitle = QStringLiteral("Save As");
    dialog.DefaultFileTitle = QStringLiteral("plate");
    QString seen;
    QTimer::singleShot(0, [&seen] {
      auto* open = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (!open) return;
      seen = QStringLiteral("%1|%2|%3|%4").arg(open->windowTitle(), open->selectedNameFilter(), open->defaultSuffix())
                 .arg(open->acceptMode() == QFileDialog::AcceptSave && !open->testOption(QFileDialog::DontConfirmOverwrite));
      QMetaObject::invokeMethod(open, "accept");
    });
    dialog.ShowSave(nullptr);
    QCOMPARE(seen, QStringLiteral("Save As|All Files (*)|txt|1"));
    QVERIFY(!dialog.Canceled);
    QCOMPARE(dialog.FileName, QDir(dir.path()).filePath(QStringLiteral("plate.txt")));
    QCOMPARE(dialog.FileTitle, QStringLiteral("plate.txt"));
    QCOMPARE(dialog.FilterIndex, 2);
  }
};

QTEST_MAIN(FileDialogTest)
#include "FileDialogTest.moc"
