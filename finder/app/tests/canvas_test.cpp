// The chart's image: the worked example as a reviewed picture has it, and what
// the window repaints on each refresh.

#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QRegion>
#include <QtTest>

#include "finder/app/controls.h"
#include "finder/app/image_canvas.h"
#include "finder/chart.h"
#include "support.h"

class CanvasTest : public QObject {
  Q_OBJECT

 private slots:
  // The window repaints on each refresh what the chart canvas names: every
  // pixel that changed must lie in it, and a refresh with nothing new drawn
  // repaints nothing. The picture's glyphs are those of the system's
  // fixed-pitch font as Debian has it, DejaVu Sans Mono.
  void drawsTheWorkedExampleAndRepaintsAllThatWasDrawn() {
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
    const QImage chart = image.Image();
    QCOMPARE(refreshes, 1 + 3 + 1);                     // the frame, the 3 bars of 13 steps, the summary
    canvas.Line(600, 100, 600, 200, finder::kBlue, 3);  // a line on its own, after the chart
    canvas.Refresh();
    QCOMPARE(shown, image.Image());
    QCOMPARE(refreshes, 1 + 3 + 1 + 1);
    if (QFontInfo(QFontDatabase::systemFont(QFontDatabase::FixedFont)).family() != "DejaVu Sans Mono")
      QSKIP("the fixed-pitch font is not DejaVu Sans Mono");
    QCOMPARE(chart, QImage(FINDER_APP_GOLDEN_DIR "/three_pitches.png").convertToFormat(QImage::Format_RGB32));
  }
};

QTEST_MAIN(CanvasTest)
#include "canvas_test.moc"
