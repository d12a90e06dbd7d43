#pragma once
// A regular file opened for reading by byte ranges. Whatever else is at the
// path (a directory, a FIFO, a device) is refused without blocking and without
// reading a byte; the file is closed when the object goes.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <tl/expected.hpp>

namespace vorrendal {

class RegularFile {
 public:
  // Opens path, or fails with why, to follow the file's name and ": ": "is a
  // directory", "is not a regular file", or "cannot be opened: " and the
  // system's reason.
  static tl::expected<RegularFile, std::string> Open(const std::filesystem::path& path);

  RegularFile(RegularFile&& other) noexcept;
  RegularFile& operator=(RegularFile&&) = delete;
  ~RegularFile();

  // The size when it was opened.
  std::uint64_t Size() const { return size_; }

  // size bytes at a 0-based position; nothing, allocating nothing, when the
  // file does not hold them all.
  std::optional<std::string> ReadAt(std::uint64_t position, std::uint64_t size) const;

 private:
  RegularFile() = default;

  std::uint64_t size_ = 0;
#ifdef _WIN32
  std::filesystem::path path_;
#else
  int fd_ = -1;
#endif
};

}  // namespace vorrendal
