#pragma once
// One decode of a warranty plate, as a value: the eight boxes as typed, the
// model year chosen for a year digit that stands for two, and the
// descriptions in; the twelve results and what happened out. The store
// loads the model year's descriptions the first time they are needed; the
// decode keeps nothing else.

#include <array>
#include <string>
#include <vector>

#include "PlateRules.h"

namespace vorrendal {

class clsDescriptionStore;

// The eight plate boxes, in Process order. Windows-1252 text.
struct PlateBoxes {
  std::string SerialNumber, Body, Color, Trim, Date, DSO, Trans, Axle;
  bool operator==(const PlateBoxes&) const = default;
};

struct DecodeResult {
  // The twelve results, in report order: a description, "Incorrect Code",
  // "Description Not Found", "Invalid Number", "Special Paint", "N/A" or a
  // "Manufactured " date.
  std::string ModelYear, AssemblyPlant, Model, EngineType, UnitNumber, Body, Color, Trim,
      DateProduced, DSO, TransmissionType, AxleRatio;
  bool BadYearCode = false;    // the year code could not be read; nothing else was decoded
  std::string SearchYear;      // "59" to "74"; empty when BadYearCode
  bool ErrorOccurred = false;  // a code of the right shape had no description
  // The model years whose descriptions failed to load during the decode, in
  // the order it happened.
  std::vector<int> LoadFailures;
};

// The result properties by name, in report order.
struct ResultField {
  const char* name;
  std::string DecodeResult::*value;
};
inline constexpr std::array<ResultField, 12> kResultFields = {{
    {"ModelYear", &DecodeResult::ModelYear},
    {"AssemblyPlant", &DecodeResult::AssemblyPlant},
    {"Model", &DecodeResult::Model},
    {"EngineType", &DecodeResult::EngineType},
    {"UnitNumber", &DecodeResult::UnitNumber},
    {"Body", &DecodeResult::Body},
    {"Color", &DecodeResult::Color},
    {"Trim", &DecodeResult::Trim},
    {"DateProduced", &DecodeResult::DateProduced},
    {"DSO", &DecodeResult::DSO},
    {"TransmissionType", &DecodeResult::TransmissionType},
    {"AxleRatio", &DecodeResult::AxleRatio},
}};

// Decodes the boxes exactly as typed (not trimmed, not upper-cased). decade
// picks the model year of a serial number whose year digit stands for two;
// it is not looked at otherwise. The model year's descriptions are loaded
// into store if they are not there yet.
DecodeResult DecodePlate(const PlateBoxes& boxes, Decade decade, clsDescriptionStore& store);

}  // namespace vorrendal
