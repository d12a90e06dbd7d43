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

  void initialFields() {
    clsCommonFileDialog dialog(std::make_unique<ScriptedBackend>());
    QVERIFY(!dialog.Canceled);
    QCOMPARE(dialog.FilterIndex, 0);
    QCOMPARE(dialog.flags, 0);
    QCOMPARE(dialog.MaxFileSize, 256);
    QVERIFY(dialog.FileName.isEmpty() && dialog.FileTitle.isEmpty() && dialog.Filter.isEmpty());
  }

  void request_data() {
    QTest::addColumn<bool>("save");
    QTest::addColumn<int>("flags");
    QTest::addColumn<int>("filterIndex");
    QTest::addColumn<bool>("confirmOverwrite");
    QTest::addColumn<bool>("multiSelect");
    QTest::addColumn<int>("selectedFilter");
    QTest::newRow("save 0x806") << true << 0x806 << 0 << true << false << 0;
    QTest::newRow("save without 0x2") << true << 0x804 << 1 << false << false << 0;
    QTest::newRow("second filter") << true << 0x2 << 2 << true << false << 1;
    QTest::newRow("index past the list") << true << 0x2 << 9 << true << false << 0;
    QTest::newRow("open 0x200") << false << 0x200 << 2 << false << true << 1;
    QTest::newRow("save ignores 0x200") << true << 0x200 << 0 << false << false << 0;
  }

  void request() {
    QFETCH(bool, save);
    QFETCH(int, flags);
    QFETCH(int, filterIndex);
    QFETCH(bool, confirmOverwrite);
    QFETCH(bool, multiSelect);
    QFETCH(int, selectedFilter);
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
    QCOMPARE(r.save, save);
    QCOMPARE(r.confirmOverwrite, confirmOverwrite);
    QCOMPARE(r.multiSelect, multiSelect);
    QCOMPARE(r.selectedFilter, selectedFilter);
    QCOMPARE(r.defaultSuffix, QStringLiteral("txt"));
    QCOMPARE(r.title, QStringLiteral("Save As"));
    QCOMPARE(r.initialDir, QStringLiteral("/opt/vorrendal"));
    QCOMPARE(r.nameFilters.size(), 2);
  }

  void maxFileSize_data() {
    QTest::addColumn<int>("maxFileSize");
    QTest::addColumn<int>("titleLength");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<int>("storedBack");
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
    s.dialog.MaxFileSize = static_cast<std::int16_t>(maxFileSize);
    s.dialog.DefaultFileTitle = QString(titleLength, u'r');
    bool threw = false;
    try {
      s.dialog.ShowSave(nullptr);
    } catch (const std::invalid_argument&) {
      threw = true;
    }
    QCOMPARE(threw, refused);
    QCOMPARE(s.backend->requests.size(), refused ? 0u : 1u);
    QCOMPARE(s.dialog.MaxFileSize, storedBack);
    if (!refused) QCOMPARE(s.backend->requests.front().initialFileName, s.dialog.DefaultFileTitle);
  }

  // A chosen name longer than MaxFileSize does not fit: the dialog failed.
  void resultLongerThanMaxFileSize() {
    Scripted s;
    s.dialog.MaxFileSize = 10;
    s.backend->answers.push_back({{QStringLiteral("/tmp/twelve.txt")}, 0});
    s.dialog.ShowSave(nullptr);
    QVERIFY(s.dialog.Canceled);
    QVERIFY(s.dialog.FileName.isEmpty());
  }

  // Cancel keeps what the last successful dialog left; the next dialog starts there.
  void cancelKeepsEarlierResult() {
    Scripted s;
    s.dialog.Filter = QStringLiteral("Text|*.txt|All|*.*");
    s.backend->answers.push_back({{QStringLiteral("  /tmp/first report.txt  ")}, 1});
    s.dialog.ShowSave(nullptr);
    QVERIFY(!s.dialog.Canceled);
    QCOMPARE(s.dialog.FileName, QStringLiteral("/tmp/first report.txt"));
    QCOMPARE(s.dialog.FileTitle, QStringLiteral("first report.txt"));
    QCOMPARE(s.dialog.FilterIndex, 2);

    s.dialog.ShowSave(nullptr);
    QVERIFY(s.dialog.Canceled);
    QCOMPARE(s.dialog.FileName, QStringLiteral("/tmp/first report.txt"));
    QCOMPARE(s.dialog.FilterIndex, 2);
    QCOMPARE(s.backend->requests.back().selectedFilter, 1);

    s.backend->answers.push_back({{QStringLiteral("/tmp/second.txt")}, 0});
    s.dialog.ShowSave(nullptr);
    QVERIFY(!s.dialog.Canceled);
    QCOMPARE(s.dialog.FileName, QStringLiteral("/tmp/second.txt"));
    QCOMPARE(s.dialog.FilterIndex, 1);
  }

  void folderMustExist_data() {
    QTest::addColumn<int>("flags");
    QTest::addColumn<int>("refusals");
    QTest::addColumn<bool>("takesMissingFolder");
    QTest::newRow("0x800 refuses") << 0x806 << 1 << false;
    QTest::newRow("without 0x800") << 0x6 << 0 << true;
  }

  void folderMustExist() {
    QFETCH(int, flags);
    QFETCH(int, refusals);
    QFETCH(bool, takesMissingFolder);
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("no such folder/r.txt"));
    const QString fine = dir.filePath(QStringLiteral("r.txt"));
    Scripted s;
    s.dialog.flags = flags;
    s.backend->answers.push_back({{missing}, 0});
    s.backend->answers.push_back({{fine}, 0});
    s.dialog.ShowSave(nullptr);
    QVERIFY(!s.dialog.Canceled);
    QCOMPARE(s.backend->refusals.size(), refusals);
    QCOMPARE(s.dialog.FileName, takesMissingFolder ? missing : fine);
  }

  void openSeveralFiles() {
    Scripted s;
    s.dialog.flags = clsCommonFileDialog::kAllowMultiSelect;
    s.backend->answers.push_back({{QStringLiteral("/data/a.txt"), QStringLiteral("/data/b.txt")}, 0});
    s.dialog.ShowOpen(nullptr);
    QVERIFY(!s.dialog.Canceled);
    QCOMPARE(s.dialog.FileName, QStringLiteral("/data") + QChar(u'\0') + QStringLiteral("a.txt") + QChar(u'\0') +
                                    QStringLiteral("b.txt"));
    QCOMPARE(s.dialog.FileTitle, QStringLiteral("a.txt"));
  }

  // Qt's dialog set up from a request.
  void qtDialogConfigured() {
    FileDialogRequest request;
    request.save = true;
    request.title = QStringLiteral("Save As");
    request.nameFilters = clsCommonFileDialog::ConvertFilter(QStringLiteral("Text Documents (*.txt)|*.txt|All Files (*.*)|*.*"));
    request.selectedFilter = 1;
    request.defaultSuffix = QStringLiteral("txt");
    request.confirmOverwrite = true;
    QFileDialog dialog;
    vorrendal::QtFileDialogBackend::Configure(dialog, request);
    QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptSave);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Save As"));
    QCOMPARE(dialog.defaultSuffix(), QStringLiteral("txt"));
    QVERIFY(!dialog.testOption(QFileDialog::DontConfirmOverwrite));
    QCOMPARE(dialog.selectedNameFilter(), QStringLiteral("All Files (*)"));
    request.confirmOverwrite = false;
    vorrendal::QtFileDialogBackend::Configure(dialog, request);
    QVERIFY(dialog.testOption(QFileDialog::DontConfirmOverwrite));
  }

  // The dialog, not the program, adds the default extension to a bare name.
  void qtDialogAddsDefaultExtension() {
    QTemporaryDir dir;
    clsCommonFileDialog dialog;
    dialog.DefaultExt = QStringLiteral(".txt");
    dialog.Filter = QStringLiteral("Text Documents (*.txt)|*.txt|All Files (*.*)|*.*");
    dialog.FilterIndex = 2;
    dialog.flags = 0x806;
    dialog.InitDir = dir.path();
    dialog.DefaultFileTitle = QStringLiteral("plate");
    bool sawDialog = false;
    QTimer::singleShot(0, [&sawDialog] {
      auto* open = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (!open) return;
      sawDialog = true;
      QMetaObject::invokeMethod(open, "accept");
    });
    dialog.ShowSave(nullptr);
    QVERIFY(sawDialog);
    QVERIFY(!dialog.Canceled);
    QCOMPARE(dialog.FileName, QDir(dir.path()).filePath(QStringLiteral("plate.txt")));
    QCOMPARE(dialog.FileTitle, QStringLiteral("plate.txt"));
    QCOMPARE(dialog.FilterIndex, 2);
  }
};

QTEST_MAIN(FileDialogTest)
#include "FileDialogTest.moc"
