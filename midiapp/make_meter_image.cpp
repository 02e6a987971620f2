// Draws the meter's zipper picture and saves it as a PNG file at the path given.
// Run at build time; the picture then becomes a resource of the program.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>
#include <cstdio>

#include "midiapp/meter.h"

namespace {

constexpr int kWidth = 50;
constexpr int kHeight = 473;
constexpr int kCentre = 25;                          // the zipper's middle column
constexpr int kSliderTop = midiapp::kMeterStartRow;  // the meter shows the closed zipper from here
constexpr int kSliderRows = 16;
constexpr int kTapeWidth = 14;  // one tape of the open zipper
constexpr int kToothPitch = 6;  // rows from one tooth to the next on the same side
constexpr int kToothRows = 3;
constexpr int kToothWidth = 4;

const QColor kWhite(255, 255, 255);
const QColor kYellow(255, 237, 2);
const QColor kDark(60, 52, 20);

// Half the white gap between the open tapes at `row`: 10 pixels at the top,
// narrowing to 2 where the tapes meet the slider.
int HalfGap(int row) { return 2 + (kSliderTop - 1 - row) * 8 / (kSliderTop - 1); }

void DrawOpenRow(QPainter& painter, int row) {
  const int gap = HalfGap(row);
  painter.fillRect(QRect(kCentre - gap - kTapeWidth, row, kTapeWidth, 1), kYellow);
  painter.fillRect(QRect(kCentre + gap, row, kTapeWidth, 1), kYellow);
  // The teeth on the tapes' inner edges, the two sides half a pitch apart.
  if (row % kToothPitch < kToothRows) {
    painter.fillRect(QRect(kCentre - gap - kToothWidth, row, kToothWidth, 1), kDark);
  } else {
    painter.fillRect(QRect(kCentre + gap, row, kToothWidth, 1), kDark);
  }
}

void DrawClosedRow(QPainter& painter, int row) {
  painter.fillRect(QRect(kCentre - 16, row, 32, 1), kYellow);
  // Closed teeth interlock across the middle, so no white shows there.
  const int left = row % kToothPitch < kToothRows ? kCentre - 4 : kCentre - 2;
  painter.fillRect(QRect(left, row, 6, 1), kDark);
}

void DrawSlider(QPainter& painter) {
  const QRect body(kCentre - 18, kSliderTop, 36, kSliderRows);
  painter.fillRect(body, kDark);
  painter.fillRect(body.adjusted(2, 2, -2, -2), kYellow);
  const QRect tab(kCentre - 5, kSliderTop + kSliderRows, 10, 18);
  painter.fillRect(tab, kDark);
  painter.fillRect(tab.adjusted(2, 0, -2, -2), kYellow);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_meter_image OUTPUT.png\n");
    return 2;
  }
  QImage image(kWidth, kHeight, QImage::Format_RGB888);
  image.fill(kWhite);
  {
    QPainter painter(&image);
    for (int row = 0; row < kSliderTop; ++row) DrawOpenRow(painter, row);
    for (int row = kSliderTop; row < kHeight; ++row) DrawClosedRow(painter, row);
    DrawSlider(painter);
  }
  if (!image.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::fprintf(stderr, "make_meter_image: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
