#pragma once

#include <QImage>

namespace midiapp {

// The meter's picture: a vertical zipper, 50 x 473 pixels, yellow with dark teeth
// on white, open above row 236, the slider at row 236, closed below. The meter
// shows 236 rows of it: from row 236 the closed zipper (nothing split yet), from
// row 0 the open one (all split).
QImage MeterImage();

}  // namespace midiapp
