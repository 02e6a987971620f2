#include "midiapp/meter.h"

#include <QString>
#include <cmath>

namespace midiapp {
namespace {

constexpr double kPacketsToOpen = 1025.0;

}  // namespace

QImage MeterImage() { return QImage(QStringLiteral(":/midiapp/meter.png")); }

std::int32_t MeterRow(std::int32_t k) {
  const double row = std::nearbyint(kMeterStartRow - (k / kPacketsToOpen) * kMeterStartRow);
  return row > 0.0 ? static_cast<std::int32_t>(row) : 0;
}

}  // namespace midiapp
