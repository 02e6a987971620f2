#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "finder/canvas.h"
#include "finder/finder.h"

namespace finder {

// Where the report puts the centre of bar j (from 1): BarLeft + (j − 1) × BarSpacing.
inline constexpr std::int32_t kBarLeft = 60;
inline constexpr std::int32_t kBarSpacing = 16;

// The header above each column of report rows.
inline constexpr std::string_view kColumnHeader = " Dgr.   Cents    #   % Dur. ";

// The texts of a report row as the chart writes them: the step number, its
// Cent, its Count and its share of the largest duration.
struct RowTexts {
  std::string step;
  std::string cent;
  std::string count;
  std::string share;
};
RowTexts TextsOf(const StepRow& row, char separator);

// The summary of a run that found a degree, block by block, each block's upper
// line first: the criterion and the cent limit, the degrees searched and found,
// the mean and the variance, the standard and the maximum deviation.
std::array<std::string, 8> SummaryLines(const RunOutcome& run, char separator);

// Clears the chart area and draws the empty chart frame: the column headers,
// the axes with their scale and grid, and the ticks under `barCount` bars.
void Grafik(Canvas& canvas, std::int16_t barCount);

// The chart of a run that found a degree: the frame, then for each step of the
// degree a refresh, after a row, a bar and a label where the step has one, then
// the summary. Numbers are written with `separator`. Draws nothing for a run
// that found no degree.
void RaporCiz(Canvas& canvas, const RunOutcome& run, char separator);

}  // namespace finder
