#pragma once
// The vorrendal-data command line: pack, unpack, check and list Data.dat.

#include <iosfwd>
#include <string>
#include <vector>

namespace vorrendal {

class DataTool {
 public:
  // Exit codes.
  static constexpr int kOk = 0;
  static constexpr int kFailed = 1;       // the data or a file had a fault
  static constexpr int kUsage = 2;        // the command line was wrong
  static constexpr int kNoneMatched = 3;  // list: no code matched

  // Runs the tool with the arguments after the program name. Output that
  // cannot be written fails the run.
  static int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

  static std::string Usage();

 private:
  static int RunCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
};

}  // namespace vorrendal
