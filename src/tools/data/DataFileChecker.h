#pragma once
// Checks a Data.dat against every rule its writer must keep, naming each
// fault: the index length and its bounds, each block's trailer, compressed
// data (nothing after the zlib stream) and exact length prefix, the index
// lines (three fields, numbers, year keys 59 to 74 listed once, blocks laid
// one after another from offset 1, no bytes past the last block), and each
// record (one NUL, a key carrying its block's year, a description without
// control characters, no key twice in the file). No empty line, every text
// ending in CR LF, no block, text or line count past the bounds the program's
// reader keeps. Only the ranges the index names are read.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "DescriptionSource.h"
#include "ProblemList.h"

namespace vorrendal {

class DataFileChecker {
 public:
  struct Result {
    ProblemList problems;           // "NAME: where: what", none when the file is sound
    std::vector<SourceYear> years;  // what could be read, in index order
    std::size_t RecordCount() const;
  };

  // Checks the bytes of a data file; name starts every message.
  static Result Check(std::string_view bytes, const std::string& name);

  // Reads and checks a regular file; a sound file is then also loaded year by
  // year with the program's own reader, which must accept every year.
  static Result CheckFile(const std::filesystem::path& path);
};

}  // namespace vorrendal
