#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "midi/build.h"
#include "midi/image.h"

namespace midi {

// 0-based index into MidiBytes. 32-bit, like the walk's positions, so that files
// longer than 32767 bytes are split too.
using Offset = std::int32_t;

// Marks an event a packet does not have. Packets are looked for from offset 30
// on, so no event of a packet can stand at offset 0.
inline constexpr Offset kNoEvent = 0;

// The first offset the packet scan examines: the header chunk, the track chunk's
// tag and length and the first 8 bytes of the track's events come before it.
inline constexpr Offset kFirstScannedOffset = 30;

// One note of the melody: a pitch bend on the first channel and the last note on
// and note off that follow it before the next pitch bend.
struct Packet {
  Offset BendPos = kNoEvent;     // status byte 0xE0; LSB at + 1, MSB at + 2
  Offset NoteOnPos = kNoEvent;   // status byte 0x90; key at + 1, velocity at + 2
  Offset NoteOffPos = kNoEvent;  // status byte 0x80; key at + 1, velocity at + 2

  friend bool operator==(const Packet&, const Packet&) = default;
};

// The packets of an image in order: entry k - 1 holds packet k (its PacketIndex).
using PacketTable = std::vector<Packet>;

// Finds the packets by byte value alone, wherever a byte stands. A note on or
// note off before the first pitch bend belongs to no packet and is ignored.
PacketTable ScanPackets(const MidiImage& image);

// The two copies of the image that the split edits and writes out whole.
struct SplitCopies {
  std::vector<std::uint8_t> Split13;  // odd packets sound
  std::vector<std::uint8_t> Split24;  // even packets sound
};

// The pair step of the odd packet k (k + 1 must exist): silences packet k in
// Split24 and packet k + 1 in Split13; in the current build the silenced packets
// also take the key and bend of the packet before them, each copy read from
// itself. The edits of an event a packet lacks, and edits that would fall outside
// the copy, are left out.
void PairStep(SplitCopies& copies, const PacketTable& table, std::int32_t k, Build build);

// Called after every pair step with its k; returning false stops the split.
using AfterPairStep = std::function<bool(std::int32_t k)>;

// Makes both copies of `image`: every pair step in order, then the silencing of
// a last odd packet in Split24, then the earlier build's byte-2 mark. Empty when
// `afterPairStep` stopped it.
std::optional<SplitCopies> SplitImage(const MidiImage& image, const PacketTable& table, Build build,
                                      const AfterPairStep& afterPairStep);

}  // namespace midi
