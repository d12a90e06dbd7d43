#pragma once
// Where the program finds the files that ship beside it (Data.dat, VRNDL.chm).

#include <filesystem>
#include <string_view>

namespace vorrendal {

// The directory of the running executable; empty if it cannot be told.
std::filesystem::path ProgramDirectory();

// The path of a file that ships with the program. It is looked for in the
// program's own directory first (the build tree, a portable install, Windows),
// then in ../share/vorrendal beside it (an installed tree such as /usr/bin and
// /usr/share/vorrendal). When neither holds it, the first candidate is returned,
// so that the caller's error names the place a user would look.
std::filesystem::path FindProgramFile(std::string_view fileName);

// The same search from an explicit program directory (used by the tests).
std::filesystem::path FindProgramFile(const std::filesystem::path& programDir,
                                      std::string_view fileName);

}  // namespace vorrendal
