#include "midi/files.h"

#include <gtest/gtest.h>
#include <sys/mount.h>

#include <map>

#include "midi/messages.h"
#include "support.h"

namespace midi::test {

using Contents = std::map<std::string, Bytes>;  // a folder's files, its folders as "name/"

Contents ContentsOf(const ScratchFolder& folder) {
  Contents contents;
  for (const std::string& name : folder.Names()) {
    const bool isFolder = std::filesystem::is_directory(folder.path() / name);
    contents[isFolder ? name + "/" : name] = isFolder ? Bytes{} : folder.Read(name);
  }
  return contents;
}

// to TXT as the window gives it: made, then saved.
Messages ToTxt(SongFolder& run) {
  TxtOutcome outcome = run.tool.TxtYaz();
  run.tool.SaveReport(outcome);
  return messages::AfterSave(outcome);
}

// A disk that fills up, a tmpfs of 128 KiB, which a test run as root can mount:
// the song takes 48 KB, so the report's first chunk of 64 KiB fits and its
// second does not, and of the two split copies only the first. The user is told
// which file, and nothing new stays. Failing writes and renames at every step
// are the file layer's fuzz target's.
TEST(Saves, AFullDiskLeavesNoReportAndNoSplitFile) {
  ScratchFolder scratch;
  if (::mount("tmpfs", scratch.path().c_str(), "tmpfs", 0, "size=128k") != 0) GTEST_SKIP() << "no tmpfs here";
  struct Unmount {
    const std::filesystem::path& path;
    ~Unmount() { ::umount2(path.c_str(), MNT_DETACH); }
  } unmount{scratch.path()};
  const Bytes song = Melody(std::vector<Note>(4000, {0x3C, 0x00, 0x40}));
  scratch.Write("song.mid", song);
  MidiTool tool(Build::Tessaro5Vu, scratch.path());
  ASSERT_EQ(tool.LoadImage("song").kind, LoadOutcome::Kind::Loaded);
  TxtOutcome txt = tool.TxtYaz();
  tool.SaveReport(txt);
  EXPECT_EQ(messages::AfterSave(txt), Messages{"Dosya yazılamadı: song.txt"});
  EXPECT_EQ(messages::Of(tool.MidiYaz()), Messages{"Dosya yazılamadı: song_24.mid"});
  EXPECT_EQ(ContentsOf(scratch), (Contents{{"song.mid", song}}));
}

// A write of a later chunk failing on its own, with the disk still taking what
// follows, is no less a failure: no report half written.
TEST(Saves, ALaterChunkFailingLeavesNoReport) {
  SongFolder run(Melody(std::vector<Note>(600, {0x3C, 0x00, 0x40})));
  FileFaults faults;
  faults.failingWrite = 3;
  EXPECT_EQ(ToTxt(run), Messages{messages::CannotWrite("song.txt")});
  EXPECT_EQ(run.folder.Names(), std::set<std::string>{"song.mid"});
}

}  // namespace midi::test
