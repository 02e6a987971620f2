#pragma once

// The pass over the pitches that measures a sweep's degrees side by side. It is
// compiled once for every target (sweep.cpp) and, on x86-64, once more for
// processors with AVX2 (sweep_avx2.cpp); each copy is its own, in an unnamed
// namespace, and calls nothing of the standard library, so that no code made
// for AVX2 can stand in for the other copy's.

#include <cstddef>
#include <cstdint>

#include "finder/sweep_kernels.h"

#if defined(__x86_64__)
#include <immintrin.h>
#elif defined(__wasm_simd128__)
#include <wasm_simd128.h>
#endif

// Wide vectors pass between these functions alone, all inside one file, so how
// a target without AVX would pass them to other code does not matter. (GCC
// tells this when it makes the code, after the file's end, so it stays off for
// the rest of the file that includes this one.)
#if defined(__GNUC__)
#pragma GCC diagnostic ignored "-Wpsabi"
#endif

namespace finder {
namespace {

// Vectors of one value per degree of a group: lane j belongs to degree j.
// GCC's and Clang's vector types, one register wide: eight floats with AVX,
// four in SSE2 and WebAssembly's 128-bit vectors (wider ones are split into
// halves there, and their conversions between floats, doubles and integers
// come out slow). Two groups are measured in each pass over the pitches.
#if defined(__AVX__)
constexpr int kGroupWidth = 8;
#else
constexpr int kGroupWidth = 4;
#endif
constexpr int kPassWidth = 2 * kGroupWidth;
static_assert(kKernelWidth % kPassWidth == 0);

using Floats = float __attribute__((vector_size(4 * kGroupWidth)));
using Ints = std::int32_t __attribute__((vector_size(4 * kGroupWidth)));
using Doubles = double __attribute__((vector_size(8 * kGroupWidth)));

inline Floats Broadcast(float value) { return Floats{} + value; }

// Each lane rounded to a float. WebAssembly's compiler would do this lane by
// lane; its instruction takes two lanes at a time.
inline Floats Narrow(const Doubles& wide) {
#if defined(__wasm_simd128__)
  static_assert(kGroupWidth == 4);
  const v128_t low =
      wasm_f32x4_demote_f64x2_zero(reinterpret_cast<v128_t>(__builtin_shufflevector(wide, wide, 0, 1)));
  const v128_t high =
      wasm_f32x4_demote_f64x2_zero(reinterpret_cast<v128_t>(__builtin_shufflevector(wide, wide, 2, 3)));
  return reinterpret_cast<Floats>(wasm_i32x4_shuffle(low, high, 0, 1, 4, 5));
#else
  return __builtin_convertvector(wide, Floats);
#endif
}

inline bool AnySet(const Ints& set) {
#if defined(__x86_64__) && defined(__AVX__)
  return _mm256_movemask_ps(reinterpret_cast<__m256>(set)) != 0;
#elif defined(__x86_64__)
  return _mm_movemask_ps(reinterpret_cast<__m128>(set)) != 0;
#else
  Ints mask = set | __builtin_shufflevector(set, set, 2, 3, 0, 1);
  mask |= __builtin_shufflevector(mask, mask, 1, 0, 3, 2);
  return mask[0] != 0;
#endif
}

// What a group of degrees needs per pitch, worked out once per sweep.
struct Lanes {
  void Set(int lane, std::int32_t n) {
    quotient[lane] = 1200.0 / n;
    stepsPerCent[lane] = static_cast<float>(n) / 1200.0f;
    lastLower[lane] = n - 1;
    // How far from a halfway point between two steps the estimate must lie to
    // be sure of the nearest step: the float steps, the float distances to
    // them and the estimate itself are each within about 1.2e-7 × n of their
    // exact values in steps, all together within 2.3e-7 × n; this takes four
    // times that.
    sureWithin[lane] = 0.5f - static_cast<float>(n) * 1e-6f;
  }

  // Step k of each lane's degree, exactly as the step table holds it: the
  // quotient 1200 / n in double times k, rounded to a float.
  Floats Step(const Ints& k) const { return Narrow(__builtin_convertvector(k, Doubles) * quotient); }

