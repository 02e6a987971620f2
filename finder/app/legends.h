#pragma once

#include <QImage>

namespace finder {

// The legend of the vertical axis, `Image1`: an upward arrow with a per-cent
// sign above its tip, black on white, 25 × 175 pixels.
QImage LegendImage1();

// The legend of the horizontal axis, `Image2`: a rightward arrow followed by
// the word Degree, black on white, 236 × 25 pixels.
QImage LegendImage2();

}  // namespace finder
