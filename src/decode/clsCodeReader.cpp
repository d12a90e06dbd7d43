#include "clsCodeReader.h"

#include <utility>

namespace vorrendal {

clsCodeReader::clsCodeReader(std::unique_ptr<IDataReader> dataReader)
    : store_(std::move(dataReader)) {}

bool clsCodeReader::ReadData(const std::string& RecordID, KeyedTable* Data, std::string& RawData) {
  return store_.ReadData(RecordID, Data, RawData);
}

void clsCodeReader::LoadDescriptionData() {
  if (store_.Load(SearchYear) == clsDescriptionStore::YearLoad::Failed)
    LoadFailures.push_back(1900 + *SearchYearNumber(SearchYear));
}

void clsCodeReader::ReadCodes(const std::string& serialNumber, const std::string& BodyCode,
                              const std::string& ColorCode, const std::string& TrimCode,
                              const std::string& DateCode, const std::string& DSOCode,
                              const std::string& TransCode, const std::string& AxleCode) {
  DecodeResult result = DecodePlate(
      {serialNumber, BodyCode, ColorCode, TrimCode, DateCode, DSOCode, TransCode, AxleCode},
      YearChoice, store_);
  LoadFailures.insert(LoadFailures.end(), result.LoadFailures.begin(), result.LoadFailures.end());
  if (result.BadYearCode) {
    BadYearCode = true;
    return;
  }
  result.ErrorOccurred = result.ErrorOccurred || ErrorOccurred;
  result.LoadFailures = std::move(LoadFailures);
  static_cast<DecodeResult&>(*this) = std::move(result);
}

}  // namespace vorrendal
