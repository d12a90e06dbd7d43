#include "DataTool.h"

#include <filesystem>
#include <ostream>
#include <system_error>

#include "DataFileChecker.h"
#include "DataFileWriter.h"
#include "DescriptionSource.h"
#include "ListCommand.h"
#include "ProblemList.h"
#include "StagedFiles.h"

namespace vorrendal {
namespace {

struct Command {
  std::string verb;
  std::string input;
  std::string output;
  bool quiet = false;
};

int Report(const ProblemList& problems, std::ostream& err) {
  for (const auto& problem : problems.Listed()) err << problem << '\n';
  if (const std::size_t more = problems.Count() - problems.Listed().size(); more != 0)
    err << "vorrendal-data: " << more << " more problem(s) not listed\n";
  return DataTool::kFailed;
}

int Report(const std::string& problem, std::ostream& err) {
  err << problem << '\n';
  return DataTool::kFailed;
}

int Pack(const Command& command, std::ostream& out, std::ostream& err) {
  ProblemList problems;
  const auto years = DescriptionSource::ReadDirectory(command.input, problems);
  if (!years) {
    Report(problems, err);
    err << "vorrendal-data: nothing written, " << problems.Count() << " problem(s)\n";
    return DataTool::kFailed;
  }
  const std::string bytes = DataFileWriter::Build(*years);
  if (const auto written = DataFileWriter::WriteFile(command.output, bytes); !written)
    return Report(written.error(), err);
  if (command.quiet) return DataTool::kOk;
  std::size_t records = 0;
  for (const auto& year : *years) records += year.records.size();
  out << command.output << ": " << years->size() << " years, " << records << " records, "
      << bytes.size() << " bytes\n";
  return DataTool::kOk;
}

// Every year file is written beside its place first and moved there only
// when all of them are written: a failure leaves the folder as it was.
int Unpack(const Command& command, std::ostream& out, std::ostream& err) {
  const auto result = DataFileChecker::CheckFile(command.input);
  if (!result.problems.Empty()) {
    Report(result.problems, err);
    err << "vorrendal-data: nothing unpacked\n";
    return DataTool::kFailed;
  }
  const std::filesystem::path dir(command.output);
  std::error_code ec;
  const bool created = std::filesystem::create_directories(dir, ec);
  if (ec) return Report(dir.string() + ": cannot be created: " + ec.message(), err);
  StagedFiles files;
  std::size_t years = 0;
  std::size_t records = 0;
  tl::expected<void, std::string> done;
  for (const auto& year : result.years) {
    const std::string name = std::to_string(year.year) + ".txt";
    // pack refuses a year file without records, so none is written.
    if (year.records.empty()) {
      err << "vorrendal-data: " << year.year << " has no records; no " << name << " written\n";
      continue;
    }
    done = files.Stage(dir / name, DescriptionSource::FormatYear(year));
    if (!done) break;
    ++years;
    records += year.records.size();
  }
  if (done) done = files.Commit();
  if (!done) {
    if (created) std::filesystem::remove(dir, ec);  // only while it is empty
    Report(done.error(), err);
    err << "vorrendal-data: nothing unpacked\n";
    return DataTool::kFailed;
  }
  if (!command.quiet) out << dir.string() << ": " << years << " years, " << records << " records\n";
  return DataTool::kOk;
}

int Check(const Command& command, std::ostream& out, std::ostream& err) {
  const auto result = DataFileChecker::CheckFile(command.input);
  if (!result.problems.Empty()) {
    Report(result.problems, err);
    err << "vorrendal-data: " << result.problems.Count() << " problem(s) in " << command.input
        << '\n';
    return DataTool::kFailed;
  }
  if (command.quiet) return DataTool::kOk;
  out << command.input << ": " << result.years.size() << " years, " << result.RecordCount()
      << " records, sound\n";
  return DataTool::kOk;
}

}  // namespace

std::string DataTool::Usage() {
  return "Usage: vorrendal-data COMMAND ...\n"
         "Packs, unpacks, checks and lists Data.dat, the description file of Vorrendal.\n"
         "\n"
         "  pack SOURCE_DIR -o Data.dat   pack the year files 1959.txt ... 1974.txt of SOURCE_DIR\n"
         "  unpack Data.dat -o DIR        write each year of Data.dat back as DIR/YEAR.txt\n"
         "  check Data.dat                check every rule the file must keep\n"
         "  list [Data.dat] [--year YEAR] [--field FIELD] [--search TEXT]\n"
         "       [--format text|csv|json]\n"
         "                                list the codes and their descriptions (default: the\n"
         "                                Data.dat the program reads), sorted by year, field, "
         "code\n"
         "  -q, --quiet                   print nothing on success (pack, unpack, check)\n"
         "  --help                        show this text\n"
         "  --version                     show the version\n"
         "\n"
         "A year file is UTF-8 text with one record per line: the key, a TAB, the\n"
         "description (for example \"p62-A<TAB>Linden, New Jersey\"). Lines starting with\n"
         "'#' are comments; blank lines are ignored. Every key starts with its field\n"
         "letter (p m e b c t s r x) and its file's two-digit year.\n"
         "\n"
         "list shows one model year (1959-1974; the month letters show under every year),\n"
         "one field (plant model engine body color trim dso trans axle, or the built-in\n"
         "year digit and month letter: year month), and the codes that begin with TEXT or\n"
         "whose description holds it, letter case and accents aside (\"creme\" finds\n"
         "\"Cr\xC3\xA8me\"). csv has the header year,field,code,description; json is JSON Lines\n"
         "with year a number (null for a month letter).\n"
         "\n"
         "Exit status: 0 success, 1 a fault in the data or a file, 2 a wrong command line,\n"
         "3 list found no code that matched.\n";
}

int DataTool::Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const int code = RunCommand(args, out, err);
  // A full disk or a closed pipe must not pass for a clean run.
  out.flush();
  if (out) return code;
  err << "vorrendal-data: the output could not be written\n";
  return kFailed;
}

