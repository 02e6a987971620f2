#include "midi/split.h"

#include <gtest/gtest.h>

#include "midi/messages.h"
#include "support.h"

namespace midi::test {

constexpr Note P1{0x3C, 0x00, 0x40}, P2{0x3E, 0x00, 0x50}, P3{0x40, 0x00, 0x30}, P4{0x41, 0x00, 0x48},
    P5{0x43, 0x00, 0x20};

// A packet as it sounds, and silenced: its note on's and note off's velocities 0.
Bytes On(Note n) { return PacketOf(n); }
Bytes Off(Note n) {
  Bytes packet = PacketOf(n);
  packet[6] = packet[10] = 0;
  return packet;
}

SplitCopies Split(const Bytes& bytes, Build build) {
  const MidiImage image = ImageOf(bytes);
  return *SplitImage(image, ScanPackets(image), build, [](std::int32_t) { return true; });
}

TEST(Split, SoundsOddPacketsInOneFileAndEvenOnesInTheOther) {
  Bytes longText = {0xFF, 0x01, 0x82, 0xB8, 0x40};  // a 40000-byte text event
  longText.resize(longText.size() + 40000, 'a');
  longText.push_back(0x00);
  const Bytes deltaOf0x90 = {0xE0, 0x00, 0x50, 0x00, 0x90, 0x3E, 0x64, 0x90, 0x00, 0x80, 0x3E, 0x40, 0x00};
  using Parts = std::vector<Bytes>;
  const Bytes noBend = {0xE0, 0x00, 0x40, 0x00, 0x80, 0x3C, 0x40, 0x00};
  const Bytes noNoteOff = {0xE0, 0x00, 0x50, 0x00, 0x90, 0x3E, 0x64, 0x00};
  const Bytes keys3C3B = {0xE0, 0x00, 0x40, 0x00, 0x90, 0x3C, 0x64, 0x60, 0x80, 0x3B, 0x40, 0x00};
  const struct {
    const char* name;
    Parts file;
    Build build;
    Parts split13, split24;
  } rows[] = {
      // clang-format off
      {"one packet", {On(P1)}, Build::Tessaro5Vu, {On(P1)}, {Off(P1)}},
      {"odd count: the last packet is silenced after taking its predecessor's pitch",
       {On(P1), On(P2), On(P3), On(P4), On(P5)}, Build::Tessaro5Vu,
       {On(P1), Off(P1), On(P3), Off(P3), On(P5)}, {Off(P1), On(P2), Off(P2), On(P4), Off(P4)}},
      {"earlier build only silences", {On(P1), On(P2), On(P3), On(P4), On(P5)}, Build::Tessaro5,
       {On(P1), Off(P2), On(P3), Off(P4), On(P5)}, {Off(P1), On(P2), Off(P3), On(P4), Off(P5)}},
      {"a note before the first bend belongs to no packet", {{0x90, 0x3C, 0x64, 0x00}, On(P1)}, Build::Tessaro5Vu,
       {{0x90, 0x3C, 0x64, 0x00}, On(P1)}, {{0x90, 0x3C, 0x64, 0x00}, Off(P1)}},
      {"positions beyond 32767", {longText, On(P1), On(P2)}, Build::Tessaro5Vu,
       {longText, On(P1), Off(P1)}, {longText, Off(P1), On(P2)}},
      {"a packet without a note on gives no key and takes none into the header", {noBend, On(P2)},
       Build::Tessaro5Vu, {noBend, Off({0x3E, 0x00, 0x40})}, {{0xE0, 0x00, 0x40, 0x00, 0x80, 0x3C, 0x00, 0x00}, On(P2)}},
      {"a packet without a note off", {On(P1), noNoteOff}, Build::Tessaro5Vu,
       {On(P1), {0xE0, 0x00, 0x40, 0x00, 0x90, 0x3C, 0x00, 0x00}}, {Off(P1), noNoteOff}},
      {"the key carried is the note on's, into both events", {keys3C3B, On(P2)}, Build::Tessaro5Vu,
       {keys3C3B, Off(P1)}, {{0xE0, 0x00, 0x40, 0x00, 0x90, 0x3C, 0x00, 0x60, 0x80, 0x3B, 0x00, 0x00}, On(P2)}},
      {"a delta byte of 0x90 is the packet's note on; the note off's status byte its velocity",
       {On(P1), deltaOf0x90}, Build::Tessaro5Vu,
       {On(P1), {0xE0, 0x00, 0x40, 0x00, 0x90, 0x3E, 0x64, 0x90, 0x3C, 0x00, 0x3C, 0x00, 0x00}},
       {Off(P1), deltaOf0x90}},
      // clang-format on
  };
  for (const auto& row : rows) {
    const SplitCopies copies = Split(Melody(row.file), row.build);
    EXPECT_EQ(copies.Split13, Melody(row.split13)) << row.name;
    EXPECT_EQ(copies.Split24, Melody(row.split24)) << row.name;
  }
}

TEST(Split, LeavesOutEditsThatWouldFallOutsideTheImageAndKeepsTheHeader) {
  const Bytes p1 = Melody({P1});
  const std::pair<Bytes, std::vector<std::pair<Offset, std::uint8_t>>> rows[] = {
      {{0xE0, 0x00, 0x50, 0x00, 0x90}, {{43, 0x00}, {44, 0x40}}},  // note on as the last byte
      {{0xE0, 0x11}, {{43, 0x00}}},                                // bend with its LSB last
  };
  for (const auto& [tail, edits] : rows) {
    Bytes bytes(p1.begin(), p1.end() - 3);  // the packet of P1, no end of track
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    Bytes want13 = bytes;
    for (const auto& [at, value] : edits) want13[at] = value;
    EXPECT_EQ(Split(bytes, Build::Tessaro5Vu).Split13, want13) << tail.size();
  }
  // A pitch bend just past the end of the image is none of its packets: it stays
  // in the bytes' storage, beyond their size, where a scan one byte too far reads it.
  Bytes twoPackets = Melody({P1, P2});
  twoPackets.push_back(0xE0);
  twoPackets.pop_back();
  EXPECT_EQ(ScanPackets(ImageOf(std::move(twoPackets))).size(), 2u);
  // Tessaro5 alone puts the h of MThd back into the odd file.
  Bytes bytes = Melody({P1, P2});
  bytes[2] = 'x';
  for (const Build build : {Build::Tessaro5Vu, Build::Tessaro5, Build::Lumbric5}) {
    EXPECT_EQ(Split(bytes, build).Split13[2], build == Build::Tessaro5 ? 'h' : 'x')
        << static_cast<int>(build);
    EXPECT_EQ(Split(bytes, build).Split24[2], 'x') << static_cast<int>(build);
  }
}

// The worked example: four packets, two pair steps. A closing window and failed
// saves are the file layer's fuzz target's and test's.
TEST(MidiYaz, WritesBothFilesTellingEachPairStep) {
  SongFolder run(Melody({P1, P2, P3, P4}));
  run.folder.Write("song_13.mid", Bytes(500, 0x55));  // an older, longer file leaves no tail
  RecordingProgress progress;
  EXPECT_EQ(run.tool.MidiYaz(progress).kind, StartOutcome::Kind::Written);
  EXPECT_EQ(run.folder.Read("song_13.mid"), Melody({On(P1), Off(P1), On(P3), Off(P3)}));
  EXPECT_EQ(run.folder.Read("song_24.mid"), Melody({Off(P1), On(P2), Off(P2), On(P4)}));
  EXPECT_EQ(progress.steps, (std::vector<std::int32_t>{1, 3}));

  SongFolder none(Melody(std::vector<Bytes>{}));
  none.folder.Write("song_13.mid", {'o', 'l', 'd'});
  EXPECT_EQ(messages::Of(none.tool.MidiYaz()), Messages{"Dosyada bölünecek paket bulunamadı."});
  EXPECT_EQ(none.folder.Names(), (std::set<std::string>{"song.mid", "song_13.mid"}));
}

}  // namespace midi::test
