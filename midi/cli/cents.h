#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "midi/image.h"
#include "midi/split.h"

// The cents command: the melody of an image as a source table of the finder.
namespace midi::cli {

// A packet that gives no line, and why.
struct SkippedPacket {
  enum class Why {
    NoNoteOn,    // the packet has no note on, so neither key nor duration
    Unreadable,  // its bend, key or duration runs past the end of the file, or
                 // the duration is longer than a MIDI delta time's four bytes
  };
  std::int32_t number;  // the packet's number, from 1
  Why why;
};

struct CentTable {
  std::string text;  // one line "cent,ticks" per packet, CR LF
  std::int32_t rows = 0;
  std::vector<SkippedPacket> skipped;
};

// One line per packet of `packets` (as ScanPackets finds them in `image`): the
// note on's key modulo 12 times 100 plus the packet's bend in cents, folded into
// 0 to below 1200 and written with four decimals after a period, a comma, and
// the delta time after the note on in ticks.
CentTable CentTableOf(const MidiImage& image, const PacketTable& packets);

}  // namespace midi::cli
