#include "midiapp/controls.h"

#include <QFocusEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <utility>

namespace midiapp {

ListBox::ListBox(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(this, &QListWidget::itemSelectionChanged, this, [this] {
    if (!pressing_) emit Click();
  });
}

QPersistentModelIndex ListBox::chosen() const {
  const QModelIndexList indexes = selectedIndexes();
  return indexes.isEmpty() ? QPersistentModelIndex() : QPersistentModelIndex(indexes.front());
}

void ListBox::pressed(const QPoint& at) {
  if (pressing_) return;  // a second button while the first is down
  pressing_ = true;
  clicked_ = false;
  chosenAtPress_ = chosen();
  pressedAt_ = indexAt(at);
}

void ListBox::pressEnded() {
  if (!pressing_) return;
  pressing_ = false;
  if (chosen() != chosenAtPress_ || clicked_) emit Click();
}

void ListBox::mousePressEvent(QMouseEvent* event) {
  pressed(event->position().toPoint());
  QListWidget::mousePressEvent(event);
}

void ListBox::mouseDoubleClickEvent(QMouseEvent* event) {
  pressed(event->position().toPoint());
  QListWidget::mouseDoubleClickEvent(event);
}

// Released on the entry it was pressed on: a click, with whichever button (Qt
// tells only of the left one's).
void ListBox::mouseReleaseEvent(QMouseEvent* event) {
  QListWidget::mouseReleaseEvent(event);
  const QModelIndex at = indexAt(event->position().toPoint());
  if (at.isValid() && at == pressedAt_) clicked_ = true;
  pressEnded();
}

// A press whose release the list never sees ends when the list loses the focus.
void ListBox::focusOutEvent(QFocusEvent* event) {
  QListWidget::focusOutEvent(event);
  pressEnded();
}

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);  // paintEvent paints every pixel itself
}

void PictureBox::SetPicture(QImage picture) {
  picture_ = std::move(picture);
  update();
}

void PictureBox::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), palette().window());
  painter.drawImage(0, 0, picture_);
}

}  // namespace midiapp
