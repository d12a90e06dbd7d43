#pragma once
// The descriptions the decoders turn codes into: the built-in model-year and
// month entries, and the records of every model year read from the data file
// so far. The built-ins are written once; each year's block is read once and
// then stays, and a year whose read failed is tried again next time.

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "IDataReader.h"
#include "KeyedTable.h"

namespace vorrendal {

class clsDescriptionStore {
 public:
  static constexpr int kFirstYear = 59;
  static constexpr int kLastYear = 74;

  // What one Load call did.
  enum class YearLoad {
    NoYear,         // the year text was empty or no model year: only the built-ins
    AlreadyLoaded,  // the year was there already; nothing was read
    Loaded,         // the year's block was read now
    Failed,         // the read failed; the year stays unloaded
  };

  // dataReader may be null: every year then fails to load.
  explicit clsDescriptionStore(std::unique_ptr<IDataReader> dataReader);
  ~clsDescriptionStore();
  clsDescriptionStore(const clsDescriptionStore&) = delete;
  clsDescriptionStore& operator=(const clsDescriptionStore&) = delete;

  // Writes the built-in entries on the first call; then, when searchYear
  // names a model year ("59" to "74") that is not loaded yet, reads its block
  // into Descriptions. Any other searchYear counts as empty.
  YearLoad Load(const std::string& searchYear);

  // Reads one year's block through the data reader; false when there is none.
  bool ReadData(const std::string& recordId, KeyedTable* data, std::string& rawData);

  bool BuiltInsLoaded() const { return builtInsLoaded_; }
  const KeyedTable& BuiltInDescriptions() const { return builtIns_; }
  const KeyedTable& Descriptions() const { return descriptions_; }
  bool YearLoaded(int year) const;  // false outside 59 to 74

  // The model year named by a two-digit year text "59" to "74", else nothing.
  static std::optional<int> YearNumber(const std::string& searchYear);

 private:
  void AddBuiltIns();

  std::unique_ptr<IDataReader> dataReader_;
  bool builtInsLoaded_ = false;
  KeyedTable builtIns_;
  KeyedTable descriptions_;
  std::array<bool, kLastYear - kFirstYear + 1> yearLoaded_{};
};

}  // namespace vorrendal
