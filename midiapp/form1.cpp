#include "midiapp/form1.h"

#include <QApplication>
#include <QByteArray>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QFile>
#include <QFrame>
#include <QGuiApplication>
#include <QImage>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "midi/messages.h"
#include "midi/names.h"
#include "midiapp/controls.h"
#include "midiapp/decimal.h"
#include "midiapp/meter.h"
#include "midiapp/texts.h"

namespace midiapp {
namespace {

constexpr int kClientWidth = 367;
constexpr int kClientHeight = 466;

// The meter shows 50 x 236 pixels of the zipper picture from a source row on.
constexpr int kMeterWidth = 50;
constexpr int kMeterRows = 236;

// Where a list item keeps the name's bytes as they stand in the folder: the
// shown text is only their reading.
constexpr int kNameBytes = Qt::UserRole;

QString Text(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// A list item showing the file name `name`, keeping its bytes.
void SetName(QListWidgetItem& item, const std::string& name) {
  const QByteArray bytes = QByteArray::fromStdString(name);
  item.setText(QFile::decodeName(bytes));
  item.setData(kNameBytes, bytes);
}

std::string NameOf(const QListWidgetItem& item) { return item.data(kNameBytes).toByteArray().toStdString(); }

}  // namespace

void ShowMessageBox(QWidget* parent, const QString& title, const QString& text) {
  // Before start-up has shown the window, the box stands on its own.
  QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok,
                  parent != nullptr && parent->isVisible() ? parent : nullptr);
  box.exec();
}

std::filesystem::path ProgramFolder() {
  return QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
}

Form1::Form1(midi::Build build) : Form1(build, ProgramFolder(), ShowMessageBox) {}

Form1::Form1(midi::Build build, std::filesystem::path folder, MessagePresenter present)
    : build_(build), tool_(build, std::move(folder)), present_(std::move(present)) {
  createControls();
  placeControls();
  connectHandlers();
  Form_Load();
}

// Closing is never refused. A split in progress sees it at its next event pump
// and stops before it writes anything; the program ends with its last window.
void Form1::closeEvent(QCloseEvent* event) {
  closing_ = true;
  event->accept();
}

void Form1::ShowMessage(std::string_view text) {
  // The box waits for the user; a busy pointer over it would say the opposite.
  const bool wasBusy = busy_;
  SetBusyPointer(false);
  present_(this, windowTitle(), Text(text));
  SetBusyPointer(wasBusy);
}

void Form1::ShowMessages(const std::vector<std::string>& texts) {
  for (const std::string& text : texts) ShowMessage(text);
}

void Form1::SetBusyPointer(bool busy) {
  if (busy == busy_) return;
  busy_ = busy;
  if (busy) {
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
  } else {
    QGuiApplication::restoreOverrideCursor();
  }
}

bool Form1::PairStepDone(std::int32_t k) {
  DrawMeter(MeterRow(k));
  return PumpEvents();
}

bool Form1::PumpEvents() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  return !closing_;
}

void Form1::DrawMeter(std::int32_t row) {
  const QImage& source = Picture1->picture();
  row = std::max(0, std::min(row, source.height() - kMeterRows));
  // A split calls this once per pair of packets, and most of them leave the row
  // as it was.
  if (row == meterRow_) return;
  meterRow_ = row;
  Picture2->SetPicture(source.copy(0, row, kMeterWidth, kMeterRows));
}

