#pragma once
// A regular file opened for reading by byte ranges. Whatever else is at the
// path (a directory, a FIFO, a device) is refused without blocking and without
// reading a byte; the file is closed when the object goes.

#include <cstdint>
#include <filesystem>
#include <string>

namespace vorrendal {

class RegularFile {
 public:
  explicit RegularFile(const std::filesystem::path& path);
  ~RegularFile();
  RegularFile(const RegularFile&) = delete;
  RegularFile& operator=(const RegularFile&) = delete;

  bool IsOpen() const { return error_.empty(); }
  // Why the file is not open, to follow its name and ": ": "is a directory",
  // "is not a regular file", or "cannot be opened: " and the system's reason.
  // Empty when open.
  const std::string& Error() const { return error_; }
  // The size when it was opened.
  std::uint64_t Size() const { return size_; }

  // Reads size bytes at a 0-based position into out. Fails, allocating
  // nothing, when the file is not open or does not hold them all.
  bool ReadAt(std::uint64_t position, std::uint64_t size, std::string& out) const;

 private:
  std::string error_;
  std::uint64_t size_ = 0;
#ifdef _WIN32
  std::filesystem::path path_;
#else
  int fd_ = -1;
#endif
};

}  // namespace vorrendal
