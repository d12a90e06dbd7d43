#pragma once
// Text rules shared by the code reader and the report writer. Codes are
// Windows-1252 text; positions count from 1 as on the plate.

#include <cstddef>
#include <string>
#include <string_view>

namespace vorrendal {

// The three character classes of every shape test.
inline constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
inline constexpr std::string_view kDigits = "1234567890";
inline constexpr std::string_view kLettersAndDigits = "ABCDEFGHIJKLMNOPQRSTUVWXYZ1234567890";

// True when part is found as a contiguous run of alphabet, comparing bytes
// exactly. An empty part always occurs, so a character missing from a short
// code counts as a member of every class.
bool Occurs(std::string_view alphabet, std::string_view part);

// Up to count characters from position start (1-based); empty past the end.
// A view into text, so text must outlive it (hence no temporaries).
inline std::string_view Mid(std::string_view text, std::size_t start, std::size_t count) {
  return start == 0 || start > text.size() ? std::string_view() : text.substr(start - 1, count);
}
std::string_view Mid(std::string&& text, std::size_t start, std::size_t count) = delete;

// Upper case for Windows-1252: the ASCII letters and the accented small
// letters of the code page (so a small slashed o becomes the capital one).
std::string UpperCase(std::string_view text);
void UpperCaseInPlace(std::string& text);

// Leading and trailing spaces removed (spaces only, as typed on the plate).
// A view into text, as Mid.
std::string_view TrimSpaces(std::string_view text);
std::string_view TrimSpaces(std::string&& text) = delete;

}  // namespace vorrendal
