// Whatever is typed (any bytes, any length, not only what the window's boxes
// allow), a decode ends with a well-formed report or a rejected year.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "DecodeRig.h"

namespace vorrendal {
namespace {

using testing::DecodeRig;

std::string RandomText(std::mt19937& rng, std::size_t maxLength) {
  static const std::string likely = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcz \xD8\xF8";
  std::uniform_int_distribution<std::size_t> length(0, maxLength);
  std::uniform_int_distribution<int> coin(0, 3);
  std::uniform_int_distribution<std::size_t> pick(0, likely.size() - 1);
  std::uniform_int_distribution<int> byte(1, 255);
  std::string text(length(rng), ' ');
  for (char& c : text) {
    c = coin(rng) == 0 ? static_cast<char>(byte(rng)) : likely[pick(rng)];
  }
  return text;
}

TEST(ArbitraryInput, EveryDecodeEndsInAReportOrARejectedYear) {
  std::mt19937 rng(20260612);
  DecodeRig rig;
  rig.StoreSerialKeys(65).StoreSerialKeys(59).StoreSerialKeys(72);
  rig.Prompter().SetDefaultYearAnswer(1);
  int reports = 0;
  for (int i = 0; i < 3000; ++i) {
    const PlateBoxes typed{RandomText(rng, 14), RandomText(rng, 5), RandomText(rng, 4),
                           RandomText(rng, 5),  RandomText(rng, 5), RandomText(rng, 4),
                           RandomText(rng, 3),  RandomText(rng, 3)};
    const bool append = i % 2 == 0;
    const auto result = ReportWriter::Process(rig.Reader(), typed, append, "previous");
    if (!result) {
      EXPECT_TRUE(rig.Reader().BadYearCode);
      continue;
    }
    ++reports;
    const std::string& report = result->Report;
    const std::string start = append ? "previous\r\n\r\n" : "";
    ASSERT_EQ(report.rfind(start + (append ? std::string(40, '_') + "\r\n\r\n" : "") +
                               "Serial (Warranty) Number: ", 0),
              0u)
        << i;
    EXPECT_EQ(report.find("\r\nAxle ("), report.rfind("\r\nAxle (")) << i;
    EXPECT_NE(report.find("\r\nAxle ("), std::string::npos) << i;
    EXPECT_NE(report.substr(report.size() - 2), "\r\n") << i;
    if (append) {
      ASSERT_TRUE(result->Caret.has_value());
      EXPECT_LE(*result->Caret, report.size());
    }
  }
  // The digits make up a fair share of first characters: most decodes run.
  EXPECT_GT(reports, 300);
}

TEST(ArbitraryInput, WrapDescriptionEndsForAnyWidth) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> width(-3, 60);
  for (int i = 0; i < 2000; ++i) {
    const std::string text = RandomText(rng, 120);
    const int w = width(rng);
    const std::string wrapped = ReportWriter::WrapDescription(text, w);
    std::string kept, original;
    for (char c : wrapped) {
      if (c != ' ' && c != '\r' && c != '\n') kept += c;
    }
    for (char c : text) {
      if (c != ' ' && c != '\r' && c != '\n') original += c;
    }
    EXPECT_EQ(kept, original) << w;
  }
}

}  // namespace
}  // namespace vorrendal
