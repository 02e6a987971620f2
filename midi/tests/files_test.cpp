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

std::size_t OpenFiles() {
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                                                std::filesystem::directory_iterator()));
}

// Many files are saved in one run of tessaro-cli: a save, done or failed, leaves
// no file open.
TEST(Saves, LeaveNoFileOpen) {
  SongFolder run(Melody(std::vector<Note>(3, {0x3C, 0x00, 0x40})));
  const std::size_t before = OpenFiles();
  EXPECT_EQ(ToTxt(run), Messages{});
  EXPECT_EQ(messages::Of(run.tool.MidiYaz()), Messages{});
  {
    FileFaults faults;
    faults.failingRename = 2;
    EXPECT_EQ(messages::Of(run.tool.MidiYaz()), Messages{messages::CannotWrite("song_13.mid")});
  }
  {
    FileFaults faults;
    faults.failingWrite = 1;
    EXPECT_EQ(ToTxt(run), Messages{messages::CannotWrite("song.txt")});
  }
  EXPECT_EQ(OpenFiles(), before);
}

// A name of `bytes` bytes: Turkish letters of two bytes each, an 'a' when odd.
std::string TurkishName(std::size_t bytes) {
  std::string name;
  while (name.size() + 1 < bytes) name += "ş";
  if (name.size() < bytes) name += 'a';
  return name;
}

// Every output whose name the folder takes is saved, the first time and over
// an older file: the names of the temporary and set-aside files never make a
// save fail. Names are at most 255 bytes.
TEST(Saves, EveryNameThatFitsIsSavedAndSavedAgain) {
  const struct {
    const char* what;
    std::size_t baseBytes;
    bool start;  // else to TXT
  } rows[] = {
      {"split files set aside beside a base of 240 bytes", 240, true},
      {"split files set aside beside a base of 243 bytes", 243, true},
      {"the longest split names", 247, true},
      {"a report beside a base of 247 bytes", 247, false},
      {"the longest report name", 251, false},
  };
  for (const auto& row : rows) {
    const std::string base = TurkishName(row.baseBytes);
    SongFolder run(Melody(std::vector<Note>(3, {0x3C, 0x00, 0x40})));
    std::filesystem::rename(run.folder.path() / "song.mid", run.folder.path() / (base + ".mid"));
    ASSERT_EQ(run.tool.LoadImage(base).kind, LoadOutcome::Kind::Loaded) << row.what;
    std::set<std::string> names = {base + ".mid"};
    for (int time = 0; time < 2; ++time) {
      if (row.start) {
        EXPECT_EQ(messages::Of(run.tool.MidiYaz()), Messages{}) << row.what;
        names.insert({base + "_13.mid", base + "_24.mid"});
      } else {
        EXPECT_EQ(ToTxt(run), Messages{}) << row.what;
        names.insert(base + ".txt");
      }
      EXPECT_EQ(run.folder.Names(), names) << row.what << ", time " << time;
    }
  }
}

// What stands at a name the save draws for its temporary or set-aside files, a
// link or a file, is never written through, replaced or removed: another name is
// drawn. Neither is what stands at the names "NAME.part" and "NAME.old.part".
TEST(Saves, WhatStandsAtATemporaryNameIsLeftAlone) {
  const Bytes precious = {'p', 'r', 'e', 'c', 'i', 'o', 'u', 's'};
  const Bytes old = {'o', 'l', 'd'};
  const struct {
    const char* what;
    std::vector<std::string> drawn;
  } rows[] = {
      {"names drawn at random", {}},
      {"the first names drawn taken",
       {".x1", ".x2", ".x3", ".x2", ".x1", ".x4", ".x5", ".x2", ".x1", ".x6", ".x7"}},
  };
  for (const auto& row : rows) {
    SongFolder run(Melody(std::vector<Note>(3, {0x3C, 0x00, 0x40})));
    const ScratchFolder& folder = run.folder;
    folder.Write("victim", precious);
    folder.Write(".x2", precious);
    const char* const links[] = {"song.txt.part",        "song_13.mid.part",     "song_24.mid.part",
                                 "song_13.mid.old.part", "song_24.mid.old.part", ".x1"};
    for (const char* link : links) std::filesystem::create_symlink("victim", folder.path() / link);
    for (const char* name : {"song.txt", "song_13.mid", "song_24.mid"}) folder.Write(name, old);
    std::set<std::string> names = folder.Names();
    {
      FileFaults faults;
      faults.names = row.drawn;
      EXPECT_EQ(ToTxt(run), Messages{}) << row.what;
      EXPECT_EQ(messages::Of(run.tool.MidiYaz()), Messages{}) << row.what;
    }
    EXPECT_EQ(folder.Names(), names) << row.what;
    EXPECT_EQ(folder.Read("victim"), precious) << row.what;
    EXPECT_EQ(folder.Read(".x2"), precious) << row.what;
    for (const char* link : links) EXPECT_TRUE(std::filesystem::is_symlink(folder.path() / link)) << link;
    for (const char* name : {"song.txt", "song_13.mid", "song_24.mid"}) {
      EXPECT_FALSE(std::filesystem::is_symlink(folder.path() / name)) << row.what << " " << name;
      EXPECT_NE(folder.Read(name), old) << row.what << " " << name;
    }
  }
}

}  // namespace midi::test
