#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "decode/clsCodeReader.h"
#include "support/MemoryDataReader.h"
#include "support/ScriptedPrompter.h"

namespace vorrendal {
namespace {

using testing::MemoryDataReader;
using testing::ScriptedPrompter;

TEST(SerialSplit, BothLayoutsPickTheirPieces) {
  struct Case {
    const char* serial;
    const char* year;
    const char* plant;
    const char* model;
    const char* engine;
    const char* unit;
  };
  const Case cases[] = {
      {"5A62C100001", "65", "A", "62", "C", "100001"},
      {"C9AB100001", "59", "A", "B", "C", "100001"},
  };
  for (const Case& c : cases) {
    auto data = std::make_unique<MemoryDataReader>();
    const std::string y = c.year;
    data->Add(y, "p" + y + "-" + c.plant, "plant")
        .Add(y, "m" + y + "-" + c.model, "model")
        .Add(y, "e" + y + "-" + c.engine, "engine");
    ScriptedPrompter prompter;
    clsCodeReader reader(prompter, std::move(data));
    reader.ReadCodes(c.serial, "", "", "", "", "", "", "");
    SCOPED_TRACE(c.serial);
    EXPECT_EQ(reader.SearchYear, c.year);
    EXPECT_EQ(reader.AssemblyPlant, "plant");
    EXPECT_EQ(reader.Model, "model");
    EXPECT_EQ(reader.EngineType, "engine");
    EXPECT_EQ(reader.UnitNumber, c.unit);
  }
}

}  // namespace
}  // namespace vorrendal
