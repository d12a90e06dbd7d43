#include "clsDescriptionStore.h"

#include <cstddef>
#include <utility>

namespace vorrendal {

namespace {

// Model years: "y", the decade digit (0 = 1950s, 1 = 1960s, 2 = 1970s), "-"
// and the last digit of the year.
constexpr const char* kYearEntries[][2] = {
    {"y0-9", "1959"}, {"y1-0", "1960"}, {"y1-1", "1961"}, {"y1-2", "1962"},
    {"y1-3", "1963"}, {"y1-4", "1964"}, {"y1-5", "1965"}, {"y1-6", "1966"},
    {"y1-7", "1967"}, {"y1-8", "1968"}, {"y1-9", "1969"}, {"y2-0", "1970"},
    {"y2-1", "1971"}, {"y2-2", "1972"}, {"y2-3", "1973"}, {"y2-4", "1974"},
};

// The date code's month letter. The plates run through the alphabet twice,
// A to M and N to Z, skipping I and O.
constexpr const char* kMonthNames[] = {"January",   "February", "March",    "April",
                                       "May",       "June",     "July",     "August",
                                       "September", "October",  "November", "December"};
constexpr const char kFirstSeries[] = "ABCDEFGHJKLM";
constexpr const char kSecondSeries[] = "NPQRSTUVWXYZ";

}  // namespace

clsDescriptionStore::clsDescriptionStore(std::unique_ptr<IDataReader> dataReader)
    : dataReader_(std::move(dataReader)) {}

clsDescriptionStore::~clsDescriptionStore() = default;

void clsDescriptionStore::AddBuiltIns() {
  builtIns_ = KeyedTable();
  descriptions_ = KeyedTable();
  for (const auto& entry : kYearEntries) builtIns_.Add(entry[0], entry[1]);
  for (const char* series : {kFirstSeries, kSecondSeries}) {
    for (std::size_t m = 0; m < 12; ++m) {
      builtIns_.Add(std::string("d-") + series[m], kMonthNames[m]);
    }
  }
  builtInsLoaded_ = true;
}

std::optional<int> clsDescriptionStore::YearNumber(const std::string& searchYear) {
  if (searchYear.size() != 2) return std::nullopt;
  const char tens = searchYear[0];
  const char ones = searchYear[1];
  if (tens < '0' || tens > '9' || ones < '0' || ones > '9') return std::nullopt;
  const int year = (tens - '0') * 10 + (ones - '0');
  if (year < kFirstYear || year > kLastYear) return std::nullopt;
  return year;
}

bool clsDescriptionStore::YearLoaded(int year) const {
  if (year < kFirstYear || year > kLastYear) return false;
  return yearLoaded_[static_cast<std::size_t>(year - kFirstYear)];
}

bool clsDescriptionStore::ReadData(const std::string& recordId, KeyedTable* data,
                                   std::string& rawData) {
  if (dataReader_ == nullptr) return false;
  return dataReader_->ReadData(recordId, data, rawData);
}

clsDescriptionStore::YearLoad clsDescriptionStore::Load(const std::string& searchYear) {
  if (!builtInsLoaded_) AddBuiltIns();

  const std::optional<int> year = YearNumber(searchYear);
  if (!year) return YearLoad::NoYear;
  bool& loaded = yearLoaded_[static_cast<std::size_t>(*year - kFirstYear)];
  if (loaded) return YearLoad::AlreadyLoaded;

  // Records added before a failure stay; the year is simply tried again.
  std::string unused;
  if (!ReadData(searchYear, &descriptions_, unused)) return YearLoad::Failed;
  loaded = true;
  return YearLoad::Loaded;
}

}  // namespace vorrendal
