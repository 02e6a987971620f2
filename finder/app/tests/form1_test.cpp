#include "finder/app/form1.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <QtTest>
#include <QtWidgets>
#include <memory>

#include "finder/app/legends.h"
#include "support.h"

namespace {

// The pointer the user sees while the result file is put on the disk: the
// save's own flush, seen from here.
Qt::CursorShape pointerAtFlush = Qt::BlankCursor;

}  // namespace

extern "C" int fsync(int file) {
  const QCursor* cursor = QGuiApplication::overrideCursor();
  pointerAtFlush = cursor != nullptr ? cursor->shape() : Qt::ArrowCursor;
  return static_cast<int>(syscall(SYS_fsync, file));
}

namespace {

// The window working in a fresh folder holding `files` ("name=content"), its message boxes recorded.
class Session {
 public:
  explicit Session(const QStringList& files = {}) {
    for (const QString& file : files)
      folder.Write(file.section('=', 0, 0).toStdString(), file.section('=', 1).toStdString());
    form = std::make_unique<finder::Form1>(
        folder.path(),
        [this](QWidget*, const QString& title, const QString& text) { shown << title + ": " + text; });
    form->show();
  }

  QWidget* Control(const char* name) const { return form->findChild<QWidget*>(name); }
  void Menu(const char* name) const { form->findChild<QAction*>(name)->trigger(); }
  QListWidget* List() const { return form->findChild<QListWidget*>("File1"); }
  QWidget* Entries() const { return List()->viewport(); }
  QString Listed() const {
    QString entries;
    for (int i = 0; i < List()->count(); ++i)
      entries += (List()->item(i)->isSelected() ? "*" : "") + List()->item(i)->text() + " ";
    return entries;
  }
  int SourceCount() const { return form->finder().SourceCount(); }
  QPoint At(const QString& entry) const {
    return List()->visualItemRect(List()->findItems(entry, Qt::MatchExactly).value(0)).center();
  }
  // Shows the list and clicks `entry` in it.
  void Pick(const QString& entry, Qt::KeyboardModifiers modifiers = {}) const {
    Menu("Mn_Open");
    QTest::mouseClick(Entries(), Qt::LeftButton, modifiers, At(entry));
  }
  // Shows both frames, then "Option1_1" clicks that option and "Text2=12" puts 12 into Text2.
  void Set(const QStringList& settings) const {
    Menu("Mn_tet");
    Menu("Mn_Kriter");
    for (const QString& setting : settings) {
      if (setting.contains('='))
        form->findChild<QLineEdit*>(setting.section('=', 0, 0))->setText(setting.section('=', 1));
      else
        form->findChild<QRadioButton*>(setting)->click();
    }
  }
  // Which of the list and the two frames show: "L45" when all.
  QString Inputs() const {
    return QString(Control("File1")->isVisible() ? "L" : "") + (Control("Frame4")->isVisible() ? "4" : "") +
           (Control("Frame5")->isVisible() ? "5" : "");
  }
  QImage Chart() const { return Control("Picture1")->grab().toImage().convertToFormat(QImage::Format_RGB32); }

  finder::test::ScratchFolder folder;
  QStringList shown;
  std::unique_ptr<finder::Form1> form;
};

// Where a control shows something: a label its text, left and centred in its
// height (its box may touch the control below); any other control all of it.
QRect Shown(const QWidget* control) {
  const auto* label = qobject_cast<const QLabel*>(control);
  if (label == nullptr) return control->geometry();
  QRect text(0, 0, label->sizeHint().width(), label->fontMetrics().height());
  text.moveCenter(label->geometry().center());
  text.moveLeft(label->x());
  return text;
}

}  // namespace

class Form1Test : public QObject {
  Q_OBJECT

 public:
  // Turkish settings, whose locale need not be generated here: the window
  // writes and reads numbers with the decimal comma.
  static void initMain() {
    qputenv("LANG", "tr_TR.UTF-8");
    qunsetenv("LC_ALL");
    qunsetenv("LC_NUMERIC");
  }

