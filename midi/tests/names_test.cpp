#include "midi/names.h"

#include <gtest/gtest.h>

#include "midi/split.h"
#include "midi/tool.h"
#include "support.h"

namespace midi {
namespace {

using Names = std::vector<std::string>;
using test::RecordingWindow;
using test::ScratchFolder;

TEST(ListMidiNames, ListsMidiFilesByNameWithoutRegardToCase) {
  ScratchFolder folder;
  for (const char* name : {"b.mid", "Zeta.Mid", "a_13.mid", "A.MID", "x.mid", "X.mid", "notes.txt", "mid",
                           ".mid", "song.midi", "a.mid.part"}) {
    folder.Write(name, {0x4D});
  }
  std::filesystem::create_directory(folder.path() / "folder.mid");
  EXPECT_EQ(ListMidiNames(folder.path()), (Names{"A", "a_13", "b", "X", "x", "Zeta"}));
}

TEST(ListMidiNames, AnUnreadableFolderGivesNoEntries) {
  ScratchFolder folder;
  EXPECT_EQ(ListMidiNames(folder.path()), Names{});
  EXPECT_EQ(ListMidiNames(folder.path() / "missing"), Names{});
}

TEST(ListMidiNames, TheSplitFilesJoinTheListInOrder) {
  ScratchFolder folder;
  const std::vector<std::uint8_t> song = test::WithHeader({0, 0, 0, 0, 0, 0, 0, 0, 0xE0, 0x00, 0x40});
  folder.Write("a.mid", song);
  folder.Write("b.mid", song);
  RecordingWindow window;
  MidiTool tool(window, Build::Tessaro5Vu, folder.path());
  ASSERT_TRUE(tool.LoadImage("a"));
  tool.MidiYaz();
  EXPECT_EQ(ListMidiNames(folder.path()), (Names{"a", "a_13", "a_24", "b"}));
}

}  // namespace
}  // namespace midi
