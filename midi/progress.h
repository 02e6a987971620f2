#pragma once

#include <cstdint>

namespace midi {

// What Start needs from the window while it splits, and nothing else: the meter
// follows the pair steps, and the window's events are handled between them so
// that it can be closed mid-split.
class StartProgress {
 public:
  virtual ~StartProgress() = default;

  // Pair step k (1, 3, 5, ...) is done. Returns false once the window is
  // closing: the split then stops before it writes anything.
  virtual bool PairStepDone(std::int32_t k) = 0;
};

}  // namespace midi
