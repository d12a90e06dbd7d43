#pragma once
// Stands between the code reader and Data.dat for a whole batch.
// The desktop program tries a year that failed to load again at every decode
// (and tells the user again); a run over thousands of plates must not, so a
// year that failed once is not read again, and the failure is told once.

#include <memory>
#include <optional>
#include <set>
#include <string>

#include "data/IDataReader.h"

namespace vorrendal::batch {

class OnceDataReader final : public IDataReader {
 public:
  explicit OnceDataReader(std::unique_ptr<IDataReader> inner);

  bool ReadData(const std::string& recordId, KeyedTable* data, std::string& rawData) override;

  // Whether the block of the year key ("59" to "74") failed to load.
  bool Failed(const std::string& recordId) const { return failed_.count(recordId) != 0; }
  bool AnyFailed() const { return !failed_.empty(); }

  // The year key of a failure that has not been told yet, once; nothing when
  // every failure has been told.
  std::optional<std::string> TakeUntoldFailure();

 private:
  std::unique_ptr<IDataReader> inner_;
  std::set<std::string> failed_;
  std::optional<std::string> untold_;
};

}  // namespace vorrendal::batch
