#include "DecodeTool.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>

#include "BatchJsonWriter.h"
#include "CsvReader.h"
#include "OrderedWriter.h"
#include "PlateDecoder.h"
#include "PlateInput.h"
#include "ResultOutput.h"
#include "YearChoice.h"
#include "data/ProgramPaths.h"
#include "data/clsDataFile.h"

namespace vorrendal::decodetool {
namespace {

constexpr const char* kProgram = "vorrendal-decode: ";
constexpr std::size_t kNoColumn = static_cast<std::size_t>(-1);
constexpr std::size_t kYearSlot = 8;  // after the eight plate fields
constexpr std::string_view kBatchSeparator = "\n\n________________________________________\n\n";

std::filesystem::path DataPath(const DecodeOptions& options) {
  if (options.dataFile) return std::filesystem::path(*options.dataFile);
  return FindProgramFile("Data.dat");
}

std::unique_ptr<IDataReader> OpenData(ToolEnvironment& env, const std::filesystem::path& path) {
  if (env.openData) return env.openData(path);
  return std::make_unique<clsDataFile>(path);
}

int Usage(ToolEnvironment& env, const std::string& error) {
  env.err << kProgram << error << '\n'
          << UsageLine() << "Try 'vorrendal-decode --help' for more.\n";
  return kExitUsage;
}

int Refuse(ToolEnvironment& env, const std::string& error) {
  env.err << kProgram << error << '\n';
  return kExitUsage;
}

// A full disk or a closed pipe must not pass for a clean run.
bool Flushed(ToolEnvironment& env) {
  env.out.flush();
  if (env.out) return true;
  env.err << kProgram << "the output could not be written\n";
  return false;
}

int ExitFor(const PlateResult& result) {
  if (!result.Decoded()) return kExitUsage;
  return result.Clean() ? kExitClean : kExitIncomplete;
}

int RunSingle(const DecodeOptions& options, ToolEnvironment& env) {
  PlateCodes codes;
  for (std::size_t i = 0; i < options.codes.size(); ++i) codes[i] = options.codes[i];
  std::string error;
  const std::optional<PlateBoxes> boxes = ToPlateBoxes(codes, error);
  if (!boxes) return Refuse(env, error);

  std::optional<int> year;
  if (const auto years = AmbiguousYears(boxes->SerialNumber)) {
    if (options.year) {
      if (!years->Contains(*options.year)) {
        return Refuse(env,
                      "--year " + std::to_string(*options.year) +
                          " is not a year this serial number stands for: " + BothYears(*years));
      }
      year = options.year;
    } else if (env.stdinIsTerminal && env.stderrIsTerminal) {
      year = AskYearOnTerminal(env.in, env.err, *years);
      if (!year)
        return Refuse(env, "no year chosen: the serial number stands for " + BothYears(*years));
    } else {
      return Refuse(env, "the serial number stands for " + BothYears(*years) +
                             "; name one with --year " + std::to_string(years->first) +
                             " or --year " + std::to_string(years->second));
    }
  }

  const std::filesystem::path dataPath = DataPath(options);
  PlateDecoder decoder(OpenData(env, dataPath), env.err, dataPath.string());
  const PlateResult result = decoder.Decode(*boxes, year);
  if (!result.Error.empty()) return Refuse(env, result.Error);

  if (options.Format() == OutputFormat::Json) {
    env.out << JsonLine(PlateJson(result));
  } else if (result.Decoded()) {
    env.out << ReportText(result.Report);
  }
  if (!Flushed(env)) return kExitIncomplete;
  return ExitFor(result);
}

std::string AsciiLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

// Column of the input for each of the eight plate fields and the year.
struct ColumnMap {
  std::array<std::size_t, 9> slot;  // input column per field, kNoColumn when absent
  std::size_t width = 0;            // columns the header names
};

std::string NameColumns(const CsvRecord& header, ColumnMap& map) {
  map.slot.fill(kNoColumn);
  map.width = header.fields.size();
  if (!header.error.empty()) return "line " + std::to_string(header.line) + ": " + header.error;
  for (std::size_t column = 0; column < header.fields.size(); ++column) {
    const std::string name = AsciiLower(header.fields[column]);
    std::size_t slot = kNoColumn;
    for (std::size_t i = 0; i < kPlateFields.size(); ++i) {
      if (name == kPlateFields[i].name) slot = i;
    }
    if (name == "year") slot = kYearSlot;
    if (slot == kNoColumn) {
      return "line " + std::to_string(header.line) + ": unknown column \"" + header.fields[column] +
             "\"; the header is serial,body,color,trim,date,dso,trans,axle,year";
    }
    if (map.slot[slot] != kNoColumn) return "the column " + name + " is named twice";
    map.slot[slot] = column;
  }
  if (map.slot[0] == kNoColumn) {
    return "the first line must be the header serial,body,color,trim,date,dso,trans,axle,year "
           "(serial at least)";
  }
  return {};
}

BatchRow RowOf(const CsvRecord& record, const ColumnMap& map) {
  BatchRow row;
  row.line = record.line;
  for (std::size_t slot = 0; slot < map.slot.size(); ++slot) {
    const std::size_t column = map.slot[slot];
    if (column == kNoColumn || column >= record.fields.size()) continue;  // short rows: empty codes
    (slot == kYearSlot ? row.year : row.codes[slot]) = record.fields[column];
  }
  return row;
}

// Decodes one row; the row's problems end in result.Error.
PlateResult DecodeRow(const CsvRecord& record, const ColumnMap& map, const BatchRow& row,
                      PlateDecoder& decoder, bool withReport) {
  PlateResult result;
  if (!record.error.empty()) {
    result.Error = record.error;
    return result;
  }
  for (std::size_t column = map.width; column < record.fields.size(); ++column) {
    if (!record.fields[column].empty()) {
      result.Error = std::to_string(record.fields.size()) + " fields, the header names " +
                     std::to_string(map.width);
      return result;
    }
  }
  const std::optional<PlateBoxes> boxes = ToPlateBoxes(row.codes, result.Error);
  if (!boxes) return result;
  std::optional<int> year;
  if (const auto years = AmbiguousYears(boxes->SerialNumber)) {
    if (row.year.empty()) {
      result.Error =
          "the serial number stands for " + BothYears(*years) + "; name one in the year column";
      return result;
    }
    year = YearFromText(row.year);
    if (!year || !years->Contains(*year)) {
      result.Error = "year \"" + row.year +
                     "\" is not a year this serial number stands for: " + BothYears(*years);
      return result;
    }
  }
  return decoder.Decode(*boxes, year, withReport);
}

class Progress {
 public:
  explicit Progress(ToolEnvironment& env) : env_(env) {}
  void Step(std::size_t done) {
    if (!env_.stderrIsTerminal || done < kProgressFrom || done % kProgressEvery != 0) return;
    env_.err << '\r' << kProgram << done << " plates" << std::flush;
    shown_ = true;
  }
  void Finish(std::size_t done) {
    if (shown_) env_.err << '\r' << kProgram << done << " plates\n" << std::flush;
  }

