// The pass of a sweep compiled for AVX2 (x86-64 only): eight degrees a register.
#include "finder/sweep_lanes.h"

namespace finder {

void SweepAvx2(const KernelInput& in, KernelSums& out) { SweepAll(in, out); }

}  // namespace finder
