#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "midi/tool.h"
#include "report_support.h"
#include "support.h"

namespace midi {
namespace {

using test::Bytes;
using test::ReportLines;
using test::SongFolder;
using test::WithHeader;
using Lines = std::vector<std::string>;

const Lines kBusyThenDefault = {"busy", "default"};

// The report's lines are the report's test; here the file, its name and what the
// window is told.
TEST(TxtYaz, ReplacesTheReportBesideTheMidiFileAndNamesItInTheImage) {
  SongFolder run(WithHeader({0xE0, 0x20, 0x41}));
  run.folder.Write("song.txt", {'o', 'l', 'd'});
  run.tool.DecimalSeparator = ',';

  run.tool.TxtYaz();

  const Lines lines = ReportLines(run.folder.Read("song.txt"));
  ASSERT_EQ(lines.size(), 46u + 3u + 4u);
  EXPECT_EQ(lines[0], "song.txt");
  EXPECT_EQ(lines[48], "0025   41   065   A   03,91 Cent");
  EXPECT_EQ(run.tool.image().MidiFileName, "song.txt");
  EXPECT_EQ(run.window.pointer, kBusyThenDefault);
  EXPECT_TRUE(run.window.messages.empty());
  EXPECT_FALSE(std::filesystem::exists(run.folder.path() / "song.txt.part"));
}

TEST(TxtYaz, AStoppedWalkLeavesItsPartialReportAndSaysWhy) {
  SongFolder run(WithHeader({0x90, 0x3C, 0x40, 0x81, 0x81, 0x81, 0x00, 0xE0, 0x00}));
  run.tool.TxtYaz();
  const Lines lines = ReportLines(run.folder.Read("song.txt"));
  ASSERT_EQ(lines.size(), 46u + 14u);
  EXPECT_EQ(lines.back(), "0031   00   000   " + std::string(1, '\0'));
  EXPECT_EQ(run.window.messages,
            (Lines{"Çok büyük Tick ! !", "Dosya beklenmedik biçimde sona eriyor (konum 32)."}));
  EXPECT_EQ(run.window.pointer, kBusyThenDefault);
  EXPECT_FALSE(std::filesystem::exists(run.folder.path() / "song.txt.part"));
}

TEST(TxtYaz, AReportThatCannotBeWrittenLeavesNoReportBehind) {
  const Lines cannotWrite = {"Dosya yazılamadı: song.txt"};
  {
    // A folder of the report's name cannot be replaced; it is left as it is.
    SongFolder run(WithHeader({0x00}));
    std::filesystem::create_directory(run.folder.path() / "song.txt");
    run.folder.Write("song.txt/keep", {1});
    run.tool.TxtYaz();
    EXPECT_EQ(run.window.messages, cannotWrite);
    EXPECT_EQ(run.window.pointer, kBusyThenDefault);
    EXPECT_TRUE(std::filesystem::exists(run.folder.path() / "song.txt" / "keep"));
    EXPECT_FALSE(std::filesystem::exists(run.folder.path() / "song.txt.part"));
  }
  {
    // The temporary file cannot be made: the previous run's report goes too.
    SongFolder run(WithHeader({0x00}));
    run.folder.Write("song.txt", {'o', 'l', 'd'});
    std::filesystem::create_directory(run.folder.path() / "song.txt.part");
    run.folder.Write("song.txt.part/keep", {1});
    run.tool.TxtYaz();
    EXPECT_EQ(run.window.messages, cannotWrite);
    EXPECT_FALSE(std::filesystem::exists(run.folder.path() / "song.txt"));
  }
}

}  // namespace
}  // namespace midi
