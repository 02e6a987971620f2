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
Messages Start(SongFolder& run) { return messages::Of(run.tool.MidiYaz()); }

// A failing write or rename, or a folder in the way of a file the save makes or
// of its temporary file, with and without older output files: the user is told
// which file, and nothing new appears. An older report goes (it must not pass
// for this run's); older split files stay as they were. The file layer's fuzz
// target fails the writes and renames its inputs name, on its whole corpus.
TEST(Saves, AFailureAnywhereLeavesTheFolderAsItWas) {
  const struct {
    Messages (*command)(SongFolder&);
    std::int64_t write, rename;
    std::string folderAt, file;
  } rows[] = {
      {ToTxt, 0, 0, "song.txt", "song.txt"},
      {ToTxt, 0, 0, "song.txt.part", "song.txt"},
      {ToTxt, 3, 0, "", "song.txt"},  // a later chunk of a long report
      {Start, 2, 0, "", "song_24.mid"},
      {Start, 0, 0, "song_13.mid", "song_13.mid"},
      {Start, 0, 0, "song_24.mid.part", "song_24.mid"},
  };
  for (const auto& row : rows) {
    for (const bool older : {false, true}) {
      SongFolder run(Melody(std::vector<Note>(600, {0x3C, 0x00, 0x40})));
      if (older) {
        for (const char* name : {"song.txt", "song_13.mid", "song_24.mid"})
          run.folder.Write(name, {'o', 'l', 'd'});
      }
      if (!row.folderAt.empty()) {
        std::filesystem::remove(run.folder.path() / row.folderAt);
        std::filesystem::create_directory(run.folder.path() / row.folderAt);
        run.folder.Write(row.folderAt + "/keep", {1});
      }
      Contents before = ContentsOf(run.folder);
      FileFaults faults;
      faults.failingWrite = row.write;
      faults.failingRename = row.rename;
      const std::string where = row.file + " " + row.folderAt + (older ? ", older files" : "");
      EXPECT_EQ(row.command(run), Messages{messages::CannotWrite(row.file)}) << where;
      before.erase("song.txt");
      Contents after = ContentsOf(run.folder);
      if (row.command == Start) after.erase("song.txt");
      EXPECT_TRUE(after == before) << where;
    }
  }
}

// A disk that fills up: a tmpfs of 16 KiB, which a test run as root can mount.
TEST(Saves, AFullDiskLeavesNoReportAndNoSplitFile) {
  ScratchFolder scratch;
  if (::mount("tmpfs", scratch.path().c_str(), "tmpfs", 0, "size=16k") != 0) GTEST_SKIP() << "no tmpfs here";
  struct Unmount {
    const std::filesystem::path& path;
    ~Unmount() { ::umount2(path.c_str(), MNT_DETACH); }
  } unmount{scratch.path()};
  // 6 KB take two of the four pages; the report needs 220 KB, the two copies four pages.
  const Bytes song = Melody(std::vector<Note>(500, {0x3C, 0x00, 0x40}));
  scratch.Write("song.mid", song);
  MidiTool tool(Build::Tessaro5Vu, scratch.path());
  ASSERT_EQ(tool.LoadImage("song").kind, LoadOutcome::Kind::Loaded);
  TxtOutcome txt = tool.TxtYaz();
  tool.SaveReport(txt);
  EXPECT_EQ(messages::AfterSave(txt), Messages{"Dosya yazılamadı: song.txt"});
  EXPECT_EQ(messages::Of(tool.MidiYaz()), Messages{"Dosya yazılamadı: song_24.mid"});
  EXPECT_EQ(ContentsOf(scratch), (Contents{{"song.mid", song}}));
}

}  // namespace midi::test
