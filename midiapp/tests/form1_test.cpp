#include "midiapp/form1.h"

#include <QtTest>
#include <QtWidgets>
#include <functional>
#include <memory>

#include "midiapp/meter.h"
#include "support.h"

namespace {

using midi::Build;
using midi::test::Bytes;

const QString kTessaroCaption = "Tessaro5";  // Tessaro5Vu kept the caption of Tessaro5
const QString kChooseFile = "Bir dosya seçin.";

// A melody of `packets` packets: bend, note on, note off on the first channel.
Bytes Song(int packets) {
  return midi::test::Melody(std::vector<midi::test::Note>(packets, {0x3C, 0x00, 0x40}));
}

// A note whose next delta time would need a fourth byte.
const Bytes kTooLongDelta = midi::test::WithHeader({0x90, 0x3C, 0x40, 0x81, 0x81, 0x81, 0x00});

bool Busy() { return QGuiApplication::overrideCursor() != nullptr; }

// A window of one build working in a fresh folder (a name ending in '/' is a
// folder there). Its message boxes are recorded as "title: text", with " (busy)"
// when the hourglass stood meanwhile.
class Session {
 public:
  Session(Build build, const std::vector<std::pair<std::string, Bytes>>& files) {
    for (const auto& [name, bytes] : files) {
      if (name.ends_with('/'))
        std::filesystem::create_directory(folder.path() / name);
      else
        folder.Write(name, bytes);
    }
    form = std::make_unique<midiapp::Form1>(build, folder.path(),
                                            [this](QWidget*, const QString& title, const QString& text) {
                                              shown << title + ": " + text + (Busy() ? " (busy)" : "");
                                              if (onShow) onShow();
                                            });
    if (!form->Unloaded()) form->show();
  }

  QWidget* Control(const char* name) const { return form->findChild<QWidget*>(name); }

  // The controls shown lie inside the window, the list inside its frame, no two
  // of them overlap, and every button's caption fits it. Empty when so; else
  // what is wrong. The earlier builds' TEST stands on a corner of the widened
  // Start, as they were designed: there the two captions stay clear of the
  // corner both cover.
  QString LayoutFaults() const {
    const auto captionOf = [](const QPushButton* button) {
      const QSize text = button->fontMetrics().size(Qt::TextSingleLine, button->text());
      QRect caption(QPoint(), text);
      caption.moveCenter(button->geometry().center());
      return caption;
    };
    const QRect window = form->rect();
    QList<QWidget*> shown;
    for (const char* name : {"Frame_MID", "Command1", "Command2", "Command3", "Picture2"}) {
      QWidget* control = Control(name);
      if (!control->isVisible()) continue;
      if (!window.contains(control->geometry())) return QString(name) + " outside the window";
      for (const QWidget* other : shown) {
        const QRect both = other->geometry().intersected(control->geometry());
        if (both.isEmpty()) continue;
        const auto* a = qobject_cast<const QPushButton*>(control);
        const auto* b = qobject_cast<const QPushButton*>(other);
        const bool designed =
            form->build() != Build::Tessaro5Vu && a != nullptr && b != nullptr &&
            QSet<QString>{a->objectName(), b->objectName()} == QSet<QString>{"Command1", "Command3"};
        if (!designed || captionOf(a).intersects(both) || captionOf(b).intersects(both))
          return QString(name) + " overlaps " + other->objectName();
      }
      shown << control;
      if (auto* button = qobject_cast<QPushButton*>(control)) {
        if (button->fontMetrics().horizontalAdvance(button->text()) + 8 > button->width())
          return QString(name) + ": caption too wide";
      }
    }
    if (!Control("Frame_MID")->rect().contains(Control("List_MID")->geometry()))
      return "List_MID outside its frame";
    return {};
  }
  QListWidget* List() const { return form->findChild<QListWidget*>("List_MID"); }
  void Press(const char* name) const { form->findChild<QPushButton*>(name)->click(); }

