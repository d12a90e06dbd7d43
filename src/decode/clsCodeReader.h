#pragma once
// Turns the codes stamped on a warranty plate into text. ReadCodes splits the
// serial number, makes sure the model year's descriptions are loaded and runs
// one decoder per field; each leaves its answer in a public result member.

#include <array>
#include <memory>
#include <string>

#include "../data/IDataReader.h"
#include "../data/KeyedTable.h"
#include "IPrompter.h"

namespace vorrendal {

class clsCodeReader {
 public:
  // prompter must outlive the reader; dataReader may be null (every year then
  // fails to load, as with a missing Data.dat).
  clsCodeReader(IPrompter& prompter, std::unique_ptr<IDataReader> dataReader);
  ~clsCodeReader();
  clsCodeReader(const clsCodeReader&) = delete;
  clsCodeReader& operator=(const clsCodeReader&) = delete;

  // Results, in report order. Empty until a decode writes them; a decode
  // stopped by a bad year code leaves them as they were.
  std::string ModelYear;
  std::string AssemblyPlant;
  std::string Model;
  std::string EngineType;
  std::string UnitNumber;
  std::string Body;
  std::string Color;
  std::string Trim;
  std::string DateProduced;
  std::string DSO;
  std::string TransmissionType;
  std::string AxleRatio;
  bool BadYearCode = false;
  std::string SearchYear;      // "59" to "74" once a year has been decoded
  bool ErrorOccurred = false;  // set by the decoders, cleared only by the caller

  // The eight plate codes exactly as typed (not trimmed, not upper-cased).
  void ReadCodes(const std::string& serialNumber, const std::string& BodyCode,
                 const std::string& ColorCode, const std::string& TrimCode,
                 const std::string& DateCode, const std::string& DSOCode,
                 const std::string& TransCode, const std::string& AxleCode);

  // Builds the built-in tables on first use and loads the block of the year
  // in SearchYear if it is not loaded yet; a failed load is told through the
  // prompter and decoding goes on.
  void LoadDescriptionData();

  // Reads one year's block through the data reader (see IDataReader).
  bool ReadData(const std::string& RecordID, KeyedTable* Data, std::string& RawData);

  // What the store holds, for the tools and the tests.
  const KeyedTable& BuiltInDescriptions() const;
  const KeyedTable& Descriptions() const;
  bool YearLoaded(int year) const;  // year 59 to 74

 private:
  // implementation is the engine's own
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace vorrendal
