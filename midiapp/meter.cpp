#include "midiapp/meter.h"

#include <QString>

namespace midiapp {

QImage MeterImage() { return QImage(QStringLiteral(":/midiapp/meter.png")); }

}  // namespace midiapp
