#pragma once
// vorrendal-decode: decodes one plate from the command line or a batch of
// plates from a CSV file with the same reader and report as the desktop
// program.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <istream>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "DecodeOptions.h"
#include "data/IDataReader.h"

namespace vorrendal::decodetool {

// Exit status.
inline constexpr int kExitClean = 0;  // every plate decoded cleanly
inline constexpr int kExitIncomplete =
    1;  // a description missing, a year not loaded, a batch row refused, the output not written
inline constexpr int kExitUsage = 2;  // usage error, unreadable input; one plate refused

// A batch of at least this many rows shows its progress on a terminal.
inline constexpr std::size_t kProgressFrom = 5000;
inline constexpr std::size_t kProgressEvery = 1000;

using DataOpener = std::function<std::unique_ptr<IDataReader>(const std::filesystem::path&)>;

// Where the tool reads and writes, and how it opens its descriptions.
struct ToolEnvironment {
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
  bool stdinIsTerminal = false;
  bool stderrIsTerminal = false;
  DataOpener openData;  // empty: Data.dat through clsDataFile
};

// Runs the tool on the arguments after the program name; returns the exit
// status.
int RunDecodeTool(const std::vector<std::string>& args, ToolEnvironment& env);

}  // namespace vorrendal::decodetool
