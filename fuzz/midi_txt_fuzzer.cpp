// to TXT on any file, in the three builds: a report is always left in place
// (a partial one when the walk stopped), or none with the write message. The
// report saved is the one made, and its every line is ended.

#include "midi/messages.h"
#include "midi_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  for (const midi::Build build : fuzz::kBuilds) {
    midi::MidiTool tool(build, fuzz::Folder());
    if (!fuzz::LoadInput(tool, data, size)) continue;
    midi::TxtOutcome outcome = tool.TxtYaz();
    fuzz::Require(outcome.made && outcome.report.ends_with("\r\n"));
    tool.SaveReport(outcome);
    const bool written = fuzz::Exists("song.txt");
    const midi::messages::Messages after = midi::messages::AfterSave(outcome);
    const bool refused = !after.empty() && after.back() == midi::messages::CannotWrite("song.txt");
    fuzz::Require(written == outcome.written && written != refused);
    fuzz::Require(!written || fuzz::SizeOf("song.txt") == outcome.report.size());
    fuzz::RequireNoTemporaries();
  }
  return 0;
}
