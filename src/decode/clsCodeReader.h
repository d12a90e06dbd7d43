#pragma once
// The code reader as the main window holds it: the results of its last
// decode in public members, over a description store that keeps every model
// year it has loaded. ReadCodes runs DecodePlate.

#include <memory>
#include <string>

#include "DecodePlate.h"
#include "clsDescriptionStore.h"
#include "data/IDataReader.h"

namespace vorrendal {

// The results (ModelYear ... AxleRatio, BadYearCode, SearchYear,
// ErrorOccurred, LoadFailures) are those of the last ReadCodes, but for two
// things the caller clears: ErrorOccurred is only ever set by a decode, and
// LoadFailures collects the failed loads of LoadDescriptionData and ReadCodes
// alike. A decode stopped by a bad year code changes BadYearCode only.
class clsCodeReader : public DecodeResult {
 public:
  // dataReader may be null (every year then fails to load, as with a missing
  // Data.dat).
  explicit clsCodeReader(std::unique_ptr<IDataReader> dataReader);

  // Which model year a serial number's year digit 0 to 4 stands for, as the
  // year question was answered before ReadCodes.
  Decade YearChoice = Decade::k1960s;

  // The eight plate codes exactly as typed (not trimmed, not upper-cased).
  void ReadCodes(const std::string& serialNumber, const std::string& BodyCode,
                 const std::string& ColorCode, const std::string& TrimCode,
                 const std::string& DateCode, const std::string& DSOCode,
                 const std::string& TransCode, const std::string& AxleCode);

  // Builds the built-in tables on first use and loads the block of the year
  // in SearchYear if it is not loaded yet; a failed load is added to
  // LoadFailures. A Process calls it first, so that a year that failed is
  // tried again before the next plate's year is asked.
  void LoadDescriptionData();

  // Reads one year's block through the data reader (see IDataReader).
  bool ReadData(const std::string& RecordID, KeyedTable* Data, std::string& RawData);

  // The results of the last decode that read the year code, as a value.
  const DecodeResult& Result() const { return *this; }

 private:
  clsDescriptionStore store_;
};

}  // namespace vorrendal