 private slots:
  // Only the menu bar shows. What the layout is for: the chart fills its
  // area; the list and the two frames, once shown, stand side by side along
  // its top, as tall as the list; every control lies inside its frame below
  // the caption, none overlaps another, and every text fits its control.
  void opensWithTheMenusAndLaysTheControlsOutUsably() {
    Session session;
    QCOMPARE(session.form->windowTitle(), QString("Orvette101A"));
    QStringList menus;
    for (const QAction* action :
         session.form->menuBar()->actions() + session.form->findChild<QMenu*>("Mn_File")->actions())
      menus << action->text();
    QCOMPARE(menus, (QStringList{"File", "Temperemants", "Critera", "Run", "Print", "Open", "Exit"}));
    QVERIFY(session.Inputs().isEmpty() && !session.Control("Image1")->isVisible());
    QVERIFY(!session.form->findChild<QRadioButton*>("Option1_1")->isChecked() &&
            session.form->findChild<QRadioButton*>("Option1_2")->isChecked() &&
            session.form->findChild<QRadioButton*>("Option2_1")->isChecked());
    const QWidget* chart = session.Control("Picture1");
    QCOMPARE(chart->size(), QSize(1200, 545));
    QVERIFY(session.form->centralWidget()->rect().contains(chart->geometry()));
    session.Menu("Mn_Open");
    session.Set({});
    QCOMPARE(session.Inputs(), QString("L45"));
    const QWidget* list = session.Control("File1");
    const auto* frame5 = qobject_cast<const QGroupBox*>(session.Control("Frame5"));
    const auto* frame4 = qobject_cast<const QGroupBox*>(session.Control("Frame4"));
    QCOMPARE(list->pos(), chart->pos());
    QCOMPARE(frame5->geometry().left(), list->geometry().right() + 1);
    QCOMPARE(frame4->geometry().left(), frame5->geometry().right() + 1);
    for (const QGroupBox* frame : {frame5, frame4}) {
      QCOMPARE(frame->y(), chart->y());
      QCOMPARE(frame->height(), list->height());
      QVERIFY(chart->geometry().contains(frame->geometry()));
      const int captionBottom = frame->fontMetrics().height();
      QVERIFY2(frame->fontMetrics().horizontalAdvance(frame->title()) + 16 <= frame->width(),
               qPrintable(frame->title()));
      const QList<QWidget*> controls = frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
      QVERIFY(controls.size() >= 4);
      for (const QWidget* control : controls) {
        const QString name = control->objectName();
        QVERIFY2(control->isVisible(), qPrintable(name));
        QVERIFY2(control->y() >= captionBottom && frame->rect().contains(control->geometry()),
                 qPrintable(name));
        QVERIFY2(control->font().bold() == false, qPrintable(name));
        if (qobject_cast<const QAbstractButton*>(control) != nullptr ||
            qobject_cast<const QLabel*>(control) != nullptr)
          QVERIFY2(control->sizeHint().width() <= control->width(), qPrintable(name));
        for (const QWidget* other : controls) {
          QVERIFY2(other == control || !Shown(control).intersects(Shown(other)),
                   qPrintable(name + " " + other->objectName()));
        }
      }
    }
    QVERIFY(list->font().bold());
  }

  // Listed without regard to case, then by bytes; an entry picked, or passed over by key or drag, is read
  // at once, and stays chosen when the list is read anew.
  void openListsTheSourceTablesAndAPickReadsOneAtOnce() {
    Session session({"b.txt=700,3\r\n", "A.TXT=1,1\r\n100,1\r\n", "a.txt=0,2\r\n386,1\r\n702,1\r\n",
                     "C.txt=", "sonuc.csv=", "x.txt.bak="});
    std::filesystem::create_directory(session.folder.path() / "d.txt");
    session.Menu("Mn_Open");
    QCOMPARE(session.Listed(), QString("A.TXT a.txt b.txt C.txt "));
    QCOMPARE(session.Control("File1")->pos(), QPoint(8, 16));
    QCOMPARE(session.Inputs(), QString("L"));
    session.Pick("A.TXT");
    QCOMPARE(session.SourceCount(), 2);
    QTest::keyClick(session.List(), Qt::Key_Down);
    QCOMPARE(session.SourceCount(), 3);
    QTest::mousePress(session.Entries(), Qt::LeftButton, {}, session.At("a.txt"));
    const QPoint to = session.At("b.txt");
    QMouseEvent drag(QEvent::MouseMove, to, session.Entries()->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                     {});
    QApplication::sendEvent(session.Entries(), &drag);
    QCOMPARE(session.SourceCount(), 1);
    QTest::mouseRelease(session.Entries(), Qt::LeftButton, {}, to);
    // Picked again, the file is read anew; Ctrl does not take the choice back.
    session.folder.Write("b.txt", "");
    session.Pick("b.txt", Qt::ControlModifier);
    QCOMPARE(session.SourceCount(), 0);
    session.folder.Write("0.txt", "1,1\r\n");
    session.Menu("Mn_Open");
    QCOMPARE(session.Listed(), QString("0.txt A.TXT a.txt *b.txt C.txt "));
    session.Pick("0.txt");
    QCOMPARE(session.SourceCount(), 1);
    QVERIFY(session.shown.empty());
  }

