#pragma once

#include <QMainWindow>
#include <QString>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "finder/app/controls.h"
#include "finder/finder.h"

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidgetItem;
class QRadioButton;

namespace finder {

// Shows one message to the user and returns once it is confirmed.
using MessagePresenter = std::function<void(QWidget* parent, const QString& title, const QString& text)>;

// The program's way: a modal message box with one OK button.
void ShowMessageBox(QWidget* parent, const QString& title, const QString& text);

// The folder that holds the program: the finder's working folder.
std::filesystem::path ProgramFolder();

// The finder's only window: the chart area, and over it, when the menus call
// them up, the file list of the source tables and the two frames of settings.
// A pick in the list reads a table; the menus run the search and write
// "sonuc.csv". What each command did decides what the window shows next.
class Form1 : public QMainWindow {
  Q_OBJECT

 public:
  // The program's window: works in the program's folder, shows message boxes.
  Form1();
  // A window that works in `folder` and shows its messages through `present`.
  Form1(std::filesystem::path folder, MessagePresenter present);

  const Finder& finder() const { return finder_; }

 private slots:
  void Mn_Open_Click();
  void File1_Click();
  void Mn_tet_Click();
  void Mn_Kriter_Click();
  void Mn_Basla_Click();
  void Mn_Print_Click();
  void Mn_Kapat_Click();

 private:
  void createMenus();
  void createControls();
  void placeControls();  // the design places and sizes
  void connectHandlers();
  void Form_Load();  // the window opens

  // Shows a message box, when there is a message, and returns once it is confirmed.
  void ShowMessage(const std::optional<std::string>& text);
  // Hides the file list and both frames, so that the chart area is unobstructed.
  void HideInputs();
  void SetBusyPointer(bool busy);
  // Closes the window, which ends the program, once the current handler returns.
  void RequestClose();

  void listSourceFiles();
  QListWidgetItem* selectedEntry() const;
  SearchSettings settings() const;

  const std::filesystem::path folder_;
  MessagePresenter present_;
  // The user's, for the numbers the chart and "sonuc.csv" write and those typed into the frames.
  const char separator_;
  Finder finder_;
  bool busy_ = false;

  QAction* Mn_Open = nullptr;
  QAction* Mn_Kapat = nullptr;
  QAction* Mn_tet = nullptr;
  QAction* Mn_Kriter = nullptr;
  QAction* Mn_Basla = nullptr;
  QAction* Mn_Print = nullptr;

  ChartBox* Picture1 = nullptr;
  FileList* File1 = nullptr;

  Frame* Frame5 = nullptr;
  QRadioButton* Option1_1 = nullptr;  // Single
  QRadioButton* Option1_2 = nullptr;  // Range
  QFrame* Line2 = nullptr;
  QLabel* Label8 = nullptr;
  QLineEdit* Text2 = nullptr;  // the degree under Single
  QLabel* Label7 = nullptr;
  QLineEdit* Text3_1 = nullptr;  // the first degree under Range
  QLabel* Label6 = nullptr;
  QLineEdit* Text3_2 = nullptr;  // the last degree under Range

  Frame* Frame4 = nullptr;
  QRadioButton* Option2_1 = nullptr;  // Maximum Deviation
  QRadioButton* Option2_2 = nullptr;  // Standard Deviation
  QLabel* Label5 = nullptr;
  QLineEdit* Text1 = nullptr;  // the cent limit
};

}  // namespace finder
