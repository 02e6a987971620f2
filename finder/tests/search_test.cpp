#include "finder/search.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "support.h"

namespace finder {
namespace {

using test::Bits;

TEST(DegreeOf, RoundsHalvesToTheEvenNeighbourWithin16Bits) {
  const struct {
    const char* text;
    std::optional<std::int16_t> degree;
  } rows[] = {
      {"2.5", 2},
      {"3.5", 4},
      {"-2.5", -2},
      {"2.5001", 3},
      {"", 0},
      {"32767", 32767},
      {"32767.5", std::nullopt},
      {"-32768.6", std::nullopt},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(DegreeOf(row.text), row.degree) << '"' << row.text << '"';
  }
}

TEST(BuildStepTable, StepsRunFromZeroTo1200InEqualParts) {
  std::vector<StepRecord> steps(3, StepRecord{.Cent = 5, .Count = 7, .Duration = 9});
  BuildStepTable(12, steps);
  ASSERT_EQ(steps.size(), 13u);
  for (std::size_t k = 0; k < steps.size(); ++k) {
    EXPECT_EQ(steps[k].Cent, 100.0f * static_cast<float>(k)) << "step " << k;
    EXPECT_EQ(steps[k].Count, 0) << "step " << k;
    EXPECT_EQ(steps[k].Duration, 0.0f) << "step " << k;
  }
  BuildStepTable(19, steps);
  EXPECT_EQ(steps[6].Cent, 378.947368421052631f);
  EXPECT_EQ(steps[11].Cent, 694.736842105263157f);
}

// The run leans on this: a pitch of 1200 cents or below 0 then matches no step
// of any degree and keeps its Deviation and Step throughout.
TEST(BuildStepTable, TheLastStepOfEveryDegreeIsExactly1200) {
  for (std::int32_t n = kMinDegree; n <= kMaxDegree; ++n) {
    ASSERT_EQ(static_cast<float>(1200.0 / n * n), 1200.0f) << "degree " << n;
  }
}

TEST(FindNearestStep, TakesTheNearerStepAndTheLowerOnATie) {
  std::vector<StepRecord> steps;
  BuildStepTable(12, steps);
  const struct {
    const char* name;
    float cent;
    std::optional<std::int32_t> step;
    float deviation;
  } rows[] = {
      {"on step 0", 0.0f, 0, 0.0f},
      {"on a step", 700.0f, 7, 0.0f},
      {"nearer the upper step", 386.0f, 4, -14.0f},
      {"nearer the lower step", 702.0f, 7, 2.0f},
      {"halfway goes down", 150.0f, 1, 50.0f},
      {"just below 1200 goes to the last step", 1199.5f, 12, -0.5f},
      {"1200 matches none", 1200.0f, std::nullopt, 0.0f},
      {"negative matches none", -0.5f, std::nullopt, 0.0f},
      {"not a number matches none", std::numeric_limits<float>::quiet_NaN(), std::nullopt, 0.0f},
  };
  for (const auto& row : rows) {
    const std::optional<StepMatch> match = FindNearestStep(row.cent, steps);
    ASSERT_EQ(match.has_value(), row.step.has_value()) << row.name;
    if (!match) continue;
    EXPECT_EQ(match->step, *row.step) << row.name;
    EXPECT_EQ(Bits(match->deviation), Bits(row.deviation)) << row.name;
  }
}

}  // namespace
}  // namespace finder
