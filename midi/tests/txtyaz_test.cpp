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
using test::RecordingWindow;
using test::ReportLines;
using test::ScratchFolder;
using test::WithHeader;
using Lines = std::vector<std::string>;

const Lines kBusyThenDefault = {"busy", "default"};

TEST(TxtYaz, WritesTheReportBesideTheMidiFileAndNamesItInTheImage) {
  ScratchFolder folder;
  folder.Write("song.mid", WithHeader({0xE0, 0x20, 0x41}));
  folder.Write("song.txt", {'o', 'l', 'd'});
  RecordingWindow window;
  MidiTool tool(window, Build::Tessaro5Vu, folder.path());
  tool.DecimalSeparator = ',';
  ASSERT_TRUE(tool.LoadImage("song"));

  tool.TxtYaz();

  const Lines lines = ReportLines(folder.Read("song.txt"));
  ASSERT_EQ(lines.size(), 46u + 3u + 4u);
  EXPECT_EQ(lines[0], "song.txt");
  EXPECT_EQ(lines[48], "0025   41   065   A   03,91 Cent");
  EXPECT_EQ(lines.back(), "Eser süresi =     0 dakika");
  EXPECT_EQ(tool.image().MidiFileName, "song.txt");
  EXPECT_EQ(window.pointer, kBusyThenDefault);
  EXPECT_TRUE(window.messages.empty());
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "song.txt.part"));
  EXPECT_EQ(folder.Read("song.mid"), WithHeader({0xE0, 0x20, 0x41}));
}

TEST(TxtYaz, AsksForAFileWhenNothingIsLoadedInEveryBuild) {
  for (Build build : {Build::Tessaro5Vu, Build::Tessaro5, Build::Lumbric5}) {
    ScratchFolder folder;
    RecordingWindow window;
    MidiTool tool(window, build, folder.path());
    tool.TxtYaz();
    EXPECT_EQ(window.messages, Lines{"Bir dosya seçin."});
    EXPECT_TRUE(window.pointer.empty());
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
  }
}

TEST(TxtYaz, AStoppedWalkLeavesItsPartialReportAndSaysWhy) {
  const struct {
    const char* name;
    Bytes bytes;
    std::size_t lineCount;
    std::string lastLine;
    Lines messages;
  } rows[] = {
      {"a warning, then a cut bend",
       WithHeader({0x90, 0x3C, 0x40, 0x81, 0x81, 0x81, 0x00, 0xE0, 0x00}),
       46 + 14,
       "0031   00   000   " + std::string(1, '\0'),
       {"Çok büyük Tick ! !", "Dosya beklenmedik biçimde sona eriyor (konum 32)."}},
  };
  for (const auto& row : rows) {
    ScratchFolder folder;
    folder.Write("song.mid", row.bytes);
    RecordingWindow window;
    MidiTool tool(window, Build::Tessaro5Vu, folder.path());
    ASSERT_TRUE(tool.LoadImage("song"));
    tool.TxtYaz();
    const Lines lines = ReportLines(folder.Read("song.txt"));
    ASSERT_EQ(lines.size(), row.lineCount) << row.name;
    EXPECT_EQ(lines.back(), row.lastLine) << row.name;
    EXPECT_EQ(window.messages, row.messages) << row.name;
    EXPECT_EQ(window.pointer, kBusyThenDefault) << row.name;
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "song.txt.part")) << row.name;
  }
}

TEST(TxtYaz, AReportThatCannotBeWrittenLeavesNoReportBehind) {
  const Lines cannotWrite = {"Dosya yazılamadı: song.txt"};
  {
    // A folder of the report's name cannot be replaced; it is left as it is.
    ScratchFolder folder;
    folder.Write("song.mid", WithHeader({0x00}));
    std::filesystem::create_directory(folder.path() / "song.txt");
    folder.Write("song.txt/keep", {1});
    RecordingWindow window;
    MidiTool tool(window, Build::Tessaro5Vu, folder.path());
    ASSERT_TRUE(tool.LoadImage("song"));
    tool.TxtYaz();
    EXPECT_EQ(window.messages, cannotWrite);
    EXPECT_EQ(window.pointer, kBusyThenDefault);
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "song.txt" / "keep"));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "song.txt.part"));
  }
  {
    // The temporary file cannot be made: the previous run's report goes too.
    ScratchFolder folder;
    folder.Write("song.mid", WithHeader({0x00}));
    folder.Write("song.txt", {'o', 'l', 'd'});
    std::filesystem::create_directory(folder.path() / "song.txt.part");
    folder.Write("song.txt.part/keep", {1});
    RecordingWindow window;
    MidiTool tool(window, Build::Tessaro5Vu, folder.path());
    ASSERT_TRUE(tool.LoadImage("song"));
    tool.TxtYaz();
    EXPECT_EQ(window.messages, cannotWrite);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "song.txt"));
  }
}

}  // namespace
}  // namespace midi
