#include "midi/tool.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "midi/messages.h"
#include "report_support.h"
#include "support.h"

namespace midi {
namespace {

using messages::AfterSave;
using messages::BeforeSave;
using test::Bytes;
using test::ReportLines;
using test::ScratchFolder;
using test::SongFolder;
using test::WithHeader;
using Messages = std::vector<std::string>;

constexpr Build kAllBuilds[] = {Build::Tessaro5Vu, Build::Tessaro5, Build::Lumbric5};

// A load, and a second one replacing it, are the window's click tests.
TEST(LoadImage, AFailedLoadNamesTheFileAndKeepsThePreviousImage) {
  const struct {
    const char* entry;
    const char* fileName;
    const char* message;
  } rows[] = {
      {"Gone", "Gone.MID", "Dosya okunamadı: Gone.MID"},
      {"empty", "empty.mid", "Dosya boş: empty.mid"},
      {"folder", "folder.mid", "Dosya okunamadı: folder.mid"},
  };
  for (const auto& row : rows) {
    SongFolder run({1, 2, 3});
    run.folder.Write("empty.mid", {});
    std::filesystem::create_directory(run.folder.path() / "folder.mid");
    EXPECT_EQ(messages::Of(run.tool.LoadImage(row.entry, row.fileName)), Messages{row.message});
    EXPECT_EQ(run.tool.image().MidiBytes, (Bytes{1, 2, 3}));
    EXPECT_EQ(run.tool.image().BaseName, "song");
    EXPECT_EQ(run.tool.image().MidiFileName, "song.mid");
  }
}

TEST(MidiTool, EveryCommandAsksForAFileWhenNothingIsLoaded) {
  for (Build build : kAllBuilds) {
    ScratchFolder folder;
    MidiTool tool(build, folder.path());
    test::RecordingProgress progress;
    TxtOutcome txt = tool.TxtYaz();
    tool.SaveReport(txt);
    Messages shown;
    for (const Messages& part : {messages::Of(tool.TestEt()), BeforeSave(txt), AfterSave(txt),
                                 messages::Of(tool.MidiYaz(progress))}) {
      shown.insert(shown.end(), part.begin(), part.end());
    }
    EXPECT_EQ(shown, Messages(3, "Bir dosya seçin."));
    EXPECT_TRUE(progress.steps.empty());
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
  }
}

// The walk's decoding is the walk's test; here what TEST shows of it, build by build.
TEST(TestEt, ShowsOnlyTheWarningsAndTheReasonOfAStop) {
  const Messages warn = {"Çok büyük Tick ! !"};
  // In a tempo's data a 0x90 is a note on for the earlier builds, and its delta needs a fourth byte.
  const Bytes tempoHidingANote = {0xFF, 0x51, 0x03, 0x90, 0x3C, 0x40, 0xFF, 0xFF, 0xFF, 0x00};
  const struct {
    const char* name;
    Bytes bytes;
    Messages current;  // Tessaro5Vu
    Messages earlier;  // Tessaro5 and Lumbric5
  } rows[] = {
      // clang-format off
      {"clean file", WithHeader({0x00, 0xFF, 0x2F, 0x00}), {}, {}},
      {"meta event hides a note only from the current build", WithHeader(tempoHidingANote), {}, warn},
      {"warning, then a cut", WithHeader({0x90, 0x3C, 0x40, 0x81, 0x81, 0x81, 0x00, 0xE0, 0x00}),
       {warn[0], "Dosya beklenmedik biçimde sona eriyor (konum 32)."},
       {warn[0], "Dosya beklenmedik biçimde sona eriyor (konum 32)."}},
      {"tempo 0", WithHeader({0xFF, 0x51, 0x03, 0x00, 0x00, 0x00}), {"Tempo sıfır olamaz (konum 23)."}, {}},
      {"bend overflow", WithHeader({0xE0, 0xFF, 0xFF}), {"Sayı sınırı aşıldı (konum 23)."},
       {"Sayı sınırı aşıldı (konum 23)."}},
      // clang-format on
  };
  for (const auto& row : rows) {
    for (Build build : kAllBuilds) {
      SongFolder run(row.bytes, build);
      const Messages& expected = build == Build::Tessaro5Vu ? row.current : row.earlier;
      EXPECT_EQ(messages::Of(run.tool.TestEt()), expected)
          << row.name << ", build " << static_cast<int>(build);
    }
  }
}

// The report's lines are the report's test; here the file, its name and what the
// window is told before and after it is saved.
TEST(TxtYaz, ReplacesTheReportBesideTheMidiFileAndNamesItInTheImage) {
  SongFolder run(WithHeader({0xE0, 0x20, 0x41}));
  run.folder.Write("song.txt", {'o', 'l', 'd'});
  run.tool.DecimalSeparator = ',';

  const TxtOutcome outcome = run.TxtYaz();

  const Bytes file = run.folder.Read("song.txt");
  EXPECT_EQ(file.size(), outcome.reportSize);
  const std::vector<std::string> lines = ReportLines(file);
  ASSERT_EQ(lines.size(), 46u + 3u + 4u);
  EXPECT_EQ(lines[0], "song.txt");
  EXPECT_EQ(lines[48], "0025   41   065   A   03,91 Cent");
  EXPECT_EQ(run.tool.image().MidiFileName, "song.txt");
  EXPECT_EQ(BeforeSave(outcome), Messages{});
  EXPECT_EQ(AfterSave(outcome), Messages{});
  EXPECT_FALSE(std::filesystem::exists(run.folder.path() / "song.txt.part"));
}

TEST(TxtYaz, AStoppedWalkLeavesItsPartialReportAndSaysWhy) {
  SongFolder run(WithHeader({0x90, 0x3C, 0x40, 0x81, 0x81, 0x81, 0x00, 0xE0, 0x00}));
  const TxtOutcome outcome = run.TxtYaz();
  const std::vector<std::string> lines = ReportLines(run.folder.Read("song.txt"));
  ASSERT_EQ(lines.size(), 46u + 14u);
  EXPECT_EQ(lines.back(), "0031   00   000   " + std::string(1, '\0'));
  EXPECT_EQ(BeforeSave(outcome), Messages{"Çok büyük Tick ! !"});
  EXPECT_EQ(AfterSave(outcome), Messages{"Dosya beklenmedik biçimde sona eriyor (konum 32)."});
  EXPECT_FALSE(std::filesystem::exists(run.folder.path() / "song.txt.part"));
}

}  // namespace
}  // namespace midi
