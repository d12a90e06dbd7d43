#pragma once
// The command line of vorrendal-decode: one plate from its arguments, or a
// batch of plates from a CSV file.

#include <cstddef>
#include <optional>
#include <string>
#include <tl/expected.hpp>
#include <vector>

#include "batch/PlateInput.h"

namespace vorrendal::decodetool {

enum class OutputFormat { Report, Json, Csv };

struct DecodeOptions {
  bool help = false;
  bool version = false;
  std::optional<std::string> dataFile;   // --data; Data.dat beside the program otherwise
  std::optional<int> year;               // --year, a full model year
  std::optional<OutputFormat> format;    // --format; see Format()
  std::optional<std::string> batchFile;  // --batch; "-" is standard input
  std::vector<std::string> codes;        // SERIAL BODY ... AXLE as given (UTF-8), at most 8

  bool Batch() const { return batchFile.has_value(); }
  // The format asked for, or the default: the report for one plate, JSON
  // Lines for a batch.
  OutputFormat Format() const;
};

// Reads the arguments after the program name; fails with what is wrong. Options may come before,
// after or between the codes; "--" ends the options, so that a code beginning with
// "-" can be passed. Every option may be given once.
tl::expected<DecodeOptions, std::string> ParseDecodeOptions(const std::vector<std::string>& args);

std::string HelpText();
std::string VersionText();
std::string UsageLine();

}  // namespace vorrendal::decodetool
