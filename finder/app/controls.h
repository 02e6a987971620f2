#pragma once

#include <QGroupBox>
#include <QListWidget>
#include <QRegion>
#include <QWidget>
#include <functional>

#include "finder/app/image_canvas.h"
#include "finder/canvas.h"

class QKeyEvent;
class QLabel;
class QMouseEvent;
class QPaintEvent;

// The controls of the finder's window that Qt lacks as such.
namespace finder {

// A file list whose Click is what its user calls picking an entry: the chosen
// entry changes, by the mouse or the keyboard, or the chosen entry is clicked
// again. One entry stays chosen once there is one.
class FileList : public QListWidget {
  Q_OBJECT

 public:
  explicit FileList(QWidget* parent);

 signals:
  void Click();

 protected:
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                       const QEvent* event) const override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};

// A frame of settings, `Frame4` or `Frame5`: a desktop group box with its
// caption on its top border, in the window's font. It is opaque, so that the
// chart it stands over after a run does not show through, caption included.
class Frame : public QGroupBox {
  Q_OBJECT

 public:
  Frame(const QString& caption, QWidget* parent);

  // Once the controls stand in their design places: widens each option and
  // label whose text does not fit its design width, rather than shrink the
  // text, and the frame as far as its caption and controls then need.
  void FitTexts();

 protected:
  void paintEvent(QPaintEvent* event) override;
};

// The chart drawn onto its image, which tells on each refresh what has been
// drawn since the last one, so that the window repaints only that: a run
// refreshes once for every step of the found degree, most of them with nothing
// new to show.
class ChartCanvas : public Canvas {
 public:
  ChartCanvas(ImageCanvas& image, std::function<void(const QRegion&)> refreshed);

  void Clear() override;
  void ShowLegends() override;
  void Text(std::int32_t x, std::int32_t y, Rgb colour, std::string_view text) override;
  void Line(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, Rgb colour,
            std::int32_t width) override;
  void Box(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, Rgb colour) override;
  void Refresh() override;

 private:
  void touch(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom);

  ImageCanvas& image_;
  std::function<void(const QRegion&)> refreshed_;
  QRegion drawn_;
};

// The chart area, `Picture1`: the chart is drawn onto an image of its own,
// which outlives every repaint. It holds the legend pictures of the axes,
// `Image1` and `Image2`, hidden until the first chart.
class ChartBox : public QWidget {
  Q_OBJECT

 public:
  explicit ChartBox(QWidget* parent);

  // Where the report draws; each refresh repaints what was drawn since the last.
  Canvas& canvas() { return canvas_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  ImageCanvas image_;
  ChartCanvas canvas_;
  QLabel* Image1 = nullptr;
  QLabel* Image2 = nullptr;
};

}  // namespace finder
