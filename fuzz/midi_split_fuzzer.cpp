// Start on any file, in the three builds: either both split files, each as long
// as the input, or neither. The first input byte, when odd, closes the window
// during the split, which must then write nothing.

#include "midi_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  for (const midi::Build build : fuzz::kBuilds) {
    fuzz::CountingWindow window;
    if (size > 0 && (data[0] & 1) != 0) window.closeAtPump = 1 + data[0] / 2;
    midi::MidiTool tool(window, build, fuzz::Folder());
    if (!fuzz::LoadInput(tool, data, size)) continue;
    tool.MidiYaz();
    const bool both = fuzz::SizeOf("song_13.mid") == size && fuzz::SizeOf("song_24.mid") == size;
    const bool neither = !fuzz::Exists("song_13.mid") && !fuzz::Exists("song_24.mid");
    fuzz::Require(both || neither);
    fuzz::Require(!both || window.messages.empty());
    if (window.pumps >= window.closeAtPump && window.closeAtPump > 0) fuzz::Require(neither);
    fuzz::RequireNoTemporaries();
  }
  return 0;
}
