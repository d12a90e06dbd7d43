#include "OnceDataReader.h"

#include <utility>

namespace vorrendal::batch {

OnceDataReader::OnceDataReader(std::unique_ptr<IDataReader> inner) : inner_(std::move(inner)) {}

bool OnceDataReader::ReadData(const std::string& recordId, KeyedTable* data, std::string& rawData) {
  // Raw reads fill no table, so they are passed on every time.
  if (data == nullptr) return inner_ && inner_->ReadData(recordId, data, rawData);
  if (Failed(recordId)) return false;
  if (inner_ && inner_->ReadData(recordId, data, rawData)) return true;
  // Records added before the failure stay in the table, so a second read
  // would trip over them as duplicates anyway.
  failed_.insert(recordId);
  untold_ = recordId;
  return false;
}

std::optional<std::string> OnceDataReader::TakeUntoldFailure() {
  return std::exchange(untold_, std::nullopt);
}

}  // namespace vorrendal::batch
