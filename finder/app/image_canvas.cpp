#include "finder/app/image_canvas.h"

#include <QColor>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QString>
#include <algorithm>
#include <utility>

namespace finder {
namespace {

QColor ToQColor(Rgb colour) { return QColor(colour.red, colour.green, colour.blue); }

// A fixed-pitch face whose glyphs fit the 8-pixel cells of the report and whose
// lines fit its 13-pixel row pitch.
QFont CellFont() {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPixelSize(13);
  font.setStyleHint(QFont::TypeWriter);
  return font;
}

}  // namespace

ImageCanvas::ImageCanvas(std::function<void()> refreshed, std::function<void()> legendsShown)
    : image_(kWidth, kHeight, QImage::Format_RGB32),
      font_(CellFont()),
      ascent_(QFontMetrics(font_).ascent()),
      refreshed_(std::move(refreshed)),
      legendsShown_(std::move(legendsShown)) {
  image_.fill(Qt::white);
}

void ImageCanvas::Clear() { image_.fill(Qt::white); }

void ImageCanvas::ShowLegends() {
  legendsVisible_ = true;
  if (legendsShown_) legendsShown_();
}

void ImageCanvas::Text(std::int32_t x, std::int32_t y, Rgb colour, std::string_view text) {
  QPainter painter(&image_);
  painter.setFont(font_);
  painter.setPen(ToQColor(colour));
  const int baseline = y + ascent_;
  std::int64_t left = x;
  for (const char32_t c : QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toUcs4()) {
    // Cells beyond the image are not drawn; their positions would not fit an int.
    if (left >= kWidth) break;
    if (left > -kCellWidth) painter.drawText(static_cast<int>(left), baseline, QString::fromUcs4(&c, 1));
    left += kCellWidth;
  }
}

void ImageCanvas::Line(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, Rgb colour,
                       std::int32_t width) {
  QPainter painter(&image_);
  QPen pen(ToQColor(colour));
  pen.setWidth(width);
  pen.setCapStyle(width > 1 ? Qt::RoundCap : Qt::SquareCap);
  painter.setPen(pen);
  painter.drawLine(x1, y1, x2, y2);
}

void ImageCanvas::Box(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, Rgb colour) {
  const int left = std::min(x1, x2);
  const int top = std::min(y1, y2);
  QPainter painter(&image_);
  painter.fillRect(QRect(left, top, std::max(x1, x2) - left, std::max(y1, y2) - top), ToQColor(colour));
}

void ImageCanvas::Refresh() {
  if (refreshed_) refreshed_();
}

}  // namespace finder
