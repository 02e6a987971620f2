// Start's split of any file, in memory, in the three builds: the pair steps are
// told in order and nothing goes on after the window closes (an odd
// first byte closes it); both copies are as long as the input and differ from
// it only in the bytes that the packets name.

#include <vector>

#include "midi/split.h"
#include "midi_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;  // an empty file is never loaded
  const midi::MidiImage image = fuzz::ImageOf(data, size);
  const midi::PacketTable table = midi::ScanPackets(image);

  for (const midi::Build build : fuzz::kBuilds) {
    fuzz::ClosingProgress progress;
    fuzz::CloseAtStepNamedBy(progress, data, size);
    const std::optional<midi::SplitCopies> copies =
        midi::SplitImage(image, table, build, [&](std::int32_t k) { return progress.PairStepDone(k); });
    const int pairSteps = static_cast<int>(table.size() / 2);
    const bool closes = progress.closeAtStep > 0 && progress.closeAtStep <= pairSteps;
    fuzz::Require(copies.has_value() != closes);
    fuzz::Require(progress.steps == (closes ? progress.closeAtStep : pairSteps));
    if (!copies) continue;
    fuzz::Require(copies->Split13.size() == size && copies->Split24.size() == size);

    // The bytes the edits may touch: a packet's velocities, and in the current
    // build its keys and bend data; the earlier build's h of MThd. Every other
    // byte is the input's.
    std::vector<std::uint8_t> expect13(data, data + size);
    std::vector<std::uint8_t> expect24 = expect13;
    const auto name = [&](midi::Offset offset) {
      if (offset < 0 || static_cast<std::size_t>(offset) >= size) return;
      const auto at = static_cast<std::size_t>(offset);
      expect13[at] = copies->Split13[at];
      expect24[at] = copies->Split24[at];
    };
    const bool carries = build == midi::Build::Tessaro5Vu;
    for (const midi::Packet& packet : table) {
      for (const midi::Offset event : {packet.NoteOnPos, packet.NoteOffPos}) {
        if (event == midi::kNoEvent) continue;
        name(event + 2);
        if (carries) name(event + 1);
      }
      if (carries) {
        name(packet.BendPos + 1);
        name(packet.BendPos + 2);
      }
    }
    if (build == midi::Build::Tessaro5) name(2);
    fuzz::Require(copies->Split13 == expect13 && copies->Split24 == expect24);
  }
  return 0;
}
