#include "midi/walk.h"

#include "midi/walk_run.h"

namespace midi {

double BendCents(std::int16_t bend) { return bend / 40.96; }

void EventWalk(const MidiImage& image, Pos& ScanPos, const WalkRules& rules, WalkListener& listener,
               WalkOutcome& outcome) {
  EventWalkWith(image, ScanPos, rules, listener, outcome);
}

}  // namespace midi
