// A save never loses the old file; faults are planted in the system calls.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>

#include "ui/FileSaver.h"

using vorrendal::FileCalls;
using vorrendal::FileSaver;

namespace {

// A folder refusing new files, a disk with `room` bytes free, one call failing.
struct FaultyCalls : FileCalls {
  bool folderRefuses = false;
  qint64 room = -1;  // bytes the disk still takes; -1: no limit
  QString failing;   // "sync", "truncate", "close" or "rename"

  int CreateTemporary(std::string& pathTemplate) override {
    if (folderRefuses) {
      errno = EACCES;
      return -1;
    }
    return FileCalls::CreateTemporary(pathTemplate);
  }
  ssize_t Write(int fd, const char* data, std::size_t size) override {
    if (room < 0) return FileCalls::Write(fd, data, size);
    struct stat st {};
    ::fstat(fd, &st);
    const off_t at = ::lseek(fd, 0, SEEK_CUR);
    const qint64 beyond = std::max<qint64>(0, at + static_cast<qint64>(size) - st.st_size);
    const qint64 cut = std::max<qint64>(0, beyond - room);
    if (cut >= static_cast<qint64>(size)) {
      errno = ENOSPC;
      return -1;
    }
    const ssize_t written = FileCalls::Write(fd, data, size - static_cast<std::size_t>(cut));
    if (written > 0) room -= std::max<qint64>(0, at + written - st.st_size);
    return written;
  }
  int Sync(int fd) override { return Fails("sync") ? -1 : FileCalls::Sync(fd); }
  int Truncate(int fd, off_t length) override {
    return Fails("truncate") ? -1 : FileCalls::Truncate(fd, length);
  }
  int Close(int fd) override {
    const int closed = FileCalls::Close(fd);
    return Fails("close") ? -1 : closed;
  }
  int Rename(const std::string& from, const std::string& to) override {
    return Fails("rename") ? -1 : FileCalls::Rename(from, to);
  }

 private:
  bool Fails(const char* call) {
    if (failing != QLatin1String(call)) return false;
    failing.clear();  // once: putting the old content back may use it again
    errno = EIO;
    return true;
  }
};

QByteArray Read(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void Write(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

QStringList Entries(const QString& folder) {
  return QDir(folder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden |
                                QDir::System);
}

struct stat Stat(const QString& path) {
  struct stat st {};
  ::lstat(QFile::encodeName(path).constData(), &st);
  return st;
}

}  // namespace

class FileSaverTest : public QObject {
  Q_OBJECT
 private slots:
  // Where the folder refuses a new file, the same file is written in place.
  void savesTheBytes_data() {
    QTest::addColumn<int>("oldSize");
    QTest::addColumn<int>("newSize");
    QTest::addColumn<bool>("folderRefuses");
    QTest::newRow("a longer file replaced") << 5000 << 300 << false;
    QTest::newRow("folder refuses: longer file written in place") << 5000 << 300 << true;
    QTest::newRow("an empty report") << 300 << 0 << true;
  }
  void savesTheBytes() {
    QFETCH(int, oldSize);
    QFETCH(int, newSize);
    QFETCH(bool, folderRefuses);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.txt"));
    Write(path, QByteArray(oldSize, 'o'));
    const ino_t before = Stat(path).st_ino;
    FaultyCalls calls;
    calls.folderRefuses = folderRefuses;
    QString error;
    QVERIFY2(FileSaver(&calls).Save(path, QByteArray(newSize, 'n'), &error), qPrintable(error));
    QCOMPARE(Read(path), QByteArray(newSize, 'n'));
    QCOMPARE(Entries(dir.path()), QStringList{QStringLiteral("report.txt")});
    if (folderRefuses) QCOMPARE(Stat(path).st_ino, before);
  }

  // "disk": the disk takes 1000 more bytes; else the call named fails.
  void failureKeepsTheOldFile_data() {
    QTest::addColumn<int>("oldSize");
    QTest::addColumn<int>("newSize");
    QTest::addColumn<bool>("folderRefuses");
    QTest::addColumn<QString>("failing");
    QTest::newRow("disk full: the new file") << 300 << 5000 << false << "disk";
    QTest::newRow("sync fails: the new file") << 300 << 5000 << false << "sync";
    QTest::newRow("close fails: the new file") << 300 << 5000 << false << "close";
    QTest::newRow("rename fails") << 300 << 5000 << false << "rename";
    QTest::newRow("disk full: in place, growing") << 3000 << 5000 << true << "disk";
    QTest::newRow("truncate fails: in place") << 5000 << 3000 << true << "truncate";
  }
  void failureKeepsTheOldFile() {
    QFETCH(int, oldSize);
    QFETCH(int, newSize);
    QFETCH(bool, folderRefuses);
    QFETCH(QString, failing);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.txt"));
    QByteArray old;
    for (int i = 0; i < oldSize; ++i) old.append(static_cast<char>('a' + i % 26));
    Write(path, old);
    FaultyCalls calls;
    calls.folderRefuses = folderRefuses;
    calls.room = failing == u"disk" ? 1000 : -1;
    calls.failing = failing;
    QString error;
    QVERIFY(!FileSaver(&calls).Save(path, QByteArray(newSize, 'n'), &error));
    const QString reason = QString::fromLocal8Bit(std::strerror(failing == u"disk" ? ENOSPC : EIO));
    QVERIFY2(error.contains(reason), qPrintable(error));
    QVERIFY(Read(path) == old);
    QCOMPARE(Entries(dir.path()), QStringList{QStringLiteral("report.txt")});
  }

  // A link stays a link and the file it names takes the bytes.
  void otherKindsOfTarget_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("saved");
    QTest::newRow("a pipe a program reads") << "fifo" << true;
    QTest::newRow("a pipe nobody reads") << "lonely fifo" << false;
    QTest::newRow("a link to a file") << "link" << true;
  }
  void otherKindsOfTarget() {
    QFETCH(QString, kind);
    QFETCH(bool, saved);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("target"));
    const QByteArray target = QFile::encodeName(path);
    const QString linked = dir.filePath(QStringLiteral("linked.txt"));
    int reader = -1;
    if (kind.endsWith(QStringLiteral("fifo"))) QCOMPARE(::mkfifo(target.constData(), 0600), 0);
    if (kind == QStringLiteral("fifo")) reader = ::open(target.constData(), O_RDONLY | O_NONBLOCK);
    if (kind == QStringLiteral("link")) {
      Write(linked, "old");
      QVERIFY(QFile::link(linked, path));
    }
    const mode_t type = Stat(path).st_mode & S_IFMT;
    QString error;
    QCOMPARE(FileSaver().Save(path, "report\r\n", &error), saved);
    QCOMPARE(Stat(path).st_mode & S_IFMT, type);
    QCOMPARE(error.isEmpty(), saved);
    if (reader >= 0) {
      char got[16] = {};
      QCOMPARE(::read(reader, got, sizeof got), 8);
      QCOMPARE(QByteArray(got), QByteArray("report\r\n"));
      ::close(reader);
    }
    if (kind == QStringLiteral("link")) QCOMPARE(Read(linked), QByteArray("report\r\n"));
  }
};

QTEST_MAIN(FileSaverTest)
#include "FileSaverTest.moc"
