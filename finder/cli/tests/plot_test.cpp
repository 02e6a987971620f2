// The plot compared with reviewed pictures, its SVG one drawing element a line.
// The PNG is drawn by the same painting; orvette-cli's test sees one written.

#include "finder/cli/plot.h"

#include <QFile>
#include <QFontInfo>
#include <QRegularExpression>
#include <QTest>
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
};

}  // namespace finder::cli

QTEST_MAIN(finder::cli::PlotTest)
#include "plot_test.moc"
