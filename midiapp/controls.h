#pragma once

#include <QImage>
#include <QListWidget>
#include <QWidget>

class QKeyEvent;
class QPaintEvent;

// Two controls of the MIDI tool's window that Qt lacks as such.
namespace midiapp {

// A list box whose Click is what its user calls choosing an entry: a mouse click
// on an entry, or a change of the chosen entry by the keyboard.
class ListBox : public QListWidget {
  Q_OBJECT

 public:
  explicit ListBox(QWidget* parent);

 signals:
  void Click();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
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
