// The plot compared with reviewed pictures, its SVG one drawing element a line;
// its SVG read as XML whatever it shows; its PNG the same picture as the SVG.

#include "finder/cli/plot.h"

#include <QBuffer>
#include <QFile>
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTest>
#include <QXmlStreamReader>
#include <cfloat>
#include <cmath>
#include <limits>
#include <optional>

namespace finder::cli {
namespace {

// The three-pitch table's measures from 5 to 19 under the larger extreme deviation, the limit 5 met at 19.
PlotData ThreePitches() {
  PlotData data{.title = "üç.txt", .curve = {}, .limit = 5, .found = 19, .separator = ','};
  const float measures[] = {97.2f, 51.4f, 60.1f, 25.0f, 40.3f, 34.5f, 27.6f,   10.0f,
                            20.4f, 13.1f, 35.8f, 22.9f, 12.3f, 18.0f, 4.77194f};
  for (int i = 0; i < 15; ++i) data.curve.push_back({static_cast<std::int16_t>(5 + i), measures[i]});
  return data;
}

// The SVG one element a line, without the attributes Qt writes alike on every element.
QString Elements(const QByteArray& svg) {
  static const QRegularExpression same(
      " (fill|stroke)-opacity=\"1\"| stroke-line(cap|join)=\"\\w+\"| transform=\"matrix\\(1,0,0,1,0,0\\)\""
      "| font-(family|style)=\"[^\"]*\"| vector-effect=\"none\"| xml:space=\"preserve\"| fill-rule=\"\\w+\"");
  static const QRegularExpression blanks("\\s+");
  QStringList lines;
  for (const QString& element : QString::fromUtf8(svg).remove(same).replace(blanks, " ").split('<')) {
    const QString line = element.trimmed();
    if (!line.isEmpty() && line != "/g>" && line != "/text>") lines << line;
  }
  return lines.join('\n') + '\n';
}

PlotData Figures(std::vector<CurvePoint> curve, float limit, std::optional<std::int16_t> found = {}) {
  return {.title = "t.txt", .curve = std::move(curve), .limit = limit, .found = found};
}

// What an SVG holds, read by an XML reader: its title, its texts, and the
// numbers of its coordinates; `error` when it is no well-formed XML.
struct SvgContent {
  QString error;
  QString title;
  QStringList texts;
  std::vector<double> coordinates;
  int limitLines = 0;  // lines drawn in the limit's colour and width
};

SvgContent Read(const QByteArray& svg) {
  SvgContent content;
  QXmlStreamReader xml(svg);
  static const QRegularExpression number("-?[0-9.]+(e[-+]?[0-9]+)?|inf|nan",
                                         QRegularExpression::CaseInsensitiveOption);
  QString stroke;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    const QXmlStreamAttributes attributes = xml.attributes();
    if (attributes.hasAttribute("stroke"))
      stroke = attributes.value("stroke").toString() + attributes.value("stroke-width").toString();
    for (const char* name : {"x", "y", "points"}) {
      for (const QRegularExpressionMatch& match : number.globalMatch(attributes.value(name).toString()))
        content.coordinates.push_back(match.captured().toDouble());
    }
    if (xml.name() == u"polyline" && stroke == QString("#d62728") + "2") ++content.limitLines;
    if (xml.name() == u"title") content.title = xml.readElementText();
    if (xml.name() == u"text") content.texts << xml.readElementText();
  }
  if (xml.hasError()) content.error = xml.errorString();
  return content;
}

// Whether `colour` lies within a few steps of `want` in every channel.
bool Near(QColor colour, QRgb want) {
  const QColor w = QColor::fromRgb(want);
  return std::abs(colour.red() - w.red()) + std::abs(colour.green() - w.green()) +
             std::abs(colour.blue() - w.blue()) <=
         60;
}

}  // namespace

class PlotTest : public QObject {
  Q_OBJECT

 private slots:
  // The scales in round steps, with a little room beside the degrees tried and above the largest
  // measure; the found degree's label left of its mark, or right where there is no room; a run
  // that found nothing says so. Where the texts stand follows from the font's measures, so the
  // pictures hold for DejaVu Sans only.
  void drawsTheReviewedPictures() {
    QFont font("DejaVu Sans");
    font.setPixelSize(14);
    if (QFontInfo(font).family() != "DejaVu Sans") QSKIP("the plot's font, DejaVu Sans, is not installed");
    PlotData right = ThreePitches();
    right.found = 5;
    right.curve[0].measure = 4.5f;
    PlotData none{.title = "geniş.txt", .curve = {{12, 3}, {700, 3}}, .limit = 420, .found = {}};
    none.criterion = Criterion::StandardDeviation;
    const PlotData single{.title = "", .curve = {{12, 0}}, .limit = 0, .found = 12, .separator = ','};
    const std::pair<const char*, PlotData> rows[] = {{"found_left.txt", ThreePitches()},
                                                     {"found_right.txt", right},
                                                     {"none_found.txt", none},
                                                     {"one_degree.txt", single}};
    for (const auto& [golden, data] : rows) {
      QFile file(QString(PLOT_GOLDEN_DIR "/") + golden);
      QVERIFY(file.open(QIODevice::ReadOnly));
      QCOMPARE(Elements(DrawPlot(data, PlotFormat::Svg)), QString::fromUtf8(file.readAll()));
    }
  }

