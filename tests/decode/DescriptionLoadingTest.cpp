// How a decode loads the descriptions of its year: once per run, again after
// a failure, with the load-failure message each time it fails.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "DecodeRig.h"

namespace vorrendal {
namespace {

using testing::DecodeRig;
using testing::Described;
using testing::ScriptedPrompter;
using Kind = ScriptedPrompter::Kind;

constexpr const char* kNotFound = "Description Not Found";

void DecodeAll(clsCodeReader& reader, const std::string& serial) {
  reader.ReadCodes(serial, "54A", "M", "12", "9A", "12", "4", "3");
}

TEST(DescriptionLoading, WithoutDataEveryLookupFailsAndTheMessageRepeats) {
  ScriptedPrompter prompter;
  clsCodeReader reader(prompter, nullptr);

  // The first decode has no year before its second load: one message.
  DecodeAll(reader, "5A62C100001");
  ASSERT_EQ(prompter.Count(Kind::DataLoadFailed), 1);
  const auto* call = prompter.Last(Kind::DataLoadFailed);
  EXPECT_EQ(call->first, "Error Loading Data");
  EXPECT_EQ(call->second, "Unable to load data file. It may be corrupted.");

  EXPECT_EQ(reader.ModelYear, "1965");
  for (const std::string* result : {&reader.AssemblyPlant, &reader.Model, &reader.EngineType,
                                    &reader.Body, &reader.Color, &reader.Trim, &reader.DSO,
                                    &reader.TransmissionType, &reader.AxleRatio}) {
    EXPECT_EQ(*result, kNotFound);
  }
  EXPECT_EQ(reader.DateProduced, "Manufactured January 9");  // built in, not from the file
  EXPECT_EQ(reader.UnitNumber, "100001");
  EXPECT_TRUE(reader.ErrorOccurred);
  EXPECT_FALSE(reader.YearLoaded(65));

  // Every later decode: once for the previous year, once for its own.
  DecodeAll(reader, "6A62C100001");
  EXPECT_EQ(prompter.Count(Kind::DataLoadFailed), 3);
  DecodeAll(reader, "6A62C100001");
  EXPECT_EQ(prompter.Count(Kind::DataLoadFailed), 5);
}

TEST(DescriptionLoading, EachYearIsReadOncePerRun) {
  DecodeRig rig;
  rig.Store({"p63-A", "p65-A"});
  struct Step {
    int year;
    std::vector<std::string> readsSoFar;
  };
  const Step steps[] = {
      {63, {"63"}}, {63, {"63"}}, {65, {"63", "65"}}, {63, {"63", "65"}}, {65, {"63", "65"}},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.year);
    rig.Decode(step.year, {});
    EXPECT_EQ(rig.Data().ReadLog(), step.readsSoFar);
    const std::string key = "p" + std::to_string(step.year) + "-A";
    EXPECT_EQ(rig.Reader().AssemblyPlant, Described(key));
  }
  EXPECT_TRUE(rig.Reader().YearLoaded(63));
  EXPECT_TRUE(rig.Reader().YearLoaded(65));
  EXPECT_FALSE(rig.Reader().YearLoaded(64));
  EXPECT_EQ(rig.Reader().Descriptions().Count(), 2u);
  EXPECT_EQ(rig.Prompter().Count(Kind::DataLoadFailed), 0);
}

TEST(DescriptionLoading, AFailedYearIsRetriedWithTheMessageAgain) {
  DecodeRig rig;
  rig.Store({"p65-A", "p66-A"});
  rig.Data().SetFailing("65");

  rig.Decode(65, {});
  EXPECT_EQ(rig.Prompter().Count(Kind::DataLoadFailed), 1);
  EXPECT_EQ(rig.Data().Reads("65"), 1);
  EXPECT_EQ(rig.Reader().AssemblyPlant, kNotFound);

  // The next decode of the same year tries at both of its loads.
  rig.Decode(65, {});
  EXPECT_EQ(rig.Prompter().Count(Kind::DataLoadFailed), 3);
  EXPECT_EQ(rig.Data().Reads("65"), 3);

  // Another year: one more failure for the 1965 left in SearchYear, then 1966 loads.
  rig.Decode(66, {});
  EXPECT_EQ(rig.Prompter().Count(Kind::DataLoadFailed), 4);
  EXPECT_EQ(rig.Reader().AssemblyPlant, Described("p66-A"));

  // Once the data can be read the year loads and stays.
  rig.Data().ClearFailures();
  rig.Decode(65, {});
  rig.Decode(65, {});
  EXPECT_EQ(rig.Prompter().Count(Kind::DataLoadFailed), 4);
  EXPECT_EQ(rig.Reader().AssemblyPlant, Described("p65-A"));
  EXPECT_EQ(rig.Data().Reads("65"), 5);
  EXPECT_TRUE(rig.Reader().YearLoaded(65));
}

TEST(DescriptionLoading, BuiltInsExistAfterTheFirstDecodeEvenWithABadYear) {
  DecodeRig rig;
  EXPECT_TRUE(rig.Reader().BuiltInDescriptions().Empty());
  rig.Reader().ReadCodes("", "", "", "", "", "", "", "");
  ASSERT_TRUE(rig.Reader().BadYearCode);
  ASSERT_NE(rig.Reader().BuiltInDescriptions().Find("y0-9"), nullptr);
  EXPECT_EQ(rig.Data().TotalReads(), 0);
  EXPECT_EQ(rig.Prompter().Count(Kind::DataLoadFailed), 0);
}

TEST(DescriptionLoading, ReadDataGoesThroughTheDataReader) {
  DecodeRig rig;
  rig.Store("x70-3", "3.08:1");
  std::string raw;
  ASSERT_TRUE(rig.Reader().ReadData("70", nullptr, raw));
  EXPECT_EQ(raw, std::string("3.08:1\0x70-3", 12));
  KeyedTable table;
  EXPECT_FALSE(rig.Reader().ReadData("71", &table, raw));
  ASSERT_TRUE(rig.Reader().ReadData("70", &table, raw));
  EXPECT_EQ(table.Count(), 1u);
}

}  // namespace
}  // namespace vorrendal
