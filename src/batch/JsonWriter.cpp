#include "JsonWriter.h"

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <nlohmann/json.hpp>
#include <string_view>

#include "RowWriters.h"
#include "data/Cp1252.h"

namespace vorrendal::batch {
namespace {

// Whether rapidjson escapes text byte for byte as the output always has been
// (nlohmann's escaping). It does but for the control characters without a
// short escape, which it writes with upper-case hex digits; tab, backspace
// and form feed are left to the exact path too, to keep this one
// branch-free pass that runs a vector at a time.
bool SameEscaping(std::string_view text) {
  unsigned char odd = 0;
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    odd |= static_cast<unsigned char>((c < 0x20) & (c != '\r') & (c != '\n'));
  }
  return odd == 0;
}

}  // namespace

// rapidjson writes each object into one buffer kept for the whole batch;
// nlohmann escapes the rare string rapidjson would write differently.
class JsonWriter::Impl {
 public:
  void Start() {
    buffer_.Clear();
    writer_.Reset(buffer_);
    writer_.StartObject();
  }

  void Key(std::string_view key) {
    writer_.Key(key.data(), static_cast<rapidjson::SizeType>(key.size()));
  }

  // Text as the input gave it: UTF-8, or bytes that are not.
  void Input(std::string_view text) {
    if (IsAscii(text) && SameEscaping(text)) {
      writer_.String(text.data(), static_cast<rapidjson::SizeType>(text.size()));
    } else {
      Exact(text);  // bytes that are not UTF-8 become U+FFFD there
    }
  }

  // Windows-1252 text, or null when not present.
  void Text(bool present, const std::string& cp1252) {
    if (!present) {
      writer_.Null();
      return;
    }
    std::string_view utf8 = cp1252;
    if (!IsAscii(cp1252)) {
      utf8_ = Cp1252ToUtf8(cp1252);
      utf8 = utf8_;
    }
    if (SameEscaping(utf8)) {
      writer_.String(utf8.data(), static_cast<rapidjson::SizeType>(utf8.size()));
    } else {
      Exact(utf8);
    }
  }

  void Plate(const PlateResult& result) {
    const bool decoded = result.Decoded();
    for (const ResultField& field : kResultFields) {
      Key(field.name);
      Text(decoded, result.Decode.*field.value);
    }
    Key("SearchYear");
    Text(decoded, result.Decode.SearchYear);
    Key("BadYearCode");
    writer_.Bool(result.Decode.BadYearCode);
    Key("ErrorOccurred");
    writer_.Bool(result.Decode.ErrorOccurred);
    Key("DataLoadFailed");
    writer_.Bool(result.DataLoadFailed);
    Key("report");
    Text(decoded, result.Report);
  }

  void Row(const BatchRow& row) {
    Key("line");
    writer_.Uint64(row.line);
    Key("input");
    writer_.StartObject();
    for (std::size_t i = 0; i < kPlateFields.size(); ++i) {
      Key(kPlateFields[i].name);
      Input(row.codes[i]);
    }
    Key(kYearColumn);
    Input(row.year);
    writer_.EndObject();
  }

  void Error(const PlateResult& result) {
    Key("error");
    const std::string error = RowError(result);
    if (error.empty()) {
      writer_.Null();
    } else {
      Input(error);
    }
  }

  void End(std::string& out) {
    writer_.EndObject();
    out.append(buffer_.GetString(), buffer_.GetSize());
    out += '\n';
  }

 private:
  void Exact(std::string_view text) {
    const std::string escaped = nlohmann::json(std::string(text))
                                    .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    writer_.RawValue(escaped.data(), escaped.size(), rapidjson::kStringType);
  }

  rapidjson::StringBuffer buffer_;
  rapidjson::Writer<rapidjson::StringBuffer> writer_;
  std::string utf8_;
};

JsonWriter::JsonWriter() : impl_(std::make_unique<Impl>()) {}

JsonWriter::~JsonWriter() = default;

void JsonWriter::AppendPlate(const PlateResult& result, std::string& out) {
  impl_->Start();
  impl_->Plate(result);
  impl_->End(out);
}

void JsonWriter::AppendRow(const BatchRow& row, const PlateResult& result, std::string& out) {
  impl_->Start();
  impl_->Row(row);
  impl_->Plate(result);
  impl_->Error(result);
  impl_->End(out);
}

}  // namespace vorrendal::batch