  // Runs one after another read the frames and hide the inputs; a refused run hides and draws nothing.
  // Print writes the rows of the last run.
  void runsReadTheFramesAndDrawTheChart() {
    Session session({"empty.txt=", "table.txt=0,2\r\n386,1\r\n702,1\r\n"});
    session.Menu("Mn_Print");
    QCOMPARE(session.shown, QStringList{"Orvette101A: Önce çalıştırın."});
    session.Menu("Mn_Open");
    const struct {
      const char* pick;
      QStringList settings;  // added to those of the runs before
      int degree;            // where the run ended: the found degree, or past the one tried
      QString inputs;
      const char* shown;
    } runs[] = {
        {"", {}, 0, "L", "Bir dosya seçin."},
        {"empty.txt", {}, 0, "L45", "Bir dosya seçin"},
        {"table.txt", {"Option1_1", "Text2=0"}, 0, "L45", "Derece 1 ile 32766 arasında olmalı."},
        {"", {"Text2=12", "Text1=10,5"}, 12, "", nullptr},  // Maximum Deviation 10 is below 10,5
        {"", {"Text1=1"}, 13, "", "12 eşit temperaman kriterleri sağlamadı."},
        {"", {"Option1_2", "Text3_1=5", "Text3_2=60", "Text1=5"}, 19, "", nullptr},
        {"", {"Option2_2"}, 22, "", nullptr},  // by Standard Deviation
    };
    for (const auto& run : runs) {
      session.shown.clear();
      if (*run.pick != '\0') session.Pick(run.pick);
      if (*run.pick != '\0' || !run.settings.isEmpty()) session.Set(run.settings);
      if (run.degree == 0) QCOMPARE(session.Chart().pixelColor(60, 251), QColor(Qt::white));
      session.Menu("Mn_Basla");
      QCOMPARE(session.shown, run.shown ? QStringList{QString("Orvette101A: ") + run.shown} : QStringList{});
      QCOMPARE(session.Inputs(), run.inputs);
      QCOMPARE(session.form->finder().CurrentDegree(), run.degree);
    }
    const QImage chart = session.Chart();  // the canvas's own tests sample the bars; here, that they show
    QCOMPARE(chart.pixelColor(60, 251), QColor(Qt::magenta));
    QCOMPARE(chart.copy(4, 256, 25, 175), finder::LegendImage1().convertToFormat(QImage::Format_RGB32));
    QCOMPARE(chart.copy(32, 493, 236, 25), finder::LegendImage2().convertToFormat(QImage::Format_RGB32));
    session.Menu("Mn_Open");
    QCOMPARE(session.Listed(), QString("empty.txt *table.txt "));
    session.Menu("Mn_Print");  // the rows of the last run, with the decimal comma, under the busy pointer
    QVERIFY(session.shown.empty() && pointerAtFlush == Qt::WaitCursor &&
            QGuiApplication::overrideCursor() == nullptr);
    QVERIFY(finder::test::ReadAll(session.folder.path() / "sonuc.csv")
                .find("\r\n     007       381,8182        01      0,50000\r\n") != std::string::npos);
  }

  void aPitchAboveTheOctaveEndsTheProgramAfterItsMessage() {
    Session session({"high.txt=0,1\r\n1200.01,1\r\n"});
    session.Pick("high.txt");
    QCOMPARE(session.shown, QStringList{"Orvette101A: oktav dışında Cent bulundu, akış durudurulacak."});
    QTRY_VERIFY(!session.form->isVisible());
  }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
