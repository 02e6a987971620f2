#pragma once

#include <QString>
#include <QWidget>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "midi/build.h"
#include "midi/progress.h"
#include "midi/tool.h"

class QCloseEvent;
class QFrame;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace midiapp {

class ListBox;
class PictureBox;

// Shows one message to the user and returns once it is confirmed.
using MessagePresenter = std::function<void(QWidget* parent, const QString& title, const QString& text)>;

// The program's way: a modal message box with one OK button.
void ShowMessageBox(QWidget* parent, const QString& title, const QString& text);

// The folder that holds the program: the MIDI tool's working folder.
std::filesystem::path ProgramFolder();

// The MIDI tool's only window: the MIDI files of its folder in a list, the
// commands TEST, to TXT and Start on the file chosen there, and the zipper meter
// that shows how far Start has come.
class Form1 : public QWidget, public midi::StartProgress {
  Q_OBJECT

 public:
  // The program's window: works in the program's folder, shows message boxes.
  explicit Form1(midi::Build build);
  // A window that works in `folder` and shows its messages through `present`.
  Form1(midi::Build build, std::filesystem::path folder, MessagePresenter present);

  // True when start-up found no MIDI file in the folder, said so, and unloaded
  // the window: the program ends without showing it.
  bool Unloaded() const { return unloaded_; }

  midi::Build build() const { return build_; }

  // The file loaded last.
  const midi::MidiImage& image() const { return tool_.image(); }

 protected:
  void closeEvent(QCloseEvent* event) override;

  // Start's progress: the meter follows the pair steps, and the window's events
  // are handled between them.
  bool PairStepDone(std::int32_t k) override;

 private slots:
  void List_MID_Click();
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();

 private:
  // Shows one message box, or several one after the other.
  void ShowMessage(std::string_view text);
  void ShowMessages(const std::vector<std::string>& texts);
  // The hourglass while `busy`, the default pointer otherwise.
  void SetBusyPointer(bool busy);
  // Handles every pending event; false once the window is closing.
  bool PumpEvents();
  // Shows the meter picture from source row `row` on.
  void DrawMeter(std::int32_t row);
  // Re-reads the folder and rebuilds the list of MIDI file names; the choice
  // stays with the file chosen.
  void RefreshNameList();

  void createControls();
  void placeControls();  // the design places and sizes
  void connectHandlers();
  void Form_Load();  // start-up
  void layOutAtStartUp();

  QListWidgetItem* selectedEntry() const;
  bool loadSelectedEntry();
  void setCommandsEnabled(bool enabled);

  const midi::Build build_;
  midi::MidiTool tool_;
  MessagePresenter present_;
  bool unloaded_ = false;
  bool closing_ = false;
  bool busy_ = false;
  std::int32_t meterRow_ = -1;
  std::optional<std::string> loadedFile_;  // the file name of the image, once one is loaded  // the source
                                           // row Picture2 shows; none before the first DrawMeter

  QFrame* Frame_MID = nullptr;
  ListBox* List_MID = nullptr;
  QListWidget* File_MID = nullptr;
  QPushButton* Command3 = nullptr;
  QPushButton* Command1 = nullptr;
  QPushButton* Command2 = nullptr;
  PictureBox* Picture2 = nullptr;
  PictureBox* Picture1 = nullptr;
};

}  // namespace midiapp
