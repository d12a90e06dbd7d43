#pragma once
// Code-table rows written out in UTF-8: aligned columns for a terminal, CSV
// (RFC 4180, CR LF, the header year,field,code,description) or JSON Lines
// (year a number, or null for a month letter). `vorrendal-data list` writes
// all three; the window exports CSV.

#include <string>
#include <vector>

#include "CodeTable.h"

namespace vorrendal {

enum class ListFormat { Text, Csv, Json };

// The rows in the format, with the header the format has (text and CSV).
std::string ListRows(const std::vector<const CodeRow*>& rows, ListFormat format);

}  // namespace vorrendal
