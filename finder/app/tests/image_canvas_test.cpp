#include "finder/app/image_canvas.h"

#include <QColor>
#include <QImage>
#include <QtTest>
#include <string>

#include "finder/app/legends.h"
#include "finder/chart.h"
#include "support.h"

namespace {

const QColor kWhite(255, 255, 255);
const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kMagenta(255, 0, 255);
const QColor kGrey(200, 200, 200);

bool IsInk(const QImage& image, int x, int y) { return image.pixelColor(x, y) != kWhite; }

// The columns [left, right) in which rows [top, bottom) hold ink; an empty
// range when none do.
QPair<int, int> InkColumns(const QImage& image, int top, int bottom) {
  int left = image.width();
  int right = 0;
  for (int y = top; y < bottom; ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (IsInk(image, x, y)) {
        left = std::min(left, x);
        right = std::max(right, x + 1);
      }
    }
  }
  return {left, right};
}

}  // namespace

class ImageCanvasTest : public QObject {
  Q_OBJECT

 private slots:
  void drawsTheWorkedExample_data() {
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("vertical axis, 3 pixels wide") << QPoint(49, 300) << kRed;
    QTest::newRow("beside the vertical axis") << QPoint(52, 305) << kWhite;
    QTest::newRow("horizontal axis, bottom edge") << QPoint(600, 453) << kRed;
    QTest::newRow("below the horizontal axis") << QPoint(600, 454) << kWhite;
    QTest::newRow("grey grid line at 260") << QPoint(600, 260) << kGrey;
    QTest::newRow("blue line over the grid at 300") << QPoint(600, 300) << kBlue;
    QTest::newRow("first bar, top left") << QPoint(55, 250) << kMagenta;
    QTest::newRow("first bar, bottom right") << QPoint(64, 449) << kMagenta;
    QTest::newRow("first bar is 10 pixels wide") << QPoint(65, 305) << kWhite;
    QTest::newRow("above the first bar") << QPoint(60, 249) << kWhite;
    QTest::newRow("short tick under the first bar") << QPoint(60, 457) << kBlue;
    QTest::newRow("long tick under the second bar") << QPoint(76, 474) << kBlue;
  }

  void drawsTheWorkedExample() {
    QFETCH(QPoint, point);
    QFETCH(QColor, colour);
    finder::test::Fixture f(finder::test::kThreePitches);
    finder::ImageCanvas canvas;
    finder::RaporCiz(canvas, f.Run(finder::test::Single("12", finder::Criterion::MaxDeviation, "11")), '.');
    QCOMPARE(canvas.Image().size(), QSize(1200, 545));
    QCOMPARE(canvas.Image().pixelColor(point), colour);
  }

  void setsEachCharacterInItsOwnEightPixelCell() {
    finder::ImageCanvas canvas;
    canvas.Text(0, 100, finder::kBlack, "        #");
    const QPair<int, int> ink = InkColumns(canvas.Image(), 100, 116);
    QVERIFY2(ink.first >= 64 && ink.second <= 72 && ink.first < ink.second,
             qPrintable(QString("ink in columns %1 to %2").arg(ink.first).arg(ink.second)));
    QCOMPARE(InkColumns(canvas.Image(), 0, 100).second, 0);
    QCOMPARE(InkColumns(canvas.Image(), 116, 545).second, 0);
  }

  void clearsToWhiteAndTellsTheWindow() {
    int refreshes = 0;
    int legends = 0;
    finder::ImageCanvas canvas([&] { ++refreshes; }, [&] { ++legends; });
    canvas.Box(0, 0, 1200, 545, finder::kMagenta);
    canvas.Refresh();
    QCOMPARE(canvas.Image().pixelColor(1199, 544), kMagenta);
    QVERIFY(!canvas.LegendsVisible());
    finder::Grafik(canvas, 0);
    QCOMPARE(canvas.Image().pixelColor(1199, 544), kWhite);
    QVERIFY(canvas.LegendsVisible());
    QCOMPARE(refreshes, 1);
    QCOMPARE(legends, 1);
  }

  // Each arrow: its shaft, its tip and a gap before the text it points at.
  void drawsTheLegends() {
    const QImage image1 = finder::LegendImage1();
    QCOMPARE(image1.size(), QSize(25, 175));
    QVERIFY(IsInk(image1, 12, 100) && IsInk(image1, 12, 30) && !IsInk(image1, 12, 25));
    QVERIFY(InkColumns(image1, 0, 24).second > 0);  // the per-cent sign
    const QImage image2 = finder::LegendImage2();
    QCOMPARE(image2.size(), QSize(236, 25));
    QVERIFY(IsInk(image2, 60, 12) && IsInk(image2, 146, 12) && !IsInk(image2, 152, 12));
    QVERIFY(InkColumns(image2, 0, 25).second > 200);  // the word Degree
  }
};

QTEST_MAIN(ImageCanvasTest)
#include "image_canvas_test.moc"
