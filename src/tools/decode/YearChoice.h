#pragma once
// On a terminal the decoder asks which of the two model years a serial
// number's year digit stands for, as the desktop program's dialog does.

#include <istream>
#include <optional>
#include <ostream>

#include "decode/PlateRules.h"

namespace vorrendal::decodetool {

// Asks on a terminal until one of the two years is answered (as 1972 or
// 72). Nothing when the input ends first.
std::optional<int> AskYearOnTerminal(std::istream& in, std::ostream& err, const SerialYears& years);

}  // namespace vorrendal::decodetool
