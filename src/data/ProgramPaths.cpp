#include "ProgramPaths.h"

#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace vorrendal {

std::filesystem::path ProgramDirectory() {
#ifdef _WIN32
  wchar_t buffer[32768];
  const DWORD n = GetModuleFileNameW(nullptr, buffer, static_cast<DWORD>(std::size(buffer)));
  if (n == 0 || n >= std::size(buffer)) return {};
  return std::filesystem::path(buffer).parent_path();
#else
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return {};
  return exe.parent_path();
#endif
}

std::filesystem::path FindProgramFile(const std::filesystem::path& programDir,
                                      std::string_view fileName) {
  const std::filesystem::path own = programDir / fileName;
  const std::filesystem::path shared = programDir / ".." / "share" / "vorrendal" / fileName;
  std::error_code ec;
  if (std::filesystem::exists(own, ec)) return own;
  if (std::filesystem::exists(shared, ec)) return shared.lexically_normal();
  return own;
}

std::filesystem::path FindProgramFile(std::string_view fileName) {
  return FindProgramFile(ProgramDirectory(), fileName);
}

}  // namespace vorrendal
