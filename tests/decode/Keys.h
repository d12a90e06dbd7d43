#pragma once
// Descriptions for the decode tests: each stored description is "#" and its
// key, so a result names the key its decoder looked up.

#include <memory>
#include <sstream>
#include <string>

#include "decode/DecodePlate.h"
#include "support/MemoryDataReader.h"

namespace vorrendal::testing {

// "#key" under each space-separated key, in the block of its year.
inline std::unique_ptr<MemoryDataReader> Keys(const std::string& keys) {
  auto data = std::make_unique<MemoryDataReader>();
  std::istringstream in(keys);
  for (std::string key; in >> key;) data->Add(key.substr(1, 2), key, "#" + key);
  return data;
}

// Plate boxes from "serial|body|color|trim|date|dso|trans|axle"; missing boxes are empty.
inline PlateBoxes Boxes(const std::string& text) {
  std::string p[8];
  std::istringstream in(text);
  for (std::string& box : p) std::getline(in, box, '|');
  return {p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7]};
}

}  // namespace vorrendal::testing
