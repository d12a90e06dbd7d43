#pragma once
// The one seam between the description store and the Data.dat file.

#include <string>

namespace vorrendal {

class KeyedTable;

class IDataReader {
 public:
  virtual ~IDataReader() = default;

  // Reads the block of one model year. recordId is the year key "59" to "74".
  // With data not null the block's records are added to it (a record whose
  // key is already there fails the read; records added before a failure stay).
  // With data null, rawData receives the block's text without its last CR LF.
  // Returns false on any failure; it shows nothing itself.
  virtual bool ReadData(const std::string& recordId, KeyedTable* data, std::string& rawData) = 0;
};

}  // namespace vorrendal
