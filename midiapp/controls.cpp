#include "midiapp/controls.h"

#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <utility>

namespace midiapp {

ListBox::ListBox(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(this, &QListWidget::itemClicked, this, &ListBox::Click);
}

void ListBox::keyPressEvent(QKeyEvent* event) {
  const QList<QListWidgetItem*> before = selectedItems();
  QListWidget::keyPressEvent(event);
  if (selectedItems() != before) emit Click();
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
