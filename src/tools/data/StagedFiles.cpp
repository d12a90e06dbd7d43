#include "StagedFiles.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace vorrendal {
namespace {

namespace fs = std::filesystem;

// A new file, never one that exists: O_EXCL fails on any name that is there,
// a symbolic link included, so no link is followed. The mode is reduced by
// the umask as for any new file.
#ifdef _WIN32
int CreateNew(const fs::path& path) {
  return ::_wopen(path.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY | _O_NOINHERIT,
                  _S_IREAD | _S_IWRITE);
}
long WriteSome(int fd, const char* data, std::size_t size) {
  return ::_write(fd, data, static_cast<unsigned>(std::min<std::size_t>(size, INT_MAX)));
}
int Sync(int fd) { return ::_commit(fd); }
int Close(int fd) { return ::_close(fd); }
#else
int CreateNew(const fs::path& path) {
  return ::open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_NOFOLLOW | O_CLOEXEC, 0666);
}
long WriteSome(int fd, const char* data, std::size_t size) { return ::write(fd, data, size); }
int Sync(int fd) { return ::fsync(fd); }
int Close(int fd) { return ::close(fd); }
#endif

// target with an unpredictable tail, in target's folder.
fs::path TemporaryName(const fs::path& target) {
  static std::random_device random;
  static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
  std::uniform_int_distribution<int> digit(0, 35);
  std::string tail = ".tmp-";
  for (int i = 0; i < 12; ++i) tail += kDigits[digit(random)];
  fs::path name = target;
  name += tail;
  return name;
}

// Writes every byte and waits until they are on the disk; false with errno set otherwise.
bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const long n = WriteSome(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return Sync(fd) == 0;
}

}  // namespace

StagedFiles::~StagedFiles() {
  for (const auto& staged : staged_) {
    std::error_code ignored;
    fs::remove(staged.first, ignored);
  }
}

tl::expected<void, std::string> StagedFiles::Stage(const fs::path& target, std::string_view bytes) {
  const std::string name = target.string();
  const auto refused = [&name](const std::string& why) {
    return tl::unexpected(name + ": " + why);
  };
  std::error_code ec;
  const fs::file_status status = fs::symlink_status(target, ec);
  if (fs::is_symlink(status)) return refused("is a symbolic link; name the file it points to");
  if (fs::is_directory(status)) return refused("is a directory");
  if (fs::exists(status) && !fs::is_regular_file(status)) return refused("is not a regular file");

  fs::path temporary;
  int fd = -1;
  for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
    temporary = TemporaryName(target);
    fd = CreateNew(temporary);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) return refused(std::string("cannot be written: ") + std::strerror(errno));
  bool written = WriteAll(fd, bytes);
  int error = errno;
  if (Close(fd) != 0 && written) {
    written = false;
    error = errno;
  }
  if (!written) {
    fs::remove(temporary, ec);
    return refused(std::string("write failed: ") + std::strerror(error));
  }
  staged_.emplace_back(std::move(temporary), target);
  return {};
}

tl::expected<void, std::string> StagedFiles::Commit() {
  while (!staged_.empty()) {
    std::error_code ec;
    fs::rename(staged_.front().first, staged_.front().second, ec);
    if (ec)
      return tl::unexpected(staged_.front().second.string() +
                            ": cannot be replaced: " + ec.message());
    staged_.erase(staged_.begin());
  }
  return {};
}

}  // namespace vorrendal
