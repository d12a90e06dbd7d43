#pragma once
// An in-memory stand-in for Data.dat: records per model year, years that can
// be made to fail, and a log of every read.

#include <algorithm>
#include <cstddef>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "data/IDataReader.h"
#include "data/KeyedTable.h"

namespace vorrendal::testing {

class MemoryDataReader final : public IDataReader {
 public:
  struct Record {
    std::string key, description;
  };

  MemoryDataReader() = default;
  explicit MemoryDataReader(std::map<std::string, std::vector<Record>> years)
      : years_(std::move(years)) {}

  // Adds a record to the block of year ("59" to "74").
  MemoryDataReader& Add(const std::string& year, std::string key, std::string description) {
    years_[year].push_back({std::move(key), std::move(description)});
    return *this;
  }
  // Gives year a block, empty until records are added.
  MemoryDataReader& AddYear(const std::string& year) {
    years_[year];
    return *this;
  }
  // Reads of year fail from now on, after adding recordsBeforeFailure records.
  void SetFailing(const std::string& year, std::size_t recordsBeforeFailure = 0) {
    failing_[year] = recordsBeforeFailure;
  }
  void ClearFailures() { failing_.clear(); }

  // The year keys read, in order (successful or not).
  const std::vector<std::string>& ReadLog() const { return log_; }
  int Reads(const std::string& year) const {
    return static_cast<int>(std::count(log_.begin(), log_.end(), year));
  }

  // A year never added fails. Records are added one by one; a key already in
  // data fails the read, keeping those added before it.
  bool ReadData(const std::string& recordId, KeyedTable* data, std::string& rawData) override {
    log_.push_back(recordId);
    const auto year = years_.find(recordId);
    if (year == years_.end()) return false;
    const auto failing = failing_.find(recordId);
    const bool fails = failing != failing_.end();
    std::string text;
    for (std::size_t i = 0; i < year->second.size() && !(data && fails && i >= failing->second);
         ++i) {
      const Record& r = year->second[i];
      if (data && !data->Add(r.key, r.description)) return false;
      text += (text.empty() ? "" : "\r\n") + r.description + '\0' + r.key;
    }
    if (!data && !fails) rawData = std::move(text);
    return !fails;
  }

 private:
  std::map<std::string, std::vector<Record>> years_;
  std::map<std::string, std::size_t> failing_;  // year -> records added before failing
  std::vector<std::string> log_;
};

}  // namespace vorrendal::testing
