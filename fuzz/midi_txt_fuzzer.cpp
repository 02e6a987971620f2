// to TXT's report of any file, in memory, in the build the last input byte
// picks: its walk meets what TEST's walk meets, the report comes in chunks of
// bounded size, it is headed by its name and every line is ended, and a walk
// that ran through ends it with the summary of its build.

#include <string>
#include <string_view>

#include "midi/codepage.h"
#include "midi/report.h"
#include "midi_fuzz.h"

namespace {

// Keeps only what the checks need: the size, the head and the last bytes.
class CheckingSink : public midi::ByteSink {
 public:
  void Write(std::string_view bytes) override {
    // A chunk is the lines of about kReportChunkBytes, so memory stays bounded.
    fuzz::Require(bytes.size() <= midi::kReportChunkBytes + 256);
    if (head.size() < 64) head.append(bytes.substr(0, 64 - head.size()));
    tail.append(bytes.substr(bytes.size() - std::min<std::size_t>(bytes.size(), 64)));
    if (tail.size() > 64) tail.erase(0, tail.size() - 64);
    size += bytes.size();
  }

  std::string head, tail;
  std::size_t size = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;  // an empty file is never loaded
  const midi::Build build = fuzz::kBuilds[data[size - 1] % 3];
  midi::MidiImage image = fuzz::ImageOf(data, size);
  image.MidiFileName = "song.txt";

  CheckingSink sink;
  midi::Pos ScanPos = 0;
  midi::WalkOutcome walk;
  midi::DumpReport(image, ScanPos, build, ',', sink, walk);

  midi::Pos testScanPos = 0;
  midi::WalkListener silent;
  midi::WalkOutcome test;
  midi::EventWalk(image, testScanPos, midi::WalkRules{.metaEvents = midi::DecodesMetaEvents(build)}, silent,
                  test);
  fuzz::Require(walk.tickWarnings == test.tickWarnings);
  fuzz::Require(walk.stop.has_value() == test.stop.has_value());
  fuzz::Require(!walk.stop ||
                (walk.stop->kind() == test.stop->kind() && walk.stop->position() == test.stop->position()));

  fuzz::Require(sink.head.starts_with("song.txt\r\n\r\n"));
  fuzz::Require(sink.tail.ends_with("\r\n"));
  // The fixed lines, and six lines at most per byte (a note whose delta needs a
  // fourth byte shows its five bytes, then the walk goes on from the byte after
  // its status), none longer than 64 bytes.
  fuzz::Require(sink.size <= 6 * 64 * (size + 64));
  if (!walk.stop) {
    static const std::string summary = midi::Windows1254("Eser süresi = ");
    if (build == midi::Build::Tessaro5Vu) {
      fuzz::Require(sink.tail.ends_with(" dakika\r\n") && sink.tail.find(summary) != std::string::npos);
    } else {
      fuzz::Require(sink.tail.ends_with("\r\n\r\n\r\n"));
    }
  }
  return 0;
}
