#include "midiapp/form1.h"

#include <QGuiApplication>
#include <QImage>
#include <QListWidget>
#include <QPushButton>
#include <QStringList>
#include <QtTest>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "midiapp/meter.h"
#include "support.h"

Q_DECLARE_METATYPE(midi::Build)

namespace {

using midi::Build;
using Bytes = std::vector<std::uint8_t>;

const QString kTessaroCaption = "Tessaro5";  // Tessaro5Vu kept the caption of Tessaro5
const QString kChooseFile = "Bir dosya seçin.";

// A melody of `packets` packets: bend, note on, note off on the first channel.
Bytes Song(int packets) {
  return midi::test::Melody(std::vector<midi::test::Note>(packets, {0x3C, 0x00, 0x40}));
}

// A note whose next delta time would need a fourth byte.
const Bytes kTooLongDelta = midi::test::WithHeader({0x90, 0x3C, 0x40, 0x81, 0x81, 0x81, 0x00});

struct Shown {
  QString title;
  QString text;
  bool busyPointer;  // the hourglass stood while the box was up
};

// A window of one build working in a fresh folder, its message boxes recorded.
class Session {
 public:
  Session(Build build, const std::vector<std::pair<std::string, Bytes>>& files) {
    for (const auto& [name, bytes] : files) folder.Write(name, bytes);
    form = std::make_unique<midiapp::Form1>(
        build, folder.path(), [this](QWidget*, const QString& title, const QString& text) {
          shown.push_back({title, text, QGuiApplication::overrideCursor() != nullptr});
          if (onShow) onShow();
        });
    if (!form->Unloaded()) form->show();
  }

  template <typename T = QWidget>
  T* Control(const char* name) const {
    return form->findChild<T*>(name);
  }
  QListWidget* List() const { return Control<QListWidget>("List_MID"); }
  QPushButton* Button(const char* name) const { return Control<QPushButton>(name); }

  QStringList Entries() const {
    QStringList entries;
    for (int i = 0; i < List()->count(); ++i) entries << List()->item(i)->text();
    return entries;
  }
  QString Selected() const {
    const QList<QListWidgetItem*> items = List()->selectedItems();
    return items.isEmpty() ? QString() : items.front()->text();
  }

  // Where the entry `entry` stands in the list's viewport.
  QPoint At(const QString& entry) const {
    const QList<QListWidgetItem*> items = List()->findItems(entry, Qt::MatchExactly);
    return items.size() == 1 ? List()->visualItemRect(items.front()).center() : QPoint(-1, -1);
  }
  // A click on the entry `entry`.
  void Click(const QString& entry, Qt::KeyboardModifiers modifiers = {},
             Qt::MouseButton button = Qt::LeftButton) const {
    QTest::mouseClick(List()->viewport(), button, modifiers, At(entry));
  }

  // Runs `probe` from inside the first event pump of what comes next.
  void DuringNextCommand(std::function<void()> probe) const {
    QMetaObject::invokeMethod(form.get(), std::move(probe), Qt::QueuedConnection);
  }

  bool Exists(const std::string& name) const { return std::filesystem::exists(folder.path() / name); }
  void Remove(const std::string& name) const { QVERIFY(std::filesystem::remove(folder.path() / name)); }

  // What Picture2 shows when painted.
  QImage Meter() const { return Control("Picture2")->grab().toImage().convertToFormat(QImage::Format_RGB32); }

  midi::test::ScratchFolder folder;
  std::vector<Shown> shown;
  std::function<void()> onShow;  // runs while a message box is up
  std::unique_ptr<midiapp::Form1> form;
};

// The meter as it stands at source row `row`: 50 x 235 pixels of the zipper from
// that row on (the laid-out meter cuts off the last row).
QImage MeterAt(int row) {
  return midiapp::MeterImage().copy(0, row, 50, 235).convertToFormat(QImage::Format_RGB32);
}

QStringList Texts(const std::vector<Shown>& shown) {
  QStringList texts;
  for (const Shown& box : shown) texts << box.text;
  return texts;
}

}  // namespace

class Form1Test : public QObject {
  Q_OBJECT

