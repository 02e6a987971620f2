#include "midi/tool.h"

#include <utility>

#include "midi/messages.h"
#include "midi/walk.h"

namespace midi {

MidiTool::MidiTool(Window& window, Build build, std::filesystem::path folder)
    : window_(window), build_(build), folder_(std::move(folder)) {}

bool MidiTool::LoadImage(std::string_view baseName, std::string_view fileName) {
  switch (ReadImage(folder_, baseName, fileName, image_)) {
    case ReadStatus::Ok:
      return true;
    case ReadStatus::CannotRead:
      window_.ShowMessage(messages::CannotRead(fileName));
      return false;
    case ReadStatus::Empty:
      window_.ShowMessage(messages::EmptyFile(fileName));
      return false;
  }
  return false;
}

bool MidiTool::LoadImage(std::string_view baseName) {
  return LoadImage(baseName, std::string(baseName) + ".mid");
}

void MidiTool::TestEt() {
  if (!image_.Loaded()) {
    window_.ShowMessage(messages::kChooseFile);
    return;
  }
  WalkListener silent;
  try {
    EventWalk(image_, ScanPos, WalkRules{.metaEvents = DecodesMetaEvents(build_)}, silent, window_);
  } catch (const ReadFailure& failure) {
    window_.ShowMessage(messages::ForFailure(failure));
  }
}

}  // namespace midi
