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

// Every file by name, and every folder by name and "/", with no content.
Contents ContentsOf(const ScratchFolder& folder) {
  Contents contents;
  for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
    const std::string name = entry.path().filename().string();
    if (entry.is_directory()) {
      contents[name + "/"] = {};
    } else {
      contents[name] = folder.Read(name);
    }
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

// A save that fails: the k-th write or rename, or a folder standing where a file
// or its temporary file must go; and the file the user is told of.
struct Failure {
  std::string what;
  std::int64_t write = 0, rename = 0;
  std::string folderAt;
  std::string file;
};

// Every write and every rename of a save made to fail in turn, and a folder in
// the way of every file the save makes, in a folder with and without older
// output files: the user is told, nothing new appears and no temporary file
// stays. An older report goes (it must not pass for this run's); older split
// files stay as they were.
TEST(Saves, AFailureAnywhereLeavesTheFolderAsItWas) {
  const struct {
    const char* name;
    Messages (*command)(SongFolder&);
    std::vector<std::string> files;
    std::int64_t writes, renames, renamesWithOlder;  // of a save that succeeds
  } rows[] = {
      {"to TXT", ToTxt, {"song.txt"}, 4, 1, 1},
      {"Start", Start, {"song_13.mid", "song_24.mid"}, 2, 2, 4},
  };
  const Bytes song = Song(600);
  for (const auto& row : rows) {
    for (const bool older : {false, true}) {
      const auto prepare = [&](SongFolder& run) {
        if (!older) return;
        for (const char* name : {"song.txt", "song_13.mid", "song_24.mid"})
          run.folder.Write(name, {'o', 'l', 'd'});
      };
      const std::int64_t renames = older ? row.renamesWithOlder : row.renames;
      {
        SongFolder run(song);
        prepare(run);
        FileFaults count;
        EXPECT_EQ(row.command(run), Messages{}) << row.name;
        EXPECT_EQ(count.writes, row.writes) << row.name;
        EXPECT_EQ(count.renames, renames) << row.name;
      }
      // The first half of the writes and renames are the first file's.
      const auto nth = [&](std::int64_t k, std::int64_t of) {
        return row
            .files[static_cast<std::size_t>((k - 1) * static_cast<std::int64_t>(row.files.size()) / of)];
      };
      std::vector<Failure> failures;
      for (std::int64_t k = 1; k <= row.writes; ++k)
        failures.push_back({"write", k, 0, "", nth(k, row.writes)});
      for (std::int64_t k = 1; k <= renames; ++k) failures.push_back({"rename", 0, k, "", nth(k, renames)});
      for (const std::string& file : row.files) {
        failures.push_back({"folder", 0, 0, file, file});
        failures.push_back({"folder", 0, 0, file + ".part", file});
      }
      for (const Failure& failure : failures) {
        SongFolder run(song);
        prepare(run);
        if (!failure.folderAt.empty()) {
          std::filesystem::remove(run.folder.path() / failure.folderAt);
          std::filesystem::create_directory(run.folder.path() / failure.folderAt);
          run.folder.Write(failure.folderAt + "/keep", {1});
        }
        Contents before = ContentsOf(run.folder);
        before.erase("song.txt");
        FileFaults fail;
        fail.failingWrite = failure.write;
        fail.failingRename = failure.rename;
        const std::string where = std::string(row.name) + ", " + failure.what + " " +
                                  std::to_string(failure.write + failure.rename) + failure.folderAt +
                                  (older ? ", older files" : "");
        EXPECT_EQ(row.command(run), Messages{messages::CannotWrite(failure.file)}) << where;
        Contents after = ContentsOf(run.folder);
        if (row.command == Start) after.erase("song.txt");
        EXPECT_TRUE(after == before) << where << ":" << Listing(after);
      }
    }
  }
}

// A disk that fills up: a tmpfs of 16 KiB, which a test run as root can mount.
TEST(Saves, AFullDiskLeavesNoReportAndNoSplitFile) {
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
