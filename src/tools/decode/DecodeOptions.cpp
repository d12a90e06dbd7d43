#include "DecodeOptions.h"

#include <string_view>

#include "tools/LongOption.h"

#ifndef VORRENDAL_VERSION
#define VORRENDAL_VERSION "unknown"
#endif

namespace vorrendal::decodetool {
namespace {

std::optional<OutputFormat> FormatNamed(std::string_view name) {
  if (name == "report") return OutputFormat::Report;
  if (name == "json") return OutputFormat::Json;
  if (name == "csv") return OutputFormat::Csv;
  return std::nullopt;
}

std::optional<Decade> DecadeNamed(std::string_view name) {
  if (name == "1960s") return Decade::k1960s;
  if (name == "1970s") return Decade::k1970s;
  return std::nullopt;
}

using Checked = tl::expected<void, std::string>;

Checked Refused(std::string why) { return tl::unexpected(std::move(why)); }

// Applies one option with its value.
Checked ApplyOption(DecodeOptions& o, std::string_view name, const std::string& value) {
  if (name == "--data") {
    if (o.dataFile) return Refused("--data is given twice");
    if (value.empty()) return Refused("--data needs a file name");
    o.dataFile = value;
  } else if (name == "--year") {
    if (o.year) return Refused("--year is given twice");
    o.year = ModelYearNamed(value);
    if (!o.year) {
      return Refused("--year takes a model year from " + std::to_string(kFirstModelYear) + " to " +
                     std::to_string(kLastModelYear) + ", not \"" + value + "\"");
    }
  } else if (name == "--format") {
    if (o.format) return Refused("--format is given twice");
    o.format = FormatNamed(value);
    if (!o.format) return Refused("--format takes report, json or csv, not \"" + value + "\"");
  } else if (name == "--decade") {
    if (o.decade) return Refused("--decade is given twice");
    o.decade = DecadeNamed(value);
    if (!o.decade) return Refused("--decade takes 1960s or 1970s, not \"" + value + "\"");
  } else {  // --batch
    if (o.batchFile) return Refused("--batch is given twice");
    if (value.empty()) return Refused("--batch needs a file name, or - for standard input");
    o.batchFile = value;
  }
  return {};
}

bool TakesValue(std::string_view name) {
  return name == "--data" || name == "--year" || name == "--format" || name == "--batch" ||
         name == "--decade";
}

Checked CheckCombination(const DecodeOptions& o) {
  if (o.help || o.version) return {};
  if (o.Batch()) {
    if (!o.codes.empty())
      return Refused("--batch takes its plates from the file, not from the command line");
    if (o.year) {
      return Refused(
          "--year is for one plate; in a batch each row names its year in the year column");
    }
    return {};
  }
  if (o.decade) return Refused("--decade is for a batch; for one plate name the year with --year");
  if (o.codes.empty()) return Refused("no serial number given");
  if (o.codes.size() > batch::kPlateFields.size()) {
    return Refused("too many codes: a plate has 8 (SERIAL BODY COLOR TRIM DATE DSO TRANS AXLE)");
  }
  if (o.format == OutputFormat::Csv) return Refused("--format csv is for a batch (--batch FILE)");
  return {};
}

}  // namespace

OutputFormat DecodeOptions::Format() const {
  if (format) return *format;
  return Batch() ? OutputFormat::Json : OutputFormat::Report;
}

tl::expected<DecodeOptions, std::string> ParseDecodeOptions(const std::vector<std::string>& args) {
  DecodeOptions o;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
      o.codes.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    if (arg == "-h" || arg == "--help") {
      o.help = true;
      continue;
    }
    if (arg == "--version") {
      o.version = true;
      continue;
    }
    const auto option = ReadLongOption(args, i, TakesValue);
    if (!option) return tl::unexpected(option.error());
    if (const Checked applied = ApplyOption(o, option->name, option->value); !applied)
      return tl::unexpected(applied.error());
  }
  if (const Checked combined = CheckCombination(o); !combined)
    return tl::unexpected(combined.error());
  return o;
}

std::string UsageLine() {
  return "Usage: vorrendal-decode [--data FILE] [--year YYYY] [--format report|json]\n"
         "                        SERIAL [BODY COLOR TRIM DATE DSO TRANS AXLE]\n"
         "       vorrendal-decode --batch FILE.csv [--data FILE]\n"
         "                        [--format json|csv|report] [--decade 1960s|1970s]\n"
         "       vorrendal-decode --help | --version\n";
}

