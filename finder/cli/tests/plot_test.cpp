// The plot read back as a picture: its size, the limit line and the found
// degree's mark where the plot's frame puts them.

#include "finder/cli/plot.h"

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTest>
#include <QXmlStreamReader>
#include <optional>

namespace finder::cli {
namespace {

// The measures of the three-pitch table from 5 to 19 under the larger extreme
// deviation, the limit 5 first met at 19.
PlotData Example(std::optional<std::int16_t> found) {
  PlotData data{.title = "üç.txt", .curve = {}, .limit = 5, .found = found, .separator = ','};
  const float measures[] = {97.2f, 51.4f, 60.1f, 25.0f, 40.3f, 34.5f, 27.6f,   10.0f,
                            20.4f, 13.1f, 35.8f, 22.9f, 12.3f, 18.0f, 4.77194f};
  for (int i = 0; i < 15; ++i) data.curve.push_back({static_cast<std::int16_t>(5 + i), measures[i]});
  return data;
}

// The size an SVG states, in CSS pixels of 1/96 inch.
QSizeF StatedSize(const QByteArray& svg) {
  QXmlStreamReader xml(svg);
  xml.readNextStartElement();
  const auto pixels = [&](const char* name) {
    QString length = xml.attributes().value(QString::fromLatin1(name)).toString();
    return length.endsWith(QStringLiteral("mm")) ? length.chopped(2).toDouble() * 96 / 25.4
                                                 : length.toDouble();
  };
  return {pixels("width"), pixels("height")};
}

// The picture, or none when the file is not a valid picture of the plot's size.
QImage Picture(const QByteArray& bytes, PlotFormat format) {
  if (format == PlotFormat::Png) return QImage::fromData(bytes, "PNG");
  const QSizeF size = StatedSize(bytes);
  QSvgRenderer svg(bytes);
  if (!svg.isValid() || svg.viewBoxF() != QRectF(0, 0, kPlotWidth, kPlotHeight) ||
      qRound(size.width()) != kPlotWidth || qRound(size.height()) != kPlotHeight) {
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
  const QColor want = QColor::fromRgb(colour);
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      const QColor got = image.pixelColor(qRound(point.x()) + dx, qRound(point.y()) + dy);
      if (std::abs(got.red() - want.red()) + std::abs(got.green() - want.green()) +
              std::abs(got.blue() - want.blue()) <
          30) {
        return true;
      }
    }
  }
  return false;
}

}  // namespace

class PlotTest : public QObject {
  Q_OBJECT

 private slots:
  void showsTheLimitLineAndTheFoundDegree_data() {
    QTest::addColumn<int>("format");
    QTest::newRow("svg") << static_cast<int>(PlotFormat::Svg);
    QTest::newRow("png") << static_cast<int>(PlotFormat::Png);
  }

  void showsTheLimitLineAndTheFoundDegree() {
    QFETCH(int, format);
    const PlotData data = Example(19);
    const PlotFrame frame(data);
    const QImage image =
        Picture(DrawPlot(data, static_cast<PlotFormat>(format)), static_cast<PlotFormat>(format));
    QCOMPARE(image.size(), QSize(kPlotWidth, kPlotHeight));
    for (const double degree : {8.0, 12.5, 17.0})
      QVERIFY(Shows(image, frame.At(degree, 5), kPlotLimitColour));
    QVERIFY(Shows(image, frame.At(19, 4.77194), kPlotFoundColour));

    const PlotData none = Example(std::nullopt);
    const QImage without =
        Picture(DrawPlot(none, static_cast<PlotFormat>(format)), static_cast<PlotFormat>(format));
    QVERIFY(!Shows(without, frame.At(19, 4.77194), kPlotFoundColour));
  }
};

}  // namespace finder::cli

QTEST_MAIN(finder::cli::PlotTest)
#include "plot_test.moc"
