#pragma once
// Runs vorrendal-decode in-process against descriptions the test puts into a
// MemoryDataReader, and holds the small catalogue the tests share.

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "../../support/MemoryDataReader.h"
#include "tools/decode/DecodeTool.h"

namespace vorrendal::decodetool::testing {

using vorrendal::testing::MemoryDataReader;

// A model description longer than the report's line budget, so that the
// report wraps it.
inline const std::string kLongModel = "Two-door hardtop coupe, eight cylinders, bucket seats and console";

// A complete catalogue for the plates 5A62C100001 (1965) and 2A62C100001
// (1962 and 1972), with non-ASCII Windows-1252 text in it.
inline std::unique_ptr<MemoryDataReader> Catalogue() {
  auto data = std::make_unique<MemoryDataReader>();
  data->Add("65", "p65-A", "Atlanta, Georgia")
      .Add("65", "m65-62", kLongModel)
      .Add("65", "e65-C", "289 cu in V8, 2-bbl carburettor")
      .Add("65", "b65-62A", "Two-door hardtop")
      .Add("65", "c65-M", "Caf\xE9 Cr\xE8me")  // Windows-1252 e-acute and e-grave
      .Add("65", "t65-76", "Black vinyl")
      .Add("65", "s65-21", "Atlanta")
      .Add("65", "r65-4", "Three-speed automatic")
      .Add("65", "x65-1", "3.00:1");
  for (const char* year : {"62", "72"}) {
    const std::string y = year;
    data->Add(y, "p" + y + "-A", "Atlanta, Georgia")
        .Add(y, "m" + y + "-62", "Two-door hardtop")
        .Add(y, "e" + y + "-C", "352 cu in V8, 4-bbl carburettor")
        .Add(y, "b" + y + "-62A", "Two-door hardtop")
        .Add(y, "c" + y + (y == "62" ? "-M" : "-4A"), y == "62" ? "Black" : "Bright red")
        .Add(y, "t" + y + "-76", "Red vinyl")
        .Add(y, "s" + y + "-21", "Atlanta")
        .Add(y, "r" + y + "-4", "Three-speed automatic")
        .Add(y, "x" + y + "-1", "3.00:1");
  }
  return data;
}

// Lends the test's reader to the tool, so that its counts outlive the run.
class LentReader final : public IDataReader {
 public:
  explicit LentReader(std::shared_ptr<MemoryDataReader> data) : data_(std::move(data)) {}
  bool ReadData(const std::string& recordId, KeyedTable* data, std::string& rawData) override {
    return data_->ReadData(recordId, data, rawData);
  }

 private:
  std::shared_ptr<MemoryDataReader> data_;
};

struct ToolRun {
  int status = -1;
  std::string out;
  std::string err;
  std::shared_ptr<MemoryDataReader> data;  // the descriptions the run read
  std::vector<std::string> openedPaths;    // what the tool asked to open
};

struct RunSetup {
  std::string stdinText;
  bool terminal = false;   // stdin and stderr are terminals
  bool emptyData = false;  // a catalogue without any year (every load fails)
  bool brokenOutput = false;  // standard output cannot be written
};

inline ToolRun RunTool(const std::vector<std::string>& args, const RunSetup& setup = {}) {
  ToolRun run;
  run.data = setup.emptyData ? std::make_shared<MemoryDataReader>()
                             : std::shared_ptr<MemoryDataReader>(Catalogue());
  std::istringstream in(setup.stdinText);
  std::ostringstream out;
  std::ostringstream err;
  if (setup.brokenOutput) out.setstate(std::ios::badbit);
  ToolEnvironment env{in, out, err, setup.terminal, setup.terminal,
                      [&run](const std::filesystem::path& path) -> std::unique_ptr<IDataReader> {
                        run.openedPaths.push_back(path.string());
                        return std::make_unique<LentReader>(run.data);
                      }};
  run.status = RunDecodeTool(args, env);
  run.out = out.str();
  run.err = err.str();
  return run;
}

// Counts how often text occurs in haystack.
inline int Occurrences(const std::string& haystack, const std::string& text) {
  int n = 0;
  for (auto at = haystack.find(text); at != std::string::npos; at = haystack.find(text, at + 1)) ++n;
  return n;
}

}  // namespace vorrendal::decodetool::testing
