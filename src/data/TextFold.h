#pragma once
// Matching that ignores letter case and accents, over Windows-1252 text: the
// help window's index and search, and filters over the description tables.

#include <string>
#include <string_view>

namespace vorrendal {

// Folds Windows-1252 text for comparison: letters are lower-cased and lose
// the accents that sit on a base letter ("Crème" and "CREME" both give
// "creme"). Letters of their own (Æ, Ð, Ø, Þ, Œ, ß) are only lower-cased:
// Ø is also the slashed zero of the axle codes, which is not the letter O.
// Every other byte is kept as it is, so the result has the input's length.
std::string FoldText(std::string_view cp1252);

}  // namespace vorrendal
