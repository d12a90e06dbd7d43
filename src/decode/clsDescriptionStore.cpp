#include "clsDescriptionStore.h"

#include <cstddef>
#include <utility>

namespace vorrendal {

namespace {

// The date code's month letter. The plates run through the alphabet twice,
// A to M and N to Z, skipping I and O.
constexpr const char* kMonthNames[] = {"January",   "February", "March",    "April",
                                       "May",       "June",     "July",     "August",
                                       "September", "October",  "November", "December"};
constexpr const char kFirstSeries[] = "ABCDEFGHJKLM";
constexpr const char kSecondSeries[] = "NPQRSTUVWXYZ";

}  // namespace

clsDescriptionStore::clsDescriptionStore(std::unique_ptr<IDataReader> dataReader,
                                         FailedYears failedYears)
    : dataReader_(std::move(dataReader)), failedYears_(failedYears) {}

clsDescriptionStore::~clsDescriptionStore() = default;

void clsDescriptionStore::AddBuiltIns() {
  for (int year = kFirstModelYear; year <= kLastModelYear; ++year)
    builtIns_.Add(YearKey(year), std::to_string(year));
  for (const char* series : {kFirstSeries, kSecondSeries}) {
    for (std::size_t m = 0; m < 12; ++m) {
      builtIns_.Add(std::string("d-") + series[m], kMonthNames[m]);
    }
  }
  builtInsLoaded_ = true;
}

bool clsDescriptionStore::YearLoaded(int searchYear) const {
  if (searchYear < kFirstSearchYear || searchYear > kLastSearchYear) return false;
  return years_[static_cast<std::size_t>(searchYear - kFirstSearchYear)] == State::Loaded;
}

bool clsDescriptionStore::ReadData(const std::string& recordId, KeyedTable* data,
                                   std::string& rawData) {
  if (dataReader_ == nullptr) return false;
  return dataReader_->ReadData(recordId, data, rawData);
}

clsDescriptionStore::YearLoad clsDescriptionStore::Load(const std::string& searchYear) {
  if (!builtInsLoaded_) AddBuiltIns();

  const std::optional<int> year = SearchYearNumber(searchYear);
  if (!year) return YearLoad::NoYear;
  State& state = years_[static_cast<std::size_t>(*year - kFirstSearchYear)];
  if (state == State::Loaded) return YearLoad::AlreadyLoaded;
  if (state == State::Failed && failedYears_ == FailedYears::GiveUp) return YearLoad::GivenUp;

  // Records added before a failure stay.
  std::string unused;
  if (!ReadData(searchYear, &descriptions_, unused)) {
    state = State::Failed;
    return YearLoad::Failed;
  }
  state = State::Loaded;
  return YearLoad::Loaded;
}

}  // namespace vorrendal
