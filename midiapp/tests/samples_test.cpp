// The sample files of the demo folder do what the README's walkthrough says.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "midi/split.h"
#include "midi/tool.h"
#include "support.h"

namespace {

using midi::Build;
using Messages = std::vector<std::string>;

const std::filesystem::path kSamples = MIDIAPP_SAMPLES_DIR;

TEST(Samples, TestWarnsOnlyAboutTheLongRest) {
  const struct {
    const char* entry;
    Messages messages;
  } rows[] = {
      {"rast", {}},
      {"rast_uzun", {}},
      {"rast_es", {"Çok büyük Tick ! !"}},
  };
  for (const auto& row : rows) {
    midi::test::RecordingWindow window;
    midi::MidiTool tool(window, Build::Tessaro5Vu, kSamples);
    ASSERT_TRUE(tool.LoadImage(row.entry)) << row.entry;
    tool.TestEt();
    EXPECT_EQ(window.messages, row.messages) << row.entry;
  }
}

TEST(Samples, AreMelodiesOfPacketsOneOfThemLongerThan32767Bytes) {
  const struct {
    const char* entry;
    bool longerThan32767;
  } rows[] = {{"rast", false}, {"rast_uzun", true}, {"rast_es", false}};
  for (const auto& row : rows) {
    midi::test::RecordingWindow window;
    midi::MidiTool tool(window, Build::Tessaro5Vu, kSamples);
    ASSERT_TRUE(tool.LoadImage(row.entry)) << row.entry;
    EXPECT_EQ(tool.image().FileLength() > 32767, row.longerThan32767) << row.entry;
    // The Rast scale up and down: 15 notes a melody.
    EXPECT_EQ(midi::ScanPackets(tool.image()).size() % 15, 0u) << row.entry;
    EXPECT_GE(midi::ScanPackets(tool.image()).size(), 15u) << row.entry;
  }
}

}  // namespace
