#include "midi/tool.h"

#include <gtest/gtest.h>

#include "support.h"

namespace midi {
namespace {

using test::Bytes;
using test::RecordingWindow;
using test::ScratchFolder;
using test::WithHeader;

constexpr Build kAllBuilds[] = {Build::Tessaro5Vu, Build::Tessaro5, Build::Lumbric5};

TEST(LoadImage, ReadsTheWholeFileAndASecondLoadReplacesIt) {
  ScratchFolder folder;
  folder.Write("a.mid", {1, 2, 3, 4, 5});
  folder.Write("b.mid", {9, 8});
  RecordingWindow window;
  MidiTool tool(window, Build::Tessaro5Vu, folder.path());

  ASSERT_TRUE(tool.LoadImage("a"));
  EXPECT_EQ(tool.image().FileLength(), 5);
  EXPECT_EQ(tool.image().MidiText(), std::string_view("\x01\x02\x03\x04\x05"));
  ASSERT_TRUE(tool.LoadImage("b"));
  EXPECT_EQ(tool.image().MidiBytes, (Bytes{9, 8}));
  EXPECT_EQ(tool.image().MidiText(), std::string_view("\x09\x08"));
  EXPECT_EQ(tool.image().FileLength(), 2);
  EXPECT_EQ(tool.image().BaseName, "b");
  EXPECT_EQ(tool.image().MidiFileName, "b.mid");
  EXPECT_TRUE(window.messages.empty());
}

TEST(LoadImage, AFailedLoadKeepsThePreviousImage) {
  ScratchFolder folder;
  folder.Write("a.mid", {1, 2, 3});
  folder.Write("empty.mid", {});
  std::filesystem::create_directory(folder.path() / "folder.mid");
  folder.Write("Upper.MID", {});
  const struct {
    const char* entry;
    const char* fileName;
    const char* message;
  } rows[] = {
      {"missing", "missing.mid", "Dosya okunamadı: missing.mid"},
      {"empty", "empty.mid", "Dosya boş: empty.mid"},
      {"folder", "folder.mid", "Dosya okunamadı: folder.mid"},
      {"Upper", "Upper.MID", "Dosya boş: Upper.MID"},
      {"Gone", "Gone.MID", "Dosya okunamadı: Gone.MID"},
  };
  for (const auto& row : rows) {
    RecordingWindow window;
    MidiTool tool(window, Build::Tessaro5Vu, folder.path());
    ASSERT_TRUE(tool.LoadImage("a"));
    EXPECT_FALSE(tool.LoadImage(row.entry, row.fileName));
    EXPECT_EQ(window.messages, std::vector<std::string>{row.message});
    EXPECT_EQ(tool.image().MidiBytes, (Bytes{1, 2, 3}));
    EXPECT_EQ(tool.image().BaseName, "a");
    EXPECT_EQ(tool.image().MidiFileName, "a.mid");
  }
}

std::vector<std::string> TestMessages(Build build, const Bytes& bytes) {
  ScratchFolder folder;
  folder.Write("song.mid", bytes);
  RecordingWindow window;
  MidiTool tool(window, build, folder.path());
  EXPECT_TRUE(tool.LoadImage("song"));
  tool.TestEt();
  return window.messages;
}

TEST(TestEt, ShowsOnlyTheWarningsAndTheReasonOfAStop) {
  using Messages = std::vector<std::string>;
  const Messages warn = {"Çok büyük Tick ! !"};
  // Delta bytes 0x81 are not status bytes of the first channel, so the walk passes
  // over them quietly when it goes on after the warning.
  const Bytes fourByteDelta = {0x90, 0x3C, 0x40, 0x81, 0x81, 0x81, 0x00};
  // In a tempo's data a 0x90 is a note on for the earlier builds, and its delta needs a fourth byte.
  const Bytes tempoHidingANote = {0xFF, 0x51, 0x03, 0x90, 0x3C, 0x40, 0xFF, 0xFF, 0xFF, 0x00};
  const struct {
    const char* name;
    Bytes bytes;
    Messages current;  // Tessaro5Vu
    Messages earlier;  // Tessaro5 and Lumbric5
  } rows[] = {
      {"clean file", WithHeader({0x00, 0xFF, 0x2F, 0x00}), {}, {}},
      {"four-byte delta", WithHeader(fourByteDelta), warn, warn},
      {"two four-byte deltas warn twice", WithHeader({0x90, 0x3C, 0x40, 0x81, 0x81, 0x81, 0x00, 0x80, 0x3C, 0x40,
                                                      0x82, 0x82, 0x82, 0x00}),
       {warn[0], warn[0]}, {warn[0], warn[0]}},
      {"meta event hides a note only from the current build", WithHeader(tempoHidingANote), {}, warn},
      {"file cut inside a note", WithHeader({0x90, 0x3C}),
       {"Dosya beklenmedik biçimde sona eriyor (konum 25)."}, {"Dosya beklenmedik biçimde sona eriyor (konum 25)."}},
      {"file shorter than the header", Bytes{'M', 'T', 'h', 'd'},
       {"Dosya beklenmedik biçimde sona eriyor (konum 5)."}, {"Dosya beklenmedik biçimde sona eriyor (konum 5)."}},
      {"warning, then a cut", WithHeader({0x90, 0x3C, 0x40, 0x81, 0x81, 0x81, 0x00, 0xE0, 0x00}),
       {warn[0], "Dosya beklenmedik biçimde sona eriyor (konum 32)."},
       {warn[0], "Dosya beklenmedik biçimde sona eriyor (konum 32)."}},
      {"tempo 0", WithHeader({0xFF, 0x51, 0x03, 0x00, 0x00, 0x00}), {"Tempo sıfır olamaz (konum 23)."}, {}},
      {"bend overflow", WithHeader({0xE0, 0xFF, 0xFF}), {"Sayı sınırı aşıldı (konum 23)."},
       {"Sayı sınırı aşıldı (konum 23)."}},
  };
  for (const auto& row : rows) {
    for (Build build : kAllBuilds) {
      const Messages& expected = build == Build::Tessaro5Vu ? row.current : row.earlier;
      EXPECT_EQ(TestMessages(build, row.bytes), expected) << row.name << ", build " << static_cast<int>(build);
    }
  }
}

TEST(TestEt, AsksForAFileWhenNothingIsLoaded) {
  RecordingWindow window;
  MidiTool tool(window, Build::Tessaro5Vu, ".");
  tool.TestEt();
  EXPECT_EQ(window.messages, std::vector<std::string>{"Bir dosya seçin."});
}

}  // namespace
}  // namespace midi
