// Fuzzes the decode and its report: eight plate codes no longer than their
// boxes, descriptions of any length under the keys those codes look up, the
// year question answered from the input, replace or append mode. Checks that
// nothing crashes or hangs, that every line of a wrapped value fits in 50
// characters, that wrapping loses nothing but the spaces it breaks at, and
// that append mode keeps the old report in front.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "decode/CodeText.h"
#include "decode/DecodePlate.h"
#include "decode/ReportWriter.h"
#include "decode/clsDescriptionStore.h"
#include "support/MemoryDataReader.h"

namespace {

using vorrendal::DecodeResult;
using vorrendal::PlateBoxes;
using vorrendal::ReportWriter;
using vorrendal::testing::MemoryDataReader;

constexpr std::array<std::size_t, 8> kBoxLength = {11, 3, 2, 3, 3, 2, 1, 1};
constexpr int kLineBudget = 51;

[[noreturn]] void Fail(const char* what, const std::string& detail) {
  std::fprintf(stderr, "decode_report: %s\n[%s]\n", what, detail.c_str());
  std::abort();
}

std::string Upper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Every piece of up to three characters of a code, upper-cased, trimmed or
// not, and the trim's leading-zero form: what a decoder may look up.
std::set<std::string> CodeForms(const std::string& code) {
  std::set<std::string> forms;
  for (const std::string& base : {Upper(code), Upper(Trimmed(code))}) {
    for (std::size_t i = 0; i < base.size(); ++i) {
      for (std::size_t n = 1; n <= 3 && i + n <= base.size(); ++n) forms.insert(base.substr(i, n));
    }
    if (base.size() == 1) forms.insert("0" + base);
  }
  return forms;
}

// The model years the serial number can stand for.
std::vector<std::string> YearsOf(const std::string& serial) {
  if (!serial.empty() && serial[0] >= '0' && serial[0] <= '9') {
    const char d = serial[0];
    if (d <= '4') return {std::string("6") + d, std::string("7") + d};
    return {std::string("6") + d};
  }
  return {"59"};
}

std::string CleanDescription(std::string text) {
  std::string out;
  for (const char c : text) {
    if (c != '\r' && c != '\n' && c != '\0') out += c;
  }
  return out;
}

std::string WithoutSpacesAndBreaks(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == ' ') continue;
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      ++i;
      continue;
    }
    out += text[i];
  }
  return out;
}

struct WrappedField {
  const char* label;
  std::string DecodeResult::*value;
  std::string PlateBoxes::*code;
};

const WrappedField kWrapped[] = {
    {"Body", &DecodeResult::Body, &PlateBoxes::Body},
    {"Color", &DecodeResult::Color, &PlateBoxes::Color},
    {"Trim", &DecodeResult::Trim, &PlateBoxes::Trim},
    {"Date", &DecodeResult::DateProduced, &PlateBoxes::Date},
    {"Transmission", &DecodeResult::TransmissionType, &PlateBoxes::Trans},
};

// Model and engine show serial pieces; their code is cut from the serial box.
std::string SerialPiece(const std::string& serial, bool is1959, bool model) {
  const std::size_t at = is1959 ? (model ? 3 : 0) : (model ? 2 : 4);
  const std::size_t n = (model && !is1959) ? 2 : 1;
  const std::string s = Trimmed(serial);
  return at < s.size() ? s.substr(at, n) : std::string();
}