void Form1::RefreshNameList() {
  std::optional<std::string> chosenFile;
  if (const QListWidgetItem* chosen = selectedEntry())
    chosenFile = NameOf(*File_MID->item(List_MID->row(chosen)));
  const std::vector<midi::MidiName> names = midi::ListMidiNames(tool_.folder());
  const int count = static_cast<int>(names.size());
  File_MID->clear();
  for (const midi::MidiName& name : names) SetName(*new QListWidgetItem(File_MID), name.fileName);

  // Rebuilding the list is not the user choosing an entry: nothing is loaded.
  const QSignalBlocker notAChoice(List_MID);
  int chosenRow = -1;
  for (int i = 0; i < count; ++i) {
    QListWidgetItem* entry = List_MID->item(i);
    if (entry == nullptr) entry = new QListWidgetItem(List_MID);
    SetName(*entry, names[static_cast<std::size_t>(i)].entry);
    if (names[static_cast<std::size_t>(i)].fileName == chosenFile) chosenRow = i;
  }
  // An entry whose file has gone would only fail to load.
  while (List_MID->count() > count) delete List_MID->takeItem(count);

  // The choice stays with its file, which is the file loaded, wherever its entry
  // now stands: files that came or went meanwhile shift the rows. When the file
  // itself has gone, nothing stays chosen. So the chosen entry and the loaded
  // file still agree, and the meter keeps showing how far the split came.
  if (chosenRow >= 0) {
    List_MID->setCurrentRow(chosenRow, QItemSelectionModel::ClearAndSelect);
  } else {
    List_MID->clearSelection();
  }
}

void Form1::List_MID_Click() {
  DrawMeter(kMeterStartRow);                    // a new file starts with the closed zipper
  if (build_ == midi::Build::Lumbric5) return;  // that build loads on Start
  loadSelectedEntry();
}

void Form1::Command1_Click() { ShowMessages(midi::messages::Of(tool_.TestEt())); }

void Form1::Command2_Click() {
  if (build_ == midi::Build::Tessaro5 && selectedEntry() == nullptr) {
    ShowMessage(midi::messages::kChooseFile);
    SetBusyPointer(false);
    return;
  }
  tool_.DecimalSeparator = SystemDecimalSeparator();
  // The hourglass stands while a report is made and saved; with no file loaded
  // nothing is made.
  SetBusyPointer(tool_.image().Loaded());
  midi::TxtOutcome outcome = tool_.TxtYaz();
  // The walk's warnings come before the report is saved.
  ShowMessages(midi::messages::BeforeSave(outcome));
  tool_.SaveReport(outcome);
  SetBusyPointer(false);
  ShowMessages(midi::messages::AfterSave(outcome));
}

void Form1::Command3_Click() {
  // A command given from inside the split's event pump would work on the state
  // of the split in progress, so the commands and the list wait for its end.
  const QPointer<QWidget> focus = QApplication::focusWidget();
  setCommandsEnabled(false);
  SetBusyPointer(true);
  if (build_ != midi::Build::Lumbric5 || loadSelectedEntry()) {
    const midi::StartOutcome outcome = tool_.MidiYaz(*this);
    ShowMessages(midi::messages::Of(outcome));
    if (outcome.kind == midi::StartOutcome::Kind::Written) RefreshNameList();
  }
  SetBusyPointer(false);
  setCommandsEnabled(true);
  if (focus != nullptr) focus->setFocus();
}

void Form1::createControls() {
  Frame_MID = new QFrame(this);
  Frame_MID->setObjectName("Frame_MID");
  Frame_MID->setFrameStyle(QFrame::Box | QFrame::Sunken);
  Frame_MID->hide();  // shown at the end of start-up

  List_MID = new ListBox(Frame_MID);
  List_MID->setObjectName("List_MID");

  // The folder's file list behind List_MID: entry i of one is file i of the other.
  File_MID = new QListWidget(Frame_MID);
  File_MID->setObjectName("File_MID");
  File_MID->hide();

  Command3 = new QPushButton(Text(texts::kStart), this);
  Command3->setObjectName("Command3");
  Command1 = new QPushButton(Text(texts::kTest), this);
  Command1->setObjectName("Command1");
  Command2 = new QPushButton(Text(texts::kToTxt), this);
  Command2->setObjectName("Command2");
  if (build_ == midi::Build::Lumbric5) {  // that build has Start alone
    Command1->hide();
    Command2->hide();
  }

  Picture2 = new PictureBox(this);
  Picture2->setObjectName("Picture2");

  Picture1 = new PictureBox(this);
  Picture1->setObjectName("Picture1");
  Picture1->SetPicture(MeterImage().convertToFormat(QImage::Format_RGB32));
  Picture1->hide();
}

