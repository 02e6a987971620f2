#pragma once

// The MIDI tool's commands as a fuzz target sees them: the input is the file,
// loaded into each of the three builds.

#include <cstdint>

#include "fuzz_support.h"
#include "midi/progress.h"
#include "midi/tool.h"

namespace fuzz {

// Start's progress from a window that closes at a given pair step.
class ClosingProgress : public midi::StartProgress {
 public:
  bool PairStepDone(std::int32_t k) override {
    Require(k == 2 * steps + 1);  // 1, 3, 5, ...
    return ++steps != closeAtStep;
  }

  int steps = 0;
  int closeAtStep = -1;  // the window closes at this step; never when negative
};

constexpr midi::Build kBuilds[] = {midi::Build::Tessaro5Vu, midi::Build::Tessaro5, midi::Build::Lumbric5};

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
