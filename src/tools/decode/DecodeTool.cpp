#include "DecodeTool.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <optional>
#include <string_view>
#include <system_error>

#include "YearChoice.h"
#include "batch/Batch.h"
#include "batch/BatchWorker.h"
#include "batch/PlateInput.h"
#include "batch/PlateRows.h"
#include "batch/RowWriters.h"
#include "data/ProgramPaths.h"
#include "data/clsDataFile.h"
#include "decode/clsDescriptionStore.h"

namespace vorrendal::decodetool {
namespace {

using batch::BatchRow;
using batch::PlateResult;

constexpr const char* kProgram = "vorrendal-decode: ";
// Output is written in pieces of this size; a failed write stops the batch
// within one piece.
constexpr std::size_t kOutputPiece = 64 * 1024;
// Row messages are written in pieces of this size (at once on a terminal).
constexpr std::size_t kMessagePiece = 8 * 1024;
// The worker hands rows over in pieces of this many, and keeps at most
// kWorkerAhead not yet written: a failed write stops the batch before much
// more input is read. A slow input's rows are taken at least this often.
constexpr std::size_t kWorkerPiece = 256;
constexpr std::size_t kWorkerAhead = 1024;
constexpr std::chrono::milliseconds kWorkerWait{50};

std::filesystem::path DataPath(const DecodeOptions& options) {
  if (options.dataFile) return std::filesystem::path(*options.dataFile);
  return FindProgramFile("Data.dat");
}

// What keeps the data file from being read at all, or "": missing, a
// directory, not a regular file (a FIFO with no writer would never answer),
// not readable.
std::string DataFileProblem(const std::filesystem::path& path) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (error) return error.message();
  if (std::filesystem::is_directory(status)) return std::strerror(EISDIR);
  if (!std::filesystem::is_regular_file(status)) return "not a regular file";
  if (!std::ifstream(path, std::ios::binary)) return std::strerror(errno);
  return {};
}

// The descriptions, for a run over one plate or many: a model year that
// fails to load is read and told once. A data file that cannot be read at
// all is told here, once, and told is set: the load failure of each model
// year ("It may be corrupted") would only mislead.
std::unique_ptr<clsDescriptionStore> OpenData(ToolEnvironment& env,
                                              const std::filesystem::path& path, bool& told) {
  std::unique_ptr<IDataReader> data;
  if (env.openData) {
    data = env.openData(path);
  } else if (const std::string problem = DataFileProblem(path); !problem.empty()) {
    env.err << kProgram << "the descriptions cannot be read: " << path.string() << ": " << problem
            << '\n';
    told = true;
  } else {
    data = std::make_unique<clsDataFile>(path);
  }
  return std::make_unique<clsDescriptionStore>(std::move(data),
                                               clsDescriptionStore::FailedYears::GiveUp);
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

// Writes text to the output; a full disk or a closed pipe is told and must
// not pass for a clean run.
bool Written(ToolEnvironment& env, std::string_view text, bool flush) {
  errno = 0;
  env.out.write(text.data(), static_cast<std::streamsize>(text.size()));
  if (flush) env.out.flush();
  if (env.out) return true;
  const int error = errno;
  env.err << kProgram << "the output could not be written"
          << (error != 0 ? std::string(": ") + std::strerror(error) : std::string()) << '\n';
  return false;
}

// A message box of the desktop program, as a message: the title (and what
// it is about), then the text.
void Tell(ToolEnvironment& env, const char* title, const std::string& about, const char* text) {
  env.err << kProgram << batch::TerminalText(title) << about << '\n'
          << batch::TerminalText(text) << '\n'
          << std::flush;
}

// " (model year 1965, Data.dat)"
std::string AboutYear(int modelYear, const std::string& dataName) {
  return " (model year " + std::to_string(modelYear) + ", " + dataName + ")";
}

int ExitFor(const PlateResult& result) {
  if (!result.Decoded()) return kExitUsage;
  return result.Clean() ? kExitClean : kExitIncomplete;
}

int RunSingle(const DecodeOptions& options, ToolEnvironment& env) {
  batch::PlateCodes codes;
  for (std::size_t i = 0; i < options.codes.size(); ++i) codes[i] = options.codes[i];
  const auto boxes = batch::ToPlateBoxes(codes);
  if (!boxes) return Refuse(env, boxes.error());

  Decade decade = Decade::k1960s;
  if (const SerialYears years = YearsOfSerial(boxes->SerialNumber); years.TwoYears()) {
    std::optional<int> year = options.year;
    if (year) {
      if (!years.Contains(*year)) {
        return Refuse(env, "--year " + std::to_string(*year) +
                               " is not a year this serial number stands for: " + years.Both());
      }
    } else if (env.stdinIsTerminal && env.stderrIsTerminal) {
      year = AskYearOnTerminal(env.in, env.err, years);
      if (!year) return Refuse(env, "no year chosen: the serial number stands for " + years.Both());
    } else {
      return Refuse(env, "the serial number stands for " + years.Both() +
                             "; name one with --year " + std::to_string(years.first) +
                             " or --year " + std::to_string(years.second));
    }
    if (*year == years.second) decade = Decade::k1970s;
  }

  const std::filesystem::path dataPath = DataPath(options);
  bool dataTold = false;
  const auto store = OpenData(env, dataPath, dataTold);
  const PlateResult result = batch::DecodeBoxes(*boxes, decade, *store, true);
  if (result.Decode.BadYearCode) Tell(env, batch::kInvalidYearTitle, "", batch::kInvalidYearText);
  for (const int year : result.Decode.LoadFailures) {
    if (!dataTold)
      Tell(env, batch::kLoadFailedTitle, AboutYear(year, dataPath.string()),
           batch::kLoadFailedText);
  }

  std::string text;
  if (options.Format() == OutputFormat::Json) {
    batch::JsonWriter().AppendPlate(result, text);
  } else if (result.Decoded()) {
    text = batch::ReportText(result.Report);
  }
  if (!Written(env, text, true)) return kExitIncomplete;
  return ExitFor(result);
}

// What a batch writes: the rows in the format asked for, on standard output
// in large pieces; a message per refused row on standard error, in row
// order; the progress of a long batch on a terminal.
class BatchOutput {
 public:
  BatchOutput(ToolEnvironment& env, OutputFormat format, std::string source, std::string dataName)
      : env_(env), writer_(format), source_(std::move(source)), dataName_(std::move(dataName)) {
    writer_.Begin(out_);
  }

  // False once the output cannot be written.
  bool Row(const BatchRow& row, const PlateResult& result) {
    writer_.Append(row, result, out_);
    ++rows_;
    Tell(row, result);
    if (out_.size() >= kOutputPiece) WriteOut(false);
    return !failed_;
  }

  void Progress(std::size_t rows) {
    if (!env_.stderrIsTerminal || rows < kProgressFrom || rows % kProgressEvery != 0) return;
    WriteMessages();
    env_.err << '\r' << kProgram << rows << " plates" << std::flush;
    progressShown_ = true;
  }

  // Writes what is left; false when the output could not be written.
  bool Finish() {
    writer_.End(out_);
    WriteMessages();
    if (progressShown_) env_.err << '\r' << kProgram << rows_ << " plates\n" << std::flush;
    if (!failed_) WriteOut(true);
    return !failed_;
  }

 private:
  void Tell(const BatchRow& row, const PlateResult& result) {
    const std::string where = source_ + " line " + std::to_string(row.line) + ": ";
    // A data file that could not be read at all has been told already.
    for (const int year : result.Decode.LoadFailures) {
      if (dataName_.empty()) continue;
      messages_ += kProgram + where + batch::TerminalText(batch::kLoadFailedTitle) +
                   AboutYear(year, dataName_) + ": " + batch::TerminalText(batch::kLoadFailedText) +
                   '\n';
    }
    const std::string message = batch::RowMessage(row, result);
    if (!message.empty()) messages_ += kProgram + where + message + '\n';
    if (messages_.size() >= kMessagePiece || (env_.stderrIsTerminal && !messages_.empty()))
      WriteMessages();
  }

  void WriteMessages() {
    if (messages_.empty()) return;
    // Over the progress line, which the next step writes again.
    if (progressShown_) env_.err << '\r';
    env_.err << messages_ << std::flush;
    messages_.clear();
  }

  void WriteOut(bool flush) {
    failed_ = !Written(env_, out_, flush);
    out_.clear();
  }

  ToolEnvironment& env_;
  batch::RowsWriter writer_;
  std::string source_, dataName_;
  std::string out_, messages_;
  std::size_t rows_ = 0;
  bool progressShown_ = false;
  bool failed_ = false;  // the output could not be written; nothing more is
};

int RunBatchInput(const DecodeOptions& options, ToolEnvironment& env) {
  std::string source = *options.batchFile;
  std::ifstream file;
  std::istream* in = &env.in;
  if (source == "-") {
    source = "standard input";
  } else {
    file.open(source, std::ios::binary);
    if (!file) return Refuse(env, "cannot open " + source + ": " + std::strerror(errno));
    in = &file;
  }
  batch::PlateRows rows(*in);
  const auto header = rows.ReadHeader();
  if (!rows.ReadError().empty())
    return Refuse(env, "cannot read " + source + ": " + rows.ReadError());
  if (!header) return Refuse(env, source + ": " + header.error());

  const OutputFormat format = options.Format();
  const std::filesystem::path dataPath = DataPath(options);
  bool dataTold = false;
  const auto store = OpenData(env, dataPath, dataTold);
  BatchOutput output(env, format, source, dataTold ? std::string() : dataPath.string());

  // The rows are read and decoded on a thread of their own while this one
  // writes them out.
  batch::BatchWorker::Options work;
  work.withReport = batch::RowsWriter(format).WantsReport();
  work.decade = options.decade;
  work.pieceRows = kWorkerPiece;
  work.maxWaiting = kWorkerAhead;
  batch::BatchWorker worker(rows, *store, work);
  std::size_t done = 0;
  bool writing = true;
  for (;;) {
    batch::Handover handover = worker.WaitAndTake(kWorkerWait);
    for (batch::FinishedRow& finished : handover.rows) {
      if (!writing) break;
      writing = output.Row(finished.row, finished.result);
      if (!writing) {
        worker.Stop();
        break;
      }
      output.Progress(++done);
    }
    if (!handover.end) continue;
    const batch::BatchSummary& summary = *handover.end;
    if (!output.Finish()) return kExitIncomplete;
    if (!summary.readError.empty())
      return Refuse(env, "cannot read " + source + ": " + summary.readError);
    return summary.allClean ? kExitClean : kExitIncomplete;
  }
}

}  // namespace

int RunDecodeTool(const std::vector<std::string>& args, ToolEnvironment& env) {
  const auto parsed = ParseDecodeOptions(args);
  if (!parsed) return Usage(env, parsed.error());
  const DecodeOptions& options = *parsed;
  if (options.help) return Written(env, HelpText(), true) ? kExitClean : kExitIncomplete;
  if (options.version) return Written(env, VersionText(), true) ? kExitClean : kExitIncomplete;
  if (options.Batch()) return RunBatchInput(options, env);
  return RunSingle(options, env);
}

}  // namespace vorrendal::decodetool
