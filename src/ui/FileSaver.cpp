#include "ui/FileSaver.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace vorrendal {
namespace {

// Room a temporary name keeps from the target's name: enough to tell where
// it came from, short enough for every file system's name limit.
constexpr std::size_t kTemporaryNameBytes = 100;

QString Reason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// Moves all size bytes through move (a read or a write), going on after short
// moves; false with errno set (EIO when nothing more moves).
template <typename Byte, typename Move>
bool MoveAll(Move move, Byte* data, std::size_t size) {
  while (size > 0) {
    const ssize_t moved = move(data, size);
    if (moved < 0 && errno == EINTR) continue;
    if (moved < 0) return false;
    if (moved == 0) {
      errno = EIO;
      return false;
    }
    data += moved;
    size -= static_cast<std::size_t>(moved);
  }
  return true;
}

bool WriteAll(FileCalls& calls, int fd, const char* data, std::size_t size) {
  return MoveAll([&](const char* at, std::size_t n) { return calls.Write(fd, at, n); }, data, size);
}

// Reads exactly size bytes (EIO when the file ends first).
bool ReadAll(FileCalls& calls, int fd, char* data, std::size_t size) {
  return MoveAll([&](char* at, std::size_t n) { return calls.Read(fd, at, n); }, data, size);
}

// The permissions a newly made file gets: everyone's read and write, less the
// process's file mode mask.
mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// Makes what is written to the folder's entries durable (best effort: some
// file systems refuse to sync a folder).
void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  (void)::fsync(fd);
  ::close(fd);
}

}  // namespace

int FileCalls::CreateTemporary(std::string& pathTemplate) {
  return ::mkostemp(pathTemplate.data(), O_CLOEXEC);
}
int FileCalls::Open(const std::string& path, int flags) {
  return ::open(path.c_str(), flags | O_CLOEXEC);
}
ssize_t FileCalls::Read(int fd, char* data, std::size_t size) { return ::read(fd, data, size); }
ssize_t FileCalls::Write(int fd, const char* data, std::size_t size) {
  return ::write(fd, data, size);
}
off_t FileCalls::SeekToStart(int fd) { return ::lseek(fd, 0, SEEK_SET); }
int FileCalls::Sync(int fd) { return ::fsync(fd); }
int FileCalls::Truncate(int fd, off_t length) { return ::ftruncate(fd, length); }
int FileCalls::Close(int fd) { return ::close(fd); }
int FileCalls::Rename(const std::string& from, const std::string& to) {
  return ::rename(from.c_str(), to.c_str());
}
int FileCalls::Remove(const std::string& path) { return ::unlink(path.c_str()); }

namespace {

FileCalls& SystemCalls() {
  static FileCalls calls;
  return calls;
}

// A device or a pipe: written as it is, never replaced. A pipe that no
// program reads from is refused at once instead of waiting for one.
bool WriteStream(FileCalls& calls, const std::string& target, const QByteArray& bytes,
                 QString* error) {
  const int fd = calls.Open(target, O_WRONLY | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    const int why = errno;
    *error = why == ENXIO ? QStringLiteral("No program is reading from it.")
                          : QStringLiteral("It could not be opened: %1").arg(Reason(why));
    return false;
  }
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) (void)::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  const bool written =
      WriteAll(calls, fd, bytes.constData(), static_cast<std::size_t>(bytes.size()));
  int why = errno;
  const bool closed = calls.Close(fd) == 0;
  if (written && !closed) why = errno;
  if (!written || !closed) {
    *error = QStringLiteral("It could not be written in full: %1").arg(Reason(why));
    return false;
  }
  return true;
}

