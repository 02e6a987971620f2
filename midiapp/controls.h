#pragma once

#include <QImage>
#include <QListWidget>
#include <QPersistentModelIndex>
#include <QWidget>

class QFocusEvent;
class QMouseEvent;
class QPaintEvent;

// Two controls of the MIDI tool's window that Qt lacks as such.
namespace midiapp {

// A list box whose Click comes whenever its user changes the chosen entry, by
// any means (a click with either button, a press on one entry released on
// another, the keyboard), and on a click on the chosen entry. What the mouse
// chooses counts once the button is released: a drag across the list is one
// choice. A change made by the program while the list's signals are blocked is
// no choice of the user's.
class ListBox : public QListWidget {
  Q_OBJECT

 public:
  explicit ListBox(QWidget* parent);

 signals:
  void Click();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  QPersistentModelIndex chosen() const;
  void pressed(const QPoint& at);
  // Reports the press that ends as the user's choice, if it changed the chosen
  // entry or was a click on one.
  void pressEnded();

  bool pressing_ = false;
  bool clicked_ = false;
  QPersistentModelIndex chosenAtPress_;
  QPersistentModelIndex pressedAt_;  // the entry under the press
};

// A picture area: shows its picture from its top-left corner and keeps the
// picture's pixels, so that a repaint by the window system shows them again.
class PictureBox : public QWidget {
  Q_OBJECT

 public:
  explicit PictureBox(QWidget* parent);

  const QImage& picture() const { return picture_; }
  void SetPicture(QImage picture);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage picture_;
};

}  // namespace midiapp
