#include "finder/app/form1.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "finder/app/legends.h"

namespace {

// 0, 386 and 702 cents with durations 2, 1 and 1: 12 measures 10 by the larger extreme deviation.
const QByteArray kThreePitches = "0,2\r\n386,1\r\n702,1\r\n";

// The window working in a fresh folder, its message boxes recorded.
class Session {
 public:
  explicit Session(const QStringList& files = {}) {
    for (const QString& file : files) Write(file.section('=', 0, 0), file.section('=', 1).toUtf8());
    form = std::make_unique<finder::Form1>(QFile::encodeName(dir.path()).toStdString(),
                                           [this](QWidget*, const QString& title, const QString& text) {
                                             QCOMPARE(title, QString("Orvette101A"));
                                             shown << text;
                                           });
    form->show();
  }

  QWidget* Control(const char* name) const { return form->findChild<QWidget*>(name); }
  void Menu(const char* name) const { form->findChild<QAction*>(name)->trigger(); }
  QListWidget* List() const { return form->findChild<QListWidget*>("File1"); }
  QStringList Entries() const {
    QStringList entries;
    for (int i = 0; i < List()->count(); ++i) entries << List()->item(i)->text();
    return entries;
  }
  QString Selected() const {
    return List()->selectedItems().value(0) ? List()->selectedItems()[0]->text() : "";
  }
  int SourceCount() const { return form->finder().SourceCount(); }
  QPoint At(const QString& entry) const {
    return List()->visualItemRect(List()->findItems(entry, Qt::MatchExactly).value(0)).center();
  }
  // Shows the list and clicks `entry` in it.
  void Pick(const QString& entry, Qt::KeyboardModifiers modifiers = {}) const {
    Menu("Mn_Open");
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, modifiers, At(entry));
  }
  // Shows both frames, then "Option1_1" clicks that option and "Text2=12" puts 12 into Text2.
  void Set(const QStringList& settings) const {
    Menu("Mn_tet");
    Menu("Mn_Kriter");
    for (const QString& setting : settings) {
      if (setting.contains('=')) {
        form->findChild<QLineEdit*>(setting.section('=', 0, 0))->setText(setting.section('=', 1));
      } else {
        form->findChild<QRadioButton*>(setting)->click();
      }
    }
  }
  bool InputsShown() const {
    return Control("File1")->isVisible() || Control("Frame4")->isVisible() || Control("Frame5")->isVisible();
  }
  QImage Chart() const { return Control("Picture1")->grab().toImage().convertToFormat(QImage::Format_RGB32); }
  void Write(const QString& name, const QByteArray& bytes) const {
    QFile file(dir.filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }

  QTemporaryDir dir;
  QStringList shown;
  std::unique_ptr<finder::Form1> form;
};

QStringList TextsOf(const QList<QAction*>& actions) {
  QStringList texts;
  for (const QAction* action : actions) texts << action->text();
  return texts;
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
  // Every control in its design place; the texts of the frames show whole, in the window's own font.
  void opensWithOnlyTheMenuBarAndAWhiteChartAndPlacesTheControls() {
    Session session;
    QCOMPARE(session.form->windowTitle(), QString("Orvette101A"));
    QCOMPARE(TextsOf(session.form->menuBar()->actions()),
             (QStringList{"File", "Temperemants", "Critera", "Run", "Print"}));
    QCOMPARE(TextsOf(session.form->findChild<QMenu*>("Mn_File")->actions()), (QStringList{"Open", "Exit"}));
    QCOMPARE(session.form->centralWidget()->size(), QSize(1216, 581));
    QVERIFY(!session.InputsShown() && !session.Control("Image1")->isVisible());
    QCOMPARE(session.Control("File1")->y(), 10000);
    QImage white(1200, 545, QImage::Format_RGB32);
    white.fill(Qt::white);
    QCOMPARE(session.Chart(), white);
    const struct {
      const char* name;
      QRect place;
    } controls[] = {
        {"Picture1", {8, 16, 1200, 545}}, {"Frame5", {225, 16, 185, 198}}, {"Option1_1", {16, 40, 57, 25}},
        {"Option1_2", {112, 40, 57, 25}}, {"Line2", {93, 40, 1, 137}},     {"Label8", {16, 72, 57, 17}},
        {"Text2", {16, 88, 57, 25}},      {"Label7", {112, 72, 57, 17}},   {"Text3_1", {112, 88, 57, 25}},
        {"Label6", {112, 128, 57, 17}},   {"Text3_2", {112, 144, 57, 25}}, {"Option2_1", {16, 56, 113, 25}},
        {"Option2_2", {16, 88, 113, 25}}, {"Label5", {40, 128, 57, 17}},   {"Text1", {40, 144, 57, 25}},
    };
    for (const auto& control : controls) {
      const QWidget* widget = session.Control(control.name);
      QRect place = control.place;
      if (qobject_cast<const QAbstractButton*>(widget) != nullptr ||
          qobject_cast<const QLabel*>(widget) != nullptr)
        place.setWidth(std::max(place.width(), widget->sizeHint().width()));
      QCOMPARE(widget->geometry(), place);
      QCOMPARE(widget->font(), session.form->font());
    }
    QCOMPARE(session.Control("Frame4")->pos(), QPoint(410, 16));
  }

  // Listed case-blind, then by bytes; entries passed over by key or drag are read, the choice kept.
  void openListsTheSourceTablesAndAPickReadsOneAtOnce() {
    Session session({"b.txt=700,3\r\n", "A.TXT=1,1\r\n100,1\r\n", "a.txt=" + kThreePitches,
                     "C.txt=", "sonuc.csv=", "x.txt.bak="});
    QVERIFY(QDir(session.dir.path()).mkdir("d.txt"));
    session.Menu("Mn_Open");
    QCOMPARE(session.Entries(), (QStringList{"A.TXT", "a.txt", "b.txt", "C.txt"}));
    QCOMPARE(session.Control("File1")->geometry(), QRect(8, 16, 217, 198));
    QVERIFY(session.Control("File1")->isVisible() && session.Control("File1")->font().bold());
    QCOMPARE(session.Selected(), QString());
    session.Pick("A.TXT");
    QCOMPARE(session.SourceCount(), 2);
    QTest::keyClick(session.List(), Qt::Key_Down);
    QCOMPARE(session.SourceCount(), 3);
    QTest::mousePress(session.List()->viewport(), Qt::LeftButton, {}, session.At("a.txt"));
    QMouseEvent drag(QEvent::MouseMove, session.At("b.txt"),
                     session.List()->viewport()->mapToGlobal(session.At("b.txt")), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(session.List()->viewport(), &drag);
    QCOMPARE(session.Selected(), QString("b.txt"));
    QCOMPARE(session.SourceCount(), 1);
    QTest::mouseRelease(session.List()->viewport(), Qt::LeftButton, {}, session.At("b.txt"));

    session.Write("b.txt", "");  // picked again, the file is read anew; Ctrl does not take the choice back
    session.Pick("b.txt", Qt::ControlModifier);
    QCOMPARE(session.SourceCount(), 0);
    session.Write("0.txt", "1,1\r\n");
    session.Menu("Mn_Open");
    QCOMPARE(session.Entries(), (QStringList{"0.txt", "A.TXT", "a.txt", "b.txt", "C.txt"}));
    QCOMPARE(session.Selected(), QString("b.txt"));
    session.Pick("0.txt");
    QCOMPARE(session.SourceCount(), 1);
    QVERIFY(session.shown.empty());
  }

  // One pick, then runs one after another: the choice survives the runs, which hide the inputs.
  void runsReadTheFramesAndDrawTheChart() {
    Session session({"table.txt=" + kThreePitches});
    session.Pick("table.txt");
    const struct {
      QStringList settings;  // added to those of the runs before
      int degree;            // where the run ended: the found degree, or past the one tried
      QStringList shown;
    } runs[] = {
        {{"Option1_1", "Text2=12", "Text1=10,5"}, 12, {}},
        {{"Text1=1"}, 13, {"12 eşit temperaman kriterleri sağlamadı."}},
        {{"Option1_2", "Text3_1=5", "Text3_2=60", "Text1=5"}, 19, {}},
        {{"Option2_2"}, 22, {}},  // by Standard Deviation
    };
    for (const auto& run : runs) {
      session.shown.clear();
      session.Set(run.settings);
      session.Menu("Mn_Basla");
      QCOMPARE(session.shown, run.shown);
      QVERIFY(!session.InputsShown());
      QCOMPARE(session.form->finder().CurrentDegree(), run.degree);
    }
    const QImage chart = session.Chart();  // the canvas's own tests sample the bars; here, that they show
    QCOMPARE(chart.pixelColor(60, 251), QColor(255, 0, 255));
    QCOMPARE(chart.copy(4, 256, 25, 175), finder::LegendImage1().convertToFormat(QImage::Format_RGB32));
    // Called up again, the frames hide the chart under them.
    session.Set({});
    const QImage client = session.form->centralWidget()->grab().toImage();
    for (const char* frame : {"Frame4", "Frame5"}) {
      const QPoint corner = session.Control(frame)->pos() + QPoint(2, 2);
      QCOMPARE(client.pixelColor(corner), session.Control(frame)->palette().window().color());
    }
    session.Menu("Mn_Open");
    QCOMPARE(session.Selected(), QString("table.txt"));
  }

  // No guard of Run hides anything or draws: the menu's, the run's and the degrees'.
  void aRefusedRunChangesNothingAndPrintWritesTheResultFile() {
    Session session({"empty.txt=", "table.txt=" + kThreePitches});
    session.Menu("Mn_Open");
    session.Menu("Mn_Basla");  // nothing picked
    session.Menu("Mn_Print");
    session.Pick("empty.txt");
    session.Menu("Mn_Basla");  // an empty table
    session.Pick("table.txt");
    session.Set({"Option1_1", "Text2=0"});
    session.Menu("Mn_Basla");
    QCOMPARE(session.shown, (QStringList{"Bir dosya seçin.", "Önce çalıştırın.", "Bir dosya seçin",
                                         "Derece 1 ile 32766 arasında olmalı."}));
    QVERIFY(session.Control("File1")->isVisible() && session.Control("Frame5")->isVisible());
    QCOMPARE(session.Chart().pixelColor(60, 251), QColor(Qt::white));
    session.Set({"Text2=12", "Text1=11"});
    session.Menu("Mn_Basla");
    session.Menu("Mn_Print");
    QFile file(session.dir.filePath("sonuc.csv"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("\r\n     004       400,0000        01      0,50000\r\n"));
    QCOMPARE(session.shown.size(), 4);
  }

  void aPitchAboveTheOctaveEndsTheProgramAfterItsMessage() {
    Session session({"high.txt=0,1\r\n1200.01,1\r\n"});
    session.Pick("high.txt");
    QCOMPARE(session.shown, QStringList{"oktav dışında Cent bulundu, akış durudurulacak."});
    QTRY_VERIFY(!session.form->isVisible());
  }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
