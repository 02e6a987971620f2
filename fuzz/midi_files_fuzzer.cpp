// to TXT and Start through the folder, in the build the last input byte picks,
// with a write or a rename of the saves failing where that byte says, and older
// output files in the folder when the first byte's second bit is set. The report
// saved is the one made in memory, byte for byte; a report not saved is told
// and leaves none. Start leaves both new files, the split made in memory, or the
// older ones as they were; a closed window writes nothing. No temporary file
// stays.

#include <optional>
#include <string>

#include "midi/files.h"
#include "midi/messages.h"
#include "midi/report.h"
#include "midi/split.h"
#include "midi_fuzz.h"

namespace {

using midi::test::Bytes;

const Bytes kOld = {'o', 'l', 'd'};

// The folder of this process, emptied before each input.
const midi::test::ScratchFolder& Folder() {
  static const midi::test::ScratchFolder folder;
  return folder;
}

bool Exists(const std::string& name) { return std::filesystem::exists(Folder().path() / name); }

Bytes AsBytes(const std::string& text) { return {text.begin(), text.end()}; }

// No temporary file of a save may stay behind: the folder holds the input and
// the outputs, nothing else.
void RequireNoTemporaries() {
  for (const std::string& name : Folder().Names()) {
    fuzz::Require(name == "song.mid" || name == "song.txt" || name == "song_13.mid" || name == "song_24.mid");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;  // an empty file is never loaded
  const std::uint8_t faults = data[size - 1];
  const midi::Build build = fuzz::kBuilds[faults % 3];
  const bool older = (data[0] & 2) != 0;
  const midi::test::ScratchFolder& folder = Folder();
  for (const std::string& name : folder.Names()) std::filesystem::remove(folder.path() / name);
  folder.Write("song.mid", Bytes(data, data + size));
  midi::MidiTool tool(build, folder.path());
  tool.DecimalSeparator = ',';
  fuzz::Require(tool.LoadImage("song").kind == midi::LoadOutcome::Kind::Loaded);
  if (older) {
    for (const char* name : {"song.txt", "song_13.mid", "song_24.mid"}) folder.Write(name, kOld);
  }

  // The report as made in memory.
  midi::MidiImage image = fuzz::ImageOf(data, size);
  image.MidiFileName = "song.txt";
  std::string report;
  midi::StringSink memory(report);
  midi::Pos ScanPos = 0;
  midi::WalkOutcome walk;
  midi::DumpReport(image, ScanPos, build, ',', memory, walk);

  midi::TxtOutcome txt;
  {
    midi::FileFaults fail;
    fail.failingWrite = (faults >> 2) & 3;
    fail.failingRename = (faults >> 4) & 1;
    txt = tool.TxtYaz();
    fuzz::Require(!Exists("song.txt") || folder.Read("song.txt") == kOld);  // nothing new before the save
    tool.SaveReport(txt);
  }
  fuzz::Require(txt.reportSize == report.size());
  const midi::messages::Messages after = midi::messages::AfterSave(txt);
  const bool refused = !after.empty() && after.back() == midi::messages::CannotWrite("song.txt");
  fuzz::Require(txt.written != refused);
  fuzz::Require(txt.written ? folder.Read("song.txt") == AsBytes(report) : !Exists("song.txt"));
  RequireNoTemporaries();

  const midi::PacketTable table = midi::ScanPackets(image);
  const std::optional<midi::SplitCopies> copies =
      midi::SplitImage(image, table, build, [](std::int32_t) { return true; });
  fuzz::ClosingProgress progress;
  fuzz::CloseAtStepNamedBy(progress, data, size);
  midi::StartOutcome start;
  {
    midi::FileFaults fail;
    fail.failingWrite = (faults >> 5) & 3;
    fail.failingRename = faults >> 7 != 0 ? 1 + data[0] % 4 : 0;
    start = tool.MidiYaz(progress);
  }
  const bool written = start.kind == midi::StartOutcome::Kind::Written;
  const bool closed = start.kind == midi::StartOutcome::Kind::Closed;
  fuzz::Require(midi::messages::Of(start).empty() == (written || closed));  // a failure is told
  fuzz::Require(!closed || progress.steps == progress.closeAtStep);
  for (const auto& [name, copy] : {std::pair{"song_13.mid", &midi::SplitCopies::Split13},
                                   std::pair{"song_24.mid", &midi::SplitCopies::Split24}}) {
    if (written) {
      fuzz::Require(copies && folder.Read(name) == (*copies).*copy);
    } else {
      fuzz::Require(older ? folder.Read(name) == kOld : !Exists(name));
    }
  }
  RequireNoTemporaries();
  return 0;
}
