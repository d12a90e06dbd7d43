#pragma once
// Writes the whole content of a file so that a failed save never loses what
// the file held.
//
// Where the folder allows it, the bytes go into a new file beside the target
// (a name of its own, created exclusively, so no link is followed), are
// synced to disk and then renamed over the target in one step. Where the
// folder refuses that new file but the target itself may be written, the
// target is written in place: from its first byte without truncating first,
// then cut to the new length; on any failure the old bytes are written back
// and the old length restored. A target that is not a regular file (a device,
// a pipe) is written in place and never replaced; a link is followed to the
// file it names.

#include <sys/types.h>

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <string>

namespace vorrendal {

// The system calls a save makes, each as its POSIX namesake: -1 with errno
// set on failure. The program uses these; tests derive to make one fail.
class FileCalls {
 public:
  virtual ~FileCalls() = default;
  // Creates a new file from a template ending in "XXXXXX" (replaced by the
  // name made) exclusively, readable and writable by its owner only.
  virtual int CreateTemporary(std::string& pathTemplate);
  virtual int Open(const std::string& path, int flags);
  virtual ssize_t Read(int fd, char* data, std::size_t size);
  virtual ssize_t Write(int fd, const char* data, std::size_t size);
  virtual off_t SeekToStart(int fd);
  virtual int Sync(int fd);
  virtual int Truncate(int fd, off_t length);
  virtual int Close(int fd);
  virtual int Rename(const std::string& from, const std::string& to);
  virtual int Remove(const std::string& path);
};

class FileSaver {
 public:
  // Without calls, the system's own.
  explicit FileSaver(FileCalls* calls = nullptr);

  // Makes bytes the whole content of the file at path. False with the reason
  // in *error when that could not be done; the file then holds what it held.
  bool Save(const QString& path, const QByteArray& bytes, QString* error);

 private:
  FileCalls& calls_;
};

}  // namespace vorrendal
