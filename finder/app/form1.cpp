#include "finder/app/form1.h"

#include <QAction>
#include <QByteArray>
#include <QCoreApplication>
#include <QCursor>
#include <QFile>
#include <QFontDatabase>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QRadioButton>
#include <algorithm>
#include <cstddef>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "finder/app/decimal_separator.h"
#include "finder/app/texts.h"
#include "finder/chart.h"
#include "finder/files.h"
#include "finder/messages.h"
#include "finder/result.h"

namespace finder {
namespace {

constexpr int kClientWidth = 1216;  // the chart area and a margin of 8 on either side
constexpr int kClientHeight = 581;
constexpr int kOutOfView = 10000;  // where the file list waits for Open

// Where a list entry keeps the file name's bytes as they stand in the folder:
// the shown text is only their reading.
constexpr int kNameBytes = Qt::UserRole;

QString Text(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string NameOf(const QListWidgetItem& item) { return item.data(kNameBytes).toByteArray().toStdString(); }

bool IsSourceName(const std::string& name) {
  const std::string_view extension = texts::kSourceExtension;
  if (name.size() < extension.size()) return false;
  return std::equal(extension.begin(), extension.end(),
                    name.end() - static_cast<std::ptrdiff_t>(extension.size()),
                    [](char wanted, char c) { return wanted == (c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); });
}

// The source tables of `folder`, by name without regard to letter case.
std::vector<std::string> SourceNames(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
       entry.increment(error)) {
    std::error_code kindError;
    std::string name = entry->path().filename().string();
    if (entry->is_regular_file(kindError) && IsSourceName(name)) names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    const int order = QFile::decodeName(QByteArray::fromStdString(a))
                          .compare(QFile::decodeName(QByteArray::fromStdString(b)), Qt::CaseInsensitive);
    return order != 0 ? order < 0 : a < b;
  });
  return names;
}

// Whether a run searched, rather than refusing to: the chart area is then
// cleared of the list and the frames, whatever the search found.
bool Searched(const RunOutcome& run) {
  return run.status == RunOutcome::Status::Found || run.status == RunOutcome::Status::NoneQualified ||
         run.status == RunOutcome::Status::DurationTooLarge;
}

template <typename Control>
Control* Named(Control* control, const char* name) {
  control->setObjectName(name);
  return control;
}

}  // namespace

void ShowMessageBox(QWidget* parent, const QString& title, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok,
                  parent != nullptr && parent->isVisible() ? parent : nullptr);
  box.exec();
}

std::filesystem::path ProgramFolder() {
  return QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
}

Form1::Form1() : Form1(ProgramFolder(), ShowMessageBox) {}

Form1::Form1(std::filesystem::path folder, MessagePresenter present)
    : folder_(std::move(folder)), present_(std::move(present)), separator_(SystemDecimalSeparator()) {
  createMenus();
  createControls();
  placeControls();
  connectHandlers();
  Form_Load();
}

void Form1::ShowMessage(const std::optional<std::string>& text) {
  if (text) present_(this, windowTitle(), Text(*text));
}

