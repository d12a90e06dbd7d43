#include "DecodePlate.h"

#include <cstddef>
#include <string_view>

#include "CodeText.h"
#include "clsDescriptionStore.h"

namespace vorrendal {

namespace {

constexpr const char* kNotFound = "Description Not Found";
constexpr const char* kIncorrect = "Incorrect Code";
constexpr const char* kNotApplicable = "N/A";

// The axle alphabet of 1973 and 1974: letters, digits and the slashed zero.
constexpr std::string_view kAxle7374 = "ABCDEFGHIJKLMNOPQRSTUVWXYZ1234567890\xD8";

// The field decoders of one decode. Each normalises its own copy of its code,
// tests its shape for the year, and looks it up.
class Decoder {
 public:
  Decoder(DecodeResult& result, const clsDescriptionStore& store, int year)
      : r_(result), store_(store), year_(year) {}

  void Plant(std::string code);
  void Model(std::string code);
  void Engine(std::string code);
  void UnitNumber(std::string code);
  void Body(std::string code);
  void Color(const std::string& code);
  void Trim(std::string code);
  void Date(std::string code);
  void Dso(const std::string& code);
  void Transmission(std::string code);
  void Axle(std::string code);

 private:
  // Sets result to the description under key, or to "Description Not Found"
  // (and ErrorOccurred) when the key has no record. Returns whether found.
  bool Lookup(const KeyedTable& table, std::string_view key, std::string& result) {
    if (const std::string* found = table.Find(key)) {
      result = *found;
      return true;
    }
    result = kNotFound;
    r_.ErrorOccurred = true;
    return false;
  }
  // The record of a code, under "<field><year>-<code>", built in one reused buffer.
  bool Describe(char field, std::string_view code, std::string& result) {
    key_.assign(1, field).append(r_.SearchYear).append(1, '-').append(code);
    return Lookup(store_.Descriptions(), key_, result);
  }
  // The record of a code of the right shape; "Incorrect Code" for any other.
  void DescribeIf(bool shapeOk, char field, std::string_view code, std::string& result) {
    if (shapeOk) {
      Describe(field, code, result);
    } else {
      result = kIncorrect;
    }
  }