  QStringList Entries() const {
    QStringList entries;
    for (int i = 0; i < List()->count(); ++i) entries << List()->item(i)->text();
    return entries;
  }
  QString Selected() const {
    return List()->selectedItems().isEmpty() ? QString() : List()->selectedItems().front()->text();
  }
  // Where the entry stands in the list's viewport, and a click on it.
  QPoint At(const QString& entry) const {
    return List()->visualItemRect(List()->findItems(entry, Qt::MatchExactly).value(0)).center();
  }
  void Click(const QString& entry, Qt::KeyboardModifiers keys = {},
             Qt::MouseButton button = Qt::LeftButton) const {
    QTest::mouseClick(List()->viewport(), button, keys, At(entry));
  }
  // Runs `probe` from inside the first event pump of what comes next.
  void DuringNextCommand(std::function<void()> probe) const {
    QMetaObject::invokeMethod(form.get(), std::move(probe), Qt::QueuedConnection);
  }
  void Remove(const std::string& name) const {
    std::error_code ignored;
    std::filesystem::remove(folder.path() / name, ignored);
  }
  // The file loaded, as "entry=file name".
  QString Loaded() const {
    return QString::fromStdString(form->image().BaseName + "=" + form->image().MidiFileName);
  }
  // Whether Picture2, painted, shows the meter's source from `row` on (the
  // laid-out meter cuts off the last row).
  bool MeterAt(int row) const {
    const auto rgb = [](const QImage& image) { return image.convertToFormat(QImage::Format_RGB32); };
    return rgb(Control("Picture2")->grab().toImage()) == rgb(midiapp::MeterImage().copy(0, row, 50, 235));
  }

  midi::test::ScratchFolder folder;
  QStringList shown;
  std::function<void()> onShow;  // runs while a message box is up
  std::unique_ptr<midiapp::Form1> form;
};

}  // namespace

class Form1Test : public QObject {
  Q_OBJECT

 private slots:
  // The files whose names end in .mid, in any letter case, by name without regard to case (names
  // alike but for it in a fixed order), each entry naming the file it loads.
  void startUpListsTheMidiFilesAndLaysTheWindowOut() {
    std::vector<std::pair<std::string, Bytes>> files;
    for (const char* name : {"b.mid", "Zeta.Mid", "a_13.mid", "A.MID", "x.mid", "X.mid", "X.MID.mid",
                             "notes.txt", "mid", ".mid", "song.midi", "a.mid.part", "folder.mid/"})
      files.push_back({name, Song(1)});
    Session session(Build::Tessaro5Vu, files);
    QCOMPARE(session.Entries(), (QStringList{"A", "a_13", "b", "X", "x", "X.MID", "Zeta"}));
    QVERIFY(session.Selected().isEmpty() && session.shown.empty());
    QVERIFY(session.Control("Frame_MID")->isVisible() && session.MeterAt(236));
    QVERIFY(!session.Control("File_MID")->isVisible() && !session.Control("Picture1")->isVisible());
    QCOMPARE(session.form->size(), QSize(367, 466));
    QCOMPARE(session.LayoutFaults(), QString());
    const QRect frame = session.Control("Frame_MID")->geometry();
    const QRect list = session.Control("List_MID")->geometry();
    const QRect start = session.Control("Command3")->geometry();
    const QRect meter = session.Control("Picture2")->geometry();
    // The list fills most of the frame; Start spans the frame below it; the meter
    // runs beside it, ending level with it.
    QVERIFY(list.width() * 10 >= frame.width() * 8 && list.height() * 10 >= frame.height() * 8);
    QVERIFY(start.left() == frame.left() && start.right() == frame.right() && start.top() > frame.bottom());
    QVERIFY(meter.left() > frame.right() && meter.bottom() == frame.bottom());
    session.Click("Zeta");
    QCOMPARE(session.Loaded(), QString("Zeta=Zeta.Mid"));

    Session none(Build::Lumbric5, {{"notes.txt", Song(1)}, {"song.midi", Song(1)}});
    QVERIFY(none.form->Unloaded() && !none.form->isVisible());
    QCOMPARE(none.shown, QStringList{"Lumbric sürüm 5: midi dosyalarınızı uygulama klasörüne taşıyın."});
  }

