#include "Cp1252.h"

#include <array>
#include <cstdint>

namespace vorrendal {
namespace {

// Code points of the bytes 0x80 to 0x9F; the five holes map to themselves.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t CodePointOf(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHigh[byte - 0x80];
  return byte;
}

std::optional<unsigned char> ByteOf(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<unsigned char>(cp);
  for (std::size_t i = 0; i < kHigh.size(); ++i) {
    if (kHigh[i] == cp) return static_cast<unsigned char>(0x80 + i);
  }
  return std::nullopt;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

std::size_t Utf8CharAt(std::string_view text, std::size_t i, char32_t& codePoint) {
  if (i >= text.size()) return 0;
  char32_t cp = 0;
  const auto b0 = static_cast<unsigned char>(text[i]);
  std::size_t len = 0;
  char32_t min = 0;
  if (b0 < 0x80) {
    codePoint = b0;
    return 1;
  } else if ((b0 & 0xE0) == 0xC0) {
    len = 2;
    cp = b0 & 0x1F;
    min = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    len = 3;
    cp = b0 & 0x0F;
    min = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    len = 4;
    cp = b0 & 0x07;
    min = 0x10000;
  } else {
    return 0;
  }
  if (i + len > text.size()) return 0;
  for (std::size_t k = 1; k < len; ++k) {
    const auto b = static_cast<unsigned char>(text[i + k]);
    if ((b & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  codePoint = cp;
  return len;
}

namespace {

// Appends utf8 from offset i on to out, up to the first character that is
// not UTF-8 or has no Windows-1252 form; returns its offset, or npos.
std::size_t AppendUntilBad(std::string_view utf8, std::size_t i, std::string& out) {
  while (i < utf8.size()) {
    char32_t cp = 0;
    const std::size_t len = Utf8CharAt(utf8, i, cp);
    const auto byte = len ? ByteOf(cp) : std::nullopt;
    if (!byte) return i;
    out += static_cast<char>(*byte);
    i += len;
  }
  return std::string_view::npos;
}

}  // namespace

std::optional<std::string> Utf8ToCp1252(std::string_view utf8, std::size_t* badIndex) {
  std::string out;
  out.reserve(utf8.size());
  const std::size_t bad = AppendUntilBad(utf8, 0, out);
  if (bad == std::string_view::npos) return out;
  if (badIndex) *badIndex = bad;
  return std::nullopt;
}

std::string Utf8ToCp1252Lossy(std::string_view utf8, char replacement) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = AppendUntilBad(utf8, 0, out); i != std::string_view::npos;
       i = AppendUntilBad(utf8, i, out)) {
    out += replacement;
    char32_t cp = 0;
    if (const std::size_t len = Utf8CharAt(utf8, i, cp)) {
      i += len;  // a character without a form
      continue;
    }
    // A malformed sequence: its lead byte and the continuation bytes after it.
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    std::size_t k = 1;
    while (k < length && i + k < utf8.size() &&
           (static_cast<unsigned char>(utf8[i + k]) & 0xC0) == 0x80) {
      ++k;
    }
    i += k;
  }
  return out;
}

std::string Cp1252ToUtf8(std::string_view cp1252) {
  std::string out;
  out.reserve(cp1252.size() + cp1252.size() / 4);
  for (char c : cp1252) AppendUtf8(out, CodePointOf(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace vorrendal
