#include "CodeText.h"

namespace vorrendal {

bool Occurs(std::string_view alphabet, std::string_view part) {
  if (part.size() == 1) return alphabet.find(part[0]) != std::string_view::npos;
  return alphabet.find(part) != std::string_view::npos;
}

std::string UpperCase(std::string_view text) {
  std::string out(text);
  UpperCaseInPlace(out);
  return out;
}

void UpperCaseInPlace(std::string& text) {
  for (char& c : text) {
    const auto b = static_cast<unsigned char>(c);
    unsigned char u = b;
    if (b >= 'a' && b <= 'z') {
      u = static_cast<unsigned char>(b - 0x20);
    } else if (b >= 0xE0 && b <= 0xFE && b != 0xF7) {  // a grave .. thorn, not the division sign
      u = static_cast<unsigned char>(b - 0x20);
    } else if (b == 0x9A || b == 0x9C || b == 0x9E) {  // s caron, oe, z caron
      u = static_cast<unsigned char>(b - 0x10);
    } else if (b == 0xFF) {  // y diaeresis
      u = 0x9F;
    }
    c = static_cast<char>(u);
  }
}

std::string_view TrimSpaces(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

}  // namespace vorrendal
