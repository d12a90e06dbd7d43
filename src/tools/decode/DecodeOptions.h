#pragma once
// The command line of vorrendal-decode: one plate from its arguments, or a
// batch of plates from a CSV file.

#include <cstddef>
#include <optional>
#include <string>
#include <tl/expected.hpp>
#include <vector>

#include "batch/PlateInput.h"
#include "batch/RowWriters.h"
#include "decode/PlateRules.h"

namespace vorrendal::decodetool {

using batch::OutputFormat;

struct DecodeOptions {
  bool help = false;
  bool version = false;
  std::optional<std::string> dataFile;   // --data; Data.dat beside the program otherwise
  std::optional<int> year;               // --year, a full model year
  std::optional<OutputFormat> format;    // --format; see Format()
  std::optional<std::string> batchFile;  // --batch; "-" is standard input
  // --decade: the decade of a batch row whose serial number stands for two
  // model years and whose year column is empty
  std::optional<Decade> decade;
  std::vector<std::string> codes;  // SERIAL BODY ... AXLE as given (UTF-8), at most 8

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