 private:
  ToolEnvironment& env_;
  bool shown_ = false;
};

}  // namespace

int RunBatch(std::string_view csv, const std::string& sourceName, const DecodeOptions& options,
             ToolEnvironment& env) {
  CsvReader reader(csv);
  CsvRecord record;
  if (!reader.Next(record)) {
    return Refuse(
        env,
        sourceName +
            ": no header; the first line must be serial,body,color,trim,date,dso,trans,axle,year");
  }
  ColumnMap map;
  if (const std::string error = NameColumns(record, map); !error.empty())
    return Refuse(env, sourceName + ": " + error);

  const OutputFormat format = options.Format();
  const std::filesystem::path dataPath = DataPath(options);
  PlateDecoder decoder(OpenData(env, dataPath), env.err, dataPath.string());
  Progress progress(env);
  if (format == OutputFormat::Csv) env.out << CsvHeader();

  BatchJsonWriter json;
  std::size_t written = 0;
  OrderedWriter writer([&](const BatchRow& row, const PlateResult& result) {
    switch (format) {
      case OutputFormat::Json:
        env.out << json.Line(row, result);
        break;
      case OutputFormat::Csv:
        env.out << CsvRow(row, result);
        break;
      case OutputFormat::Report:
        // Sections as append mode separates them; the last line break comes at the end.
        if (written > 0) env.out << kBatchSeparator;
        if (result.Decoded()) {
          env.out << TerminalText(result.Report);
        } else {
          env.out << "Line " << row.line << ": " << RowError(result);
        }
        break;
    }
    ++written;
  });

  std::size_t done = 0;
  bool allClean = true;
  while (reader.Next(record)) {
    BatchRow row = RowOf(record, map);
    const std::string where = sourceName + " line " + std::to_string(record.line) + ": ";
    decoder.Prompter().SetContext(where);
    PlateResult result = DecodeRow(record, map, row, decoder, format != OutputFormat::Csv);
    if (!result.Error.empty()) env.err << kProgram << where << result.Error << '\n';
    allClean = allClean && result.Clean();
    writer.Push(std::move(row), std::move(result));
    progress.Step(++done);
  }
  writer.Finish();
  if (format == OutputFormat::Report && done > 0) env.out << '\n';
  progress.Finish(done);
  if (!Flushed(env)) return kExitIncomplete;
  return allClean ? kExitClean : kExitIncomplete;
}

int RunDecodeTool(const std::vector<std::string>& args, ToolEnvironment& env) {
  const ParsedOptions parsed = ParseDecodeOptions(args);
  if (!parsed.Ok()) return Usage(env, parsed.error);
  const DecodeOptions& options = parsed.options;
  if (options.help) {
    env.out << HelpText();
    return kExitClean;
  }
  if (options.version) {
    env.out << VersionText();
    return kExitClean;
  }
  if (!options.Batch()) return RunSingle(options, env);

  std::string csv;
  std::string sourceName = *options.batchFile;
  if (sourceName == "-") {
    sourceName = "standard input";
    csv.assign(std::istreambuf_iterator<char>(env.in), std::istreambuf_iterator<char>());
    if (env.in.bad()) return Refuse(env, "cannot read standard input");
  } else {
    std::ifstream file(sourceName, std::ios::binary);
    if (!file) return Refuse(env, "cannot open " + sourceName + ": " + std::strerror(errno));
    std::ostringstream text;
    text << file.rdbuf();
    if (file.bad()) return Refuse(env, "cannot read " + sourceName);
    csv = std::move(text).str();
  }
  return RunBatch(csv, sourceName, options, env);
}

}  // namespace vorrendal::decodetool
