#pragma once
// The descriptions the decoders turn codes into: the built-in model-year and
// month entries, and the records of every model year read from the data file
// so far. The built-ins are written once; each year's block is read once and
// then stays. A year whose read failed is tried again at its next load, or,
// for a run over many plates, given up after the first failure.

#include <array>
#include <memory>
#include <string>

#include "PlateRules.h"
#include "data/IDataReader.h"
#include "data/KeyedTable.h"

namespace vorrendal {

class clsDescriptionStore {
 public:
  // What one Load call did.
  enum class YearLoad {
    NoYear,         // the year text was empty or no model year: only the built-ins
    AlreadyLoaded,  // the year was there already; nothing was read
    Loaded,         // the year's block was read now
    Failed,         // the read failed now; the year stays unloaded
    GivenUp,        // the year failed before and is not read again
  };
  // What becomes of a year whose read failed.
  enum class FailedYears { TryAgain, GiveUp };

  // dataReader may be null: every year then fails to load.
  explicit clsDescriptionStore(std::unique_ptr<IDataReader> dataReader,
                               FailedYears failedYears = FailedYears::TryAgain);
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
  bool YearLoaded(int searchYear) const;  // false outside 59 to 74

 private:
  enum class State : unsigned char { NotRead, Loaded, Failed };
  static constexpr std::size_t kYears = kLastSearchYear - kFirstSearchYear + 1;

  void AddBuiltIns();

  std::unique_ptr<IDataReader> dataReader_;
  FailedYears failedYears_;
  bool builtInsLoaded_ = false;
  KeyedTable builtIns_;
  KeyedTable descriptions_;
  std::array<State, kYears> years_{};
};

}  // namespace vorrendal