int DataTool::RunCommand(const std::vector<std::string>& args, std::ostream& out,
                         std::ostream& err) {
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    out << Usage();
    return kOk;
  }
  if (args.size() == 1 && args[0] == "--version") {
    out << "vorrendal-data " << VORRENDAL_VERSION << '\n';
    return kOk;
  }
  auto usage = [&](const std::string& message) {
    err << "vorrendal-data: " << message << "\nTry 'vorrendal-data --help'.\n";
    return kUsage;
  };
  if (args.empty()) return usage("no command given");
  if (args[0] == "list") return RunList({args.begin() + 1, args.end()}, out, err);

  Command command{args[0], "", ""};
  if (command.verb != "pack" && command.verb != "unpack" && command.verb != "check") {
    return usage("unknown command '" + command.verb + "'");
  }
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "-o" || args[i] == "--output") {
      if (i + 1 == args.size()) return usage("'" + args[i] + "' needs a path");
      if (!command.output.empty()) return usage("more than one output given");
      command.output = args[++i];
    } else if (args[i] == "-q" || args[i] == "--quiet") {
      command.quiet = true;
    } else if (!args[i].empty() && args[i][0] == '-') {
      return usage("unknown option '" + args[i] + "'");
    } else if (command.input.empty()) {
      command.input = args[i];
    } else {
      return usage("unexpected argument '" + args[i] + "'");
    }
  }
  if (command.input.empty()) return usage(command.verb + ": no input given");
  if (command.verb == "check") {
    if (!command.output.empty()) return usage("check writes nothing; drop '-o'");
    return Check(command, out, err);
  }
  if (command.output.empty()) return usage(command.verb + ": no output given (-o)");
  return command.verb == "pack" ? Pack(command, out, err) : Unpack(command, out, err);
}

}  // namespace vorrendal
