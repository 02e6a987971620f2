// The chart's image: what each drawing call leaves in it, and what the window repaints.

#include <QImage>
#include <QRegion>
#include <QtTest>

#include "finder/app/controls.h"
#include "finder/app/image_canvas.h"
#include "finder/chart.h"
#include "support.h"

namespace {

// Whether rows [top, bottom) hold ink in columns [left, right) only, and any at all.
bool InkWithin(const QImage& image, int top, int bottom, int left, int right) {
  bool any = false;
  for (int y = top; y < bottom; ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixelColor(x, y) == Qt::white) continue;
      if (x < left || x >= right) return false;
      any = true;
    }
  }
  return any;
}

}  // namespace

class CanvasTest : public QObject {
  Q_OBJECT

 private slots:
  void drawsLinesBoxesAndCharactersInTheirCells() {
    int refreshes = 0;
    int legends = 0;
    finder::ImageCanvas canvas([&] { ++refreshes; }, [&] { ++legends; });
    canvas.Line(50, 250, 50, 450, finder::kRed, 3);
    canvas.Line(50, 300, 1175, 300, finder::kBlue, 1);
    canvas.Box(65, 450, 55, 250, finder::kMagenta);
    canvas.Text(0, 100, finder::kBlack, "        #");
    const QImage& image = canvas.Image();
    // clang-format off
    const struct { int x, y; QColor colour; } pixels[] = {
        {49, 305, Qt::red}, {51, 305, Qt::red}, {52, 305, Qt::white}, {48, 305, Qt::white}, {1175, 300, Qt::blue},
        {1176, 300, Qt::white}, {600, 301, Qt::white}, {55, 250, Qt::magenta}, {64, 449, Qt::magenta},
        {65, 305, Qt::white}, {60, 249, Qt::white}, {60, 450, Qt::white}};
    // clang-format on
    for (const auto& pixel : pixels)
      QVERIFY2(image.pixelColor(pixel.x, pixel.y) == pixel.colour,
               qPrintable(QString("%1,%2").arg(pixel.x).arg(pixel.y)));
    QVERIFY(InkWithin(image, 100, 116, 64, 72));  // the ninth cell
    QVERIFY(!canvas.LegendsVisible());
    finder::Grafik(canvas, 0);
    QVERIFY(canvas.LegendsVisible());
    QCOMPARE(image.pixelColor(60, 305), QColor(Qt::white));  // the box cleared away
    canvas.Refresh();
    QCOMPARE(refreshes, 1);
    QCOMPARE(legends, 1);
  }

  // The window repaints on each refresh what the chart canvas names: every
  // pixel that changed must lie in it, and a refresh with nothing new drawn
  // repaints nothing.
  void aRefreshNamesAllThatWasDrawn() {
    finder::test::Fixture f(finder::test::kThreePitches);
    finder::ImageCanvas image;
    QImage shown = image.Image();
    int refreshes = 0;
    finder::ChartCanvas canvas(image, [&](const QRegion& drawn) {
      ++refreshes;
      for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
          if (image.Image().pixel(x, y) != shown.pixel(x, y) && !drawn.contains(QPoint(x, y)))
            QFAIL("a change unseen");
        }
      }
      shown = image.Image();
    });
    finder::RaporCiz(canvas, f.Run(finder::test::Single("12", finder::Criterion::MaxDeviation, "11")), '.');
    canvas.Refresh();
    QCOMPARE(refreshes, 1 + 3 + 1);                     // the frame, the 3 bars of 13 steps, the summary
    canvas.Line(600, 100, 600, 200, finder::kBlue, 3);  // a line on its own, after the chart
    canvas.Refresh();
    QCOMPARE(shown, image.Image());
    QCOMPARE(refreshes, 1 + 3 + 1 + 1);
  }
};

QTEST_MAIN(CanvasTest)
#include "canvas_test.moc"
