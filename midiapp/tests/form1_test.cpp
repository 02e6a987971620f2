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
  void Press(const char* name) const { Control<QPushButton>(name)->click(); }

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
  // The file loaded, as "entry=file name".
  QString Loaded() const {
    return QString::fromStdString(form->image().BaseName + "=" + form->image().MidiFileName);
  }

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
    Session session(Build::Tessaro5Vu, {{"b.mid", Song(1)}, {"A.MID", Song(1)}, {"notes.txt", Song(1)}});
    QVERIFY(!session.form->Unloaded());
    QCOMPARE(session.Entries(), (QStringList{"A", "b"}));
    QCOMPARE(session.Selected(), QString());
    QVERIFY(!session.form->image().Loaded());
    QVERIFY(session.shown.empty());
    QVERIFY(session.Control("Frame_MID")->isVisible());
    QVERIFY(!session.Control("File_MID")->isVisible() && !session.Control("Picture1")->isVisible());
    QCOMPARE(session.Meter(), MeterAt(236));
    QCOMPARE(session.form->size(), QSize(367, 466));
    QCOMPARE(session.Control("Frame_MID")->geometry(), QRect(40, 32, 240, 240));
    QCOMPARE(session.Control("List_MID")->geometry(), QRect(8, 16, 220, 220));
    QCOMPARE(session.Control("Command3")->geometry(), QRect(40, 360, 240, 57));  // Start spans the frame
    QCOMPARE(session.Control("Command2")->geometry(), QRect(248, 432, 113, 33));
    QCOMPARE(session.Control("Picture2")->geometry(), QRect(288, 37, 50, 235));  // level with the frame
    QCOMPARE(session.Control<QPushButton>("Command3")->text() +
                 session.Control<QPushButton>("Command1")->text() +
                 session.Control<QPushButton>("Command2")->text(),
             QString("StartTESTto TXT"));

    Session none(Build::Lumbric5, {{"notes.txt", Song(1)}, {"song.midi", Song(1)}});
    QVERIFY(none.form->Unloaded() && !none.form->isVisible());
    QCOMPARE(Texts(none.shown), QStringList{"midi dosyalarınızı uygulama klasörüne taşıyın."});
    QCOMPARE(none.shown[0].title, QString("Lumbric sürüm 5"));
  }

  void aClickLoadsTheFileBehindTheEntry() {
    Session session(Build::Tessaro5Vu, {{"a.mid", {1, 2, 3}}, {"B.MID", {4, 5}}});
    session.Click("B");
    QCOMPARE(session.form->image().MidiBytes, (Bytes{4, 5}));
    QCOMPARE(session.Loaded(), QString("B=B.MID"));
    session.folder.Write("B.MID", {7});  // each click reads the file again
    session.Click("B");
    QCOMPARE(session.form->image().MidiBytes, Bytes{7});
    session.folder.Write("B.MID", {8});
    QTest::keyClick(session.List(), Qt::Key_Down);  // already the last entry: nothing chosen anew
    QCOMPARE(session.form->image().MidiBytes, Bytes{7});
    QVERIFY(session.shown.empty());
    QVERIFY(std::filesystem::remove(session.folder.path() / "B.MID"));  // the list is only re-read by Start
    session.Click("B");
    QCOMPARE(Texts(session.shown), QStringList{"Dosya okunamadı: B.MID"});
    QCOMPARE(session.form->image().MidiBytes, Bytes{7});
  }

  // However the user chooses an entry, and on every click on the chosen one, the
  // meter closes and the entry's file is loaded: the entry shown chosen and the
  // file loaded never differ, also after Start has rebuilt the list. A drag
  // across the list is one choice, where it ends.
  void everyWayOfChoosingAnEntryLoadsItsFile_data() {
    QTest::addColumn<int>("way");
    QTest::addColumn<QString>("entry");
    QTest::newRow("left click") << 0 << "b";
    QTest::newRow("right click") << 1 << "a_24";
    QTest::newRow("press on one entry, release on another") << 2 << "b";
    QTest::newRow("arrow key") << 3 << "b";
    QTest::newRow("a click on the entry chosen") << 0 << "a";
  }
  void everyWayOfChoosingAnEntryLoadsItsFile() {
    QFETCH(int, way);
    QFETCH(QString, entry);
    Session session(Build::Tessaro5Vu, {{"a.mid", Song(256)}, {"b.mid", {4, 5}}});
    session.Click("a");
    session.Press("Command3");  // opens the meter; lists a, a_13, a_24, b
    QVERIFY(
        std::filesystem::remove(session.folder.path() / "a_13.mid"));  // loading it on the way would say so
    QWidget* const viewport = session.List()->viewport();
    if (way == 2) {
      QTest::mousePress(viewport, Qt::LeftButton, {}, session.At("a_13"));
      QTest::mouseMove(viewport, session.At("a_24"));
      QTest::mouseMove(viewport, session.At(entry));
      QTest::mouseRelease(viewport, Qt::LeftButton, {}, session.At(entry));
    } else if (way == 3) {
      QTest::keyClick(session.List(), Qt::Key_End);
    } else {
      session.Click(entry, {}, way == 0 ? Qt::LeftButton : Qt::RightButton);
    }
    QCOMPARE(session.Selected(), entry);
    QCOMPARE(session.Loaded(), entry + "=" + entry + ".mid");
    QCOMPARE(session.Meter(), MeterAt(236));
    QCOMPARE(Texts(session.shown), QStringList{});
  }

  void testAndToTxtShowTheWarningBeforeTheReportIsWritten() {
    Session session(Build::Tessaro5Vu, {{"song.mid", kTooLongDelta}});
    session.Click("song");
    session.Press("Command1");
    QCOMPARE(Texts(session.shown), QStringList{"Çok büyük Tick ! !"});
    QCOMPARE(session.shown[0].title, kTessaroCaption);
    bool reportThere = true;
    session.onShow = [&] { reportThere = session.Exists("song.txt"); };
    session.Press("Command2");
    QCOMPARE(Texts(session.shown), (QStringList{"Çok büyük Tick ! !", "Çok büyük Tick ! !"}));
    QVERIFY(!reportThere && session.Exists("song.txt"));
  }

  // A click that takes the choice back asks for a file; to TXT then works on the
  // file loaded, but Tessaro5 asks for a file first.
  void toTxtWritesTheReportUnlessNothingIsChosenInTessaro5_data() {
    QTest::addColumn<Build>("build");
    QTest::addColumn<bool>("written");
    QTest::newRow("Tessaro5Vu") << Build::Tessaro5Vu << true;
    QTest::newRow("Tessaro5") << Build::Tessaro5 << false;
  }
  void toTxtWritesTheReportUnlessNothingIsChosenInTessaro5() {
    QFETCH(Build, build);
    QFETCH(bool, written);
    Session session(build, {{"song.mid", Song(2)}});
    session.Click("song");
    session.Click("song", Qt::ControlModifier);
    QCOMPARE(session.Selected(), QString());
    QCOMPARE(Texts(session.shown), QStringList{kChooseFile});
    QVERIFY(!session.shown[0].busyPointer);
    session.Press("Command2");
    QCOMPARE(session.shown.size(), written ? 1u : 2u);
    QCOMPARE(session.Exists("song.txt"), written);
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
  }

  // The list is rebuilt after the split, and the choice stays with the file it
  // loaded, wherever that file's entry now stands; nothing is loaded anew.
  void startWritesBothFilesAndRefreshesTheList_data() {
    QTest::addColumn<QString>("removed");  // after the click on b
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("chosen");
    QTest::newRow("the new files join in order") << "" << QStringList{"a", "b", "b_13", "b_24", "c"} << "b";
    QTest::newRow("files that have gone leave the list")
        << "a.mid" << QStringList{"b", "b_13", "b_24", "c"} << "b";
    QTest::newRow("when the file chosen has gone, nothing is chosen")
        << "b.mid" << QStringList{"a", "b_13", "b_24", "c"} << "";
  }
  void startWritesBothFilesAndRefreshesTheList() {
    QFETCH(QString, removed);
    QFETCH(QStringList, entries);
    QFETCH(QString, chosen);
    Session session(Build::Tessaro5Vu, {{"a.mid", Song(1)}, {"b.mid", Song(256)}, {"c.mid", Song(1)}});
    session.Click("b");
    if (!removed.isEmpty()) QVERIFY(std::filesystem::remove(session.folder.path() / removed.toStdString()));
    session.Press("Command3");  // 256 packets: the last pair step puts the meter at row 177
    QVERIFY(session.shown.empty());
    QCOMPARE(session.Entries(), entries);
    QCOMPARE(session.Selected(), chosen);
    QCOMPARE(session.Loaded(), QString("b=b.mid"));
    QCOMPARE(session.Meter(), MeterAt(177));
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
  }

  void theBuildsDiffer_data() {
    QTest::addColumn<Build>("build");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("testPlace");
    QTest::addColumn<bool>("commandsShown");  // TEST and to TXT; a click loads the file
    QTest::newRow("Tessaro5Vu") << Build::Tessaro5Vu << kTessaroCaption << QRect(104, 432, 113, 29) << true;
    QTest::newRow("Tessaro5") << Build::Tessaro5 << kTessaroCaption << QRect(248, 400, 113, 29) << true;
    QTest::newRow("Lumbric5") << Build::Lumbric5 << QString("Lumbric sürüm 5") << QRect(248, 400, 113, 29)
                              << false;
  }
  void theBuildsDiffer() {
    QFETCH(Build, build);
    QFETCH(QString, caption);
    QFETCH(QRect, testPlace);
    QFETCH(bool, commandsShown);
    Session session(build, {{"a.mid", Song(2)}});
    QCOMPARE(session.form->windowTitle(), caption);
    QCOMPARE(session.Control("Command1")->geometry(), testPlace);
    QCOMPARE(session.Control("Command1")->isVisible(), commandsShown);
    QCOMPARE(session.Control("Command2")->isVisible(), commandsShown);
    QVERIFY(session.Control("Command3")->isVisible());
    session.Click("a");
    QCOMPARE(session.form->image().Loaded(), commandsShown);
  }

  void lumbric5LoadsTheChosenFileOnStart() {
    Session session(Build::Lumbric5, {{"a.mid", Song(4)}, {"b.mid", Song(2)}});
    session.Press("Command3");
    QCOMPARE(Texts(session.shown), QStringList{kChooseFile});
    QVERIFY(!session.shown[0].busyPointer);
    session.Click("b");
    session.Press("Command3");
    QCOMPARE(session.Loaded(), QString("b=b.mid"));
    QCOMPARE(session.Entries(), (QStringList{"a", "b", "b_13", "b_24"}));
    QCOMPARE(session.shown.size(), 1u);
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
  }

  // A command given meanwhile would work on the state of the split in progress.
  void startLocksTheCommandsAndTheListWhileItRuns() {
    Session session(Build::Tessaro5Vu, {{"a.mid", Song(4)}, {"b.mid", kTooLongDelta}});
    session.Click("a");
    const QStringList controls = {"List_MID", "Command1", "Command2", "Command3"};
    QStringList enabled;
    bool busy = false;
    session.DuringNextCommand([&] {
      for (const QString& name : controls) {
        if (session.Control(qPrintable(name))->isEnabled()) enabled << name;
      }
      busy = QGuiApplication::overrideCursor() != nullptr &&
             QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor;
      for (const char* command : {"Command1", "Command2", "Command3"}) session.Press(command);
    });
    session.Press("Command3");
    QCOMPARE(enabled, QStringList{});
    QVERIFY(busy);
    QVERIFY(session.shown.empty() && !session.Exists("a.txt"));
    QCOMPARE(session.Entries(), (QStringList{"a", "a_13", "a_24", "b"}));
    for (const QString& name : controls)
      QVERIFY2(session.Control(qPrintable(name))->isEnabled(), qPrintable(name));
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);

    // Closing stops the split after its first pair step, before it writes.
    session.Click("b");
    session.Click("a");
    QVERIFY(std::filesystem::remove(session.folder.path() / "a_13.mid"));
    session.DuringNextCommand([&] { session.form->close(); });
    session.Press("Command3");
    QVERIFY(!session.form->isVisible());
    QVERIFY(!session.Exists("a_13.mid"));
    QCOMPARE(session.Meter(), MeterAt(236));
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
  }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