// The coded line of a field in the report holds its value, wrapped when it
// does not fit what is left of the line.
void CheckWrap(const char* label, const std::string& code, const std::string& before,
               const std::string& report) {
  if (code.empty()) return;
  const int width = kLineBudget - static_cast<int>(code.size() + std::string(label).size() + 6);
  const std::string after = static_cast<int>(before.size()) <= width
                                ? before
                                : ReportWriter::WrapDescription(before, width);
  const std::string coded = "\r\n" + std::string(label) + " (" + code + ") = " + after;
  if (report.find(coded + "\r\n") == std::string::npos && !report.ends_with(coded))
    Fail("the report does not hold the line", coded);
  if (after == before) return;
  std::size_t start = 0;
  for (int line = 0;; ++line) {
    const std::size_t end = after.find("\r\n", start);
    const std::string piece =
        after.substr(start, end == std::string::npos ? std::string::npos : end - start);
    const std::size_t shown =
        line == 0 ? piece.size() + static_cast<std::size_t>(kLineBudget - width) : piece.size();
    if (shown > 50)
      Fail("a wrapped line is longer than 50 characters", std::string(label) + ": " + piece);
    if (line > 0 &&
        piece.compare(0, static_cast<std::size_t>(kLineBudget - width),
                      std::string(static_cast<std::size_t>(kLineBudget - width), ' ')) != 0) {
      Fail("a continuation line is not indented under the value", piece);
    }
    if (end == std::string::npos) break;
    start = end + 2;
  }
  if (WithoutSpacesAndBreaks(after) != WithoutSpacesAndBreaks(before)) {
    Fail("wrapping lost or changed text", std::string(label) + ": " + before + " => " + after);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  std::array<std::string, 8> codes;
  for (std::size_t i = 0; i < codes.size(); ++i)
    codes[i] = in.ConsumeRandomLengthString(kBoxLength[i]);
  const PlateBoxes typed{codes[0], codes[1], codes[2], codes[3],
                         codes[4], codes[5], codes[6], codes[7]};

  std::vector<std::string> descriptions;
  const int descriptionCount = in.ConsumeIntegralInRange<int>(1, 6);
  for (int i = 0; i < descriptionCount; ++i)
    descriptions.push_back(CleanDescription(in.ConsumeRandomLengthString(160)));
  const int answer = in.ConsumeIntegralInRange<int>(-1, 2);
  const bool append = in.ConsumeBool();
  const bool damaged = in.ConsumeBool();
  const std::string previous = append ? in.ConsumeRandomLengthString(200) : std::string();

  auto reader = std::make_unique<MemoryDataReader>();
  // Field letter per box; the serial's pieces are p, m and e, the date looks
  // only at the built-in months.
  const char* const letters[] = {nullptr, "b", "c", "t", nullptr, "s", "r", "x"};
  std::size_t next = 0;
  for (const std::string& year : YearsOf(codes[0])) {
    std::set<std::string> keys;
    reader->AddYear(year);
    auto add = [&](const std::string& letter, const std::string& form) {
      std::string key = letter + year + "-" + form;
      std::string folded = key;
      for (char& c : folded) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
      if (!keys.insert(folded).second) return;
      reader->Add(year, key, descriptions[next++ % descriptions.size()]);
    };
    for (const std::string& form : CodeForms(codes[0])) {
      for (const char* letter : {"p", "m", "e"}) add(letter, form);
    }
    for (std::size_t box = 1; box < codes.size(); ++box) {
      if (letters[box] == nullptr) continue;
      for (const std::string& form : CodeForms(codes[box])) add(letters[box], form);
    }
    if (damaged) reader->SetFailing(year, keys.size() / 2);
  }

  const vorrendal::Decade decade =
      answer == 1 ? vorrendal::Decade::k1970s : vorrendal::Decade::k1960s;
  vorrendal::clsDescriptionStore store(std::move(reader));
  const DecodeResult decoded = vorrendal::DecodePlate(typed, decade, store);
  if (decoded.BadYearCode) return 0;

  const vorrendal::ReportResult result = ReportWriter::Write(decoded, typed, append, previous);

  const bool is1959 = decoded.SearchYear == "59";
  CheckWrap("Model", vorrendal::UpperCase(SerialPiece(typed.SerialNumber, is1959, true)),
            decoded.Model, result.Report);
  CheckWrap("Engine", vorrendal::UpperCase(SerialPiece(typed.SerialNumber, is1959, false)),
            decoded.EngineType, result.Report);
  const bool dateWritten = std::atoi(decoded.SearchYear.c_str()) <= 69;
  for (const WrappedField& field : kWrapped) {
    if (field.value == &DecodeResult::DateProduced && !dateWritten) continue;
    CheckWrap(field.label, result.Boxes.*field.code, decoded.*field.value, result.Report);
  }
  if (append) {
    if (result.Report.compare(0, previous.size(), previous) != 0)
      Fail("append lost the old report", previous);
    if (!result.Caret || *result.Caret > result.Report.size())
      Fail("caret outside the report", result.Report);
  } else if (result.Report.rfind("Serial (Warranty) Number: ", 0) != 0) {
    Fail("the report does not start with the serial line", result.Report);
  }
  return 0;
}
