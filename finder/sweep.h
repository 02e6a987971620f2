#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "finder/search.h"
#include "finder/source.h"

namespace finder {

// The pitches of the source table as the search reads them: packed cents, and
// the Deviation each record keeps when it matches no step.
struct PackedPitches {
  explicit PackedPitches(const std::vector<SourceRecord>& records);

  std::vector<float> cents;
  std::vector<float> kept;
};

// What one pass over the pitches gives for one degree, summed in record order.
struct DegreeSums {
  float deviationSum = 0;
  float maximum = 0;     // the largest deviation, from 0 (Maximum Deviation only)
  float minimum = 1000;  // the smallest deviation, from 1000 (Maximum Deviation only)
  float squares = 0;     // the squared deviations, each square in double (Standard Deviation only)
};

// A run tries this many degrees in each pass over the pitches.
inline constexpr int kSweepWidth = 16;
using SweepDegrees = std::array<std::int32_t, kSweepWidth>;
using SweepSums = std::array<DegreeSums, kSweepWidth>;

// The sums of each of `degrees` (each from 1 to 32766) under `criterion`, the
// degrees side by side in the lanes of vector registers, eight to a register
// where the processor has AVX2.
SweepSums Sweep(const SweepDegrees& degrees, Criterion criterion, const PackedPitches& pitches);

}  // namespace finder