std::string HelpText() {
  return UsageLine() + R"(
Decodes the warranty plate of a 1959-1974 Brantel full-size passenger car: the
serial (warranty) number and the body, color, trim, date, DSO, transmission and
axle codes stamped on the plate, looked up in the descriptions of Data.dat.

Type the codes as they are stamped. Codes left off at the end are empty; an
empty argument ("") passes an empty code before others. Each code holds at
most as many characters as its box on the plate: serial 11, body 3, color 2,
trim 3, date 3, DSO 2, trans 1, axle 1. Arguments and files are read as
UTF-8; a character that Windows-1252 cannot store, or a control character,
is refused with a message naming the field.

Options:
  --data FILE      Read the descriptions from FILE instead of the Data.dat
                   beside the program (or in ../share/vorrendal beside it).
  --year YYYY      The model year meant by a serial number beginning with 0
                   to 4, a digit that stands for two years (2: 1962 or 1972).
                   Without it the year is asked for when standard input and
                   standard error are a terminal; otherwise the plate is
                   refused. Not used for other serial numbers.
  --format FORMAT  report: the plain-text report, as the desktop program
                   writes it (the default for one plate).
                   json: one JSON object per plate, one per line in a batch
                   (the default for a batch).
                   csv: the input columns followed by the results (batch only).
  --batch FILE     Decode every plate of a CSV file; "-" reads standard input.
  --decade DECADE  1960s or 1970s: the decade meant by every batch row whose
                   serial number begins with 0 to 4 and whose year column is
                   empty; the output's year column then names the year.
                   Without it such rows are not decoded.
  -h, --help       Show this help and exit.
  --version        Show the version and exit.

Batch input:
  RFC 4180 CSV in UTF-8 whose first line is the header
      serial,body,color,trim,date,dso,trans,axle,year
  The columns may come in any order; only serial is required and a missing
  column reads as empty codes. year names the full model year (1962 or 1972)
  for a serial number beginning with 0 to 4 (--decade names it for every
  row that leaves it empty). Spaces around an unquoted field are dropped; a
  quoted field keeps its spaces as typed. Empty lines are skipped. One set
  of descriptions serves the whole batch, so each model year is read from
  the data file once. A row that cannot be decoded gets an error in the
  output and a line on standard error, and the batch goes on; the output
  keeps the input order. A row longer than 4096 bytes is refused; fields
  beyond the header's columns must be empty. A long batch shows its
  progress on standard error when that is a terminal.

Report output:
  The report as the desktop program's report box holds it, with one line
  break at the end. In a batch the reports are separated by a rule of
  underscores, as the desktop program's append mode separates them. Control
  characters in a description are shown (^[ for ESC), never sent.

JSON output:
  ModelYear, AssemblyPlant, Model, EngineType, UnitNumber, Body, Color,
  Trim, DateProduced, DSO, TransmissionType, AxleRatio
                   the decoded texts, before the report wraps them
  SearchYear       the two-digit model year, "59" to "74"
  BadYearCode      true when the year code could not be read; the results
                   and the report are then null
  ErrorOccurred    true when a code had no description
  DataLoadFailed   true when the model year's descriptions could not be read
  report           the report exactly as the report box holds it, with CR LF
                   line breaks
  A batch adds line (where the row starts in the input), input (the row's
  codes as read) and error (why the row was not decoded, or null).

CSV output:
  serial, body, color, trim, date, dso, trans, axle and year as read, the
  twelve results under the names above, and error; CR LF line ends.

Exit status:
  0  Every plate was decoded cleanly.
  1  Decoded, but a code had no description or the descriptions of a model
     year could not be read; in a batch also when a row was not decoded.
     Also when the output could not be written; a batch stops there.
  2  Usage error or a batch input that cannot be read or has no usable
     header; for one plate also a refused code, a missing or wrong --year,
     or a year code that cannot be read.

Examples:
  vorrendal-decode 5A63Z100512 63D A 41 12C 31 4 3
  vorrendal-decode --year 1972 --format json 2G53H123456 63C 4A 3E "" 42 W 3
  vorrendal-decode --batch plates.csv --format csv > decoded.csv
  vorrendal-decode --batch plates.csv --decade 1960s
)";
}

std::string VersionText() { return std::string("vorrendal-decode ") + VORRENDAL_VERSION + "\n"; }

}  // namespace vorrendal::decodetool
