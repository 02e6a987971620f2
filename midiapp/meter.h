#pragma once

#include <QImage>
#include <cstdint>

namespace midiapp {

// The meter's source row for the closed zipper: nothing split yet.
inline constexpr std::int32_t kMeterStartRow = 236;

// The meter's picture: a vertical zipper, 50 x 473 pixels, yellow with dark teeth
// on white, open above row kMeterStartRow, the slider at that row, closed below.
// The meter shows 236 rows of it: from row kMeterStartRow the closed zipper, from
// row 0 the open one (all split).
QImage MeterImage();

// The meter's source row after the pair step of packet k: kMeterStartRow at the
// start, 0 once packet 1025 is reached, and held at 0 beyond.
std::int32_t MeterRow(std::int32_t k);

}  // namespace midiapp
