#include "finder/search.h"

#include <algorithm>
#include <cmath>

#include "finder/number.h"

namespace finder {

std::optional<std::int16_t> DegreeOf(std::string_view text) {
  // nearbyint rounds halves to even in the default rounding mode.
  const double degree = std::nearbyint(LeadingNumber(text));
  if (!(degree >= INT16_MIN && degree <= INT16_MAX)) return std::nullopt;
  return static_cast<std::int16_t>(degree);
}

void BuildStepTable(std::int32_t n, std::vector<StepRecord>& steps) {
  steps.assign(static_cast<std::size_t>(n) + 1, StepRecord{});
  const double quotient = 1200.0 / n;
  for (std::int32_t k = 0; k <= n; ++k) {
    steps[static_cast<std::size_t>(k)].Cent = static_cast<float>(quotient * k);
  }
}

std::optional<StepMatch> FindNearestStep(float cent, std::span<const StepRecord> steps) {
  const std::int32_t n = static_cast<std::int32_t>(steps.size()) - 1;
  const auto step = [&](std::int32_t k) { return steps[static_cast<std::size_t>(k)].Cent; };
  if (!(cent >= step(0) && cent < step(n))) return std::nullopt;
  std::int32_t k = std::min(n - 1, static_cast<std::int32_t>(cent * (static_cast<float>(n) / 1200.0f)));
  while (step(k) > cent) --k;
  while (step(k + 1) <= cent) ++k;
  // The upper step wins when e < 0; its deviation cent − upper is −d2 exactly,
  // as float subtraction is symmetric. Adding +0 leaves every deviation as it
  // is but turns the −0 of a pitch of −0 on step 0 into the +0 that every pitch
  // on a step gets.
  const float d1 = cent - step(k);
  const float d2 = step(k + 1) - cent;
  const float e = d2 - d1;
  if (e < 0.0f) ++k;
  return StepMatch{k, (cent - step(k)) + 0.0f};
}

}  // namespace finder
