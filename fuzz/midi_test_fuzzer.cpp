// TEST's walk on any file, in memory, by the rules of the current build and of
// the earlier two (which walk alike): it never reads outside the image; a walk
// that did not stop went past the last byte, one that stopped names a position
// past the end (a cut) or inside the image (a number); every warning stands on
// a note event, in order; TEST tells each warning, then the stop.

#include <cstdint>

#include "midi/messages.h"
#include "midi/walk.h"
#include "midi_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const midi::MidiImage image = fuzz::ImageOf(data, size);
  const auto length = static_cast<midi::Pos>(size);
  for (const bool metaEvents : {true, false}) {
    midi::Pos ScanPos = 0;
    midi::WalkListener silent;
    midi::TestOutcome test{.loaded = true, .walk = {}};
    midi::EventWalk(image, ScanPos, midi::WalkRules{.metaEvents = metaEvents}, silent, test.walk);
    const midi::WalkOutcome& walk = test.walk;
    if (!walk.stop) {
      fuzz::Require(ScanPos > length);
    } else if (walk.stop->kind() == midi::ReadFailure::Kind::Truncated) {
      fuzz::Require(walk.stop->position() > length);
    } else {
      fuzz::Require(walk.stop->position() >= 1 && walk.stop->position() <= length);
    }
    midi::Pos last = 0;
    for (const midi::Pos p : walk.tickWarnings) {
      const std::int32_t status = midi::ByteFetch(image, p).value;
      fuzz::Require(p > last && (status == 0x80 || status == 0x90));
      last = p;
    }
    const midi::messages::Messages shown = midi::messages::Of(test);
    fuzz::Require(shown.size() == walk.tickWarnings.size() + (walk.stop ? 1 : 0));
  }
  return 0;
}
