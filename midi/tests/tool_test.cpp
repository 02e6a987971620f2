#include "midi/tool.h"

#include <gtest/gtest.h>

#include "support.h"

namespace midi {
namespace {

using test::Bytes;
using test::RecordingWindow;
using test::ScratchFolder;
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
    test::SongFolder run({1, 2, 3});
    run.folder.Write("empty.mid", {});
    std::filesystem::create_directory(run.folder.path() / "folder.mid");
    EXPECT_FALSE(run.tool.LoadImage(row.entry, row.fileName));
    EXPECT_EQ(run.window.messages, Messages{row.message});
    EXPECT_EQ(run.tool.image().MidiBytes, (Bytes{1, 2, 3}));
    EXPECT_EQ(run.tool.image().BaseName, "song");
    EXPECT_EQ(run.tool.image().MidiFileName, "song.mid");
  }
}

TEST(MidiTool, EveryCommandAsksForAFileWhenNothingIsLoaded) {
  for (Build build : kAllBuilds) {
    ScratchFolder folder;
    RecordingWindow window;
    MidiTool tool(window, build, folder.path());
    tool.TestEt();
    tool.TxtYaz();
    tool.MidiYaz();
    EXPECT_EQ(window.messages, Messages(3, "Bir dosya seçin."));
    EXPECT_TRUE(window.pointer.empty());
    EXPECT_TRUE(window.meterRows.empty());
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
      test::SongFolder run(row.bytes, build);
      run.tool.TestEt();
      const Messages& expected = build == Build::Tessaro5Vu ? row.current : row.earlier;
      EXPECT_EQ(run.window.messages, expected) << row.name << ", build " << static_cast<int>(build);
    }
  }
}

}  // namespace
}  // namespace midi
