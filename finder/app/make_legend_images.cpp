// Draws the two legend pictures of the chart's axes and saves them as PNG files
// at the two paths given: the upward arrow with a per-cent sign (25 x 175) and
// the rightward arrow with the word Degree (236 x 25). Run at build time; the
// pictures then become resources of the program. The letters are drawn from
// the small pixel patterns below, so the pictures need no font and come out
// the same on every machine.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <QString>
#include <cstdio>
#include <string_view>

namespace {

const QColor kInk(0, 0, 0);

// Glyphs five pixels wide and nine high: rows 0 to 6 above the baseline,
// rows 7 and 8 for descenders.
struct Glyph {
  char letter;
  std::string_view rows[9];
};

constexpr Glyph kGlyphs[] = {
    {'%', {".#...", "#.#.#", ".#.#.", "..#..", ".#.#.", "#.#.#", "...#.", ".....", "....."}},
    {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####.", ".....", "....."}},
    {'e', {".....", ".....", ".###.", "#...#", "#####", "#....", ".###.", ".....", "....."}},
    {'g', {".....", ".....", ".####", "#...#", "#...#", "#...#", ".####", "....#", ".###."}},
    {'r', {".....", ".....", "#.##.", "##..#", "#....", "#....", "#....", ".....", "....."}},
};

// Draws `letter` with its top-left corner at `origin`, each pattern pixel as a
// square of `scale` pixels.
void DrawGlyph(QPainter& painter, char letter, QPoint origin, int scale) {
  for (const Glyph& glyph : kGlyphs) {
    if (glyph.letter != letter) continue;
    for (int row = 0; row < 9; ++row) {
      for (int column = 0; column < 5; ++column) {
        if (glyph.rows[row][static_cast<std::size_t>(column)] == '#') {
          painter.fillRect(QRect(origin.x() + column * scale, origin.y() + row * scale, scale, scale), kInk);
        }
      }
    }
  }
}

QImage VerticalLegend() {
  QImage image(25, 175, QImage::Format_RGB888);
  image.fill(Qt::white);
  QPainter painter(&image);
  DrawGlyph(painter, '%', QPoint(5, 2), 3);  // rows 2 to 22
  painter.setPen(Qt::NoPen);
  painter.setBrush(kInk);
  painter.drawPolygon(QPolygon({QPoint(12, 28), QPoint(4, 46), QPoint(20, 46)}));  // the tip at row 28
  painter.fillRect(QRect(11, 46, 3, 126), kInk);  // the shaft down to row 171
  return image;
}

QImage HorizontalLegend() {
  QImage image(236, 25, QImage::Format_RGB888);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.fillRect(QRect(4, 11, 128, 3), kInk);  // the shaft along rows 11 to 13
  painter.setPen(Qt::NoPen);
  painter.setBrush(kInk);
  painter.drawPolygon(QPolygon({QPoint(148, 12), QPoint(130, 4), QPoint(130, 20)}));  // the tip at column 148
  constexpr std::string_view kWord = "Degree";
  for (std::size_t i = 0; i < kWord.size(); ++i) {
    DrawGlyph(painter, kWord[i], QPoint(158 + 12 * static_cast<int>(i), 3), 2);  // columns 158 to 227
  }
  return image;
}

bool Save(const QImage& image, const char* path) {
  if (image.save(QString::fromLocal8Bit(path), "PNG")) return true;
  std::fprintf(stderr, "make_legend_images: cannot write %s\n", path);
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_legend_images IMAGE1.png IMAGE2.png\n");
    return 2;
  }
  return Save(VerticalLegend(), argv[1]) && Save(HorizontalLegend(), argv[2]) ? 0 : 1;
}
