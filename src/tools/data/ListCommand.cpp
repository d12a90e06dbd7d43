#include "ListCommand.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <tl/expected.hpp>

#include "DataTool.h"
#include "codes/CodeListing.h"
#include "codes/CodeTable.h"
#include "data/Cp1252.h"
#include "data/ProgramPaths.h"
#include "data/RegularFile.h"
#include "data/clsDataFile.h"
#include "decode/clsDescriptionStore.h"
#include "tools/LongOption.h"

namespace vorrendal {
namespace {

struct ListOptions {
  std::optional<std::string> file;
  std::optional<int> year;
  std::optional<CodeField> field;
  std::optional<std::string> search;  // UTF-8
  std::optional<ListFormat> format;
  bool help = false;
};

using Parsed = tl::expected<ListOptions, std::string>;

std::optional<ListFormat> FormatNamed(std::string_view name) {
  if (name == "text") return ListFormat::Text;
  if (name == "csv") return ListFormat::Csv;
  if (name == "json") return ListFormat::Json;
  return std::nullopt;
}

tl::expected<void, std::string> Apply(ListOptions& o, std::string_view name,
                                      const std::string& value) {
  const std::string twice = std::string(name) + " is given twice";
  if (name == "--year") {
    if (o.year) return tl::unexpected(twice);
    o.year = ModelYearNamed(value);
    if (!o.year) {
      return tl::unexpected("--year takes a model year from " + std::to_string(kFirstModelYear) +
                            " to " + std::to_string(kLastModelYear) + ", not \"" + value + "\"");
    }
  } else if (name == "--field") {
    if (o.field) return tl::unexpected(twice);
    o.field = FieldNamed(value);
    if (!o.field) {
      return tl::unexpected(
          "--field takes plant, model, engine, body, color, trim, dso, trans, axle, year or "
          "month, not \"" +
          value + "\"");
    }
  } else if (name == "--search") {
    if (o.search) return tl::unexpected(twice);
    o.search = value;
  } else {  // --format
    if (o.format) return tl::unexpected(twice);
    o.format = FormatNamed(value);
    if (!o.format) return tl::unexpected("--format takes text, csv or json, not \"" + value + "\"");
  }
  return {};
}

Parsed Parse(const std::vector<std::string>& args) {
  ListOptions o;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "-h" || arg == "--help") {
      o.help = true;
      continue;
    }
    if (arg.empty() || arg[0] != '-') {
      if (o.file) return tl::unexpected("unexpected argument '" + arg + "'");
      o.file = arg;
      continue;
    }
    const auto option = ReadLongOption(args, i, [](std::string_view name) {
      return name == "--year" || name == "--field" || name == "--search" || name == "--format";
    });
    if (!option) return tl::unexpected(option.error());
    if (const auto applied = Apply(o, option->name, option->value); !applied)
      return tl::unexpected(applied.error());
  }
  return o;
}

}  // namespace

int RunList(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const Parsed options = Parse(args);
  if (!options) {
    err << "vorrendal-data: list: " << options.error() << "\nTry 'vorrendal-data --help'.\n";
    return DataTool::kUsage;
  }
  if (options->help) {
    out << DataTool::Usage();
    return DataTool::kOk;
  }
  const std::filesystem::path path =
      options->file ? std::filesystem::path(*options->file) : FindProgramFile("Data.dat");
  // A file that cannot be read at all is said once, not as sixteen years.
  if (const auto file = RegularFile::Open(path); !file) {
    err << "vorrendal-data: " << path.string() << ": " << file.error() << '\n';
    return DataTool::kFailed;
  }

  clsDescriptionStore store(std::make_unique<clsDataFile>(path),
                            clsDescriptionStore::FailedYears::GiveUp);
  const CodeTable table =
      options->year ? LoadCodeTable(store, *options->year, *options->year) : LoadCodeTable(store);
  const CodeFilter filter(
      options->year, options->field,
      options->search ? Utf8ToCp1252Lossy(*options->search, kUnmatchable) : std::string());
  std::vector<const CodeRow*> shown;
  for (const CodeRow& row : table.rows) {
    if (filter.Matches(row)) shown.push_back(&row);
  }
  if (!shown.empty()) {
    const std::string text = ListRows(shown, options->format.value_or(ListFormat::Text));
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
  }

  if (!table.failedYears.empty()) {
    const std::size_t asked = options->year ? 1 : kLastModelYear - kFirstModelYear + 1;
    err << "vorrendal-data: " << path.string() << ": "
        << (table.failedYears.size() == asked && asked > 1
                ? std::string("no model year")
                : "the descriptions of " + YearsNamed(table.failedYears))
        << " could not be loaded; the file may be damaged ('vorrendal-data check' names the "
           "faults)\n";
    return DataTool::kFailed;
  }
  return shown.empty() ? DataTool::kNoneMatched : DataTool::kOk;
}

}  // namespace vorrendal
