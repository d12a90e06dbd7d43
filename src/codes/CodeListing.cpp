#include "CodeListing.h"

#include <algorithm>
#include <array>
#include <nlohmann/json.hpp>

#include "batch/RowWriters.h"

namespace vorrendal {
namespace {

constexpr std::array<const char*, 4> kColumns = {"year", "field", "code", "description"};

std::string YearText(const CodeRow& row) {
  return row.modelYear == 0 ? std::string() : std::to_string(row.modelYear);
}

// The columns UTF-8 text takes on a terminal: one per character.
std::size_t Width(std::string_view utf8) {
  return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

// Columns two spaces apart, each as wide as its widest cell; descriptions
// last and unpadded. Control characters are shown, never sent.
std::string Text(const std::vector<const CodeRow*>& rows) {
  struct Cells {
    std::string year, field, code, description;
  };
  std::vector<Cells> cells;
  cells.reserve(rows.size() + 1);
  cells.push_back({kColumns[0], kColumns[1], kColumns[2], kColumns[3]});
  for (const CodeRow* row : rows) {
    cells.push_back({YearText(*row), std::string(FieldName(row->field)),
                     batch::VisibleText(batch::Utf8Text(row->code), false),
                     batch::VisibleText(batch::Utf8Text(row->description), false)});
  }
  std::array<std::size_t, 3> widths{};
  for (const Cells& c : cells) {
    widths[0] = std::max(widths[0], Width(c.year));
    widths[1] = std::max(widths[1], Width(c.field));
    widths[2] = std::max(widths[2], Width(c.code));
  }
  std::string out;
  const auto pad = [&out](const std::string& cell, std::size_t width) {
    out += cell;
    out.append(width - Width(cell) + 2, ' ');
  };
  for (const Cells& c : cells) {
    pad(c.year, widths[0]);
    pad(c.field, widths[1]);
    pad(c.code, widths[2]);
    out += c.description;
    out += '\n';
  }
  return out;
}

std::string Csv(const std::vector<const CodeRow*>& rows) {
  std::string out;
  for (const char* column : kColumns) {
    if (column != kColumns[0]) out += ',';
    out += column;
  }
  out += "\r\n";
  for (const CodeRow* row : rows) {
    out += YearText(*row);
    out += ',';
    out += FieldName(row->field);
    out += ',';
    batch::AppendCsvField(batch::Utf8Text(row->code), out);
    out += ',';
    batch::AppendCsvField(batch::Utf8Text(row->description), out);
    out += "\r\n";
  }
  return out;
}

std::string Json(const std::vector<const CodeRow*>& rows) {
  std::string out;
  for (const CodeRow* row : rows) {
    nlohmann::ordered_json object;
    object[kColumns[0]] =
        row->modelYear == 0 ? nlohmann::ordered_json() : nlohmann::ordered_json(row->modelYear);
    object[kColumns[1]] = FieldName(row->field);
    object[kColumns[2]] = batch::Utf8Text(row->code);
    object[kColumns[3]] = batch::Utf8Text(row->description);
    out += object.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
    out += '\n';
  }
  return out;
}

}  // namespace

std::string ListRows(const std::vector<const CodeRow*>& rows, ListFormat format) {
  switch (format) {
    case ListFormat::Text:
      return Text(rows);
    case ListFormat::Csv:
      return Csv(rows);
    case ListFormat::Json:
      break;
  }
  return Json(rows);
}

}  // namespace vorrendal