  DecodeResult& r_;
  const clsDescriptionStore& store_;
  int year_;
  std::string key_;
};

// ---- serial number ----------------------------------------------------------

void Decoder::Plant(std::string code) {
  if (code.empty()) code = " ";
  UpperCaseInPlace(code);
  DescribeIf(Occurs(kLetters, code), 'p', code, r_.AssemblyPlant);
}

void Decoder::Model(std::string code) {
  if (code.empty()) code = " ";
  const std::string upper = UpperCase(code);
  const std::string_view m1 = Mid(upper, 1, 1);
  const std::string_view m2 = Mid(upper, 2, 1);
  const bool is1959 = year_ == kFirstSearchYear;
  const bool shapeOk =
      (is1959 && Occurs(kLetters, m1)) || (!is1959 && Occurs(kDigits, m1) && Occurs(kDigits, m2));
  if (!shapeOk) {
    r_.Model = kIncorrect;
    return;
  }
  if (is1959) code = m1;
  Describe('m', code, r_.Model);
}

void Decoder::Engine(std::string code) {
  if (code.empty()) code = " ";
  UpperCaseInPlace(code);
  const bool shapeOk = Occurs(year_ <= 62 ? kLetters : kLettersAndDigits, code);
  DescribeIf(shapeOk, 'e', code, r_.EngineType);
}

void Decoder::UnitNumber(std::string code) {
  if (code.empty()) code = " ";
  for (std::size_t pos = 1; pos <= 6; ++pos) {
    if (!Occurs(kDigits, Mid(code, pos, 1))) {
      r_.UnitNumber = "Invalid Number";
      return;
    }
  }
  r_.UnitNumber = code;
}

// ---- body, color, trim ------------------------------------------------------

void Decoder::Body(std::string code) {
  UpperCaseInPlace(code);
  if (code.empty()) code = " ";
  const bool shapeOk = Occurs(kDigits, Mid(code, 1, 1)) && Occurs(kDigits, Mid(code, 2, 1)) &&
                       Occurs(kLetters, Mid(code, 3, 1));
  DescribeIf(shapeOk, 'b', code, r_.Body);
}

void Decoder::Color(const std::string& code) {
  const std::string upper = UpperCase(code);
  const std::string_view c1 = Mid(upper, 1, 1);
  const std::string_view c2 = Mid(upper, 2, 1);
  const bool empty = code.empty();

  // Early plates may carry two codes, the lower body color first.
  auto twoTone = [this](std::string_view lowerCode, std::string_view upperCode) {
    std::string upperBody;
    Describe('c', lowerCode, r_.Color);
    Describe('c', upperCode, upperBody);
    r_.Color.append(" (Lower body); ").append(upperBody).append(" (Upper body)");
  };

  if (year_ <= 64) {
    if (!empty && Occurs(kLetters, c1) && Occurs(kLetters, c2) && !c2.empty()) {
      twoTone(c1, c2);
    } else if (!empty && Occurs(kLetters, c1) && c2.empty()) {
      Describe('c', c1, r_.Color);
    } else if (empty) {
      r_.Color = "Special Paint";
    } else {
      r_.Color = kIncorrect;
    }
  } else if (year_ <= 66) {
    if (!empty && Occurs(kLettersAndDigits, c1) && Occurs(kLettersAndDigits, c2) && !c2.empty()) {
      twoTone(c1, c2);
    } else if (!empty && Occurs(kLettersAndDigits, c1) && c2.empty()) {
      Describe('c', c1, r_.Color);
    } else {
      r_.Color = kIncorrect;
    }
  } else if (OneCharacterColor(year_)) {
    if (!empty && Occurs(kLettersAndDigits, c1)) {
      Describe('c', c1, r_.Color);
    } else {
      r_.Color = kIncorrect;
    }
  } else {
    const bool digitLetter = Occurs(kDigits, c1) && Occurs(kLetters, c2);
    const bool digitAny = year_ == 74 && Occurs(kDigits, c1) && Occurs(kLettersAndDigits, c2);
    if (!empty && (digitLetter || digitAny)) {
      // Both characters (c1 and c2 are the first two of upper).
      Describe('c', std::string_view(upper).substr(0, 2), r_.Color);
    } else {
      r_.Color = kIncorrect;
    }
  }
}

void Decoder::Trim(std::string code) {
  if (code.empty()) code = " ";
  const std::string upper = UpperCase(code);
  std::string_view t1 = Mid(upper, 1, 1);
  std::string_view t2 = Mid(upper, 2, 1);
  if (t2.empty()) {
    // A one-digit trim code stands for the same code with a leading zero.
    code.assign(1, '0').append(t1);
    t2 = t1;
    t1 = "0";
  }
  bool shapeOk = false;
  if (year_ <= 64) {
    shapeOk = Occurs(kDigits, t1) && Occurs(kDigits, t2);
  } else if (year_ == 65) {
    shapeOk = Occurs(kLettersAndDigits, t1) && Occurs(kDigits, t2);
  } else {
    shapeOk = Occurs(kLettersAndDigits, t1) && Occurs(kLettersAndDigits, t2);
  }
  DescribeIf(shapeOk, 't', code, r_.Trim);
}

// ---- date, DSO, transmission, axle ------------------------------------------

void Decoder::Date(std::string code) {
  if (code.empty()) code = " ";
  const std::string upper = UpperCase(code);
  std::string_view c1 = Mid(upper, 1, 1);
  std::string_view c2 = Mid(upper, 2, 1);
  std::string_view c3 = Mid(upper, 3, 1);
  code = TrimSpaces(upper);

  if (Occurs(kLetters, c2) && c3.empty()) {
    // A one-digit day: 9A is the ninth.
    code.assign(1, '0').append(c1).append(c2);
    c3 = c2;
    c2 = c1;
    c1 = "0";
  }

  if (!code.empty() && Occurs(kDigits, c1) && Occurs(kDigits, c2) && Occurs(kLetters, c3)) {
    const std::string_view date = code;
    const std::string_view day = c1 == "0" ? date.substr(1, 1) : date.substr(0, 2);
    key_.assign("d-").append(Mid(code, 3, 1));
    if (Lookup(store_.BuiltInDescriptions(), key_, r_.DateProduced)) {
      r_.DateProduced.insert(0, "Manufactured ").append(1, ' ').append(day);
    }
  } else {
    r_.DateProduced = year_ == 70 ? kNotApplicable : kIncorrect;
  }
}

void Decoder::Dso(const std::string& code) {
  if (!HasDso(year_)) {
    r_.DSO = kNotApplicable;
    return;
  }
  const std::string upper = UpperCase(code);
  const std::string_view c1 = Mid(upper, 1, 1);
  const std::string_view c2 = Mid(upper, 2, 1);
  const bool shapeOk =
      !code.empty() && Occurs(kDigits, c2) && Occurs(year_ <= 68 ? kDigits : kLettersAndDigits, c1);
  DescribeIf(shapeOk, 's', code, r_.DSO);
}

void Decoder::Transmission(std::string code) {
  if (code.empty()) code = " ";
  const std::string_view alphabet = year_ <= 66 ? kDigits : kLettersAndDigits;
  DescribeIf(Occurs(alphabet, UpperCase(code)), 'r', code, r_.TransmissionType);
}

void Decoder::Axle(std::string code) {
  UpperCaseInPlace(code);
  code = std::string(TrimSpaces(code));
  if (code.empty()) code = " ";
  const bool shapeOk =
      Occurs(kLettersAndDigits, code) || ((year_ == 73 || year_ == 74) && Occurs(kAxle7374, code));
  DescribeIf(shapeOk, 'x', code, r_.AxleRatio);
}

}  // namespace

DecodeResult DecodePlate(const PlateBoxes& boxes, Decade decade, clsDescriptionStore& store) {
  DecodeResult result;
  store.Load(std::string());  // the built-in tables
  const SerialYears years = YearsOfSerial(boxes.SerialNumber);
  if (!years.Readable()) {
    result.BadYearCode = true;
    return result;
  }
  const int modelYear = years.Chosen(decade);
  result.ModelYear = *store.BuiltInDescriptions().Find(YearKey(modelYear));
  result.SearchYear = Mid(result.ModelYear, 3, 2);
  if (store.Load(result.SearchYear) == clsDescriptionStore::YearLoad::Failed)
    result.LoadFailures.push_back(modelYear);

  const int year = modelYear % 100;
  const SerialPieces serial = SplitSerial(boxes.SerialNumber, year);
  Decoder d(result, store, year);
  d.Plant(std::string(serial.Plant));
  d.Model(std::string(serial.Model));
  d.Engine(std::string(serial.Engine));
  d.UnitNumber(std::string(serial.Unit));
  d.Body(boxes.Body);
  d.Color(boxes.Color);
  d.Trim(boxes.Trim);
  d.Date(boxes.Date);
  d.Dso(boxes.DSO);
  d.Transmission(boxes.Trans);
  d.Axle(boxes.Axle);
  return result;
}

}  // namespace vorrendal
