#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace finder {

// The finder's figures are IEEE floats rounded at every step; conversions from
// double rely on IEEE rounding (an out-of-range value becomes an infinity).
static_assert(std::numeric_limits<float>::is_iec559 && std::numeric_limits<double>::is_iec559);

// One step k of the degree under test.
struct StepRecord {
  float Cent = 0;          // 1200 / n × k
  std::int32_t Count = 0;  // source records whose nearest step is k (found degree only)
  float Duration = 0;      // their summed Duration (found degree only)
};

// One row of the report and of "sonuc.csv": a step of the found degree whose
// records last longer than 0 in sum.
struct StepRow {
  std::int32_t step = 0;   // k
  float cent = 0;          // the step's Cent
  std::int32_t count = 0;  // its Count
  float share = 0;         // its Duration over the largest, at most 1; 0 when too small beside it
};

enum class Span { Single, Range };
enum class Criterion { MaxDeviation, StandardDeviation };

// The settings a run reads, as the window holds them, with the window's initial content.
struct SearchSettings {
  Span span = Span::Range;
  std::string degreeText = "53";  // the degree under Single
  std::string startText = "12";   // the first degree under Range
  std::string stopText = "2400";  // the last degree under Range
  Criterion criterion = Criterion::MaxDeviation;
  std::string centLimitText = "1";  // a degree qualifies when its measure lies strictly below
  // The user's decimal separator, with which the run's figures are written.
  // The texts take the period and the comma as their decimal point alike.
  char decimalSeparator = '.';
};

// The spread figures of the last degree a run measured; the one the criterion
// does not compute stays 0.
struct RunSpread {
  float MaxDeviation = 0;  // the larger distance of the extreme deviations from their mean
  float Variance = 0;      // mean square of the deviations about 0
  float StandardDeviation = 0;
};

// Degrees a run can try: step indexes and degrees stay within 16 bits.
inline constexpr std::int32_t kMinDegree = 1;
inline constexpr std::int32_t kMaxDegree = 32766;

// A degree text's value (its LeadingNumber) rounded to a whole number, halves
// to the even neighbour; nothing when it does not fit 16 bits.
std::optional<std::int16_t> DegreeOf(std::string_view text);

// The steps 0 .. n of degree n (n ≥ 1), every field but Cent zero. Step k is
// 1200 / n × k in double, the quotient first, rounded to a float.
void BuildStepTable(std::int32_t n, std::vector<StepRecord>& steps);

// The nearest step of a pitch and its signed distance from it.
struct StepMatch {
  std::int32_t step;
  float deviation;
};

// The nearest step of `cent` among `steps` (those of one degree, increasing
// from 0 to 1200): step k when cent lies on it, and the nearer of k and k + 1
// when it lies strictly between them, the lower one on a tie. A pitch below
// step 0, at or above the last step matches none.
//
// Found directly: k is estimated from the cent value and settled against the
// float steps, so the answer is the one a scan k = 0, 1, ... would stop at.
std::optional<StepMatch> FindNearestStep(float cent, std::span<const StepRecord> steps);

}  // namespace finder
