// Start on any file, in the three builds: either both split files, each as long
// as the input, or neither. The first input byte, when odd, closes the window
// during the split, which must then write nothing.

#include "midi/messages.h"
#include "midi_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  for (const midi::Build build : fuzz::kBuilds) {
    fuzz::ClosingProgress progress;
    if (size > 0 && (data[0] & 1) != 0) progress.closeAtStep = 1 + data[0] / 2;
    midi::MidiTool tool(build, fuzz::Folder());
    if (!fuzz::LoadInput(tool, data, size)) continue;
    const midi::StartOutcome outcome = tool.MidiYaz(progress);
    const bool both = fuzz::SizeOf("song_13.mid") == size && fuzz::SizeOf("song_24.mid") == size;
    const bool neither = !fuzz::Exists("song_13.mid") && !fuzz::Exists("song_24.mid");
    fuzz::Require(both || neither);
    const bool closed = outcome.kind == midi::StartOutcome::Kind::Closed;
    fuzz::Require(both == (outcome.kind == midi::StartOutcome::Kind::Written));
    fuzz::Require(midi::messages::Of(outcome).empty() == (both || closed));  // a failure is told
    if (progress.steps >= progress.closeAtStep && progress.closeAtStep > 0) fuzz::Require(closed && neither);
    fuzz::RequireNoTemporaries();
  }
  return 0;
}
