#include "clsCodeReader.h"

#include <cstddef>
#include <string_view>
#include <utility>

#include "CodeText.h"
#include "data/clsDescriptionStore.h"

namespace vorrendal {

namespace {

constexpr const char* kNotFound = "Description Not Found";
constexpr const char* kIncorrect = "Incorrect Code";
constexpr const char* kNotApplicable = "N/A";

constexpr const char* kInvalidYearTitle = "Invalid Year Code";
constexpr const char* kInvalidYearText =
    "The year code must be a number from\r\n"
    "0 to 9. The year code is the first number\r\n"
    "in the serial number from 1960 to 1974.\r\n"
    "It is the second number in 1959.";

constexpr const char* kLoadFailedTitle = "Error Loading Data";
constexpr const char* kLoadFailedText = "Unable to load data file. It may be corrupted.";

// The axle alphabet of 1973 and 1974: letters, digits and the slashed zero.
constexpr std::string_view kAxle7374 = "ABCDEFGHIJKLMNOPQRSTUVWXYZ1234567890\xD8";

}  // namespace

struct clsCodeReader::Impl {
  Impl(clsCodeReader& owner, IPrompter& prompterIn, std::unique_ptr<IDataReader> dataReader)
      : self(owner), prompter(prompterIn), store(std::move(dataReader)) {}

  clsCodeReader& self;
  IPrompter& prompter;
  clsDescriptionStore store;

  // Pieces of the serial number and the reader's copies of the plate codes.
  std::string YearCode, PlantCode, ModelCode, EngineCode, UnitCode;
  std::string BodyCode, ColorCode, TrimCode, DateCode, DSOCode, TransCode, AxleCode;

  // SearchYear as a number, taken when the serial is split; 0 for no model year.
  int yearNumber = 0;
  int Year() const { return yearNumber; }

  // The record key of a code, "<field><year>-<code>", built in one reused buffer.
  std::string key;
  const std::string& Key(char field, std::string_view code) {
    key.assign(1, field).append(self.SearchYear).append(1, '-').append(code);
    return key;
  }

  // Sets result to the description under key, or to "Description Not Found"
  // (and ErrorOccurred) when the key has no record. Returns whether found.
  bool Lookup(const KeyedTable& table, std::string_view recordKey, std::string& result) {
    if (const std::string* found = table.Find(recordKey)) {
      result = *found;
      return true;
    }
    result = kNotFound;
    self.ErrorOccurred = true;
    return false;
  }
  bool LookupDescription(char field, std::string_view code, std::string& result) {
    return Lookup(store.Descriptions(), Key(field, code), result);
  }

