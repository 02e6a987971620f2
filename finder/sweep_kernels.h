#pragma once

// The pass of a sweep, in the builds it is made in: one for every target, and
// on x86-64 one for processors with AVX2, which Sweep picks when the processor
// has it. Both give the same bits; the tests hold each against the other and
// against FindNearestStep.

#include <cstddef>
#include <cstdint>

namespace finder {

// Degrees a pass measures side by side.
inline constexpr int kKernelWidth = 16;

// Plain arrays, so that the two builds of the pass share no code.
struct KernelInput {
  const std::int32_t* degrees = nullptr;  // kKernelWidth degrees, each from 1 to 32766
  bool maxDeviation = true;               // the sums Maximum Deviation needs, or Standard Deviation's
  const float* cents = nullptr;           // the pitches, in record order
  const float* kept = nullptr;            // the Deviation each keeps when it matches no step
  std::size_t count = 0;
};

struct KernelSums {
  float sum[kKernelWidth];
  float maximum[kKernelWidth];
  float minimum[kKernelWidth];
  float squares[kKernelWidth];
};

void SweepPortable(const KernelInput& in, KernelSums& out);

// Whether this build and processor have the AVX2 pass; SweepAvx2 is there to
// be called only then.
bool HasAvx2Sweep();
void SweepAvx2(const KernelInput& in, KernelSums& out);

}  // namespace finder
