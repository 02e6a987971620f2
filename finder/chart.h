#pragma once

#include <cstdint>

#include "finder/canvas.h"
#include "finder/finder.h"

namespace finder {

// Where the report puts the centre of bar j (from 1): BarLeft + (j − 1) × BarSpacing.
inline constexpr std::int32_t kBarLeft = 60;
inline constexpr std::int32_t kBarSpacing = 16;

// Clears the chart area and draws the empty chart frame: the column headers,
// the axes with their scale and grid, and the ticks under `barCount` bars.
void Grafik(Canvas& canvas, std::int16_t barCount);

// The chart of the run that found a degree: the frame, then a row, a bar and a
// label for every step with a duration, one step at a time with a refresh after
// each, then the summary of the run. Called right after Basla, so that the
// summary's texts of `finder.Settings` are those of the run. Numbers are
// written with `separator`. Draws nothing when the last run found no degree.
void RaporCiz(Canvas& canvas, const Finder& finder, char separator);

}  // namespace finder
