#pragma once

// What the MIDI targets share: the three builds, the input as an image, and
// Start's progress from a window that closes mid-split. Byte builders and the
// scratch folder are the tests' own.

#include <cstdint>
#include <cstdlib>

#include "midi/progress.h"
#include "midi/tool.h"
#include "support.h"

namespace fuzz {

// A property of the command that the input broke: stop the fuzzer here.
inline void Require(bool holds) {
  if (!holds) std::abort();
}

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
  return midi::test::ImageOf(midi::test::Bytes(data, data + size));
}

}  // namespace fuzz
