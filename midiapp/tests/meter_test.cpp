#include "midiapp/meter.h"

#include <QColor>
#include <QImage>
#include <QtTest>
#include <cstdint>
#include <utility>

namespace {

bool IsWhite(const QImage& image, int x, int y) { return image.pixelColor(x, y) == QColor(255, 255, 255); }
bool IsYellow(const QImage& image, int x, int y) { return image.pixelColor(x, y) == QColor(255, 237, 2); }
bool IsDark(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 100; }

// How many pixels of rows [top, bottom) and columns [left, right) pass `test`.
template <typename Test>
int Count(const QImage& image, int left, int right, int top, int bottom, Test test) {
  int count = 0;
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) count += test(image, x, y) ? 1 : 0;
  }
  return count;
}

}  // namespace

class MeterImageTest : public QObject {
  Q_OBJECT

 private slots:
  void isA50By473PictureYellowWithDarkTeethOnWhite() {
    const QImage image = midiapp::MeterImage();
    QCOMPARE(image.size(), QSize(50, 473));
    QVERIFY(!image.hasAlphaChannel());
    for (int y = 0; y < 473; ++y) {
      QVERIFY2(IsWhite(image, 0, y) && IsWhite(image, 49, y), qPrintable(QString("row %1").arg(y)));
      // The tapes run the whole height; only the slider's dark edges may hide them.
      const bool slider = y >= 236 && y < 252;
      QVERIFY2(slider || Count(image, 0, 50, y, y + 1, IsYellow) > 0, qPrintable(QString("row %1").arg(y)));
    }
    QVERIFY(Count(image, 0, 50, 236, 252, IsYellow) > 0);  // the slider
    QVERIFY(Count(image, 0, 24, 0, 236, IsDark) > 0);      // teeth of the open left tape
    QVERIFY(Count(image, 26, 50, 0, 236, IsDark) > 0);     // and of the right one
    QVERIFY(Count(image, 24, 26, 260, 473, IsDark) > 0);   // closed teeth in the middle
  }

  // The meter's window starts at row 236 for the closed zipper and at row 0 for
  // the open one, so the middle is white exactly above row 236.
  void opensAboveRow236() {
    const QImage image = midiapp::MeterImage();
    for (int y = 0; y < 473; ++y) {
      const bool open = IsWhite(image, 24, y) && IsWhite(image, 25, y);
      QVERIFY2(open == (y < 236), qPrintable(QString("row %1").arg(y)));
    }
  }

  void meterRowOpensTheZipperByPacket1025AndHoldsItOpen() {
    const std::pair<std::int32_t, std::int32_t> rows[] = {
        {1, 236},   {3, 235},  {5, 235},  {7, 234},  {11, 233},  {255, 177},
        {513, 118}, {1023, 0}, {1025, 0}, {1029, 0}, {99999, 0}, {INT32_MAX, 0},
    };
    for (const auto& [k, row] : rows)
      QVERIFY2(midiapp::MeterRow(k) == row, qPrintable(QString("k = %1").arg(k)));
  }
};

QTEST_GUILESS_MAIN(MeterImageTest)
#include "meter_test.moc"
