#pragma once

// What the MIDI targets share: the three builds, the input as an image, and
// Start's progress from a window that closes mid-split.

#include <cstdint>

#include "fuzz_support.h"
#include "midi/progress.h"
#include "midi/tool.h"

namespace fuzz {

// Start's progress from a window that closes at a given pair step.
class ClosingProgress : public midi::StartProgress {
 public:
  bool PairStepDone(std::int32_t k) override {
    Require(k == 2 * steps + 1);    // 1, 3, 5, ...
    Require(steps != closeAtStep);  // nothing goes on once the window is closing
    return ++steps != closeAtStep;
  }

  int steps = 0;
  int closeAtStep = -1;  // the window closes at this step; never when negative
};

// An odd first byte closes the window at the step it names.
inline void CloseAtStepNamedBy(ClosingProgress& progress, const std::uint8_t* data, std::size_t size) {
  if (size > 0 && (data[0] & 1) != 0) progress.closeAtStep = 1 + data[0] / 2;
}

constexpr midi::Build kBuilds[] = {midi::Build::Tessaro5Vu, midi::Build::Tessaro5, midi::Build::Lumbric5};

// The input as a loaded image, without a file.
inline midi::MidiImage ImageOf(const std::uint8_t* data, std::size_t size) {
  midi::MidiImage image;
  image.MidiBytes.assign(data, data + size);
  image.BaseName = "song";
  image.MidiFileName = "song.mid";
  return image;
}

// Writes the input as song.mid into an empty folder and loads it into `tool`;
// false for an empty input, which only an empty file gives.
inline bool LoadInput(midi::MidiTool& tool, const std::uint8_t* data, std::size_t size) {
  EmptyFolder();
  WriteInput("song.mid", data, size);
  const midi::LoadOutcome outcome = tool.LoadImage("song");
  Require((outcome.kind == midi::LoadOutcome::Kind::Empty) == (size == 0));
  return outcome.kind == midi::LoadOutcome::Kind::Loaded;
}

}  // namespace fuzz
