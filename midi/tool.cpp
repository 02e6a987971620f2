#include "midi/tool.h"

#include <memory>
#include <new>
#include <optional>
#include <string>
#include <utility>

#include "midi/files.h"
#include "midi/report.h"
#include "midi/split.h"
#include "midi/walk.h"

namespace midi {
namespace {

std::string_view AsText(const std::vector<std::uint8_t>& bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// Nobody to tell: the split runs to its end.
class Unwatched : public StartProgress {
 public:
  bool PairStepDone(std::int32_t) override { return true; }
};

}  // namespace

MidiTool::MidiTool(Build build, std::filesystem::path folder) : build_(build), folder_(std::move(folder)) {}

MidiTool::~MidiTool() = default;

LoadOutcome MidiTool::LoadImage(std::string_view baseName, std::string_view fileName) {
  LoadOutcome outcome{.fileName = std::string(fileName)};
  FileBytes file = ReadWhole(folder_ / fileName, kMaxImageLength);
  switch (file.status) {
    case FileBytes::Status::Read:
      image_.MidiBytes = std::move(file.bytes);
      image_.BaseName = std::string(baseName);
      image_.MidiFileName = std::string(fileName);
      outcome.kind = LoadOutcome::Kind::Loaded;
      break;
    case FileBytes::Status::Empty:
      outcome.kind = LoadOutcome::Kind::Empty;
      break;
    case FileBytes::Status::Unreadable:
      outcome.kind = LoadOutcome::Kind::Unreadable;
      break;
  }
  return outcome;
}

LoadOutcome MidiTool::LoadImage(std::string_view baseName) {
  return LoadImage(baseName, std::string(baseName) + ".mid");
}

TestOutcome MidiTool::TestEt() {
  TestOutcome outcome;
  if (!image_.Loaded()) return outcome;
  outcome.loaded = true;
  WalkListener silent;
  EventWalk(image_, ScanPos, WalkRules{.metaEvents = DecodesMetaEvents(build_)}, silent, outcome.walk);
  return outcome;
}

TxtOutcome MidiTool::TxtYaz() {
  TxtOutcome outcome;
  report_.reset();  // a report made but never saved goes
  if (!image_.Loaded()) return outcome;
  outcome.loaded = true;
  image_.MidiFileName = image_.BaseName + ".txt";
  outcome.name = image_.MidiFileName;
  // Straight into the file, so that memory does not grow with the report. A walk
  // that stopped still leaves its report: it shows where the file goes wrong.
  report_ = std::make_unique<TemporaryFile>(folder_ / outcome.name);
  CountingSink sink(*report_);
  DumpReport(image_, ScanPos, build_, DecimalSeparator, sink, outcome.walk);
  outcome.reportSize = sink.count;
  return outcome;
}

void MidiTool::SaveReport(TxtOutcome& outcome) {
  if (!outcome.loaded) return;
  const std::filesystem::path path = folder_ / outcome.name;
  outcome.written = report_ != nullptr && report_->path() == path && report_->Place();
  report_.reset();
  if (!outcome.written) RemoveFile(path);
}

StartOutcome MidiTool::MidiYaz(StartProgress& progress) {
  StartOutcome outcome;
  if (!image_.Loaded()) return outcome;
  // Taken now: the image is not read again once the first pair step has pumped.
  outcome.name13 = image_.BaseName + "_13.mid";
  outcome.name24 = image_.BaseName + "_24.mid";
  std::optional<SplitCopies> copies;
  try {
    const PacketTable table = ScanPackets(image_);
    outcome.packets = static_cast<std::int32_t>(table.size());
    if (table.empty()) {
      outcome.kind = StartOutcome::Kind::NoPackets;
      return outcome;
    }
    copies = SplitImage(image_, table, build_, [&](std::int32_t k) { return progress.PairStepDone(k); });
  } catch (const std::bad_alloc&) {
    // Two copies of a very large file do not fit in memory; neither is written.
    outcome.kind = StartOutcome::Kind::NotWritten;
    outcome.unwritten = outcome.name13;
    return outcome;
  }
  if (!copies) {
    outcome.kind = StartOutcome::Kind::Closed;
    return outcome;
  }
  const WholeFile files[] = {{folder_ / outcome.name13, AsText(copies->Split13)},
                             {folder_ / outcome.name24, AsText(copies->Split24)}};
  if (const std::optional<std::size_t> failed = SaveAllWhole(files)) {
    outcome.kind = StartOutcome::Kind::NotWritten;
    outcome.unwritten = *failed == 0 ? outcome.name13 : outcome.name24;
    return outcome;
  }
  outcome.kind = StartOutcome::Kind::Written;
  return outcome;
}

StartOutcome MidiTool::MidiYaz() {
  Unwatched nobody;
  return MidiYaz(nobody);
}

}  // namespace midi
