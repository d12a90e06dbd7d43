#pragma once
// An in-memory stand-in for Data.dat. Tests fill it with records per model
// year, may make a year fail, and count how often each year was read.
//
//   auto data = std::make_unique<MemoryDataReader>();
//   data->Add("62", "p62-A", "Kingsport, Tennessee");
//   MemoryDataReader* seen = data.get();   // stays valid while the owner lives
//   clsCodeReader reader(prompter, std::move(data));
//   ... seen->Reads("62") ...

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
    std::string key;
    std::string description;
  };

  MemoryDataReader() = default;
  // Records of several years at once: {year key, {{key, description}, ...}}.
  explicit MemoryDataReader(std::map<std::string, std::vector<Record>> years)
      : years_(std::move(years)) {}

  // Adds one record to the block of year ("59" to "74"); the block exists
  // from then on, even when a record later fails to be added.
  MemoryDataReader& Add(const std::string& year, std::string key, std::string description) {
    years_[year].push_back({std::move(key), std::move(description)});
    return *this;
  }

  // Makes an empty block for year (it loads successfully and adds nothing).
  MemoryDataReader& AddYear(const std::string& year) {
    years_[year];
    return *this;
  }

  // From now on reads of year fail. With recordsBeforeFailure > 0 that many
  // of its records are added to the table first (a block damaged half way).
  void SetFailing(const std::string& year, bool failing = true,
                  std::size_t recordsBeforeFailure = 0) {
    if (failing) {
      failing_[year] = recordsBeforeFailure;
    } else {
      failing_.erase(year);
    }
  }

  // Every failing year loads again.
  void ClearFailures() { failing_.clear(); }

  // How often year was asked for (successful or not).
  int Reads(const std::string& year) const {
    const auto it = reads_.find(year);
    return it == reads_.end() ? 0 : it->second;
  }
  int TotalReads() const {
    int total = 0;
    for (const auto& [year, count] : reads_) total += count;
    return total;
  }
  // The year keys in the order they were asked for.
  const std::vector<std::string>& ReadLog() const { return readLog_; }

  // A year that was never added fails, like a year absent from the index.
  // Records are added one by one; a key already present in data fails the
  // read, leaving the records added before it.
  bool ReadData(const std::string& recordId, KeyedTable* data, std::string& rawData) override {
    ++reads_[recordId];
    readLog_.push_back(recordId);
    const auto year = years_.find(recordId);
    if (year == years_.end()) return false;
    const auto failing = failing_.find(recordId);
    const std::vector<Record>& records = year->second;

    if (data == nullptr) {
      if (failing != failing_.end()) return false;
      std::string text;
      for (const Record& r : records) {
        if (!text.empty()) text += "\r\n";
        text += r.description;
        text += '\0';
        text += r.key;
      }
      rawData = std::move(text);
      return true;
    }

    std::size_t limit = records.size();
    if (failing != failing_.end() && failing->second < limit) limit = failing->second;
    for (std::size_t i = 0; i < limit; ++i) {
      if (!data->Add(records[i].key, records[i].description)) return false;
    }
    return failing == failing_.end();
  }

 private:
  std::map<std::string, std::vector<Record>> years_;
  std::map<std::string, std::size_t> failing_;  // year -> records added before failing
  std::map<std::string, int> reads_;
  std::vector<std::string> readLog_;
};

}  // namespace vorrendal::testing
