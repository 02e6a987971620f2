#include "midiapp/meter.h"

#include <QtTest>

class MeterImageTest : public QObject {
  Q_OBJECT

 private slots:
  // The meter's window starts at row 236 for the closed zipper and at row 0 for
  // the open one, so the middle of the picture is white exactly above row 236.
  void isA50By473ZipperOpenAboveRow236() {
    const QImage image = midiapp::MeterImage();
    QCOMPARE(image.size(), QSize(50, 473));
    for (int y = 0; y < 473; ++y) {
      const bool open = image.pixelColor(24, y) == Qt::white && image.pixelColor(25, y) == Qt::white;
      QVERIFY2(open == (y < 236), qPrintable(QString("row %1").arg(y)));
      QVERIFY2(image.pixelColor(0, y) == Qt::white, qPrintable(QString("row %1").arg(y)));
    }
  }

  void meterRowOpensTheZipperByPacket1025AndHoldsItOpen() {
    const std::pair<std::int32_t, std::int32_t> rows[] = {{1, 236},   {3, 235},  {7, 234},  {255, 177},
                                                          {513, 118}, {1023, 0}, {1029, 0}, {INT32_MAX, 0}};
    for (const auto& [k, row] : rows)
      QVERIFY2(midiapp::MeterRow(k) == row, qPrintable(QString("k = %1").arg(k)));
  }
};

QTEST_GUILESS_MAIN(MeterImageTest)
#include "meter_test.moc"