  void theBuildsDiffer() {
    const struct {
      Build build;
      QString caption;
      bool testLeftOfToTxt;  // else above it
      bool commands;         // TEST and to TXT are shown, and a click loads the file
    } rows[] = {{Build::Tessaro5Vu, kTessaroCaption, true, true},
                {Build::Tessaro5, kTessaroCaption, false, true},
                {Build::Lumbric5, "Lumbric sürüm 5", false, false}};
    for (const auto& row : rows) {
      Session session(row.build, {{"a.mid", Song(2)}});
      QCOMPARE(session.form->windowTitle(), row.caption);
      QCOMPARE(session.LayoutFaults(), QString());
      const QRect test = session.Control("Command1")->geometry();
      const QRect toTxt = session.Control("Command2")->geometry();
      QCOMPARE(test.right() < toTxt.left() && test.bottom() > toTxt.top(), row.testLeftOfToTxt);
      QCOMPARE(test.bottom() < toTxt.top() && test.left() == toTxt.left(), !row.testLeftOfToTxt);
      QCOMPARE(session.Control("Command1")->isVisible() + session.Control("Command2")->isVisible(),
               2 * row.commands);
      session.Click("a");
      QCOMPARE(session.form->image().Loaded(), row.commands);
    }
    // Lumbric5 loads the chosen file on Start.
    Session session(Build::Lumbric5, {{"a.mid", Song(4)}, {"b.mid", Song(2)}});
    session.Press("Command3");
    session.Click("b");
    session.Press("Command3");
    QCOMPARE(session.shown, QStringList{"Lumbric sürüm 5: " + kChooseFile});
    QCOMPARE(session.Loaded(), QString("b=b.mid"));
    QCOMPARE(session.Entries(), (QStringList{"a", "b", "b_13", "b_24"}));
    QVERIFY(!Busy());
  }

