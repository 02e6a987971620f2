#include "finder/sweep.h"

#include "finder/sweep_kernels.h"
#include "finder/sweep_lanes.h"

namespace finder {

static_assert(kSweepWidth == kKernelWidth);

void SweepPortable(const KernelInput& in, KernelSums& out) { SweepAll(in, out); }

bool HasAvx2Sweep() {
#if defined(__x86_64__) && defined(FINDER_SWEEP_AVX2)
  static const bool avx2 = __builtin_cpu_supports("avx2");
  return avx2;
#else
  return false;
#endif
}

#if !(defined(__x86_64__) && defined(FINDER_SWEEP_AVX2))
void SweepAvx2(const KernelInput& in, KernelSums& out) { SweepPortable(in, out); }
#endif

PackedPitches::PackedPitches(const std::vector<SourceRecord>& records)
    : cents(records.size()), kept(records.size()) {
  for (std::size_t i = 0; i < records.size(); ++i) {
    cents[i] = records[i].Cent;
    kept[i] = records[i].Deviation;
  }
}

SweepSums Sweep(const SweepDegrees& degrees, Criterion criterion, const PackedPitches& pitches) {
  const KernelInput in{.degrees = degrees.data(),
                       .maxDeviation = criterion == Criterion::MaxDeviation,
                       .cents = pitches.cents.data(),
                       .kept = pitches.kept.data(),
                       .count = pitches.cents.size()};
  KernelSums sums;
  if (HasAvx2Sweep()) {
    SweepAvx2(in, sums);
  } else {
    SweepPortable(in, sums);
  }
  SweepSums out;
  for (std::size_t lane = 0; lane < out.size(); ++lane) {
    out[lane] = {sums.sum[lane], sums.maximum[lane], sums.minimum[lane], sums.squares[lane]};
  }
  return out;
}

}  // namespace finder
