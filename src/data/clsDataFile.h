#pragma once
// Reads Data.dat: a packed index and one packed block per model year.
// The file is opened and closed on every call; nothing stays open.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "IDataReader.h"
#include "KeyedTable.h"

namespace vorrendal {

class clsCrypto;
class clsZLib;

class clsDataFile final : public IDataReader {
 public:
  // The pass phrase every packed block of Data.dat is encrypted under and
  // ends with.
  static constexpr const char* kPassPhrase = "C4E19B2-9D07A3F1-26B8E05C-7F3A91D4";

  explicit clsDataFile(std::filesystem::path file);
  ~clsDataFile() override;

  bool ReadData(const std::string& recordId, KeyedTable* data, std::string& rawData) override;

  const std::filesystem::path& File() const { return file_; }
  const KeyedTable& RecordIndex() const { return recordIndex_; }
  std::int32_t IndexLength() const { return indexLength_; }

 private:
  bool UnpackBlock(std::string& block);

  std::filesystem::path file_;
  KeyedTable recordIndex_;
  std::int32_t indexLength_ = 0;
  std::unique_ptr<clsCrypto> crypto_;  // created on first use
  std::unique_ptr<clsZLib> zlib_;      // created on first use
};

}  // namespace vorrendal