  // However the user chooses an entry, and on every click on the chosen one, the
  // meter closes and the entry's file is read anew: the entry shown chosen and
  // the file loaded never differ, also after Start has rebuilt the list. A drag
  // across the list is one choice, where it ends.
  void everyWayOfChoosingAnEntryLoadsItsFile() {
    enum Way { kLeft, kRight, kDrag, kKey };
    const std::pair<Way, QString> rows[] = {{kLeft, "b"}, {kRight, "a_24"}, {kDrag, "b"},
                                            {kKey, "b"},  {kLeft, "a"},     {kRight, "a"}};
    for (const auto& [way, entry] : rows) {
      Session session(Build::Tessaro5Vu, {{"a.mid", Song(256)}, {"b.mid", {4, 5}}});
      session.Click("a");
      session.Press("Command3");   // opens the meter; lists a, a_13, a_24, b
      session.Remove("a_13.mid");  // loading it on the way would say so
      QWidget* const viewport = session.List()->viewport();
      if (way == kDrag) {
        QTest::mousePress(viewport, Qt::LeftButton, {}, session.At("a_13"));
        QTest::mouseMove(viewport, session.At("a_24"));
        QTest::mouseMove(viewport, session.At(entry));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, session.At(entry));
      } else if (way == kKey) {
        QTest::keyClick(session.List(), Qt::Key_End);
      } else {
        session.Click(entry, {}, way == kLeft ? Qt::LeftButton : Qt::RightButton);
      }
      QCOMPARE(session.Selected(), entry);
      QCOMPARE(session.Loaded(), entry + "=" + entry + ".mid");
      QVERIFY(session.MeterAt(236) && session.shown.empty());
    }
    Session session(Build::Tessaro5Vu, {{"B.MID", {4, 5}}});
    session.Click("B");
    session.folder.Write("B.MID", {7});
    session.Click("B");
    QCOMPARE(session.form->image().MidiBytes, Bytes{7});
  }

  // A file that cannot be loaded leaves the image as it was, and the choice goes
  // back to the file loaded (or to nothing), so that the commands work on the
  // file shown chosen.
  void aFailedLoadPutsTheChoiceBackOnTheFileLoaded() {
    const struct {
      const char* what;
      QStringList clicks;
      QString chosen;
      QString shown;
    } rows[] = {
        {"a loaded, the empty b", {"a", "b"}, "a", "Tessaro5: Dosya boş: b.mid"},
        {"a loaded, the vanished c", {"a", "c"}, "a", "Tessaro5: Dosya okunamadı: c.mid"},
        {"nothing loaded, the empty b", {"b"}, "", "Tessaro5: Dosya boş: b.mid"},
        {"b, then a: a loads", {"b", "a"}, "a", "Tessaro5: Dosya boş: b.mid"},
    };
    for (const auto& row : rows) {
      Session session(Build::Tessaro5Vu, {{"a.mid", Song(2)}, {"b.mid", {}}, {"c.mid", Song(2)}});
      session.Remove("c.mid");
      for (const QString& entry : row.clicks) session.Click(entry);
      QVERIFY2(session.Selected() == row.chosen, row.what);
      QVERIFY2(session.shown == QStringList{row.shown}, row.what);
      session.Press("Command2");
      QVERIFY2(session.folder.Names().contains("a.txt") == (row.chosen == "a"), row.what);
      QVERIFY2(session.Selected() == row.chosen, row.what);
    }
  }

  void testAndToTxtShowTheWarningBeforeTheReportIsWritten() {
    Session session(Build::Tessaro5Vu, {{"song.mid", kTooLongDelta}});
    session.Click("song");
    session.Press("Command1");
    bool reportThere = true;
    session.onShow = [&] { reportThere = session.folder.Names().contains("song.txt"); };
    session.Press("Command2");
    QCOMPARE(session.shown, QStringList(2, "Tessaro5: Çok büyük Tick ! !"));
    QVERIFY(!reportThere && session.folder.Names().contains("song.txt") && !Busy());

    // With no entry chosen, to TXT works on the file loaded, but Tessaro5 asks for a file.
    for (const Build build : {Build::Tessaro5Vu, Build::Tessaro5}) {
      Session other(build, {{"song.mid", Song(2)}});
      other.Click("song");
      other.Click("song", Qt::ControlModifier);
      other.Press("Command2");
      QCOMPARE(other.shown.count("Tessaro5: " + kChooseFile), build == Build::Tessaro5 ? 2 : 1);
      QVERIFY(other.folder.Names().contains("song.txt") == (build == Build::Tessaro5Vu) && !Busy());
    }
  }

  // The list is rebuilt after the split, and the choice stays with the file it
  // loaded, wherever that file's entry now stands; nothing is loaded anew.
  void startWritesBothFilesAndRefreshesTheList() {
    const struct {
      std::string removed;  // after the click on b
      QStringList entries;
      QString chosen;
    } rows[] = {{"", {"a", "b", "b_13", "b_24", "c"}, "b"},
                {"a.mid", {"b", "b_13", "b_24", "c"}, "b"},
                {"b.mid", {"a", "b_13", "b_24", "c"}, ""}};
    for (const auto& row : rows) {
      Session session(Build::Tessaro5Vu, {{"a.mid", Song(1)}, {"b.mid", Song(256)}, {"c.mid", Song(1)}});
      session.Click("b");
      session.Remove(row.removed);
      session.Press("Command3");  // 256 packets: the last pair step puts the meter at row 177
      QVERIFY(session.shown.empty() && !Busy() && session.MeterAt(177));
      QCOMPARE(session.Entries(), row.entries);
      QCOMPARE(session.Selected(), row.chosen);
      QCOMPARE(session.Loaded(), QString("b=b.mid"));
    }
  }

  // A command given meanwhile would work on the state of the split in progress.
  void startLocksTheCommandsAndTheListWhileItRunsAndStopsOnClosing() {
    Session session(Build::Tessaro5Vu, {{"a.mid", Song(4)}, {"b.mid", kTooLongDelta}});
    session.Click("a");
    const char* const controls[] = {"List_MID", "Command1", "Command2", "Command3"};
    int enabled = 0;
    bool busy = false;
    session.DuringNextCommand([&] {
      for (const char* name : controls) enabled += session.Control(name)->isEnabled();
      busy = Busy() && QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor;
      for (const char* name : {"Command1", "Command2", "Command3"}) session.Press(name);
    });
    session.Press("Command3");
    QVERIFY(enabled == 0 && busy && session.shown.empty() && !session.folder.Names().contains("a.txt") &&
            !Busy());
    QCOMPARE(session.Entries(), (QStringList{"a", "a_13", "a_24", "b"}));
    for (const char* name : controls) QVERIFY2(session.Control(name)->isEnabled(), name);

    session.Remove("a_13.mid");
    session.DuringNextCommand([&] { session.form->close(); });
    session.Press("Command3");
    QVERIFY(!session.form->isVisible() && !session.folder.Names().contains("a_13.mid") && !Busy());
    QVERIFY(session.shown.empty());  // closing is no failure
  }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
