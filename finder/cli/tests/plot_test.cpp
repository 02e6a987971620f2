// The plot read back as a picture: its size, the limit line and the found
// degree's mark where the plot's frame puts them.

#include "finder/cli/plot.h"

#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTest>
#include <optional>

namespace finder::cli {
namespace {

// The picture, or none when the file is not a valid picture of the plot's size; an SVG states
// its size in millimetres of 96 pixels to the inch.
QImage Picture(const QByteArray& bytes, PlotFormat format) {
  if (format == PlotFormat::Png) return QImage::fromData(bytes, "PNG");
  const QRegularExpressionMatch size =
      QRegularExpression(R"(width="([\d.]+)mm" height="([\d.]+)mm")").match(bytes);
  QSvgRenderer svg(bytes);
  if (!svg.isValid() || svg.viewBoxF() != QRectF(0, 0, kPlotWidth, kPlotHeight) ||
      qRound(size.captured(1).toDouble() * 96 / 25.4) != kPlotWidth ||
      qRound(size.captured(2).toDouble() * 96 / 25.4) != kPlotHeight) {
    return {};
  }
  QImage image(kPlotWidth, kPlotHeight, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  svg.render(&painter);
  return image;
}

// How many pixels of the rectangle have nearly `colour`; lines are antialiased.
int Count(const QImage& image, QRectF rect, QColor colour) {
  int count = 0;
  for (int y = qRound(rect.top()); y <= qRound(rect.bottom()); ++y) {
    for (int x = qRound(rect.left()); x <= qRound(rect.right()); ++x) {
      const QColor got = image.pixelColor(x, y);
      const int distance = std::abs(got.red() - colour.red()) + std::abs(got.green() - colour.green()) +
                           std::abs(got.blue() - colour.blue());
      if (distance < 30) ++count;
    }
  }
  return count;
}

// Whether a pixel next to `point` has nearly `colour`.
bool Shows(const QImage& image, QPointF point, unsigned colour) {
  return Count(image, QRectF(point - QPointF(1, 1), point + QPointF(1, 1)), QColor::fromRgb(colour)) > 0;
}

}  // namespace

class PlotTest : public QObject {
  Q_OBJECT

 private slots:
  // The scales: round steps, a little room beside the degrees tried and above the largest measure.
  void framesTheDegreesAndTheMeasures() {
    const struct {
      PlotData data;
      double minDegree, maxDegree, degreeTick, measureTick, maxMeasure;
    } rows[] = {
        {{.title = "", .curve = {{5, 97.2f}, {19, 4.8f}}, .limit = 5, .found = {}}, 4.5, 19.5, 2, 20, 120},
        {{.title = "", .curve = {{12, 3}, {700, 3}}, .limit = 420, .found = {}},
         -1.76,
         713.76,
         100,
         100,
         500},
        {{.title = "", .curve = {{12, 0}}, .limit = 0, .found = {}}, 11, 13, 1, 0.2, 1.2}};
    for (const auto& row : rows) {
      const PlotFrame frame(row.data);
      QCOMPARE(frame.minDegree(), row.minDegree);
      QCOMPARE(frame.maxDegree(), row.maxDegree);
      QCOMPARE(frame.degreeTick(), row.degreeTick);
      QCOMPARE(frame.measureTick(), row.measureTick);
      QCOMPARE(frame.maxMeasure(), row.maxMeasure);
    }
  }

  // The three-pitch table's measures from 5 to 19 under the larger extreme deviation, the limit 5 met at 19.
  void showsTheLimitLineAndTheFoundDegree() {
    PlotData data{.title = "üç.txt", .curve = {}, .limit = 5, .found = 19, .separator = ','};
    const float measures[] = {97.2f, 51.4f, 60.1f, 25.0f, 40.3f, 34.5f, 27.6f,   10.0f,
                              20.4f, 13.1f, 35.8f, 22.9f, 12.3f, 18.0f, 4.77194f};
    for (int i = 0; i < 15; ++i) data.curve.push_back({static_cast<std::int16_t>(5 + i), measures[i]});
    const PlotFrame frame(data);
    const QPointF mark = frame.At(19, 4.77194);
    const QColor found = QColor::fromRgb(kPlotFoundColour);
    for (const PlotFormat format : {PlotFormat::Svg, PlotFormat::Png}) {
      data.found = 19;
      const QImage image = Picture(DrawPlot(data, format), format);
      QCOMPARE(image.size(), QSize(kPlotWidth, kPlotHeight));
      for (const double degree : {8.0, 12.5, 17.0})
        QVERIFY(Shows(image, frame.At(degree, 5), kPlotLimitColour));
      QVERIFY(Shows(image, frame.At(5.5, 74.3), kPlotCurveColour));  // between the first two measures
      // The mark: a dot of radius 8 in a white ring 2 wide, so filled to a radius of 7 and not beyond.
      const int dot = Count(image, QRectF(mark - QPointF(12, 12), mark + QPointF(12, 12)), found);
      QVERIFY2(dot > 113 && dot < 154, qPrintable(QString::number(dot)));  // between π·6² and π·7²
      // Its label to its left, at the top.
      const QRectF label(mark.x() - 10, frame.Area().top() + 8, 0, 16);
      QVERIFY(Count(image, label.adjusted(-150, 0, 0, 0), found.darker(130)) > 5);
      QCOMPARE(Count(image, label.adjusted(20, 0, 150, 0), found.darker(130)), 0);
      data.found = std::nullopt;
      QVERIFY(!Shows(Picture(DrawPlot(data, format), format), mark, kPlotFoundColour));
    }
  }
};

}  // namespace finder::cli

QTEST_MAIN(finder::cli::PlotTest)
#include "plot_test.moc"