void Form1::HideInputs() {
  File1->hide();
  Frame4->hide();
  Frame5->hide();
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

// The handler that asks for it runs to its end first.
void Form1::RequestClose() {
  QMetaObject::invokeMethod(
      this, [this] { close(); }, Qt::QueuedConnection);
}

// The list is read afresh from the folder; the entry chosen before stays
// chosen, without being read again.
void Form1::Mn_Open_Click() {
  listSourceFiles();
  File1->move(Picture1->pos());
  File1->show();
  File1->raise();
  File1->setFocus();
}

void Form1::File1_Click() {
  const QListWidgetItem* entry = selectedEntry();
  if (entry == nullptr) return;
  const std::string name = NameOf(*entry);
  const SourceOutcome read = finder_.KaynakOku(ReadWhole(folder_ / name));
  ShowMessage(messages::MessageOf(read, name));
  // A pitch above the octave ends the finder once the user has confirmed why.
  if (read.status == SourceOutcome::Status::OutOfOctave) RequestClose();
}

void Form1::Mn_tet_Click() { Frame5->show(); }

void Form1::Mn_Kriter_Click() { Frame4->show(); }

void Form1::Mn_Basla_Click() {
  if (selectedEntry() == nullptr) {
    ShowMessage(std::string(texts::kChooseFile));
    return;
  }
  const RunOutcome run = finder_.Basla(settings());
  if (Searched(run)) HideInputs();
  ShowMessage(messages::MessageOf(run));
  if (run.status != RunOutcome::Status::Found) return;
  RaporCiz(Picture1->canvas(), run, separator_);
  Picture1->canvas().Refresh();  // the summary, drawn after the report's last refresh
}

void Form1::Mn_Print_Click() {
  PrintOutcome printed = PrintOutcome::NoRun;
  if (const std::optional<std::string> table = finder_.SonucYaz(separator_)) {
    SetBusyPointer(true);
    printed = SaveWhole(folder_ / kResultFile, *table) ? PrintOutcome::Written : PrintOutcome::Unwritable;
    SetBusyPointer(false);
  }
  ShowMessage(messages::MessageOf(printed));
}

void Form1::Mn_Kapat_Click() { close(); }

void Form1::createMenus() {
  QMenu* Mn_File = Named(menuBar()->addMenu(Text(texts::kFileMenu)), "Mn_File");
  Mn_Open = Named(Mn_File->addAction(Text(texts::kOpen)), "Mn_Open");
  Mn_Kapat = Named(Mn_File->addAction(Text(texts::kExit)), "Mn_Kapat");
  Mn_tet = Named(menuBar()->addAction(Text(texts::kTemperaments)), "Mn_tet");
  Mn_Kriter = Named(menuBar()->addAction(Text(texts::kCriteria)), "Mn_Kriter");
  Mn_Basla = Named(menuBar()->addAction(Text(texts::kRun)), "Mn_Basla");
  Mn_Print = Named(menuBar()->addAction(Text(texts::kPrint)), "Mn_Print");
}

// Later controls stand over earlier ones: the list and the frames over the chart.
void Form1::createControls() {
  auto* client = Named(new QWidget(this), "client");
  setCentralWidget(client);
  const SearchSettings initial;

  Picture1 = Named(new ChartBox(client), "Picture1");

  File1 = Named(new FileList(client), "File1");
  QFont bold = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  bold.setStyleHint(QFont::SansSerif);
  bold.setBold(true);
  File1->setFont(bold);
  File1->hide();

  Frame5 = Named(new Frame(Text(texts::kTemperamentsFrame), client), "Frame5");
  Option1_1 = Named(new QRadioButton(Text(texts::kSingle), Frame5), "Option1_1");
  Option1_2 = Named(new QRadioButton(Text(texts::kRange), Frame5), "Option1_2");
  Option1_1->setChecked(initial.span == Span::Single);
  Option1_2->setChecked(initial.span == Span::Range);
  Line2 = Named(new QFrame(Frame5), "Line2");
  Line2->setFrameShape(QFrame::VLine);
  Line2->setFrameShadow(QFrame::Plain);
  Label8 = Named(new QLabel(Text(texts::kDegree), Frame5), "Label8");
  Text2 = Named(new QLineEdit(Text(initial.degreeText), Frame5), "Text2");
  Label7 = Named(new QLabel(Text(texts::kStart), Frame5), "Label7");
  Text3_1 = Named(new QLineEdit(Text(initial.startText), Frame5), "Text3_1");
  Label6 = Named(new QLabel(Text(texts::kStop), Frame5), "Label6");
  Text3_2 = Named(new QLineEdit(Text(initial.stopText), Frame5), "Text3_2");
  Frame5->hide();

  Frame4 = Named(new Frame(Text(texts::kCriteriaFrame), client), "Frame4");
  Option2_1 = Named(new QRadioButton(Text(texts::kMaximumDeviation), Frame4), "Option2_1");
  Option2_2 = Named(new QRadioButton(Text(texts::kStandardDeviation), Frame4), "Option2_2");
  Option2_1->setChecked(initial.criterion == Criterion::MaxDeviation);
  Option2_2->setChecked(initial.criterion == Criterion::StandardDeviation);
  Label5 = Named(new QLabel(Text(texts::kCentLimit), Frame4), "Label5");
  Text1 = Named(new QLineEdit(Text(initial.centLimitText), Frame4), "Text1");
  Frame4->hide();
}

void Form1::placeControls() {
  centralWidget()->setFixedSize(kClientWidth, kClientHeight);
  setFixedSize(sizeHint());  // the client area below the menu bar

  Picture1->setGeometry(8, 16, ImageCanvas::kWidth, ImageCanvas::kHeight);
  File1->setGeometry(8, 16, 217, 198);

  // Side by side with the list along the top of the chart, as tall as the list.
  Frame5->setGeometry(225, 16, 185, File1->height());
  Option1_1->setGeometry(16, 40, 57, 25);
  Option1_2->setGeometry(112, 40, 57, 25);
  Line2->setGeometry(93, 40, 1, 137);
  Label8->setGeometry(16, 72, 57, 17);
  Text2->setGeometry(16, 88, 57, 25);
  Label7->setGeometry(112, 72, 57, 17);
  Text3_1->setGeometry(112, 88, 57, 25);
  Label6->setGeometry(112, 128, 57, 17);
  Text3_2->setGeometry(112, 144, 57, 25);

  Frame4->setGeometry(410, 16, 145, File1->height());
  Option2_1->setGeometry(16, 56, 113, 25);
  Option2_2->setGeometry(16, 88, 113, 25);
  Label5->setGeometry(40, 128, 57, 17);
  Text1->setGeometry(40, 144, 57, 25);

  // The frames' texts keep the window's font; a frame grows to the right for
  // a text wider than its place, and Frame4 stays beside Frame5.
  Frame5->FitTexts();
  Frame4->FitTexts();
  Frame4->move(std::max(Frame4->x(), Frame5->x() + Frame5->width()), Frame4->y());
}

void Form1::connectHandlers() {
  connect(Mn_Open, &QAction::triggered, this, &Form1::Mn_Open_Click);
  connect(Mn_Kapat, &QAction::triggered, this, &Form1::Mn_Kapat_Click);
  connect(Mn_tet, &QAction::triggered, this, &Form1::Mn_tet_Click);
  connect(Mn_Kriter, &QAction::triggered, this, &Form1::Mn_Kriter_Click);
  connect(Mn_Basla, &QAction::triggered, this, &Form1::Mn_Basla_Click);
  connect(Mn_Print, &QAction::triggered, this, &Form1::Mn_Print_Click);
  connect(File1, &FileList::Click, this, &Form1::File1_Click);
}

// Only the menu bar and the white chart area show; the list waits out of view.
void Form1::Form_Load() {
  File1->move(File1->x(), kOutOfView);
  setWindowTitle(Text(texts::kTitle));
}

void Form1::listSourceFiles() {
  const QListWidgetItem* chosen = selectedEntry();
  const std::string chosenName = chosen != nullptr ? NameOf(*chosen) : std::string();
  File1->clear();
  for (const std::string& name : SourceNames(folder_)) {
    const QByteArray bytes = QByteArray::fromStdString(name);
    auto* entry = new QListWidgetItem(QFile::decodeName(bytes), File1);
    entry->setData(kNameBytes, bytes);
    if (!chosenName.empty() && name == chosenName) File1->setCurrentItem(entry);
  }
}

QListWidgetItem* Form1::selectedEntry() const {
  const QList<QListWidgetItem*> selected = File1->selectedItems();
  return selected.isEmpty() ? nullptr : selected.front();
}

SearchSettings Form1::settings() const {
  return {.span = Option1_1->isChecked() ? Span::Single : Span::Range,
          .degreeText = Text2->text().toStdString(),
          .startText = Text3_1->text().toStdString(),
          .stopText = Text3_2->text().toStdString(),
          .criterion = Option2_1->isChecked() ? Criterion::MaxDeviation : Criterion::StandardDeviation,
          .centLimitText = Text1->text().toStdString(),
          .decimalSeparator = separator_};
}

}  // namespace finder
