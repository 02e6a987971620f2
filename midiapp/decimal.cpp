#include "midiapp/decimal.h"

#include <QLocale>
#include <QString>

namespace midiapp {

char SystemDecimalSeparator() {
  const QString point = QLocale::system().decimalPoint();
  return point.size() == 1 && point.at(0).unicode() < 0x80 ? static_cast<char>(point.at(0).unicode()) : '.';
}

}  // namespace midiapp
