#include "finder/app/legends.h"

#include <QString>

namespace finder {

QImage LegendImage1() { return QImage(QStringLiteral(":/finder/image1.png")); }

QImage LegendImage2() { return QImage(QStringLiteral(":/finder/image2.png")); }

}  // namespace finder
