#include "JsonWriter.h"

#include "RowWriters.h"
#include "data/Cp1252.h"

namespace vorrendal::batch {
namespace {

using Json = nlohmann::ordered_json;

// Puts text (UTF-8 already) into slot, reusing the string slot holds.
void SetUtf8(Json& slot, const std::string& utf8) {
  if (slot.is_string()) {
    slot.get_ref<std::string&>().assign(utf8);
  } else {
    slot = utf8;
  }
}

void SetCp1252(Json& slot, bool present, const std::string& cp1252) {
  if (!present) {
    slot = nullptr;
  } else if (IsAscii(cp1252)) {
    SetUtf8(slot, cp1252);
  } else {
    SetUtf8(slot, Cp1252ToUtf8(cp1252));
  }
}

void Append(const Json& object, std::string& out) {
  // Input fields that are not UTF-8 are kept in the row's error; here they
  // must not stop the output.
  out += object.dump(-1, ' ', false, Json::error_handler_t::replace);
  out += '\n';
}

}  // namespace

JsonWriter::JsonWriter() {
  // Every key first, in the order written: the slots stay put once the keys
  // are all there.
  object_["line"] = 0;
  for (const auto& field : kPlateFields) object_["input"][field.name] = "";
  object_["input"][kYearColumn] = "";
  for (const char* name : kResultNames) object_[name] = nullptr;
  for (const char* name :
       {"SearchYear", "BadYearCode", "ErrorOccurred", "DataLoadFailed", "report", "error"})
    object_[name] = nullptr;
  line_ = &object_["line"];
  for (std::size_t i = 0; i < kPlateFields.size(); ++i)
    input_[i] = &object_["input"][kPlateFields[i].name];
  input_[8] = &object_["input"][kYearColumn];
  for (std::size_t i = 0; i < kResultNames.size(); ++i) results_[i] = &object_[kResultNames[i]];
  searchYear_ = &object_["SearchYear"];
  badYearCode_ = &object_["BadYearCode"];
  errorOccurred_ = &object_["ErrorOccurred"];
  dataLoadFailed_ = &object_["DataLoadFailed"];
  report_ = &object_["report"];
  error_ = &object_["error"];
}

void JsonWriter::AppendPlate(const PlateResult& result, std::string& out) {
  Json object = Json::object();
  const bool decoded = result.Decoded();
  for (std::size_t i = 0; i < kResultNames.size(); ++i)
    SetCp1252(object[kResultNames[i]], decoded, result.Results[i]);
  SetCp1252(object["SearchYear"], decoded, result.SearchYear);
  object["BadYearCode"] = result.BadYearCode;
  object["ErrorOccurred"] = result.ErrorOccurred;
  object["DataLoadFailed"] = result.DataLoadFailed;
  SetCp1252(object["report"], decoded, result.Report);
  Append(object, out);
}

void JsonWriter::AppendRow(const BatchRow& row, const PlateResult& result, std::string& out) {
  *line_ = row.line;
  for (std::size_t i = 0; i < row.codes.size(); ++i) SetUtf8(*input_[i], row.codes[i]);
  SetUtf8(*input_[8], row.year);
  const bool decoded = result.Decoded();
  for (std::size_t i = 0; i < results_.size(); ++i)
    SetCp1252(*results_[i], decoded, result.Results[i]);
  SetCp1252(*searchYear_, decoded, result.SearchYear);
  *badYearCode_ = result.BadYearCode;
  *errorOccurred_ = result.ErrorOccurred;
  *dataLoadFailed_ = result.DataLoadFailed;
  SetCp1252(*report_, decoded, result.Report);
  const std::string error = RowError(result);
  if (error.empty()) {
    *error_ = nullptr;
  } else {
    SetUtf8(*error_, error);
  }
  Append(object_, out);
}

}  // namespace vorrendal::batch
