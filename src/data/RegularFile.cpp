#include "RegularFile.h"

#include <system_error>
#include <utility>

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
tl::expected<RegularFile, std::string> RegularFile::Open(const std::filesystem::path& path) {
  std::error_code ec;
  const auto status = std::filesystem::status(path, ec);
  if (ec) return tl::unexpected("cannot be opened: " + ec.message());
  if (std::filesystem::is_directory(status)) return tl::unexpected(std::string("is a directory"));
  if (!std::filesystem::is_regular_file(status))
    return tl::unexpected(std::string("is not a regular file"));
  RegularFile file;
  file.size_ = std::filesystem::file_size(path, ec);
  if (ec) return tl::unexpected("cannot be opened: " + ec.message());
  file.path_ = path;
  return file;
}

RegularFile::RegularFile(RegularFile&& other) noexcept
    : size_(other.size_), path_(std::move(other.path_)) {}

RegularFile::~RegularFile() = default;

std::optional<std::string> RegularFile::ReadAt(std::uint64_t position, std::uint64_t size) const {
  if (position > size_ || size > size_ - position) return std::nullopt;
  std::ifstream in(path_, std::ios::binary);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  in.seekg(static_cast<std::streamoff>(position));
  in.read(bytes.data(), static_cast<std::streamsize>(size));
  if (static_cast<std::uint64_t>(in.gcount()) != size) return std::nullopt;
  return bytes;
}

#else

// Opened without blocking (a FIFO with no writer would wait for one), then
// looked at through the descriptor, so nothing can swap the file in between.
tl::expected<RegularFile, std::string> RegularFile::Open(const std::filesystem::path& path) {
  RegularFile file;
  file.fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  struct stat info {};
  if (file.fd_ < 0 || ::fstat(file.fd_, &info) != 0)
    return tl::unexpected(std::string("cannot be opened: ") + std::strerror(errno));
  if (S_ISDIR(info.st_mode)) return tl::unexpected(std::string("is a directory"));
  if (!S_ISREG(info.st_mode)) return tl::unexpected(std::string("is not a regular file"));
  file.size_ = static_cast<std::uint64_t>(info.st_size);
  return file;
}

RegularFile::RegularFile(RegularFile&& other) noexcept
    : size_(other.size_), fd_(std::exchange(other.fd_, -1)) {}

RegularFile::~RegularFile() {
  if (fd_ >= 0) ::close(fd_);
}

std::optional<std::string> RegularFile::ReadAt(std::uint64_t position, std::uint64_t size) const {
  if (position > size_ || size > size_ - position) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(size), '\0');
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n =
        ::pread(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(position + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return std::nullopt;  // an error, or the file shrank since it was opened
    done += static_cast<std::size_t>(n);
  }
  return bytes;
}

#endif

}  // namespace vorrendal
