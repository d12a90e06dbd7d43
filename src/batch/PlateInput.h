#pragma once
// The eight plate codes as they arrive at the edge of the program (UTF-8 from
// arguments and files), made into the Windows-1252 box texts the decode
// takes, with the checks a plate box makes: no more characters than the box
// holds, nothing that cannot be typed into it.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <tl/expected.hpp>

#include "decode/DecodePlate.h"

namespace vorrendal::batch {

struct PlateFieldInfo {
  const char* name;       // as in the batch header and in messages
  std::size_t boxLength;  // characters the plate box holds
};

// Serial, body, color, trim, date, DSO, trans, axle: the Process order.
inline constexpr std::array<PlateFieldInfo, 8> kPlateFields = {{{"serial", 11},
                                                                {"body", 3},
                                                                {"color", 2},
                                                                {"trim", 3},
                                                                {"date", 3},
                                                                {"dso", 2},
                                                                {"trans", 1},
                                                                {"axle", 1}}};

using PlateCodes = std::array<std::string, 8>;  // UTF-8, in kPlateFields order

// Converts one code to Windows-1252 and checks it against its box. Returns
// the text, or why it is refused: the field's name and what is wrong.
tl::expected<std::string, std::string> BoxText(std::size_t field, std::string_view utf8);

// Converts all eight; the first refused field ends it.
tl::expected<PlateBoxes, std::string> ToPlateBoxes(const PlateCodes& codes);

}  // namespace vorrendal::batch
