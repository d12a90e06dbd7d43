#include "TextFold.h"

#include <array>

namespace vorrendal {
namespace {

// The folded form of every byte.
constexpr std::array<unsigned char, 256> MakeFoldTable() {
  std::array<unsigned char, 256> table{};
  for (int b = 0; b < 256; ++b) table[b] = static_cast<unsigned char>(b);
  for (int b = 'A'; b <= 'Z'; ++b) table[b] = static_cast<unsigned char>(b - 'A' + 'a');
  // The upper half, from 0xC0: accented letters to their base letter, the
  // letters of their own to their lower case (0xD7 and 0xF7 are the
  // multiplication and division signs).
  constexpr char kHigh[] =
      "aaaaaa\xE6"
      "ceeeeiiii\xF0nooooo\xD7\xF8uuuuy\xFE\xDF"
      "aaaaaa\xE6"
      "ceeeeiiii\xF0nooooo\xF7\xF8uuuuy\xFEy";
  static_assert(sizeof(kHigh) == 64 + 1);
  for (int i = 0; i < 64; ++i) table[0xC0 + i] = static_cast<unsigned char>(kHigh[i]);
  table[0x8A] = 's';     // S with caron
  table[0x9A] = 's';     // s with caron
  table[0x8E] = 'z';     // Z with caron
  table[0x9E] = 'z';     // z with caron
  table[0x9F] = 'y';     // Y with diaeresis
  table[0x8C] = '\x9C';  // OE ligature to its lower case
  return table;
}

constexpr std::array<unsigned char, 256> kFold = MakeFoldTable();

}  // namespace

std::string FoldText(std::string_view cp1252) {
  std::string out(cp1252);
  for (char& c : out) c = static_cast<char>(kFold[static_cast<unsigned char>(c)]);
  return out;
}

}  // namespace vorrendal