// The folder refuses a new file, so the file itself is overwritten: from its
// first byte without truncating first, then cut to the new length. The old
// bytes the new ones cover are held first (never more than the new content,
// so what is held is bounded by what is being saved); on any failure they are
// written back and the old length restored.
bool WriteInPlace(FileCalls& calls, const std::string& target, const QByteArray& bytes,
                  QString* error) {
  const int fd = calls.Open(target, O_RDWR | O_NOFOLLOW);
  if (fd < 0) {
    *error = QStringLiteral("It could not be opened: %1").arg(Reason(errno));
    return false;
  }
  struct stat before {};
  if (::fstat(fd, &before) != 0 || !S_ISREG(before.st_mode)) {
    *error = QStringLiteral("It is no longer a plain file.");
    calls.Close(fd);
    return false;
  }
  const auto size = static_cast<std::size_t>(bytes.size());
  const std::size_t oldSize = static_cast<std::size_t>(before.st_size);
  std::string held(std::min(oldSize, size), '\0');
  if (calls.SeekToStart(fd) != 0 || !ReadAll(calls, fd, held.data(), held.size())) {
    *error = QStringLiteral("It could not be read before writing: %1").arg(Reason(errno));
    calls.Close(fd);
    return false;
  }
  const bool written = calls.SeekToStart(fd) == 0 && WriteAll(calls, fd, bytes.constData(), size) &&
                       calls.Sync(fd) == 0 && calls.Truncate(fd, static_cast<off_t>(size)) == 0 &&
                       calls.Sync(fd) == 0;
  if (!written) {
    const int why = errno;
    const bool restored =
        calls.SeekToStart(fd) == 0 && WriteAll(calls, fd, held.data(), held.size()) &&
        calls.Truncate(fd, static_cast<off_t>(oldSize)) == 0 && calls.Sync(fd) == 0;
    const int restoreWhy = errno;
    calls.Close(fd);
    *error = QStringLiteral("It could not be written in full: %1").arg(Reason(why));
    if (!restored) {
      *error +=
          QStringLiteral("\nIts earlier content could not be put back: %1").arg(Reason(restoreWhy));
    }
    return false;
  }
  if (calls.Close(fd) != 0) {
    *error = QStringLiteral("It could not be written in full: %1").arg(Reason(errno));
    return false;
  }
  return true;
}

}  // namespace

FileSaver::FileSaver(FileCalls* calls) : calls_(calls != nullptr ? *calls : SystemCalls()) {}

bool FileSaver::Save(const QString& path, const QByteArray& bytes, QString* error) {
  std::string target = QFile::encodeName(path).toStdString();
  struct stat found {};
  if (::lstat(target.c_str(), &found) == 0 && S_ISLNK(found.st_mode)) {
    // The link stays; the file it names is written.
    char* resolved = ::realpath(target.c_str(), nullptr);
    if (resolved == nullptr) {
      *error = QStringLiteral("It is a link that leads to no file: %1").arg(Reason(errno));
      return false;
    }
    target = resolved;
    std::free(resolved);
  }
  const bool exists = ::stat(target.c_str(), &found) == 0;
  if (!exists && errno != ENOENT) {
    *error = QStringLiteral("It could not be looked at: %1").arg(Reason(errno));
    return false;
  }
  if (exists && S_ISDIR(found.st_mode)) {
    *error = QStringLiteral("It is a folder.");
    return false;
  }
  if (exists && !S_ISREG(found.st_mode)) return WriteStream(calls_, target, bytes, error);
  // A file marked read-only is left alone, whoever runs the program.
  if (exists && ((found.st_mode & S_IWUSR) == 0 || ::access(target.c_str(), W_OK) != 0)) {
    *error = QStringLiteral("The file is read-only.");
    return false;
  }

  const std::size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string(".")
                             : slash == 0               ? std::string("/")
                                                        : target.substr(0, slash);
  const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  std::string temporary =
      folder + "/." + name.substr(0, kTemporaryNameBytes) + std::string(".XXXXXX");
  const int fd = calls_.CreateTemporary(temporary);
  if (fd < 0) {
    const int why = errno;
    if (why == EACCES && exists) return WriteInPlace(calls_, target, bytes, error);
    *error = QStringLiteral("No new file could be made in its folder: %1").arg(Reason(why));
    return false;
  }
  // The new file takes the old one's permissions and owner, or a new file's.
  (void)::fchmod(fd, exists ? found.st_mode & 07777 : NewFileMode());
  if (exists && (found.st_uid != ::geteuid() || found.st_gid != ::getegid())) {
    // Best effort: only a privileged user may give a file away.
    [[maybe_unused]] const int owned = ::fchown(fd, found.st_uid, found.st_gid);
  }
  bool done = WriteAll(calls_, fd, bytes.constData(), static_cast<std::size_t>(bytes.size())) &&
              calls_.Sync(fd) == 0;
  int why = errno;
  if (calls_.Close(fd) != 0 && done) {
    done = false;
    why = errno;
  }
  if (!done) {
    calls_.Remove(temporary);
    *error = QStringLiteral("It could not be written in full: %1").arg(Reason(why));
    return false;
  }
  if (calls_.Rename(temporary, target) != 0) {
    why = errno;
    calls_.Remove(temporary);
    *error =
        QStringLiteral("The new content could not take the old one's place: %1").arg(Reason(why));
    return false;
  }
  SyncFolder(folder);
  return true;
}

}  // namespace vorrendal
