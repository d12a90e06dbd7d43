#pragma once
// Reading UTF-8 one character at a time, strictly: overlong forms,
// surrogates and code points past U+10FFFF are not UTF-8.

#include <cstddef>
#include <string_view>

namespace vorrendal::batch {

// The length of the character starting at text[at] (its code point in
// codePoint), or 0 when the bytes there are not UTF-8.
std::size_t Utf8CharAt(std::string_view text, std::size_t at, char32_t& codePoint);

}  // namespace vorrendal::batch
