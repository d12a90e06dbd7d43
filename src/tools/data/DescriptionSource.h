#pragma once
// The editable form of the descriptions: one UTF-8 text file per model year,
// named after the year (1959.txt ... 1974.txt). Each record is a line
// "key<TAB>description"; lines starting with '#' are comments, blank lines
// are ignored, and a line ends at CR LF, LF or CR. Keys and descriptions are
// held in Windows-1252, the form Data.dat stores.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <tl/expected.hpp>
#include <vector>

#include "ProblemList.h"

namespace vorrendal {

// A check that passes, or fails with what is wrong.
using Checked = tl::expected<void, std::string>;

struct SourceRecord {
  std::string key;          // Windows-1252
  std::string description;  // Windows-1252
  int line = 0;             // 1-based line in its file; 0 when it came from Data.dat
};

struct SourceYear {
  int year = 0;  // 1959 to 1974
  std::vector<SourceRecord> records;
};

class DescriptionSource {
 public:
  // Parses the text of one year's file. Problems are appended as
  // "FILE:LINE: message"; the records of good lines are returned either way.
  static std::vector<SourceRecord> ParseYear(int year, std::string_view utf8,
                                             const std::string& fileName, ProblemList& problems);

  // Reads every year file of dir in ascending year order, checking keys across
  // all years. Files other than DIGITS.txt are left alone; a DIGITS.txt that
  // is not 1959.txt to 1974.txt is a problem, and so is a year file that
  // cannot be read, yields no records, or holds more than a block may.
  // Returns nothing when any problem was found.
  static std::optional<std::vector<SourceYear>> ReadDirectory(const std::filesystem::path& dir,
                                                              ProblemList& problems);

  // A year's records in source form (UTF-8, LF line ends, one comment line first).
  static std::string FormatYear(const SourceYear& year);

  // The year a file name stands for ("1965.txt" -> 1965), or nothing.
  static std::optional<int> YearOfFileName(std::string_view fileName);

  // Fails with what is wrong with a record key for a model year, unless the
  // key has the form letter + two-digit year + "-" + code, the letter being
  // one of the description fields p m e b c t s r x.
  static Checked CheckKey(std::string_view key, int year);

  // Fails with what is wrong with a description: it may not hold a control
  // character, which a terminal would obey: 0x00 to 0x1F (TAB included), DEL,
  // and the five bytes Windows-1252 leaves undefined, shown as C1 controls.
  static Checked CheckDescription(std::string_view description);
};

}  // namespace vorrendal
