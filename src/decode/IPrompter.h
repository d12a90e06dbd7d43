#pragma once
// Everything the decode needs from a person. The desktop program answers with
// dialogs and message boxes, the command-line decoder with its options, the
// tests with a scripted fake. Texts are Windows-1252, as everywhere in the core.

#include <string>

namespace vorrendal {

class IPrompter {
 public:
  virtual ~IPrompter() = default;

  // A year digit 0 to 4 stands for two model years. firstYear is the 196x
  // text ("1962"), secondYear the 197x text ("1972"). Returns 0 for the first,
  // 1 for the second; any other answer is taken as 0.
  virtual int AskYear(const std::string& firstYear, const std::string& secondYear) = 0;

  // The year code could not be read. title is "Invalid Year Code"; text is its
  // four lines joined by CR LF. Shown with an exclamation icon and OK.
  virtual void InvalidYearCode(const std::string& title, const std::string& text) = 0;

  // A model year's descriptions could not be loaded. title is "Error Loading
  // Data", text "Unable to load data file. It may be corrupted."; shown with a
  // critical icon, OK and Help (help topic 101). Returns when dismissed.
  virtual void DataLoadFailed(const std::string& title, const std::string& text) = 0;
};

}  // namespace vorrendal
