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

Names Entries(const std::filesystem::path& folder) {
  Names entries;
  for (const MidiName& name : ListMidiNames(folder)) entries.push_back(name.entry);
  return entries;
}

TEST(ListMidiNames, ListsMidiFilesByNameWithoutRegardToCase) {
  ScratchFolder folder;
  for (const char* name : {"b.mid", "Zeta.Mid", "a_13.mid", "A.MID", "x.mid", "X.mid", "notes.txt", "mid",
                           ".mid", "song.midi", "a.mid.part"}) {
    folder.Write(name, {0x4D});
  }
  std::filesystem::create_directory(folder.path() / "folder.mid");
  EXPECT_EQ(Entries(folder.path()), (Names{"A", "a_13", "b", "X", "x", "Zeta"}));
}

TEST(ListMidiNames, KeepsTheRealFileNameBesideEachEntry) {
  ScratchFolder folder;
  for (const char* name : {"Song.MID", "b.mid", "c.Mid"}) folder.Write(name, {0x4D});
  EXPECT_EQ(ListMidiNames(folder.path()),
            (std::vector<MidiName>{{"b", "b.mid"}, {"c", "c.Mid"}, {"Song", "Song.MID"}}));
}

TEST(ListMidiNames, AnEntryLoadsTheFileThatIsReallyBehindIt) {
  ScratchFolder folder;
  folder.Write("Song.MID", {1, 2, 3});
  const std::vector<MidiName> list = ListMidiNames(folder.path());
  ASSERT_EQ(list.size(), 1u);
  RecordingWindow window;
  MidiTool tool(window, Build::Tessaro5Vu, folder.path());
  ASSERT_TRUE(tool.LoadImage(list[0].entry, list[0].fileName));
  EXPECT_EQ(tool.image().MidiBytes, (std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_EQ(tool.image().BaseName, "Song");
  EXPECT_EQ(tool.image().MidiFileName, "Song.MID");

  // The outputs are named after the entry, with the extensions the tool writes.
  tool.TxtYaz();
  EXPECT_TRUE(std::filesystem::exists(folder.path() / "Song.txt"));
}

TEST(ListMidiNames, AnUnreadableFolderGivesNoEntries) {
  ScratchFolder folder;
  EXPECT_EQ(Entries(folder.path()), Names{});
  EXPECT_EQ(Entries(folder.path() / "missing"), Names{});
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
  EXPECT_EQ(Entries(folder.path()), (Names{"a", "a_13", "a_24", "b"}));
}

}  // namespace
}  // namespace midi
