#pragma once
// vorrendal-data list: the code tables of a Data.dat on standard output.

#include <iosfwd>
#include <string>
#include <vector>

namespace vorrendal {

// Runs `list` with the arguments after the command word; returns the exit
// status (DataTool's, and kNoneMatched when no row matched).
int RunList(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace vorrendal
