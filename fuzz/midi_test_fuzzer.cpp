// TEST on any file, in the three builds.

#include "midi_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  for (const midi::Build build : fuzz::kBuilds) {
    fuzz::CountingWindow window;
    midi::MidiTool tool(window, build, fuzz::Folder());
    if (!fuzz::LoadInput(tool, data, size)) continue;
    tool.TestEt();
    fuzz::Require(window.busyDepth == 0);
  }
  return 0;
}
