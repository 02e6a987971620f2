#pragma once

// The benchmarks' table: pitches spread evenly over the octave, each lasting 1,
// the same table on every run.

#include <cstddef>
#include <random>
#include <vector>

#include "finder/source.h"

namespace finder::bench {

inline std::vector<SourceRecord> RandomPitches(std::size_t count) {
  std::mt19937 random(1);
  std::uniform_real_distribution<float> anywhere(0.0f, 1200.0f);
  std::vector<SourceRecord> records(count);
  for (SourceRecord& record : records) record = {.Cent = anywhere(random), .Duration = 1.0f};
  return records;
}

}  // namespace finder::bench
