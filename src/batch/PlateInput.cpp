#include "PlateInput.h"

#include <cstdio>

#include "data/Cp1252.h"

namespace vorrendal::batch {
namespace {

// The character starting at utf8[at] and its length, when it is well-formed.
std::optional<unsigned> CodePointAt(std::string_view utf8, std::size_t at, std::size_t& len) {
  const auto b0 = static_cast<unsigned char>(utf8[at]);
  unsigned cp = 0;
  if ((b0 & 0xE0) == 0xC0) {
    len = 2;
    cp = b0 & 0x1Fu;
  } else if ((b0 & 0xF0) == 0xE0) {
    len = 3;
    cp = b0 & 0x0Fu;
  } else if ((b0 & 0xF8) == 0xF0) {
    len = 4;
    cp = b0 & 0x07u;
  } else {
    return std::nullopt;
  }
  if (at + len > utf8.size()) return std::nullopt;
  for (std::size_t k = 1; k < len; ++k) {
    const auto b = static_cast<unsigned char>(utf8[at + k]);
    if ((b & 0xC0) != 0x80) return std::nullopt;
    cp = (cp << 6) | (b & 0x3Fu);
  }
  return cp;
}

// Control characters, and the five bytes Windows-1252 leaves undefined (they
// only arrive as C1 controls).
bool IsControl(unsigned char c) {
  return c < 0x20 || c == 0x7F || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

}  // namespace

std::optional<std::string> BoxText(std::size_t field, std::string_view utf8, std::string& error) {
  const PlateFieldInfo& info = kPlateFields.at(field);
  const std::string name = info.name;
  std::size_t bad = 0;
  std::optional<std::string> text = Utf8ToCp1252(utf8, &bad);
  if (!text) {
    std::size_t len = 0;
    const auto cp = CodePointAt(utf8, bad, len);
    if (!cp) {
      error = name + ": not valid UTF-8 (byte " + std::to_string(bad + 1) + ")";
    } else {
      char code[16];
      std::snprintf(code, sizeof code, "U+%04X", *cp);
      error = name + ": the character " + std::string(utf8.substr(bad, len)) + " (" + code +
              ") has no Windows-1252 form";
    }
    return std::nullopt;
  }
  for (const char c : *text) {
    if (IsControl(static_cast<unsigned char>(c))) {
      error = name +
              ": control characters (tab, line break and the like) cannot be typed on a plate box";
      return std::nullopt;
    }
  }
  if (text->size() > info.boxLength) {
    // Named by its length, not repeated: a field may be a few thousand bytes.
    error = name + ": " + std::to_string(text->size()) + " characters; the " + name +
            " box holds " + std::to_string(info.boxLength);
    return std::nullopt;
  }
  return text;
}

std::optional<PlateBoxes> ToPlateBoxes(const PlateCodes& codes, std::string& error) {
  PlateBoxes boxes;
  std::string* const targets[] = {&boxes.SerialNumber, &boxes.Body, &boxes.Color, &boxes.Trim,
                                  &boxes.Date,         &boxes.DSO,  &boxes.Trans, &boxes.Axle};
  for (std::size_t i = 0; i < codes.size(); ++i) {
    auto text = BoxText(i, codes[i], error);
    if (!text) return std::nullopt;
    *targets[i] = std::move(*text);
  }
  return boxes;
}

}  // namespace vorrendal::batch
