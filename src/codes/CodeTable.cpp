#include "CodeTable.h"

#include <algorithm>
#include <tuple>

#include "data/TextFold.h"
#include "decode/clsDescriptionStore.h"

namespace vorrendal {
namespace {

constexpr std::array<std::string_view, kCodeFieldCount> kFieldNames = {
    "plant", "model", "engine", "body", "color", "trim", "dso", "trans", "axle", "year", "month"};

CodeRow MakeRow(int modelYear, CodeField field, std::string code, std::string description) {
  CodeRow row{modelYear, field, std::move(code), std::move(description), {}, {}};
  row.foldedCode = FoldText(row.code);
  row.foldedDescription = FoldText(row.description);
  return row;
}

// The built-in entries: "y1-2" (1962) gives the year digit 2 of 1962, "d-A"
// the month letter A.
void AddBuiltIns(const clsDescriptionStore& store, std::vector<CodeRow>& rows) {
  for (const auto& [key, item] : store.BuiltInDescriptions().Entries()) {
    if (key.size() == 4 && key[0] == 'y') {
      if (const auto year = ModelYearNamed(item))
        rows.push_back(MakeRow(*year, CodeField::YearDigit, key.substr(3), item));
    } else if (key.size() == 3 && key.starts_with("d-")) {
      rows.push_back(MakeRow(0, CodeField::MonthLetter, key.substr(2), item));
    }
  }
}

// The records of the loaded years: "c66-A" is color A of 1966.
void AddRecords(const clsDescriptionStore& store, std::vector<CodeRow>& rows) {
  for (const auto& [key, item] : store.Descriptions().Entries()) {
    if (key.size() < 4 || key[3] != '-') continue;
    char letter = key[0];
    if (letter >= 'A' && letter <= 'Z') letter = static_cast<char>(letter - 'A' + 'a');
    const std::size_t field = kRecordFieldLetters.find(letter);
    const auto year = SearchYearNumber(std::string_view(key).substr(1, 2));
    if (field == std::string_view::npos || !year || !store.YearLoaded(*year)) continue;
    rows.push_back(MakeRow(1900 + *year, static_cast<CodeField>(field), key.substr(4), item));
  }
}

}  // namespace

std::string_view FieldName(CodeField field) { return kFieldNames[static_cast<int>(field)]; }

std::optional<CodeField> FieldNamed(std::string_view name) {
  const auto found = std::find(kFieldNames.begin(), kFieldNames.end(), name);
  if (found == kFieldNames.end()) return std::nullopt;
  return static_cast<CodeField>(found - kFieldNames.begin());
}

CodeTable LoadCodeTable(clsDescriptionStore& store, int firstYear, int lastYear) {
  CodeTable table;
  store.Load("");  // the built-ins
  for (int year = std::max(firstYear, kFirstModelYear); year <= std::min(lastYear, kLastModelYear);
       ++year) {
    const auto load = store.Load(std::to_string(year % 100));
    if (load == clsDescriptionStore::YearLoad::Failed ||
        load == clsDescriptionStore::YearLoad::GivenUp) {
      table.failedYears.push_back(year);
    }
  }
  AddBuiltIns(store, table.rows);
  AddRecords(store, table.rows);
  // Month letters, which have no year, after every year.
  const auto order = [](const CodeRow& row) {
    return std::tuple(row.modelYear == 0, row.modelYear, row.field, std::string_view(row.code));
  };
  std::sort(table.rows.begin(), table.rows.end(),
            [&](const CodeRow& a, const CodeRow& b) { return order(a) < order(b); });
  return table;
}

std::string YearsNamed(const std::vector<int>& modelYears) {
  std::string named;
  for (std::size_t i = 0; i < modelYears.size(); ++i) {
    if (i > 0) named += i + 1 == modelYears.size() ? " and " : ", ";
    named += std::to_string(modelYears[i]);
  }
  return named;
}

CodeFilter::CodeFilter(std::optional<int> modelYear, std::optional<CodeField> field,
                       std::string_view search)
    : modelYear_(modelYear), field_(field) {
  const auto first = search.find_first_not_of(" \t");
  if (first == std::string_view::npos) return;
  search = search.substr(first, search.find_last_not_of(" \t") + 1 - first);
  foldedSearch_ = FoldText(search);
}

bool CodeFilter::Matches(const CodeRow& row) const {
  if (modelYear_ && row.modelYear != 0 && row.modelYear != *modelYear_) return false;
  if (field_ && row.field != *field_) return false;
  return foldedSearch_.empty() || row.foldedCode.starts_with(foldedSearch_) ||
         row.foldedDescription.find(foldedSearch_) != std::string::npos;
}

}  // namespace vorrendal
