#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "midi/failure.h"
#include "midi/image.h"

namespace midi {

// Which of the walk's rules are on. The scanner and the text dump share one walk;
// they differ only here.
struct WalkRules {
  bool metaEvents = true;     // decode 0xFF (type, and a Set Tempo's tempo)
  bool noteOffFloor = false;  // count a one-byte delta of 0 after a Note Off as 1
};

// What the walk decodes, told byte by byte in the order the bytes are read, so
// that a listener that prints has printed everything before the byte at which a
// walk stops. Every member does nothing unless overridden.
class WalkListener {
 public:
  virtual ~WalkListener() = default;

  // The fixed header, positions 1 .. 22, each once in order.
  virtual void HeaderByte(Pos, const FetchedByte&) {}
  virtual void TicksPerQuarter(std::int32_t) {}  // right after position 14
  virtual void TrackLength(std::int32_t) {}      // right after position 22

  // A byte of the walk's own step, from position 23 on, before its rule runs.
  virtual void Examined(Pos, const FetchedByte&) {}
  // The rule of the byte last examined is done; the walk takes its step of one.
  virtual void StepEnd(Pos) {}

  // Note On / Note Off on the first channel.
  virtual void Pitch(Pos, const FetchedByte&) {}
  virtual void Velocity(Pos, const FetchedByte&) {}
  // A delta byte that is not the last one; index 0 for the first, 1 for the second.
  virtual void DeltaByte(Pos, const FetchedByte&, int /*index*/) {}
  // The last delta byte, with the delta as counted into the tick total.
  virtual void Delta(Pos, const FetchedByte&, std::int32_t /*delta*/) {}

  // Pitch bend on the first channel.
  virtual void BendLsb(Pos, const FetchedByte&) {}
  virtual void BendMsb(Pos, const FetchedByte&, std::int16_t /*bend*/, double /*cents*/) {}

  // Meta event (0xFF), current build only.
  virtual void MetaType(Pos, const FetchedByte&) {}
  virtual void MetaLength(Pos, const FetchedByte&) {}  // Set Tempo only
  // A Set Tempo byte, with its power of 256 (2, 1, 0).
  virtual void TempoByte(Pos, const FetchedByte&, int /*exponent*/) {}
  virtual void Tempo(std::int32_t /*microsecondsPerQuarter*/) {}
  virtual void Metronome(double /*quarterNotesPerMinute*/) {}
};

// What a walk met besides what it told its listener.
struct WalkOutcome {
  // The note events whose delta time would need a fourth byte, by the position
  // of their status byte, in the order met; the walk goes on after each.
  std::vector<Pos> tickWarnings;
  // Why the walk stopped before the end: the file ends early, a tempo is 0 or a
  // number passes its width.
  std::optional<ReadFailure> stop;
  std::int32_t tickTotal = 0;  // the sum of the deltas counted; whole only without a stop
};

// Walks the image from position 1 to its end as TEST and to TXT do, moving
// `ScanPos`. What it meets goes into `outcome` as it is met, so that an
// exception of the listener's leaves there what came before it.
void EventWalk(const MidiImage& image, Pos& ScanPos, const WalkRules& rules, WalkListener& listener,
               WalkOutcome& outcome);

// The bend of a pitch-bend event in cents: the 14-bit range maps to -200 .. +199.98.
double BendCents(std::int16_t bend);

}  // namespace midi
