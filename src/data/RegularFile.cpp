#include "RegularFile.h"

#include <system_error>

#ifdef _WIN32
#include <fstream>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

namespace vorrendal {

#ifdef _WIN32

// No FIFO blocks an open here; the type is looked at first all the same.
RegularFile::RegularFile(const std::filesystem::path& path) : path_(path) {
  std::error_code ec;
  const auto status = std::filesystem::status(path, ec);
  if (ec) {
    error_ = "cannot be opened: " + ec.message();
  } else if (std::filesystem::is_directory(status)) {
    error_ = "is a directory";
  } else if (!std::filesystem::is_regular_file(status)) {
    error_ = "is not a regular file";
  } else {
    size_ = std::filesystem::file_size(path, ec);
    if (ec) error_ = "cannot be opened: " + ec.message();
  }
}

RegularFile::~RegularFile() = default;

bool RegularFile::ReadAt(std::uint64_t position, std::uint64_t size, std::string& out) const {
  if (!IsOpen() || position > size_ || size > size_ - position) return false;
  std::ifstream in(path_, std::ios::binary);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  in.seekg(static_cast<std::streamoff>(position));
  in.read(bytes.data(), static_cast<std::streamsize>(size));
  if (static_cast<std::uint64_t>(in.gcount()) != size) return false;
  out = std::move(bytes);
  return true;
}

#else

// Opened without blocking (a FIFO with no writer would wait for one), then
// looked at through the descriptor, so nothing can swap the file in between.
RegularFile::RegularFile(const std::filesystem::path& path) {
  fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  struct stat info {};
  if (fd_ < 0 || ::fstat(fd_, &info) != 0) {
    error_ = std::string("cannot be opened: ") + std::strerror(errno);
  } else if (S_ISDIR(info.st_mode)) {
    error_ = "is a directory";
  } else if (!S_ISREG(info.st_mode)) {
    error_ = "is not a regular file";
  } else {
    size_ = static_cast<std::uint64_t>(info.st_size);
    return;
  }
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

RegularFile::~RegularFile() {
  if (fd_ >= 0) ::close(fd_);
}

bool RegularFile::ReadAt(std::uint64_t position, std::uint64_t size, std::string& out) const {
  if (!IsOpen() || position > size_ || size > size_ - position) return false;
  std::string bytes(static_cast<std::size_t>(size), '\0');
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n =
        ::pread(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(position + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;  // an error, or the file shrank since it was opened
    done += static_cast<std::size_t>(n);
  }
  out = std::move(bytes);
  return true;
}

#endif

}  // namespace vorrendal
