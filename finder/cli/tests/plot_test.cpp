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

// Whether a pixel next to `point` has nearly `colour`; lines are antialiased.
bool Shows(const QImage& image, QPointF point, unsigned colour) {
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      const QColor got = image.pixelColor(qRound(point.x()) + dx, qRound(point.y()) + dy);
      const QColor want = QColor::fromRgb(colour);
      if (std::abs(got.red() - want.red()) + std::abs(got.green() - want.green()) +
              std::abs(got.blue() - want.blue()) <
          30)
        return true;
    }
  }
  return false;
}

}  // namespace

class PlotTest : public QObject {
  Q_OBJECT

 private slots:
  // The three-pitch table's measures from 5 to 19 under the larger extreme deviation, the limit 5 met at 19.
  void showsTheLimitLineAndTheFoundDegree() {
    PlotData data{.title = "üç.txt", .curve = {}, .limit = 5, .found = 19, .separator = ','};
    const float measures[] = {97.2f, 51.4f, 60.1f, 25.0f, 40.3f, 34.5f, 27.6f,   10.0f,
                              20.4f, 13.1f, 35.8f, 22.9f, 12.3f, 18.0f, 4.77194f};
    for (int i = 0; i < 15; ++i) data.curve.push_back({static_cast<std::int16_t>(5 + i), measures[i]});
    const PlotFrame frame(data);
    for (const PlotFormat format : {PlotFormat::Svg, PlotFormat::Png}) {
      data.found = 19;
      const QImage image = Picture(DrawPlot(data, format), format);
      QCOMPARE(image.size(), QSize(kPlotWidth, kPlotHeight));
      for (const double degree : {8.0, 12.5, 17.0})
        QVERIFY(Shows(image, frame.At(degree, 5), kPlotLimitColour));
      QVERIFY(Shows(image, frame.At(19, 4.77194), kPlotFoundColour));
      QVERIFY(Shows(image, frame.At(5.5, 74.3), kPlotCurveColour));  // between the first two measures
      data.found = std::nullopt;
      QVERIFY(!Shows(Picture(DrawPlot(data, format), format), frame.At(19, 4.77194), kPlotFoundColour));
    }
    // Measures and a limit of 0 only: the dot and the limit line lie on the axis.
    const PlotData zero{.title = "a.txt", .curve = {{12, 0}}, .limit = 0, .found = std::nullopt};
    const QImage image = Picture(DrawPlot(zero, PlotFormat::Png), PlotFormat::Png);
    const QPointF at = PlotFrame(zero).At(12, 0);
    QVERIFY(Shows(image, at, kPlotCurveColour) || Shows(image, at, kPlotLimitColour));
  }
};

}  // namespace finder::cli

QTEST_MAIN(finder::cli::PlotTest)
#include "plot_test.moc"
