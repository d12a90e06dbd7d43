#pragma once
// Text inside the program is 8-bit Windows-1252, as Data.dat stores it.
// These convert at the edges: terminals, files and arguments are UTF-8.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vorrendal {

// UTF-8 to Windows-1252. Returns nothing when the input is not well-formed
// UTF-8 or holds a character that Windows-1252 cannot store; badIndex (if
// given) then receives the byte offset of the first offending character.
std::optional<std::string> Utf8ToCp1252(std::string_view utf8, std::size_t* badIndex = nullptr);

// UTF-8 to Windows-1252 for what is shown or matched: each character the
// code page cannot hold, and each malformed sequence, becomes replacement.
std::string Utf8ToCp1252Lossy(std::string_view utf8, char replacement);

// The UTF-8 character at text[at]: its length in bytes (its code point in
// codePoint), or 0 when the bytes there are not UTF-8. Strict: overlong
// forms, surrogates, code points past U+10FFFF and cut sequences are not.
std::size_t Utf8CharAt(std::string_view text, std::size_t at, char32_t& codePoint);

// Windows-1252 to UTF-8. Never fails: the five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) come out as the C1 controls of the
// same number, which is also how Utf8ToCp1252 takes them back.
std::string Cp1252ToUtf8(std::string_view cp1252);

}  // namespace vorrendal
