#include "midi/split.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "midi/messages.h"
#include "support.h"

namespace midi {
namespace {

using test::Bytes;
using test::ImageOf;
using test::Melody;
using test::Note;
using test::PacketOf;
using test::ScratchFolder;
using test::SongFolder;
using Events = std::vector<std::string>;

constexpr Note P1{0x3C, 0x00, 0x40}, P2{0x3E, 0x00, 0x50}, P3{0x40, 0x00, 0x30}, P4{0x41, 0x00, 0x48},
    P5{0x43, 0x00, 0x20};

// A reader that shares nothing with the core: it follows the chunk tags and
// length, delta times, running status and meta lengths, and lists the first
// channel's bends and notes.
Events FirstChannelEvents(const Bytes& file) {
  if (file.size() < 22 || std::memcmp(file.data(), "MThd", 4) != 0 ||
      std::memcmp(&file[14], "MTrk", 4) != 0) {
    return {"not a MIDI file"};
  }
  const std::size_t end = 22 + (std::size_t{file[18]} << 24 | file[19] << 16 | file[20] << 8 | file[21]);
  std::size_t at = 22;
  const auto varLen = [&] {
    std::size_t value = 0;
    std::uint8_t byte = 0;
    do {
      byte = file.at(at++);
      value = value * 128 + (byte & 0x7F);
    } while (byte & 0x80);
    return value;
  };
  const auto hex = [&](std::size_t i) {
    char text[4];
    std::snprintf(text, sizeof text, " %02X", file.at(i));
    return std::string(text);
  };
  Events events;
  std::uint8_t status = 0;
  while (at < end) {
    varLen();
    if (file.at(at) & 0x80) status = file[at++];
    if (status == 0xFF) {
      ++at;
      at += varLen();
      continue;
    }
    const char* name = status == 0xE0 ? "bend" : status == 0x90 ? "on" : status == 0x80 ? "off" : nullptr;
    if (name) events.push_back(name + hex(at) + hex(at + 1));
    at += (status & 0xE0) == 0xC0 ? 1 : 2;
  }
  return events;
}

Events Sounding(Note n) {
  char text[3][16];
  std::snprintf(text[0], 16, "bend %02X %02X", n.lsb, n.msb);
  std::snprintf(text[1], 16, "on %02X 64", n.key);
  std::snprintf(text[2], 16, "off %02X 40", n.key);
  return {text[0], text[1], text[2]};
}

Events Silent(Note n) {
  Events events = Sounding(n);
  events[1].replace(6, 2, "00");
  events[2].replace(7, 2, "00");
  return events;
}

Events Join(std::initializer_list<Events> parts) {
  Events all;
  for (const Events& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

SplitCopies Split(const Bytes& bytes, Build build = Build::Tessaro5Vu) {
  const MidiImage image = ImageOf(bytes);
  return *SplitImage(image, ScanPackets(image), build, [](std::int32_t) { return true; });
}

TEST(Split, WorkedExampleMakesEachPairStepsEditsInOrder) {
  const Bytes bytes = Melody({P1, P2, P3, P4});
  const PacketTable table = ScanPackets(ImageOf(bytes));
  EXPECT_EQ(table, (PacketTable{{30, 34, 38}, {42, 46, 50}, {54, 58, 62}, {66, 70, 74}}));

  struct Edit {
    Offset at;
    std::uint8_t value;
  };
  const struct {
    std::int32_t k;
    std::vector<Edit> split24, split13;
  } steps[] = {
      {1,
       {{36, 0}, {40, 0}, {59, 0x3E}, {63, 0x3E}, {55, 0x00}, {56, 0x50}},
       {{48, 0}, {52, 0}, {47, 0x3C}, {51, 0x3C}, {43, 0x00}, {44, 0x40}}},
      {3, {{60, 0}, {64, 0}}, {{72, 0}, {76, 0}, {71, 0x40}, {75, 0x40}, {67, 0x00}, {68, 0x30}}},
  };
  SplitCopies copies{bytes, bytes};
  Bytes want13 = bytes, want24 = bytes;
  for (const auto& step : steps) {
    PairStep(copies, table, step.k, Build::Tessaro5Vu);
    for (const Edit& edit : step.split24) want24[edit.at] = edit.value;
    for (const Edit& edit : step.split13) want13[edit.at] = edit.value;
    EXPECT_EQ(copies.Split24, want24) << "k = " << step.k;
    EXPECT_EQ(copies.Split13, want13) << "k = " << step.k;
  }
}

TEST(Split, SoundsOddPacketsInOneFileAndEvenOnesInTheOther) {
  const Bytes noteBeforeFirstBend = {0x90, 0x3C, 0x64, 0x00};
  Bytes longText = {0xFF, 0x01, 0x82, 0xB8, 0x40};  // a 40000-byte text event
  longText.resize(longText.size() + 40000, 'a');
  longText.push_back(0x00);
  const struct {
    const char* name;
    Bytes file;
    Build build;
    Events split13, split24;
  } rows[] = {
      {"one packet", Melody({P1}), Build::Tessaro5Vu, Sounding(P1), Silent(P1)},
      {"two packets", Melody({P1, P2}), Build::Tessaro5Vu, Join({Sounding(P1), Silent(P1)}),
       Join({Silent(P1), Sounding(P2)})},
      {"odd count: the last packet is silenced after taking its predecessor's pitch",
       Melody({P1, P2, P3, P4, P5}), Build::Tessaro5Vu,
       Join({Sounding(P1), Silent(P1), Sounding(P3), Silent(P3), Sounding(P5)}),
       Join({Silent(P1), Sounding(P2), Silent(P2), Sounding(P4), Silent(P4)})},
      {"earlier build only silences", Melody({P1, P2, P3, P4, P5}), Build::Tessaro5,
       Join({Sounding(P1), Silent(P2), Sounding(P3), Silent(P4), Sounding(P5)}),
       Join({Silent(P1), Sounding(P2), Silent(P3), Sounding(P4), Silent(P5)})},
      {"earliest build only silences", Melody({P1, P2, P3}), Build::Lumbric5,
       Join({Sounding(P1), Silent(P2), Sounding(P3)}), Join({Silent(P1), Sounding(P2), Silent(P3)})},
      {"a note before the first bend belongs to no packet", Melody({noteBeforeFirstBend, PacketOf(P1)}),
       Build::Tessaro5Vu, Join({{"on 3C 64"}, Sounding(P1)}), Join({{"on 3C 64"}, Silent(P1)})},
      {"positions beyond 32767", Melody({longText, PacketOf(P1), PacketOf(P2)}), Build::Tessaro5Vu,
       Join({Sounding(P1), Silent(P1)}), Join({Silent(P1), Sounding(P2)})},
      {"a packet without a note on gives no key and takes none into the header",
       Melody({{0xE0, 0x00, 0x40, 0x00, 0x80, 0x3C, 0x40, 0x00}, PacketOf(P2)}), Build::Tessaro5Vu,
       Join({{"bend 00 40", "off 3C 40"}, {"bend 00 40", "on 3E 00", "off 3E 00"}}),
       Join({{"bend 00 40", "off 3C 00"}, Sounding(P2)})},
      {"a packet without a note off",
       Melody({PacketOf(P1), {0xE0, 0x00, 0x50, 0x00, 0x90, 0x3E, 0x64, 0x00}}), Build::Tessaro5Vu,
       Join({Sounding(P1), {"bend 00 40", "on 3C 00"}}), Join({Silent(P1), {"bend 00 50", "on 3E 64"}})},
      {"the key carried is the note on's, into both events",
       Melody({{0xE0, 0x00, 0x40, 0x00, 0x90, 0x3C, 0x64, 0x60, 0x80, 0x3B, 0x40, 0x00}, PacketOf(P2)}),
       Build::Tessaro5Vu, Join({{"bend 00 40", "on 3C 64", "off 3B 40"}, Silent(P1)}),
       Join({{"bend 00 40", "on 3C 00", "off 3B 00"}, Sounding(P2)})},
  };
  for (const auto& row : rows) {
    const SplitCopies copies = Split(row.file, row.build);
    EXPECT_EQ(FirstChannelEvents(copies.Split13), row.split13) << row.name;
    EXPECT_EQ(FirstChannelEvents(copies.Split24), row.split24) << row.name;
  }
}

TEST(Split, TakesADeltaByteOf0x90ForANoteOn) {
  // The two-byte delta 90 00 after the note on is the packet's last 0x90: its
  // "velocity" is the note off's status byte.
  const Bytes packet = {0xE0, 0x00, 0x50, 0x00, 0x90, 0x3E, 0x64, 0x90, 0x00, 0x80, 0x3E, 0x40, 0x00};
  const Bytes bytes = Melody({PacketOf(P1), packet});
  EXPECT_EQ(ScanPackets(ImageOf(bytes)), (PacketTable{{30, 34, 38}, {42, 49, 51}}));
  Bytes want13 = bytes;
  want13[51] = 0x00;  // silenced: the note off's status byte ...
  want13[53] = 0x00;  // ... and its velocity
  want13[50] = 0x3C;  // key of packet 1, over the delta's second byte ...
  want13[52] = 0x3C;  // ... and the note off's key
  want13[44] = 0x40;  // bend of packet 1
  EXPECT_EQ(Split(bytes).Split13, want13);
}

TEST(Split, LeavesOutEditsThatWouldFallOutsideTheImage) {
  const Bytes ends = Melody({P1});
  const struct {
    const char* name;
    Bytes tail;
    std::vector<std::pair<Offset, std::uint8_t>> split13Edits;
  } rows[] = {
      {"note on as the last byte", {0xE0, 0x00, 0x50, 0x00, 0x90}, {{43, 0x00}, {44, 0x40}}},
      {"note on with its key last",
       {0xE0, 0x00, 0x50, 0x00, 0x90, 0x3E},
       {{43, 0x00}, {44, 0x40}, {47, 0x3C}}},
      {"bend as the last byte", {0xE0}, {}},
      {"bend with its LSB last", {0xE0, 0x11}, {{43, 0x00}}},
  };
  for (const auto& row : rows) {
    Bytes bytes(ends.begin(), ends.end() - 3);  // the packet of P1, no end of track
    bytes.insert(bytes.end(), row.tail.begin(), row.tail.end());
    Bytes want13 = bytes;
    for (const auto& [at, value] : row.split13Edits) want13[at] = value;
    EXPECT_EQ(Split(bytes).Split13, want13) << row.name;
  }
}

TEST(Split, EarlierBuildPutsTheHOfMThdBackIntoTheOddFile) {
  Bytes bytes = Melody({P1, P2});
  bytes[2] = 'x';
  for (Build build : {Build::Tessaro5Vu, Build::Tessaro5, Build::Lumbric5}) {
    const SplitCopies copies = Split(bytes, build);
    EXPECT_EQ(copies.Split13[2], build == Build::Tessaro5 ? 'h' : 'x') << static_cast<int>(build);
    EXPECT_EQ(copies.Split24[2], 'x') << static_cast<int>(build);
  }
}

std::vector<std::string> Files(const ScratchFolder& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST(MidiYaz, WritesBothFilesTellingEachPairStep) {
  SongFolder run(Melody({P1, P2, P3, P4}));
  run.folder.Write("song_13.mid", Bytes(500, 0x55));  // an older, longer file leaves no tail
  test::RecordingProgress progress;
  const StartOutcome outcome = run.tool.MidiYaz(progress);
  EXPECT_EQ(outcome.kind, StartOutcome::Kind::Written);
  EXPECT_EQ(outcome.packets, 4);
  EXPECT_EQ(FirstChannelEvents(run.folder.Read("song_13.mid")),
            Join({Sounding(P1), Silent(P1), Sounding(P3), Silent(P3)}));
  EXPECT_EQ(FirstChannelEvents(run.folder.Read("song_24.mid")),
            Join({Silent(P1), Sounding(P2), Silent(P2), Sounding(P4)}));
  EXPECT_EQ(run.folder.Read("song_13.mid").size(), run.tool.image().MidiBytes.size());
  EXPECT_EQ(progress.steps, (std::vector<std::int32_t>{1, 3}));

  // The odd file split again: its odd packets sound already, its even ones repeat them.
  ASSERT_EQ(run.tool.LoadImage("song_13").kind, LoadOutcome::Kind::Loaded);
  run.tool.MidiYaz();
  EXPECT_EQ(run.folder.Read("song_13_13.mid"), run.folder.Read("song_13.mid"));
  EXPECT_EQ(FirstChannelEvents(run.folder.Read("song_13_24.mid")),
            Join({Silent(P1), Silent(P1), Silent(P1), Silent(P3)}));
}

// Failed saves are the file layer's test (files_test.cpp).
TEST(MidiYaz, LeavesTheFolderAsItWasWhenItCannotSplit) {
  // Older split files stand in the folder.
  const struct {
    const char* name;
    Bytes song;
    int stepsBeforeClose;
    std::vector<std::string> messages;
  } rows[] = {
      {"no packet", Melody(std::vector<Bytes>{}), INT32_MAX, {"Dosyada bölünecek paket bulunamadı."}},
      {"window closed during the split", Melody({P1, P2, P3, P4, P5, P1}), 1, {}},
  };
  for (const auto& row : rows) {
    SongFolder run(row.song);
    test::RecordingProgress progress;
    progress.stepsBeforeClose = row.stepsBeforeClose;
    run.folder.Write("song_13.mid", {'o', 'l', 'd'});
    run.folder.Write("song_24.mid", {'o', 'l', 'd'});
    const std::vector<std::string> before = Files(run.folder);
    const StartOutcome outcome = run.tool.MidiYaz(progress);
    EXPECT_EQ(messages::Of(outcome), row.messages) << row.name;
    EXPECT_NE(outcome.kind, StartOutcome::Kind::Written) << row.name;
    EXPECT_EQ(Files(run.folder), before) << row.name;
    for (const char* name : {"song_13.mid", "song_24.mid"}) {
      EXPECT_EQ(run.folder.Read(name), (Bytes{'o', 'l', 'd'})) << row.name << ": " << name;
    }
  }
}

}  // namespace
}  // namespace midi
