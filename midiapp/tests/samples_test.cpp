// The sample files of the demo folder do what the README's walkthrough says.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "midi/messages.h"
#include "midi/tool.h"

namespace {

TEST(Samples, OnlyTheLongRestWarnsAndOneFileIsLongerThan32767Bytes) {
  const struct {
    const char* entry;
    bool longerThan32767;
    std::vector<std::string> testMessages;
  } rows[] = {
      {"rast", false, {}},
      {"rast_uzun", true, {}},
      {"rast_es", false, {"Çok büyük Tick ! !"}},
  };
  for (const auto& row : rows) {
    midi::MidiTool tool(midi::Build::Tessaro5Vu, std::filesystem::path(MIDIAPP_SAMPLES_DIR));
    ASSERT_EQ(tool.LoadImage(row.entry).kind, midi::LoadOutcome::Kind::Loaded) << row.entry;
    EXPECT_EQ(tool.image().FileLength() > 32767, row.longerThan32767) << row.entry;
    EXPECT_EQ(midi::messages::Of(tool.TestEt()), row.testMessages) << row.entry;
  }
}

}  // namespace