void Form1::placeControls() {
  setFixedSize(kClientWidth, kClientHeight);
  Frame_MID->setGeometry(8, 8, 201, 297);
  List_MID->setGeometry(8, 16, 65, 104);
  File_MID->setGeometry(32, 16, 25, 166);
  Command3->setGeometry(56, 360, 113, 57);
  if (build_ == midi::Build::Tessaro5Vu) {
    Command1->setGeometry(104, 432, 113, 29);  // left of to TXT
  } else {
    Command1->setGeometry(248, 400, 113, 29);  // above to TXT
  }
  Command2->setGeometry(248, 432, 113, 33);
  Picture2->setGeometry(288, 64, 50, 236);
  Picture1->setGeometry(304, 8, 52, 475);
}

void Form1::connectHandlers() {
  connect(List_MID, &ListBox::Click, this, &Form1::List_MID_Click);
  connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
  connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
}

// The working folder, the folder that holds the program, came with the
// constructor; the note names are the core's fixed table.
void Form1::Form_Load() {
  setWindowTitle(Text(texts::Caption(build_)));
  RefreshNameList();
  if (File_MID->count() == 0) {
    ShowMessage(texts::kNoMidiFiles);
    unloaded_ = true;
    return;
  }
  layOutAtStartUp();
  DrawMeter(kMeterStartRow);
  Frame_MID->show();
}

// The frame grows and moves; the list fills it, Start spans it below, and the
// meter runs beside it, ending level with it.
void Form1::layOutAtStartUp() {
  Frame_MID->setGeometry(40, 32, 240, 240);
  Frame_MID->setBackgroundRole(QPalette::Window);
  List_MID->resize(Frame_MID->width() - 20, Frame_MID->height() - 20);
  Command3->setGeometry(Frame_MID->x(), Command3->y(), Frame_MID->width(), Command3->height());
  Picture2->setGeometry(Picture2->x(), Frame_MID->y() + 5, Picture2->width(), Frame_MID->height() - 5);
}

QListWidgetItem* Form1::selectedEntry() const {
  const QList<QListWidgetItem*> selected = List_MID->selectedItems();
  return selected.isEmpty() ? nullptr : selected.front();
}

bool Form1::loadSelectedEntry() {
  const QListWidgetItem* entry = selectedEntry();
  if (entry == nullptr) {
    ShowMessage(midi::messages::kChooseFile);
    SetBusyPointer(false);
    return false;
  }
  const QListWidgetItem* file = File_MID->item(List_MID->row(entry));
  const midi::LoadOutcome outcome = tool_.LoadImage(NameOf(*entry), NameOf(*file));
  ShowMessages(midi::messages::Of(outcome));
  if (outcome.kind == midi::LoadOutcome::Kind::Loaded) {
    loadedFile_ = outcome.fileName;
    return true;
  }
  // The image is still the file loaded before, and the choice goes back to it
  // (or to nothing), so that the commands never work on another file than the
  // one shown chosen.
  const QSignalBlocker notAChoice(List_MID);
  List_MID->clearSelection();
  for (int i = 0; loadedFile_ && i < File_MID->count(); ++i) {
    if (NameOf(*File_MID->item(i)) == *loadedFile_) {
      List_MID->setCurrentRow(i, QItemSelectionModel::ClearAndSelect);
      break;
    }
  }
  return false;
}

void Form1::setCommandsEnabled(bool enabled) {
  for (QWidget* control : {static_cast<QWidget*>(List_MID), static_cast<QWidget*>(Command1),
                           static_cast<QWidget*>(Command2), static_cast<QWidget*>(Command3)}) {
    control->setEnabled(enabled);
  }
}

}  // namespace midiapp