  Doubles quotient;     // 1200 / n
  Floats stepsPerCent;  // for the estimate of k
  Ints lastLower;       // n − 1, the highest step that can be the lower neighbour
  Floats sureWithin;    // 0.5 less the margin of the estimate
};

// The deviation of a pitch from its nearest step in each lane, as
// FindNearestStep gives it, the long way: the neighbours below and above the
// pitch settled against the exact float steps. The pitch lies in [0, 1200),
// inside every degree.
inline Floats SettledDeviations(const Lanes& lanes, const Floats& cent) {
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

// The same, the short way: the nearest step is the estimate rounded, unless
// the estimate lies too near a halfway point for that to be sure in some lane.
// Then the long way settles the whole group. Every result is the long way's.
inline Floats Deviations(const Lanes& lanes, const Floats& cent) {
  const Floats steps = cent * lanes.stepsPerCent;  // 0 .. n
  const Ints nearest = __builtin_convertvector(steps + 0.5f, Ints);
  const Floats off = steps - __builtin_convertvector(nearest, Floats);  // exact, −0.5 .. 0.5
  if (AnySet((off > lanes.sureWithin) | (off < -lanes.sureWithin))) return SettledDeviations(lanes, cent);
  // No −0 here: a pitch of −0 comes in as +0 (see SweepGroups).
  return cent - lanes.Step(nearest);
}

// One group's degrees and their sums so far.
template <bool kMaxDeviation>
struct Group {
  explicit Group(const std::int32_t* degrees) {
    for (int lane = 0; lane < kGroupWidth; ++lane) lanes.Set(lane, degrees[lane]);
  }

  void Take(const Floats& deviation) {
    sum += deviation;
    if (kMaxDeviation) {
      maximum = deviation > maximum ? deviation : maximum;
      minimum = deviation < minimum ? deviation : minimum;
    } else {
      const Doubles wide = __builtin_convertvector(deviation, Doubles);
      squares = Narrow(__builtin_convertvector(squares, Doubles) + wide * wide);
    }
  }

  void Out(KernelSums& out, int first) const {
    for (int lane = 0; lane < kGroupWidth; ++lane) {
      out.sum[first + lane] = sum[lane];
      out.maximum[first + lane] = maximum[lane];
      out.minimum[first + lane] = minimum[lane];
      out.squares[first + lane] = squares[lane];
    }
  }

  Lanes lanes;
  Floats sum{};
  Floats maximum{};
  Floats minimum = Broadcast(1000.0f);
  Floats squares{};
};

// Sums the deviations of every pitch in record order for the degrees from
// `first` on, two groups of them, each degree in its lane: the same float
// operations in the same order as one degree at a time. The two groups are
// spelled out, so that their sums stay in registers.
template <bool kMaxDeviation>
void SweepGroups(const KernelInput& in, int first, KernelSums& out) {
  Group<kMaxDeviation> low(in.degrees + first);
  Group<kMaxDeviation> high(in.degrees + first + kGroupWidth);
  for (std::size_t i = 0; i < in.count; ++i) {
    const float pitch = in.cents[i];
    // Step 0 is 0 and step n is 1200 in every degree: a pitch outside matches
    // no step and keeps its deviation.
    if (pitch >= 0.0f && pitch < 1200.0f) {
      // Adding +0 turns a pitch of −0 into +0 and leaves every other as it is;
      // so a pitch of −0 on step 0 gets the deviation +0 of every pitch on a
      // step, and the short way needs no +0 of its own.
      const Floats cent = Broadcast(pitch + 0.0f);
      low.Take(Deviations(low.lanes, cent));
      high.Take(Deviations(high.lanes, cent));
    } else {
      const Floats kept = Broadcast(in.kept[i]);
      low.Take(kept);
      high.Take(kept);
    }
  }
  low.Out(out, first);
  high.Out(out, first + kGroupWidth);
}

inline void SweepAll(const KernelInput& in, KernelSums& out) {
  for (int first = 0; first < kKernelWidth; first += kPassWidth) {
    if (in.maxDeviation) {
      SweepGroups<true>(in, first, out);
    } else {
      SweepGroups<false>(in, first, out);
    }
  }
}

}  // namespace
}  // namespace finder