 private slots:
  // The list's order is the name list's own test; here that start-up shows it.
  void startUpListsTheMidiFilesAndLaysTheWindowOut() {
    std::vector<std::pair<std::string, Bytes>> files;
    for (const char* name : {"b.mid", "A.MID", "c.Mid", "notes.txt", "d.midi"})
      files.emplace_back(name, Song(1));
    Session session(Build::Tessaro5Vu, files);

    QVERIFY(!session.form->Unloaded());
    QCOMPARE(session.Entries(), (QStringList{"A", "b", "c"}));
    QCOMPARE(session.Selected(), QString());
    QVERIFY(!session.form->image().Loaded());
    QVERIFY(session.shown.empty());
    QVERIFY(session.Control("Frame_MID")->isVisible());
    QVERIFY(!session.Control("File_MID")->isVisible());
    QVERIFY(!session.Control("Picture1")->isVisible());
    QCOMPARE(session.Meter(), MeterAt(236));

    QCOMPARE(session.form->size(), QSize(367, 466));
    QCOMPARE(session.Control("Frame_MID")->geometry(), QRect(40, 32, 240, 240));
    QCOMPARE(session.Control("List_MID")->geometry(), QRect(8, 16, 220, 220));
    QCOMPARE(session.Control("Command3")->geometry(), QRect(40, 360, 240, 57));  // Start spans the frame
    QCOMPARE(session.Control("Command2")->geometry(), QRect(248, 432, 113, 33));
    QCOMPARE(session.Control("Picture2")->geometry(), QRect(288, 37, 50, 235));  // level with the frame
    QCOMPARE(session.Button("Command3")->text(), QString("Start"));
    QCOMPARE(session.Button("Command1")->text(), QString("TEST"));
    QCOMPARE(session.Button("Command2")->text(), QString("to TXT"));
  }

  void startUpWithoutMidiFilesSaysSoAndUnloads_data() {
    QTest::addColumn<Build>("build");
    QTest::addColumn<QString>("title");
    QTest::newRow("Tessaro5Vu") << Build::Tessaro5Vu << kTessaroCaption;
    QTest::newRow("Lumbric5") << Build::Lumbric5 << QString("Lumbric sürüm 5");
  }
  void startUpWithoutMidiFilesSaysSoAndUnloads() {
    QFETCH(Build, build);
    QFETCH(QString, title);
    Session session(build, {{"notes.txt", Song(1)}, {"song.midi", Song(1)}});
    QVERIFY(session.form->Unloaded());
    QCOMPARE(session.shown.size(), 1u);
    QCOMPARE(session.shown[0].title, title);
    QCOMPARE(session.shown[0].text, QString("midi dosyalarınızı uygulama klasörüne taşıyın."));
    QVERIFY(!session.form->isVisible());
    QVERIFY(session.Control("Frame_MID")->isHidden());
  }

  void aClickLoadsTheFileBehindTheEntry() {
    Session session(Build::Tessaro5Vu, {{"a.mid", {1, 2, 3}}, {"B.MID", {4, 5}}});
    session.Click("B");
    QCOMPARE(session.form->image().MidiBytes, (Bytes{4, 5}));
    QCOMPARE(session.form->image().BaseName, std::string("B"));
    QCOMPARE(session.form->image().MidiFileName, std::string("B.MID"));

    session.folder.Write("B.MID", {7});  // each click reads the file again
    session.Click("B");
    QCOMPARE(session.form->image().MidiBytes, Bytes{7});

    session.folder.Write("B.MID", {8});
    QTest::keyClick(session.List(), Qt::Key_Down);  // already the last entry: nothing chosen anew
    session.Click("B", {}, Qt::RightButton);        // nor by a right click on it
    QCOMPARE(session.form->image().MidiBytes, Bytes{7});
    QVERIFY(session.shown.empty());

    session.Remove("B.MID");  // the list is only re-read by Start
    session.Click("B");
    QCOMPARE(Texts(session.shown), QStringList{"Dosya okunamadı: B.MID"});
    QCOMPARE(session.form->image().MidiBytes, Bytes{7});
  }

