#include "finder/app/controls.h"

#include <QImage>
#include <QRegion>
#include <QtTest>

#include "finder/chart.h"
#include "support.h"

class ControlsTest : public QObject {
  Q_OBJECT

 private slots:
  // The window repaints on each refresh what the chart canvas names: every
  // pixel that changed must lie in it, and a refresh with nothing new drawn
  // repaints nothing.
  void aRefreshNamesAllThatWasDrawn() {
    finder::test::Fixture f(finder::test::kThreePitches);
    const finder::RunOutcome run = f.Run(finder::test::Single("12", finder::Criterion::MaxDeviation, "11"));
    finder::ImageCanvas image;
    QImage shown = image.Image();
    int refreshes = 0;
    finder::ChartCanvas canvas(image, [&](const QRegion& drawn) {
      ++refreshes;
      for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
          if (image.Image().pixel(x, y) != shown.pixel(x, y) && !drawn.contains(QPoint(x, y))) {
            QFAIL(qPrintable(QString("(%1, %2) changed unseen").arg(x).arg(y)));
          }
        }
      }
      shown = image.Image();
    });
    finder::RaporCiz(canvas, run, '.');
    canvas.Refresh();
    QCOMPARE(shown, image.Image());
    QCOMPARE(refreshes, 1 + 3 + 1);  // the frame, the 3 bars of 13 steps, the summary
  }
};

QTEST_MAIN(ControlsTest)
#include "controls_test.moc"
