#pragma once

#include <QFont>
#include <QImage>
#include <functional>

#include "finder/canvas.h"

namespace finder {

// The chart area drawn onto a persistent 1200 × 545 image, which the window
// shows and which therefore survives being covered. Text is set in the
// system's fixed-pitch font at 13 pixels, each character in a cell of its own
// 8 pixels wide, so the columns of the report line up whatever the font's own
// advance. Lines and boxes are drawn without antialiasing, pixel for pixel.
// Needs a QGuiApplication.
class ImageCanvas : public Canvas {
 public:
  // `refreshed` is called on Refresh and `legendsShown` on ShowLegends, so
  // that the window repaints and shows its legend pictures.
  explicit ImageCanvas(std::function<void()> refreshed = {}, std::function<void()> legendsShown = {});

  void Clear() override;
  void ShowLegends() override;
  void Text(std::int32_t x, std::int32_t y, Rgb colour, std::string_view text) override;
  void Line(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, Rgb colour,
            std::int32_t width) override;
  void Box(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, Rgb colour) override;
  void Refresh() override;

  const QImage& Image() const { return image_; }
  bool LegendsVisible() const { return legendsVisible_; }

  static constexpr int kWidth = 1200;
  static constexpr int kHeight = 545;
  static constexpr int kCellWidth = 8;

 private:
  QImage image_;
  QFont font_;
  int ascent_;  // from the top of a cell to the baseline
  bool legendsVisible_ = false;
  std::function<void()> refreshed_;
  std::function<void()> legendsShown_;
};

}  // namespace finder
