// The sample files of the demo folder do what the README's walkthrough says.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "midi/tool.h"
#include "support.h"

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
    midi::test::RecordingWindow window;
    midi::MidiTool tool(window, midi::Build::Tessaro5Vu, std::filesystem::path(MIDIAPP_SAMPLES_DIR));
    ASSERT_TRUE(tool.LoadImage(row.entry)) << row.entry;
    EXPECT_EQ(tool.image().FileLength() > 32767, row.longerThan32767) << row.entry;
    tool.TestEt();
    EXPECT_EQ(window.messages, row.testMessages) << row.entry;
  }
}

}  // namespace