  void DecodeYear(const std::string& serialNumber);
  void SplitSerial(const std::string& serialNumber);
  void DecodePlant();
  void DecodeModel();
  void DecodeEngine();
  void DecodeUnitNumber();
  void DecodeBody();
  void DecodeColor();
  void DecodeTrim();
  void DecodeDate();
  void DecodeDSO();
  void DecodeTransmission();
  void DecodeAxle();
};

clsCodeReader::clsCodeReader(IPrompter& prompter, std::unique_ptr<IDataReader> dataReader)
    : impl_(std::make_unique<Impl>(*this, prompter, std::move(dataReader))) {}

clsCodeReader::~clsCodeReader() = default;

const KeyedTable& clsCodeReader::BuiltInDescriptions() const {
  return impl_->store.BuiltInDescriptions();
}
const KeyedTable& clsCodeReader::Descriptions() const { return impl_->store.Descriptions(); }
bool clsCodeReader::YearLoaded(int year) const { return impl_->store.YearLoaded(year); }

bool clsCodeReader::ReadData(const std::string& RecordID, KeyedTable* Data, std::string& RawData) {
  return impl_->store.ReadData(RecordID, Data, RawData);
}

void clsCodeReader::LoadDescriptionData() {
  if (impl_->store.Load(SearchYear) == clsDescriptionStore::YearLoad::Failed) {
    impl_->prompter.DataLoadFailed(kLoadFailedTitle, kLoadFailedText);
  }
}

void clsCodeReader::ReadCodes(const std::string& serialNumber, const std::string& BodyCode,
                              const std::string& ColorCode, const std::string& TrimCode,
                              const std::string& DateCode, const std::string& DSOCode,
                              const std::string& TransCode, const std::string& AxleCode) {
  Impl& d = *impl_;
  LoadDescriptionData();

  d.YearCode = Mid(serialNumber, 1, 1);
  d.PlantCode = Mid(serialNumber, 2, 1);
  d.DecodeYear(serialNumber);
  if (BadYearCode) return;

  SearchYear = Mid(ModelYear, 3, 2);
  d.yearNumber = clsDescriptionStore::YearNumber(SearchYear).value_or(0);
  d.SplitSerial(serialNumber);

  d.BodyCode = BodyCode;
  d.ColorCode = ColorCode;
  d.TrimCode = TrimCode;
  d.DateCode = DateCode;
  d.DSOCode = DSOCode;
  d.TransCode = TransCode;
  d.AxleCode = AxleCode;

  LoadDescriptionData();

  d.DecodePlant();
  d.DecodeModel();
  d.DecodeEngine();
  d.DecodeUnitNumber();
  d.DecodeBody();
  d.DecodeColor();
  d.DecodeTrim();
  d.DecodeDate();
  d.DecodeDSO();
  d.DecodeTransmission();
  d.DecodeAxle();
}

// ---- serial number ----------------------------------------------------------

void clsCodeReader::Impl::DecodeYear(const std::string& serialNumber) {
  self.BadYearCode = false;
  const KeyedTable& builtIns = store.BuiltInDescriptions();

  if (!YearCode.empty() && Occurs(kDigits, YearCode)) {
    // 1960-1974: the digits 0 to 4 serve two decades, so the user chooses.
    const std::string sixties = *builtIns.Find("y1-" + YearCode);
    if (YearCode[0] <= '4') {
      const std::string seventies = *builtIns.Find("y2-" + YearCode);
      self.ModelYear = prompter.AskYear(sixties, seventies) == 1 ? seventies : sixties;
    } else {
      self.ModelYear = sixties;
    }
    return;
  }

  if (!YearCode.empty() && Occurs(kLetters, UpperCase(YearCode))) {
    // 1959: the engine letter comes first and the year digit second.
    YearCode = Mid(serialNumber, 2, 1);
    if (Occurs(kDigits, YearCode)) {
      if (const std::string* year = builtIns.Find("y0-" + YearCode)) {
        self.ModelYear = *year;
        return;
      }
    }
  }

  prompter.InvalidYearCode(kInvalidYearTitle, kInvalidYearText);
  self.BadYearCode = true;
}

void clsCodeReader::Impl::SplitSerial(const std::string& serialNumber) {
  if (Year() == 59) {
    EngineCode = Mid(serialNumber, 1, 1);
    YearCode = Mid(serialNumber, 2, 1);
    PlantCode = Mid(serialNumber, 3, 1);
    ModelCode = Mid(serialNumber, 4, 1);
    UnitCode = Mid(serialNumber, 5, 6);
  } else {
    YearCode = Mid(serialNumber, 1, 1);
    PlantCode = Mid(serialNumber, 2, 1);
    ModelCode = Mid(serialNumber, 3, 2);
    EngineCode = Mid(serialNumber, 5, 1);
    UnitCode = Mid(serialNumber, 6, 6);
  }
}

void clsCodeReader::Impl::DecodePlant() {
  if (PlantCode.empty()) PlantCode = " ";
  UpperCaseInPlace(PlantCode);
  if (Occurs(kLetters, PlantCode)) {
    LookupDescription('p', PlantCode, self.AssemblyPlant);
  } else {
    self.AssemblyPlant = kIncorrect;
  }
}

void clsCodeReader::Impl::DecodeModel() {
  if (ModelCode.empty()) ModelCode = " ";
  const std::string upper = UpperCase(ModelCode);
  const std::string_view m1 = Mid(upper, 1, 1);
  const std::string_view m2 = Mid(upper, 2, 1);
  const int year = Year();
  const bool shapeOk = (year == 59 && Occurs(kLetters, m1)) ||
                       (year > 59 && Occurs(kDigits, m1) && Occurs(kDigits, m2));
  if (!shapeOk) {
    self.Model = kIncorrect;
    return;
  }
  if (year == 59) ModelCode = m1;
  LookupDescription('m', ModelCode, self.Model);
}

void clsCodeReader::Impl::DecodeEngine() {
  if (EngineCode.empty()) EngineCode = " ";
  UpperCaseInPlace(EngineCode);
  const int year = Year();
  const bool shapeOk = (year >= 59 && year <= 62 && Occurs(kLetters, EngineCode)) ||
                       (year >= 63 && year <= 74 && Occurs(kLettersAndDigits, EngineCode));
  if (shapeOk) {
    LookupDescription('e', EngineCode, self.EngineType);
  } else {
    self.EngineType = kIncorrect;
  }
}

void clsCodeReader::Impl::DecodeUnitNumber() {
  if (UnitCode.empty()) UnitCode = " ";
  for (std::size_t pos = 1; pos <= 6; ++pos) {
    if (!Occurs(kDigits, Mid(UnitCode, pos, 1))) {
      self.UnitNumber = "Invalid Number";
      return;
    }
  }
  self.UnitNumber = UnitCode;
}

// ---- body, color, trim ------------------------------------------------------

void clsCodeReader::Impl::DecodeBody() {
  UpperCaseInPlace(BodyCode);
  if (BodyCode.empty()) BodyCode = " ";
  const bool shapeOk = Occurs(kDigits, Mid(BodyCode, 1, 1)) &&
                       Occurs(kDigits, Mid(BodyCode, 2, 1)) &&
                       Occurs(kLetters, Mid(BodyCode, 3, 1));
  if (shapeOk) {
    LookupDescription('b', BodyCode, self.Body);
  } else {
    self.Body = kIncorrect;
  }
}

void clsCodeReader::Impl::DecodeColor() {
  const std::string upper = UpperCase(ColorCode);
  const std::string_view c1 = Mid(upper, 1, 1);
  const std::string_view c2 = Mid(upper, 2, 1);
  const bool empty = ColorCode.empty();
  const int year = Year();

  // Early plates may carry two codes, the lower body color first.
  auto twoTone = [this](std::string_view lowerCode, std::string_view upperCode) {
    std::string upperBody;
    LookupDescription('c', lowerCode, self.Color);
    LookupDescription('c', upperCode, upperBody);
    self.Color.append(" (Lower body); ").append(upperBody).append(" (Upper body)");
  };

  if (year >= 59 && year <= 64) {
    if (!empty && Occurs(kLetters, c1) && Occurs(kLetters, c2) && !c2.empty()) {
      twoTone(c1, c2);
    } else if (!empty && Occurs(kLetters, c1) && c2.empty()) {
      LookupDescription('c', c1, self.Color);
    } else if (empty) {
      self.Color = "Special Paint";
    } else {
      self.Color = kIncorrect;
    }
  } else if (year == 65 || year == 66) {
    if (!empty && Occurs(kLettersAndDigits, c1) && Occurs(kLettersAndDigits, c2) && !c2.empty()) {
      twoTone(c1, c2);
    } else if (!empty && Occurs(kLettersAndDigits, c1) && c2.empty()) {
      LookupDescription('c', c1, self.Color);
    } else {
      self.Color = kIncorrect;
    }
  } else if (year >= 67 && year <= 71) {
    // Only the first character counts.
    if (!empty && Occurs(kLettersAndDigits, c1)) {
      LookupDescription('c', c1, self.Color);
    } else {
      self.Color = kIncorrect;
    }
  } else if (year >= 72 && year <= 74) {
    const bool digitLetter = Occurs(kDigits, c1) && Occurs(kLetters, c2);
    const bool digitAny = year == 74 && Occurs(kDigits, c1) && Occurs(kLettersAndDigits, c2);
    if (!empty && (digitLetter || digitAny)) {
      // Both characters (c1 and c2 are the first two of upper).
      LookupDescription('c', std::string_view(upper).substr(0, 2), self.Color);
    } else {
      self.Color = kIncorrect;
    }
  }
}

void clsCodeReader::Impl::DecodeTrim() {
  if (TrimCode.empty()) TrimCode = " ";
  const std::string upper = UpperCase(TrimCode);
  std::string_view t1 = Mid(upper, 1, 1);
  std::string_view t2 = Mid(upper, 2, 1);
  if (t2.empty()) {
    // A one-digit trim code stands for the same code with a leading zero.
    TrimCode.assign(1, '0').append(t1);
    t2 = t1;
    t1 = "0";
  }
  const int year = Year();
  bool shapeOk = false;
  if (year >= 59 && year <= 64) {
    shapeOk = Occurs(kDigits, t1) && Occurs(kDigits, t2);
  } else if (year == 65) {
    shapeOk = Occurs(kLettersAndDigits, t1) && Occurs(kDigits, t2);
  } else if (year >= 66 && year <= 74) {
    shapeOk = Occurs(kLettersAndDigits, t1) && Occurs(kLettersAndDigits, t2);
  }
  if (shapeOk) {
    LookupDescription('t', TrimCode, self.Trim);
  } else {
    self.Trim = kIncorrect;
  }
}

// ---- date, DSO, transmission, axle ------------------------------------------

void clsCodeReader::Impl::DecodeDate() {
  if (DateCode.empty()) DateCode = " ";
  const std::string upper = UpperCase(DateCode);
  std::string_view c1 = Mid(upper, 1, 1);
  std::string_view c2 = Mid(upper, 2, 1);
  std::string_view c3 = Mid(upper, 3, 1);
  DateCode = TrimSpaces(upper);

  if (Occurs(kLetters, c2) && c3.empty()) {
    // A one-digit day: 9A is the ninth.
    DateCode.assign(1, '0').append(c1).append(c2);
    c3 = c2;
    c2 = c1;
    c1 = "0";
  }

  if (!DateCode.empty() && Occurs(kDigits, c1) && Occurs(kDigits, c2) && Occurs(kLetters, c3)) {
    const std::string_view date = DateCode;
    const std::string_view day = c1 == "0" ? date.substr(1, 1) : date.substr(0, 2);
    key.assign("d-").append(Mid(DateCode, 3, 1));
    if (Lookup(store.BuiltInDescriptions(), key, self.DateProduced)) {
      self.DateProduced.insert(0, "Manufactured ").append(1, ' ').append(day);
    }
  } else {
    self.DateProduced = Year() == 70 ? kNotApplicable : kIncorrect;
  }
}

void clsCodeReader::Impl::DecodeDSO() {
  const int year = Year();
  if (year < 62) {
    self.DSO = kNotApplicable;
    return;
  }
  const std::string upper = UpperCase(DSOCode);
  const std::string_view c1 = Mid(upper, 1, 1);
  const std::string_view c2 = Mid(upper, 2, 1);
  const bool shapeOk = !DSOCode.empty() && Occurs(kDigits, c2) &&
                       Occurs(year <= 68 ? kDigits : kLettersAndDigits, c1);
  if (shapeOk) {
    LookupDescription('s', DSOCode, self.DSO);
  } else {
    self.DSO = kIncorrect;
  }
}

void clsCodeReader::Impl::DecodeTransmission() {
  if (TransCode.empty()) TransCode = " ";
  const std::string_view alphabet = Year() <= 66 ? kDigits : kLettersAndDigits;
  if (Occurs(alphabet, UpperCase(TransCode))) {
    LookupDescription('r', TransCode, self.TransmissionType);
  } else {
    self.TransmissionType = kIncorrect;
  }
}

void clsCodeReader::Impl::DecodeAxle() {
  UpperCaseInPlace(AxleCode);
  AxleCode = std::string(TrimSpaces(AxleCode));
  if (AxleCode.empty()) AxleCode = " ";
  const int year = Year();
  const bool shapeOk = Occurs(kLettersAndDigits, AxleCode) ||
                       ((year == 73 || year == 74) && Occurs(kAxle7374, AxleCode));
  if (shapeOk) {
    LookupDescription('x', AxleCode, self.AxleRatio);
  } else {
    self.AxleRatio = kIncorrect;
  }
}

}  // namespace vorrendal