  // A name is the user's: whatever it holds, the SVG is XML that reads back
  // with the name as its title and its heading; what XML cannot hold shows as
  // U+FFFD.
  void writesWellFormedXmlWhateverTheName() {
    const struct {
      const char* row;
      std::string title;
      QString shown;
    } rows[] = {
        {"markup", "a&b <c> \"d\" 'e'.txt: 12", "a&b <c> \"d\" 'e'.txt: 12"},
        {"Turkish letters", "ğüşıöç İĞÜŞÖÇ.txt: 5-60", "ğüşıöç İĞÜŞÖÇ.txt: 5-60"},
        {"controls and no UTF-8",
         "a\x01"
         "b\x7F\xFF.txt",
         "a\uFFFDb\uFFFD\uFFFD.txt"},
    };
    for (const auto& row : rows) {
      PlotData data = ThreePitches();
      data.title = row.title;
      const SvgContent svg = Read(DrawPlot(data, PlotFormat::Svg));
      QVERIFY2(svg.error.isEmpty(), qPrintable(QString(row.row) + ": " + svg.error));
      QCOMPARE(svg.title, row.shown);
      QVERIFY2(!svg.texts.isEmpty() && svg.texts.front() == row.shown, row.row);
    }
  }

  // Whatever the figures, the scales have a dozen marks at most, every
  // coordinate is finite and within the picture's reach, and the limit line stands on
  // the scale or is left out: an infinite limit, which every degree meets, and
  // one below 0, which none can, have no place there.
  void drawsASensiblePictureWhateverTheFigures() {
    const float infinity = std::numeric_limits<float>::infinity();
    const struct {
      const char* row;
      PlotData data;
      int limitLines;
    } rows[] = {
        {"a tiny limit", Figures({{12, 0}, {13, 0}}, 1e-13f, 12), 1},
        {"the tiniest limit", Figures({{12, 0}}, FLT_TRUE_MIN, 12), 1},
        {"the largest measure", Figures({{12, FLT_MAX}, {2400, 1}}, 0), 1},
        {"every degree", Figures({{1, 3}, {32766, 2}}, 1), 1},
        {"an infinite limit", Figures({{12, 3}}, infinity, 12), 0},
        {"a limit below 0", Figures({{12, 3}, {13, 4}}, -5), 0},
        {"the most negative limit", Figures({{12, 3}}, -infinity), 0},
    };
    for (const auto& row : rows) {
      const QByteArray bytes = DrawPlot(row.data, PlotFormat::Svg);
      const SvgContent svg = Read(bytes);
      QVERIFY2(svg.error.isEmpty(), row.row);
      // the title, two axis names, the limit's or the none-found label, the found degree's two
      QVERIFY2(svg.texts.size() <= 12 + 12 + 6,
               qPrintable(QString(row.row) + ": " + QString::number(svg.texts.size())));
      QVERIFY2(bytes.size() < 40000, row.row);
      for (const double coordinate : svg.coordinates)
        QVERIFY2(std::isfinite(coordinate) && std::abs(coordinate) <= kPlotWidth,  // the axis name is turned
                 qPrintable(QString(row.row) + ": " + QString::number(coordinate)));
      QCOMPARE(svg.limitLines, row.limitLines);
    }
  }

  // The PNG is 960 × 540 and shows what the SVG shows: at the found degree's
  // mark, on a dot of the curve, on the limit line away from the curve, and
  // on the white ground, both pictures have the colour of that part.
  void drawsThePngAsTheSvg() {
    const PlotData data = ThreePitches();
    const QImage png = QImage::fromData(DrawPlot(data, PlotFormat::Png), "PNG");
    QCOMPARE(png.size(), QSize(kPlotWidth, kPlotHeight));
    QImage svg(kPlotWidth, kPlotHeight, QImage::Format_RGB32);
    svg.fill(Qt::black);
    {
      QSvgRenderer renderer(DrawPlot(data, PlotFormat::Svg));
      QVERIFY(renderer.isValid());
      QPainter painter(&svg);
      renderer.render(&painter);
    }
    const PlotFrame frame(data);
    const struct {
      const char* part;
      QPointF at;
      QRgb colour;
    } places[] = {{"found", frame.At(19, 4.77194), kPlotFoundColour},
                  {"curve", frame.At(8, 25.0), kPlotCurveColour},
                  {"limit", {600, std::floor(frame.At(0, 5).y())}, kPlotLimitColour},
                  {"ground", {940, 8}, 0xffffff}};
    for (const auto& place : places) {
      const QPoint at = place.at.toPoint();
      QVERIFY2(Near(png.pixelColor(at), place.colour), place.part);
      QVERIFY2(Near(svg.pixelColor(at), place.colour), place.part);
    }
  }
};

}  // namespace finder::cli

QTEST_MAIN(finder::cli::PlotTest)
#include "plot_test.moc"
