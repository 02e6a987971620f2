#include "finder/sweep.h"

namespace finder {
namespace {

// Vectors of one value per degree of the sweep: lane j belongs to degree j.
// GCC's and Clang's vector types, lowered to SSE2 on x86-64 and to whatever a
// target offers elsewhere.
using Floats = float __attribute__((vector_size(4 * kSweepWidth)));
using Ints = std::int32_t __attribute__((vector_size(4 * kSweepWidth)));
using Doubles = double __attribute__((vector_size(8 * kSweepWidth)));

static_assert(kSweepWidth == 4, "Broadcast and AnySet spell out four lanes");

Floats Broadcast(float value) { return Floats{value, value, value, value}; }

bool AnySet(Ints mask) {
  mask |= __builtin_shufflevector(mask, mask, 2, 3, 0, 1);
  mask |= __builtin_shufflevector(mask, mask, 1, 0, 3, 2);
  return mask[0] != 0;
}

struct Lanes {
  explicit Lanes(const SweepDegrees& degrees) {
    for (int lane = 0; lane < kSweepWidth; ++lane) {
      const std::int32_t n = degrees[static_cast<std::size_t>(lane)];
      quotient[lane] = 1200.0 / n;
      stepsPerCent[lane] = static_cast<float>(n) / 1200.0f;
      lastLower[lane] = n - 1;
    }
  }

  // Step k of each lane's degree, exactly as the step table holds it: the
  // quotient 1200 / n in double times k, rounded to a float.
  Floats Step(Ints k) const {
    return __builtin_convertvector(__builtin_convertvector(k, Doubles) * quotient, Floats);
  }

  Doubles quotient;     // 1200 / n
  Floats stepsPerCent;  // for the estimate of k
  Ints lastLower;       // n − 1, the highest step that can be the lower neighbour
};

// The deviation of a pitch from its nearest step in each lane, as
// FindNearestStep gives it. The pitch lies in [0, 1200), inside every degree.
Floats Deviations(const Lanes& lanes, float pitch) {
  const Floats cent = Broadcast(pitch);
  Ints k = __builtin_convertvector(cent * lanes.stepsPerCent, Ints);
  k = k > lanes.lastLower ? lanes.lastLower : k;
  // Settle k so that step k ≤ cent < step k + 1. The estimate is at most one
  // step off, so this loop rarely turns more than once.
  Floats lower = lanes.Step(k);
  Floats upper = lanes.Step(k + 1);
  for (;;) {
    const Ints tooHigh = lower > cent;
    const Ints tooLow = upper <= cent;
    if (!AnySet(tooHigh | tooLow)) break;
    // A set mask is −1: k − 1 where too high, k + 1 where too low.
    k = k + tooHigh - tooLow;
    lower = lanes.Step(k);
    upper = lanes.Step(k + 1);
  }
  const Floats d1 = cent - lower;
  const Floats d2 = upper - cent;
  const Floats nearest = d2 - d1 < 0.0f ? upper : lower;
  return (cent - nearest) + 0.0f;
}

}  // namespace

PackedPitches::PackedPitches(const std::vector<SourceRecord>& records)
    : cents(records.size()), kept(records.size()) {
  for (std::size_t i = 0; i < records.size(); ++i) {
    cents[i] = records[i].Cent;
    kept[i] = records[i].Deviation;
  }
}

SweepSums Sweep(const SweepDegrees& degrees, Criterion criterion, const PackedPitches& pitches) {
  const Lanes lanes(degrees);
  Floats sum{};
  Floats maximum{};
  Floats minimum = Broadcast(1000.0f);
  Floats squares{};
  for (std::size_t i = 0; i < pitches.cents.size(); ++i) {
    const float pitch = pitches.cents[i];
    // Step 0 is 0 and step n is 1200 in every degree.
    const Floats deviation =
        pitch >= 0.0f && pitch < 1200.0f ? Deviations(lanes, pitch) : Broadcast(pitches.kept[i]);
    sum += deviation;
    if (criterion == Criterion::MaxDeviation) {
      maximum = deviation > maximum ? deviation : maximum;
      minimum = deviation < minimum ? deviation : minimum;
    } else {
      const Doubles wide = __builtin_convertvector(deviation, Doubles);
      squares = __builtin_convertvector(__builtin_convertvector(squares, Doubles) + wide * wide, Floats);
    }
  }
  SweepSums out;
  for (int lane = 0; lane < kSweepWidth; ++lane) {
    out[static_cast<std::size_t>(lane)] = {sum[lane], maximum[lane], minimum[lane], squares[lane]};
  }
  return out;
}

}  // namespace finder