  // However the user chooses an entry, and on every click on the chosen one, the
  // meter closes and the entry's file is loaded: the entry shown chosen and the
  // file loaded never differ. A drag across the list is one choice, where it ends.
  void everyWayOfChoosingAnEntryLoadsItsFile_data() {
    QTest::addColumn<int>("way");
    QTest::addColumn<QString>("entry");
    QTest::newRow("left click") << 0 << "b";
    QTest::newRow("right click") << 1 << "b";
    QTest::newRow("press on one entry, release on another") << 2 << "b";
    QTest::newRow("arrow key") << 3 << "b";
    QTest::newRow("a click on the entry chosen") << 0 << "a";
  }
  void everyWayOfChoosingAnEntryLoadsItsFile() {
    QFETCH(int, way);
    QFETCH(QString, entry);
    Session session(Build::Tessaro5Vu, {{"a.mid", Song(256)}, {"b.mid", {4, 5}}});
    session.Click("a");
    session.Button("Command3")->click();  // opens the meter; lists a, a_13, a_24, b
    session.Remove("a_13.mid");           // loading it on the way would say so
    QWidget* const viewport = session.List()->viewport();
    switch (way) {
      case 0:
        session.Click(entry);
        break;
      case 1:
        session.Click(entry, {}, Qt::RightButton);
        break;
      case 2:
        QTest::mousePress(viewport, Qt::LeftButton, {}, session.At("a_13"));
        QTest::mouseMove(viewport, session.At("a_24"));
        QTest::mouseMove(viewport, session.At(entry));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, session.At(entry));
        break;
      default:
        QTest::keyClick(session.List(), Qt::Key_End);
        break;
    }
    QCOMPARE(session.Selected(), entry);
    QCOMPARE(session.form->image().BaseName, entry.toStdString());
    QCOMPARE(session.Meter(), MeterAt(236));
    QCOMPARE(Texts(session.shown), QStringList{});
  }

  void aClickThatLeavesNothingChosenAsksForAFile() {
    Session session(Build::Tessaro5Vu, {{"a.mid", {1, 2, 3}}});
    session.Click("a");
    session.Click("a", Qt::ControlModifier);  // takes the choice back
    QCOMPARE(session.Selected(), QString());
    QCOMPARE(Texts(session.shown), QStringList{kChooseFile});
    QCOMPARE(session.shown[0].title, kTessaroCaption);
    QCOMPARE(session.form->image().MidiBytes, (Bytes{1, 2, 3}));
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
  }

  void testAndToTxtShowTheWarningBeforeTheReportIsWritten() {
    Session session(Build::Tessaro5Vu, {{"song.mid", kTooLongDelta}});
    session.Click("song");
    session.Button("Command1")->click();
    QCOMPARE(Texts(session.shown), QStringList{"Çok büyük Tick ! !"});
    QCOMPARE(session.shown[0].title, kTessaroCaption);
    bool reportThere = true;
    session.onShow = [&] { reportThere = session.Exists("song.txt"); };
    session.Button("Command2")->click();
    QCOMPARE(Texts(session.shown), (QStringList{"Çok büyük Tick ! !", "Çok büyük Tick ! !"}));
    QVERIFY(!reportThere && session.Exists("song.txt"));
  }

  // The list is rebuilt after the split, and the choice stays with the file it
  // loaded, wherever that file's entry now stands; nothing is loaded anew.
  void startWritesBothFilesAndRefreshesTheList_data() {
    QTest::addColumn<QStringList>("removed");  // after the click on b
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("chosen");
    QTest::newRow("the new files join in order")
        << QStringList{} << QStringList{"a", "b", "b_13", "b_24", "c", "d"} << "b";
    QTest::newRow("files that have gone leave the list")
        << QStringList{"a.mid", "d.mid"} << QStringList{"b", "b_13", "b_24", "c"} << "b";
    QTest::newRow("when the file chosen has gone, nothing is chosen")
        << QStringList{"b.mid"} << QStringList{"a", "b_13", "b_24", "c", "d"} << "";
  }
  void startWritesBothFilesAndRefreshesTheList() {
    QFETCH(QStringList, removed);
    QFETCH(QStringList, entries);
    QFETCH(QString, chosen);
    Session session(Build::Tessaro5Vu,
                    {{"a.mid", Song(1)}, {"b.mid", Song(256)}, {"c.mid", Song(1)}, {"d.mid", Song(1)}});
    session.Click("b");
    for (const QString& name : removed) session.Remove(name.toStdString());
    session.Button("Command3")->click();  // 256 packets: the last pair step puts the meter at row 177
    QVERIFY(session.shown.empty());
    QCOMPARE(session.Entries(), entries);
    QCOMPARE(session.Selected(), chosen);
    QCOMPARE(session.form->image().BaseName, std::string("b"));
    QCOMPARE(session.Meter(), MeterAt(177));
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
  }

  void theBuildsDiffer_data() {
    QTest::addColumn<Build>("build");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("testPlace");
    QTest::addColumn<bool>("commandsShown");  // TEST and to TXT
    QTest::addColumn<bool>("clickLoads");
    QTest::newRow("Tessaro5Vu") << Build::Tessaro5Vu << kTessaroCaption << QRect(104, 432, 113, 29) << true
                                << true;
    QTest::newRow("Tessaro5") << Build::Tessaro5 << kTessaroCaption << QRect(248, 400, 113, 29) << true
                              << true;
    QTest::newRow("Lumbric5") << Build::Lumbric5 << QString("Lumbric sürüm 5") << QRect(248, 400, 113, 29)
                              << false << false;
  }
  void theBuildsDiffer() {
    QFETCH(Build, build);
    QFETCH(QString, caption);
    QFETCH(QRect, testPlace);
    QFETCH(bool, commandsShown);
    QFETCH(bool, clickLoads);
    Session session(build, {{"a.mid", Song(2)}});
    QCOMPARE(session.form->windowTitle(), caption);
    QCOMPARE(session.Control("Command1")->geometry(), testPlace);
    QCOMPARE(session.Control("Command1")->isVisible(), commandsShown);
    QCOMPARE(session.Control("Command2")->isVisible(), commandsShown);
    QVERIFY(session.Control("Command3")->isVisible());
    session.Click("a");
    QCOMPARE(session.form->image().Loaded(), clickLoads);
  }

  void lumbric5LoadsTheChosenFileOnStart() {
    Session session(Build::Lumbric5, {{"a.mid", Song(4)}, {"b.mid", Song(2)}});
    session.Button("Command3")->click();
    QCOMPARE(Texts(session.shown), QStringList{kChooseFile});
    QVERIFY(!session.shown[0].busyPointer);
    QVERIFY(!session.form->image().Loaded());

    session.Click("b");
    session.Button("Command3")->click();
    QCOMPARE(session.form->image().BaseName, std::string("b"));
    QCOMPARE(session.Entries(), (QStringList{"a", "b", "b_13", "b_24"}));
    QCOMPARE(session.shown.size(), 1u);
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
  }

  void toTxtWritesTheReportUnlessNothingIsChosenInTessaro5_data() {
    QTest::addColumn<Build>("build");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<bool>("written");
    QTest::newRow("Tessaro5Vu works on the file loaded") << Build::Tessaro5Vu << QStringList{} << true;
    QTest::newRow("Tessaro5 asks for a file first") << Build::Tessaro5 << QStringList{kChooseFile} << false;
  }
  void toTxtWritesTheReportUnlessNothingIsChosenInTessaro5() {
    QFETCH(Build, build);
    QFETCH(QStringList, shown);
    QFETCH(bool, written);
    Session session(build, {{"song.mid", Song(2)}});
    session.Click("song");
    session.Click("song", Qt::ControlModifier);  // takes the choice back
    session.shown.clear();
    session.Button("Command2")->click();
    QCOMPARE(Texts(session.shown), shown);
    const Bytes report = session.folder.Read("song.txt");
    QCOMPARE(std::string(report.begin(), report.end()).starts_with("song.txt\r\n\r\n"), written);
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
  }

  // A command given meanwhile would work on the state of the split in progress.
  void startLocksTheCommandsAndTheListWhileItRuns() {
    Session session(Build::Tessaro5Vu, {{"a.mid", Song(4)}, {"b.mid", kTooLongDelta}});
    session.Click("a");
    QStringList enabled;
    bool busy = false;
    session.DuringNextCommand([&] {
      for (const char* name : {"List_MID", "Command1", "Command2", "Command3"}) {
        if (session.Control(name)->isEnabled()) enabled << name;
      }
      const QCursor* cursor = QGuiApplication::overrideCursor();
      busy = cursor != nullptr && cursor->shape() == Qt::WaitCursor;
      session.Button("Command1")->click();
      session.Button("Command2")->click();
      session.Button("Command3")->click();
    });
    session.Button("Command3")->click();
    QCOMPARE(enabled, QStringList{});
    QVERIFY(busy);
    QVERIFY(session.shown.empty());
    QVERIFY(!session.Exists("a.txt"));
    QCOMPARE(session.Entries(), (QStringList{"a", "a_13", "a_24", "b"}));
    for (const char* name : {"List_MID", "Command1", "Command2", "Command3"}) {
      QVERIFY2(session.Control(name)->isEnabled(), name);
    }
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
  }

  void closingDuringASplitStopsItBeforeItWrites() {
    Session session(Build::Tessaro5Vu, {{"a.mid", Song(6)}});
    session.Click("a");
    session.DuringNextCommand([&] { session.form->close(); });
    session.Button("Command3")->click();
    QVERIFY(!session.form->isVisible());
    QVERIFY(!session.Exists("a_13.mid") && !session.Exists("a_24.mid"));
    QCOMPARE(session.Entries(), QStringList{"a"});
    QCOMPARE(session.Meter(), MeterAt(236));  // stopped after the first pair step
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
  }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
