#include "midi/files.h"

#include <gtest/gtest.h>
#include <sys/mount.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "midi/messages.h"
#include "support.h"

namespace midi {
namespace {

using test::Bytes;
using test::ScratchFolder;
using test::SongFolder;
using Messages = std::vector<std::string>;
using Contents = std::map<std::string, Bytes>;

Contents ContentsOf(const ScratchFolder& folder) {
  Contents contents;
  for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
    const std::string name = entry.path().filename().string();
    contents[name] = folder.Read(name);
  }
  return contents;
}

// The names and sizes, for a failure's message.
std::string Listing(const Contents& contents) {
  std::string listing;
  for (const auto& [name, bytes] : contents) listing += " " + name + ":" + std::to_string(bytes.size());
  return listing;
}

// A melody of `notes` packets: its report takes several chunks.
Bytes Song(int notes) {
  std::vector<test::Note> melody;
  for (int i = 0; i < notes; ++i) melody.push_back({static_cast<std::uint8_t>(48 + i % 24), 0x00, 0x40});
  return test::Melody(melody);
}

// to TXT and Start as the window runs them: what the user is told at the end.
Messages ToTxt(SongFolder& run) { return messages::AfterSave(run.TxtYaz()); }
Messages Start(SongFolder& run) { return messages::Of(run.tool.MidiYaz()); }

// Every write and every rename of a save made to fail in turn, in a folder with
// and without older output files: the user is told, nothing new appears and no
// temporary file stays. An older report goes (it must not pass for this run's);
// older split files stay as they were.
TEST(FileFaults, AWriteOrRenameFailingAnywhereLeavesTheFolderAsItWas) {
  const struct {
    const char* name;
    Messages (*command)(SongFolder&);
    std::int64_t writes, renames, renamesWithOlder;  // of a save that succeeds
  } rows[] = {
      {"to TXT", ToTxt, 4, 1, 1},
      {"Start", Start, 2, 2, 4},
  };
  const Bytes song = Song(600);
  for (const auto& row : rows) {
    for (const bool older : {false, true}) {
      const auto prepare = [&](SongFolder& run) {
        if (!older) return;
        for (const char* name : {"song.txt", "song_13.mid", "song_24.mid"})
          run.folder.Write(name, {'o', 'l', 'd'});
      };
      {
        SongFolder run(song);
        prepare(run);
        FileFaults count;
        EXPECT_EQ(row.command(run), Messages{}) << row.name;
        EXPECT_EQ(count.writes, row.writes) << row.name;
        EXPECT_EQ(count.renames, older ? row.renamesWithOlder : row.renames) << row.name;
      }
      for (const bool renames : {false, true}) {
        const std::int64_t total = renames ? (older ? row.renamesWithOlder : row.renames) : row.writes;
        for (std::int64_t k = 1; k <= total; ++k) {
          SongFolder run(song);
          prepare(run);
          Contents before = ContentsOf(run.folder);
          before.erase("song.txt");
          FileFaults fail;
          (renames ? fail.failingRename : fail.failingWrite) = k;
          const std::string failing = row.command == ToTxt ? "song.txt"
                                      : 2 * k <= total     ? "song_13.mid"
                                                           : "song_24.mid";
          const std::string where = std::string(row.name) + (renames ? ", rename " : ", write ") +
                                    std::to_string(k) + (older ? ", older files" : "");
          EXPECT_EQ(row.command(run), Messages{messages::CannotWrite(failing)}) << where;
          Contents after = ContentsOf(run.folder);
          if (row.command == Start) after.erase("song.txt");
          EXPECT_TRUE(after == before) << where << ":" << Listing(after);
        }
      }
    }
  }
}

// A disk that fills up: a tmpfs of 16 KiB, which a test run as root can mount.
TEST(FileFaults, AFullDiskLeavesNoReportAndNoSplitFile) {
  ScratchFolder scratch;
  if (::mount("tmpfs", scratch.path().c_str(), "tmpfs", 0, "size=16k") != 0)
    GTEST_SKIP() << "cannot mount a tmpfs here: " << std::strerror(errno);
  struct Unmount {
    const std::filesystem::path& path;
    ~Unmount() { ::umount2(path.c_str(), MNT_DETACH); }
  } unmount{scratch.path()};

  // 6 KB take two of the four pages; the report needs 220 KB, the two copies four pages.
  const Bytes song = Song(500);
  scratch.Write("song.mid", song);
  MidiTool tool(Build::Tessaro5Vu, scratch.path());
  ASSERT_EQ(tool.LoadImage("song").kind, LoadOutcome::Kind::Loaded);
  TxtOutcome txt = tool.TxtYaz();
  tool.SaveReport(txt);
  EXPECT_EQ(messages::AfterSave(txt), Messages{"Dosya yazılamadı: song.txt"});
  EXPECT_EQ(messages::Of(tool.MidiYaz()), Messages{"Dosya yazılamadı: song_24.mid"});
  EXPECT_EQ(ContentsOf(scratch), (Contents{{"song.mid", song}}));
}

}  // namespace
}  // namespace midi
