#include "finder/app/controls.h"

#include <QAbstractButton>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <utility>

#include "finder/app/legends.h"

namespace finder {

FileList::FileList(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
}

// Neither a click beside the entries nor one with Ctrl takes the choice back.
QItemSelectionModel::SelectionFlags FileList::selectionCommand(const QModelIndex& index,
                                                               const QEvent*) const {
  return index.isValid() ? QItemSelectionModel::ClearAndSelect : QItemSelectionModel::NoUpdate;
}

// A press on an entry picks it, also when it was chosen already: the file may
// have changed since.
void FileList::mousePressEvent(QMouseEvent* event) {
  QListWidget::mousePressEvent(event);
  if (itemAt(event->position().toPoint()) != nullptr) emit Click();
}

// Dragging with the button held moves the choice along.
void FileList::mouseMoveEvent(QMouseEvent* event) {
  const QList<QListWidgetItem*> before = selectedItems();
  QListWidget::mouseMoveEvent(event);
  if (selectedItems() != before) emit Click();
}

void FileList::keyPressEvent(QKeyEvent* event) {
  const QList<QListWidgetItem*> before = selectedItems();
  QListWidget::keyPressEvent(event);
  if (selectedItems() != before) emit Click();
}

// Room beside a frame's caption (its indent and padding on the border, and as
// much again on the right) and between a control and the frame's right edge.
constexpr int kCaptionIndent = 8;
constexpr int kCaptionPadding = 3;
constexpr int kRightMargin = 8;

Frame::Frame(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {
  // The border runs through the middle of the caption's line, and the caption
  // is cut out of it.
  setStyleSheet(QStringLiteral("QGroupBox { border: 1px solid palette(mid); border-radius: 3px; "
                               "margin-top: %1px; }"
                               "QGroupBox::title { subcontrol-origin: margin; left: %2px; padding: 0 %3px; }")
                    .arg(fontMetrics().height() / 2)
                    .arg(kCaptionIndent)
                    .arg(kCaptionPadding));
}

void Frame::FitTexts() {
  int width = 2 * (kCaptionIndent + kCaptionPadding) + fontMetrics().horizontalAdvance(title());
  for (QWidget* control : findChildren<QWidget*>()) {
    if (qobject_cast<QAbstractButton*>(control) != nullptr || qobject_cast<QLabel*>(control) != nullptr) {
      control->resize(std::max(control->width(), control->sizeHint().width()), control->height());
    }
    width = std::max(width, control->geometry().right() + 1 + kRightMargin);
  }
  if (width > this->width()) resize(width, height());
}

// The window's ground under the style's border and caption; a style sheet
// takes the widget's own background filling away.
void Frame::paintEvent(QPaintEvent* event) {
  QPainter(this).fillRect(rect(), palette().window());
  QGroupBox::paintEvent(event);
}

ChartCanvas::ChartCanvas(ImageCanvas& image, std::function<void(const QRegion&)> refreshed)
    : image_(image), refreshed_(std::move(refreshed)) {}

void ChartCanvas::Clear() {
  image_.Clear();
  touch(0, 0, ImageCanvas::kWidth, ImageCanvas::kHeight);
}

void ChartCanvas::ShowLegends() { image_.ShowLegends(); }

// A glyph may reach a little beyond its cell and below the row.
void ChartCanvas::Text(std::int32_t x, std::int32_t y, Rgb colour, std::string_view text) {
  image_.Text(x, y, colour, text);
  const std::int64_t cells = static_cast<std::int64_t>(text.size());  // bytes: at least the characters
  touch(std::int64_t{x} - ImageCanvas::kCellWidth, y - 4, x + (cells + 1) * ImageCanvas::kCellWidth,
        std::int64_t{y} + 24);
}

void ChartCanvas::Line(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, Rgb colour,
                       std::int32_t width) {
  image_.Line(x1, y1, x2, y2, colour, width);
  const std::int64_t reach = std::int64_t{width} + 1;
  touch(std::min(x1, x2) - reach, std::min(y1, y2) - reach, std::max(x1, x2) + reach,
        std::max(y1, y2) + reach);
}

void ChartCanvas::Box(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, Rgb colour) {
  image_.Box(x1, y1, x2, y2, colour);
  touch(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2));
}

void ChartCanvas::Refresh() {
  if (drawn_.isEmpty()) return;
  refreshed_(drawn_);
  drawn_ = QRegion();
}

// Adds the part of [left, right) x [top, bottom) that lies on the image.
void ChartCanvas::touch(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom) {
  const auto clamp = [](std::int64_t value, std::int64_t limit) {
    return static_cast<int>(std::clamp<std::int64_t>(value, 0, limit));
  };
  const QRect rect(QPoint(clamp(left, ImageCanvas::kWidth), clamp(top, ImageCanvas::kHeight)),
                   QPoint(clamp(right, ImageCanvas::kWidth) - 1, clamp(bottom, ImageCanvas::kHeight) - 1));
  if (rect.isValid()) drawn_ += rect;
}

ChartBox::ChartBox(QWidget* parent)
    : QWidget(parent),
      image_({},
             [this] {
               Image1->show();
               Image2->show();
             }),
      canvas_(image_, [this](const QRegion& drawn) { repaint(drawn); }) {
  setAttribute(Qt::WA_OpaquePaintEvent);  // the image covers every pixel
  Image1 = new QLabel(this);
  Image1->setObjectName("Image1");
  Image1->setPixmap(QPixmap::fromImage(LegendImage1()));
  Image1->setGeometry(4, 256, 25, 175);
  Image1->hide();
  Image2 = new QLabel(this);
  Image2->setObjectName("Image2");
  Image2->setPixmap(QPixmap::fromImage(LegendImage2()));
  Image2->setGeometry(32, 493, 236, 25);
  Image2->hide();
}

void ChartBox::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.drawImage(event->rect(), image_.Image(), event->rect());
}

}  // namespace finder
