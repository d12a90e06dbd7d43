#include "PlateInput.h"

#include <cstdio>

#include "data/Cp1252.h"

namespace vorrendal::batch {
namespace {

// Characters a message names only by number: controls, and the spaces,
// joiners and direction marks that would show as nothing or rearrange it.
bool ShownByNumberOnly(char32_t cp) {
  return cp < 0xA0 || (cp >= 0x2000 && cp <= 0x206F) || cp == 0xFEFF;
}

// Control characters, and the five bytes Windows-1252 leaves undefined (they
// only arrive as C1 controls).
bool IsControl(unsigned char c) {
  return c < 0x20 || c == 0x7F || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

}  // namespace

tl::expected<std::string, std::string> BoxText(std::size_t field, std::string_view utf8) {
  const PlateFieldInfo& info = kPlateFields.at(field);
  const std::string name = info.name;
  std::size_t bad = 0;
  std::optional<std::string> text = Utf8ToCp1252(utf8, &bad);
  if (!text) {
    char32_t cp = 0;
    const std::size_t length = Utf8CharAt(utf8, bad, cp);
    if (length == 0)
      return tl::unexpected(name + ": not valid UTF-8 (byte " + std::to_string(bad + 1) + ")");
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(cp));
    const std::string shown = ShownByNumberOnly(cp)
                                  ? std::string(code)
                                  : std::string(utf8.substr(bad, length)) + " (" + code + ")";
    return tl::unexpected(name + ": the character " + shown + " has no Windows-1252 form");
  }
  for (const char c : *text) {
    if (IsControl(static_cast<unsigned char>(c))) {
      return tl::unexpected(
          name +
          ": control characters (tab, line break and the like) cannot be typed on a plate box");
    }
  }
  if (text->size() > info.boxLength) {
    // Named by its length, not repeated: a field may be a few thousand bytes.
    return tl::unexpected(name + ": " + std::to_string(text->size()) + " characters; the " + name +
                          " box holds " + std::to_string(info.boxLength));
  }
  return *std::move(text);
}

tl::expected<PlateBoxes, std::string> ToPlateBoxes(const PlateCodes& codes) {
  PlateBoxes boxes;
  std::string* const targets[] = {&boxes.SerialNumber, &boxes.Body, &boxes.Color, &boxes.Trim,
                                  &boxes.Date,         &boxes.DSO,  &boxes.Trans, &boxes.Axle};
  for (std::size_t i = 0; i < codes.size(); ++i) {
    auto text = BoxText(i, codes[i]);
    if (!text) return tl::unexpected(std::move(text).error());
    *targets[i] = std::move(*text);
  }
  return boxes;
}

}  // namespace vorrendal::batch
