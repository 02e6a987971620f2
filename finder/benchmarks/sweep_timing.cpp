// Times the sweep alone over the window's default range, 12 to 2400, on the
// benchmarks' 32767 random pitches, under both criteria: the best of three
// rounds, wall clock. Plain C++ without Google Benchmark, so that it builds for
// WebAssembly too:
//   em++ -std=c++20 -O2 -msimd128 -ffp-contract=off -I. finder/benchmarks/sweep_timing.cpp finder/sweep.cpp
#include <algorithm>
#include <chrono>
#include <cstdio>

#include "finder/sweep.h"
#include "random_pitches.h"

int main() {
  using namespace finder;
  const PackedPitches pitches(bench::RandomPitches(32767));
  for (const Criterion criterion : {Criterion::MaxDeviation, Criterion::StandardDeviation}) {
    double best = 1e9;
    float sum = 0;  // kept, so that no round can be left out
    for (int round = 0; round < 3; ++round) {
      const auto start = std::chrono::steady_clock::now();
      for (std::int32_t first = 12; first <= 2400; first += kSweepWidth) {
        SweepDegrees degrees;
        for (std::size_t lane = 0; lane < degrees.size(); ++lane)
          degrees[lane] = std::min(first + static_cast<std::int32_t>(lane), 2400);
        sum += Sweep(degrees, criterion, pitches)[0].deviationSum;
      }
      best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::printf("%s: %.3f s (%g)\n",
                criterion == Criterion::MaxDeviation ? "Maximum Deviation" : "Standard Deviation", best,
                static_cast<double>(sum));
  }
}
