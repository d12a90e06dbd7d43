#pragma once
// The code tables: every code the descriptions hold, one row per code and
// model year (the records of Data.dat, and the built-in year digits and month
// letters), in one order, with the one rule that filters them. The window's
// table and `vorrendal-data list` both show these rows and call this rule.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "decode/PlateRules.h"

namespace vorrendal {

class clsDescriptionStore;

// What a code is for, in the order the rows of one year are listed.
enum class CodeField : unsigned char {
  Plant,
  Model,
  Engine,
  Body,
  Color,
  Trim,
  Dso,
  Trans,
  Axle,
  YearDigit,    // built in: a serial number's year digit, one row per model year
  MonthLetter,  // built in: the date code's month letter, no model year
};
inline constexpr int kCodeFieldCount = 11;

// The field's name on the command line and in CSV and JSON: "plant", "model",
// "engine", "body", "color", "trim", "dso", "trans", "axle", "year", "month".
std::string_view FieldName(CodeField field);
std::optional<CodeField> FieldNamed(std::string_view name);

struct CodeRow {
  int modelYear = 0;  // 1959 to 1974; 0 for a month letter
  CodeField field = CodeField::Plant;
  std::string code;         // Windows-1252, as the key holds it
  std::string description;  // Windows-1252
  // The two folded for the search (FoldText).
  std::string foldedCode, foldedDescription;
};

// Rows sorted by model year, field (in CodeField's order) and code (byte
// order), the month letters last; and the model years whose descriptions could
// not be loaded (their rows are left out).
struct CodeTable {
  std::vector<CodeRow> rows;
  std::vector<int> failedYears;
};

// Loads the model years first to last into store (each through
// clsDescriptionStore::Load, as a decode does) and lists the built-ins and the
// records of every year it then holds. A record whose key is not of the form
// field letter, two-digit year, "-", code is left out: no decode can reach it.
CodeTable LoadCodeTable(clsDescriptionStore& store, int firstYear = kFirstModelYear,
                        int lastYear = kLastModelYear);

// "1962, 1966 and 1970"
std::string YearsNamed(const std::vector<int>& modelYears);

// The byte a search text's character becomes when Windows-1252 cannot hold it
// (SUB): no description holds it, so such a search matches nothing.
inline constexpr char kUnmatchable = '\x1A';

// Which rows are shown. A row is shown when it is of the model year (month
// letters are shown under every year), of the field, and its code begins with
// the search text or its description holds it, letter case and accents aside
// ("creme" finds "Crème"). Nothing set: every row is shown.
class CodeFilter {
 public:
  CodeFilter() = default;
  // search is Windows-1252; the spaces around it are ignored.
  CodeFilter(std::optional<int> modelYear, std::optional<CodeField> field, std::string_view search);

  bool Matches(const CodeRow& row) const;

 private:
  std::optional<int> modelYear_;
  std::optional<CodeField> field_;
  std::string foldedSearch_;
};

}  // namespace vorrendal
