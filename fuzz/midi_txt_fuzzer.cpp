// to TXT on any file, in the three builds: a report is always left in place
// (a partial one when the walk stopped), or none with the write message.

#include "midi/messages.h"
#include "midi_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  for (const midi::Build build : fuzz::kBuilds) {
    fuzz::CountingWindow window;
    midi::MidiTool tool(window, build, fuzz::Folder());
    if (!fuzz::LoadInput(tool, data, size)) continue;
    tool.TxtYaz();
    fuzz::Require(window.busyDepth == 0);
    const bool written = fuzz::Exists("song.txt");
    const bool refused = !window.messages.empty() && window.messages.back() == midi::messages::CannotWrite("song.txt");
    fuzz::Require(written != refused);
    fuzz::RequireNoTemporaries();
  }
  return 0;
}
