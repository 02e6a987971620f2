// The sweep's pass, in each build of it, against one degree at a time through
// FindNearestStep: the pitches that test it hardest lie on the steps and halfway
// between them, a float or a few either side, in low and high degrees alike.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "finder/search.h"
#include "finder/sweep_kernels.h"
#include "support.h"

namespace finder {
namespace {

using test::Bits;

// A float `floats` representable values up (or down) from `x`.
float Nudge(float x, int floats) {
  for (; floats > 0; --floats) x = std::nextafter(x, std::numeric_limits<float>::infinity());
  for (; floats < 0; ++floats) x = std::nextafter(x, -std::numeric_limits<float>::infinity());
  return x;
}

// Pitches on the steps of `degrees` and halfway between them, and up to three
// floats away, at `perDegree` places spread over each octave; a few awkward
// values; and pitches outside the octave, which keep their deviation.
void AddPitches(const std::vector<std::int32_t>& degrees, int perDegree, std::mt19937& random,
                std::vector<float>& cents, std::vector<float>& kept) {
  const auto add = [&](float cent) {
    cents.push_back(cent);
    kept.push_back(static_cast<float>(cents.size() % 7) - 3.0f);
  };
  for (const std::int32_t n : degrees) {
    std::uniform_int_distribution<std::int32_t> anyStep(0, n - 1);
    for (int i = 0; i < perDegree; ++i) {
      const std::int32_t k = i < 2 ? (i == 0 ? 0 : n - 1) : anyStep(random);
      const float step = static_cast<float>(1200.0 / n * k);
      const float next = static_cast<float>(1200.0 / n * (k + 1));
      const auto halfway = static_cast<float>((static_cast<double>(step) + next) / 2);
      for (int floats = -3; floats <= 3; ++floats) {
        add(Nudge(halfway, floats));
        if (floats >= -1 && floats <= 1) add(Nudge(step, floats));
      }
    }
  }
  for (const float awkward :
       {0.0f, -0.0f, std::numeric_limits<float>::denorm_min(), Nudge(1200.0f, -1), 1200.0f, -1.0f, 600.0f})
    add(awkward);
  std::uniform_real_distribution<float> anywhere(0.0f, 1200.0f);
  for (int i = 0; i < 500; ++i) add(anywhere(random));
}

// One degree at a time, as Basla measured before the degrees went side by side.
KernelSums OneAtATime(const std::vector<std::int32_t>& degrees, bool maxDeviation,
                      const std::vector<float>& cents, const std::vector<float>& kept) {
  KernelSums out{};
  std::vector<StepRecord> steps;
  for (std::size_t j = 0; j < degrees.size(); ++j) {
    BuildStepTable(degrees[j], steps);
    float sum = 0, maximum = 0, minimum = 1000, squares = 0;
    for (std::size_t i = 0; i < cents.size(); ++i) {
      const std::optional<StepMatch> match = FindNearestStep(cents[i], steps);
      const float deviation = match ? match->deviation : kept[i];
      sum += deviation;
      if (maxDeviation) {
        maximum = deviation > maximum ? deviation : maximum;
        minimum = deviation < minimum ? deviation : minimum;
      } else {
        squares = static_cast<float>(static_cast<double>(squares) +
                                     static_cast<double>(deviation) * static_cast<double>(deviation));
      }
    }
    out.sum[j] = sum;
    out.maximum[j] = maximum;
    out.minimum[j] = minimum;
    out.squares[j] = squares;
  }
  return out;
}

TEST(Sweep, EachBuildOfThePassGivesTheBitsOfOneDegreeAtATime) {
  std::mt19937 random(26);
  std::uniform_int_distribution<std::int32_t> anyDegree(kMinDegree, kMaxDegree);
  std::vector<std::int32_t> scattered(kKernelWidth);
  for (std::int32_t& n : scattered) n = anyDegree(random);
  const auto from = [](std::int32_t first) {
    std::vector<std::int32_t> degrees(kKernelWidth);
    for (int j = 0; j < kKernelWidth; ++j) degrees[static_cast<std::size_t>(j)] = first + j;
    return degrees;
  };
  const struct {
    std::string name;
    std::vector<std::int32_t> degrees;
  } groups[] = {{"the smallest", from(1)},
                {"the window's first", from(12)},
                {"the window's last", from(2400 - kKernelWidth + 1)},
                {"the largest", from(kMaxDegree - kKernelWidth + 1)},
                {"scattered", scattered}};
  for (const auto& group : groups) {
    std::vector<float> cents;
    std::vector<float> kept;
    AddPitches(group.degrees, 60, random, cents, kept);
    for (const bool maxDeviation : {true, false}) {
      const KernelSums expected = OneAtATime(group.degrees, maxDeviation, cents, kept);
      const KernelInput in{.degrees = group.degrees.data(),
                           .maxDeviation = maxDeviation,
                           .cents = cents.data(),
                           .kept = kept.data(),
                           .count = cents.size()};
      KernelSums portable{}, avx2{};
      SweepPortable(in, portable);
      if (HasAvx2Sweep()) SweepAvx2(in, avx2);
      for (int j = 0; j < kKernelWidth; ++j) {
        SCOPED_TRACE(group.name + ", degree " + std::to_string(group.degrees[static_cast<std::size_t>(j)]) +
                     (maxDeviation ? ", Maximum Deviation" : ", Standard Deviation"));
        for (const KernelSums* pass : {&portable, &avx2}) {
          if (pass == &avx2 && !HasAvx2Sweep()) continue;
          SCOPED_TRACE(pass == &avx2 ? "AVX2" : "portable");
          EXPECT_EQ(Bits(pass->sum[j]), Bits(expected.sum[j]));
          EXPECT_EQ(Bits(pass->maximum[j]), Bits(expected.maximum[j]));
          EXPECT_EQ(Bits(pass->minimum[j]), Bits(expected.minimum[j]));
          EXPECT_EQ(Bits(pass->squares[j]), Bits(expected.squares[j]));
        }
      }
    }
  }
  if (!HasAvx2Sweep()) GTEST_SKIP() << "no AVX2 pass in this build or on this processor";
}

}  // namespace
}  // namespace finder
