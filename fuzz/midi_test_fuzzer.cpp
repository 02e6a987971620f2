// TEST's walk on any file, in the three builds, in memory: it never reads
// outside the image; a walk that did not stop went past the last byte, and
// every warning stands on a note event, in order.

#include <cstdint>

#include "midi/walk.h"
#include "midi_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  midi::MidiImage image;
  image.MidiBytes.assign(data, data + size);
  for (const midi::Build build : fuzz::kBuilds) {
    midi::Pos ScanPos = 0;
    midi::WalkListener silent;
    midi::WalkOutcome walk;
    midi::EventWalk(image, ScanPos, midi::WalkRules{.metaEvents = midi::DecodesMetaEvents(build)}, silent,
                    walk);
    fuzz::Require(walk.stop || ScanPos > image.FileLength());
    midi::Pos last = 0;
    for (const midi::Pos p : walk.tickWarnings) {
      const std::int32_t status = midi::ByteFetch(image, p).value;
      fuzz::Require(p > last && (status == 0x80 || status == 0x90));
      last = p;
    }
  }
  return 0;
}
