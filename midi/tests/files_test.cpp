#include "midi/files.h"

#include <gtest/gtest.h>
#include <sys/mount.h>

#include <map>
#include <string>
#include <vector>

#include "midi/messages.h"
#include "support.h"

namespace midi {
namespace {

using test::Bytes;
using Messages = std::vector<std::string>;
using Contents = std::map<std::string, Bytes>;  // a folder's files, its folders as "name/"

Contents ContentsOf(const test::ScratchFolder& folder) {
  Contents contents;
  for (const std::string& name : folder.Names()) {
    if (std::filesystem::is_directory(folder.path() / name)) {
      contents[name + "/"] = {};
    } else {
      contents[name] = folder.Read(name);
    }
  }
  return contents;
}

// A melody of 600 packets: its report takes several chunks.
const Bytes kSong = test::Melody(std::vector<test::Note>(600, {0x3C, 0x00, 0x40}));

Messages ToTxt(test::SongFolder& run) { return messages::AfterSave(run.TxtYaz()); }
Messages Start(test::SongFolder& run) { return messages::Of(run.tool.MidiYaz()); }

// Every write and every rename of a save made to fail in turn, and a folder in
// the way of each file the save makes or of its temporary file, with and without
// older output files: the user is told, and nothing new appears and no temporary
// file stays. An older report goes (it must not pass for this run's); older
// split files stay as they were.
TEST(Saves, AFailureAnywhereLeavesTheFolderAsItWas) {
  const struct {
    const char* name;
    Messages (*command)(test::SongFolder&);
    std::vector<std::string> files;
    std::int64_t writes, renames, renamesWithOlder;  // of a save that succeeds
  } rows[] = {{"to TXT", ToTxt, {"song.txt"}, 4, 1, 1},
              {"Start", Start, {"song_13.mid", "song_24.mid"}, 2, 2, 4}};
  for (const auto& row : rows) {
    for (const bool older : {false, true}) {
      const std::int64_t renames = older ? row.renamesWithOlder : row.renames;
      // Each failure: the write, the rename, the folder in the way; the file named.
      std::vector<std::tuple<std::int64_t, std::int64_t, std::string, std::string>> failures;
      const auto nth = [&](std::int64_t k, std::int64_t of) {
        return row
            .files[static_cast<std::size_t>((k - 1) * static_cast<std::int64_t>(row.files.size()) / of)];
      };
      for (std::int64_t k = 1; k <= row.writes; ++k) failures.emplace_back(k, 0, "", nth(k, row.writes));
      for (std::int64_t k = 1; k <= renames; ++k) failures.emplace_back(0, k, "", nth(k, renames));
      for (const std::string& file : row.files) {
        failures.emplace_back(0, 0, file, file);
        failures.emplace_back(0, 0, file + ".part", file);
      }
      failures.emplace_back(0, 0, "", "");  // and one that succeeds, to count them
      for (const auto& [write, rename, folderAt, file] : failures) {
        test::SongFolder run(kSong);
        if (older) {
          for (const char* name : {"song.txt", "song_13.mid", "song_24.mid"})
            run.folder.Write(name, {'o', 'l', 'd'});
        }
        if (!folderAt.empty()) {
          std::filesystem::remove(run.folder.path() / folderAt);
          std::filesystem::create_directory(run.folder.path() / folderAt);
          run.folder.Write(folderAt + "/keep", {1});
        }
        Contents before = ContentsOf(run.folder);
        FileFaults faults;
        if (write + rename > 0) (write > 0 ? faults.failingWrite : faults.failingRename) = write + rename;
        const std::string where = std::string(row.name) + (older ? ", older files, " : ", ") +
                                  std::to_string(write) + " " + std::to_string(rename) + " " + folderAt;
        if (file.empty()) {
          EXPECT_EQ(row.command(run), Messages{}) << where;
          EXPECT_EQ(faults.writes * 10 + faults.renames, row.writes * 10 + renames) << where;
          continue;
        }
        EXPECT_EQ(row.command(run), Messages{messages::CannotWrite(file)}) << where;
        before.erase("song.txt");
        Contents after = ContentsOf(run.folder);
        if (row.command == Start) after.erase("song.txt");
        EXPECT_TRUE(after == before) << where;
      }
    }
  }
}

// A disk that fills up: a tmpfs of 16 KiB, which a test run as root can mount.
TEST(Saves, AFullDiskLeavesNoReportAndNoSplitFile) {
  test::ScratchFolder scratch;
  if (::mount("tmpfs", scratch.path().c_str(), "tmpfs", 0, "size=16k") != 0) GTEST_SKIP() << "no tmpfs here";
  struct Unmount {
    const std::filesystem::path& path;
    ~Unmount() { ::umount2(path.c_str(), MNT_DETACH); }
  } unmount{scratch.path()};
  // 6 KB take two of the four pages; the report needs 220 KB, the two copies four pages.
  const Bytes song = test::Melody(std::vector<test::Note>(500, {0x3C, 0x00, 0x40}));
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
