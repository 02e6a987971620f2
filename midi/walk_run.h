#pragma once

// The walk itself, shared by EventWalk and the text dump. The dump runs it with
// its own writer as the listener, whose calls then need no dispatch through
// WalkListener: a report makes a call for every byte of the file.

#include "midi/walk.h"

namespace midi {
namespace walk_detail {

inline constexpr Pos kHeaderEnd = 22;
inline constexpr std::int32_t kSetTempo = 0x51;

// One run of the walk: the rules of the event kinds it decodes.
template <class Listener>
class Walk {
 public:
  Walk(const MidiImage& image, Pos& scanPos, const WalkRules& rules, Listener& listener, WalkOutcome& outcome)
      : image_(image), ScanPos(scanPos), rules_(rules), listener_(listener), outcome_(outcome) {}

  void Run() {
    try {
      Events();
    } catch (const ReadFailure& failure) {
      outcome_.stop = failure;
    }
  }

 private:
  void Events() {
    Header();
    TickTotal = 0;
    const Pos bound = image_.FileLength();
    for (ScanPos = kHeaderEnd + 1; ScanPos <= bound; ++ScanPos) {
      const Pos p = ScanPos;
      const FetchedByte byte = Fetch(p);
      listener_.Examined(p, byte);
      if (byte.value != 0) {
        std::int16_t Msb = 0;
        std::int16_t Lsb = 0;
        Nibblize(byte.value, Msb, Lsb);
        if ((Msb == 8 || Msb == 9) && Lsb == 0) {
          NoteEvent(p, byte.value);
        } else if (Msb == 14 && Lsb == 0) {
          BendRule(p);
        } else if (Msb == 15 && Lsb == 15 && rules_.metaEvents) {
          TempoRule(p);
        }
      }
      listener_.StepEnd(p);
    }
  }

  FetchedByte Fetch(Pos p) const { return ByteFetch(image_, p); }

  void Header() {
    for (ScanPos = 1; ScanPos <= kHeaderEnd; ++ScanPos) {
      listener_.HeaderByte(ScanPos, Fetch(ScanPos));
      if (ScanPos == 14) listener_.TicksPerQuarter(BigEndianNumber(image_, 13, 2));
    }
    listener_.TrackLength(BigEndianNumber(image_, 19, 4));
  }

  // Note On and Note Off: pitch, velocity, then the delta time that follows.
  void NoteEvent(Pos p, std::int32_t status) {
    listener_.Pitch(p + 1, Fetch(p + 1));
    listener_.Velocity(p + 2, Fetch(p + 2));
    DeltaTime(p, status);
  }

  // A variable-length delta of at most three bytes; a fourth byte is not decoded.
  void DeltaTime(Pos p, std::int32_t status) {
    const FetchedByte b3 = Fetch(p + 3);
    if (b3.value < 128) {
      std::int32_t delta = b3.value;
      if (rules_.noteOffFloor && status == 0x80 && delta == 0) delta = 1;
      Count(p, p + 3, b3, delta);
      return;
    }
    listener_.DeltaByte(p + 3, b3, 0);
    const FetchedByte b4 = Fetch(p + 4);
    if (b4.value < 128) {
      Count(p, p + 4, b4, (b3.value - 128) * 128 + b4.value);
      return;
    }
    listener_.DeltaByte(p + 4, b4, 1);
    const FetchedByte b5 = Fetch(p + 5);
    if (b5.value < 128) {
      Count(p, p + 5, b5, (b3.value - 128) * 16384 + (b4.value - 128) * 128 + b5.value);
      return;
    }
    outcome_.tickWarnings.push_back(p);
    ScanPos = p;
  }

  void Count(Pos status, Pos last, const FetchedByte& lastByte, std::int32_t delta) {
    listener_.Delta(last, lastByte, delta);
    TickTotal = CheckedAdd(TickTotal, delta, status);
    ScanPos = last;
  }

  void BendRule(Pos p) {
    const FetchedByte lsb = Fetch(p + 1);
    listener_.BendLsb(p + 1, lsb);
    const FetchedByte msb = Fetch(p + 2);
    // MSB × 128 + LSB is formed in 16 bits; only data bytes above 127 can pass that.
    const std::int16_t raw = CheckedNarrow16(msb.value * 128 + lsb.value, p);
    const auto bend = static_cast<std::int16_t>(raw - 8192);
    listener_.BendMsb(p + 2, msb, bend, BendCents(bend));
    ScanPos = p + 2;
  }

  // Meta events move the walk six bytes whatever their real length (MetaSkip);
  // only Set Tempo is decoded.
  void TempoRule(Pos p) {
    const FetchedByte type = Fetch(p + 1);
    listener_.MetaType(p + 1, type);
    if (type.value == kSetTempo) {
      listener_.MetaLength(p + 2, Fetch(p + 2));
      for (int k = 0; k < 3; ++k) listener_.TempoByte(p + 3 + k, Fetch(p + 3 + k), 2 - k);
      const std::int32_t tempo = BigEndianNumber(image_, p + 3, 3);
      listener_.Tempo(tempo);
      if (tempo == 0) throw ReadFailure(ReadFailure::Kind::ZeroTempo, p);
      listener_.Metronome(60000000.0 / tempo);
    }
    ScanPos = p + 5;
  }

  const MidiImage& image_;
  Pos& ScanPos;
  const WalkRules& rules_;
  Listener& listener_;
  WalkOutcome& outcome_;
  std::int32_t& TickTotal = outcome_.tickTotal;
};

}  // namespace walk_detail

// EventWalk with a listener known when compiling: the same walk, the same
// calls in the same order.
template <class Listener>
void EventWalkWith(const MidiImage& image, Pos& ScanPos, const WalkRules& rules, Listener& listener,
                   WalkOutcome& outcome) {
  walk_detail::Walk<Listener>(image, ScanPos, rules, listener, outcome).Run();
}

}  // namespace midi
