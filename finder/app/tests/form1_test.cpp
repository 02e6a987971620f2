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
#include <utility>
#include <vector>

#include "finder/app/legends.h"

namespace {

using Files = std::vector<std::pair<QString, QByteArray>>;

// 0, 386 and 702 cents with durations 2, 1 and 1.
const QByteArray kThreePitches = "0,2\r\n386,1\r\n702,1\r\n";
// Pitches on steps of 12, so that 12 fits them exactly.
const QByteArray kOnTwelve = "0,2\r\n400,1\r\n700,1\r\n";
const QColor kMagenta(255, 0, 255);

// The window working in a fresh folder, its message boxes recorded.
class Session {
 public:
  explicit Session(const Files& files = {}) {
    for (const auto& [name, bytes] : files) Write(name, bytes);
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
    const QList<QListWidgetItem*> items = List()->selectedItems();
    return items.isEmpty() ? QString() : items.front()->text();
  }
  int SourceCount() const { return form->finder().SourceCount(); }

  // Shows the list and clicks `entry` in it.
  void Pick(const QString& entry, Qt::KeyboardModifiers modifiers = {}) const {
    Menu("Mn_Open");
    const QList<QListWidgetItem*> items = List()->findItems(entry, Qt::MatchExactly);
    QVERIFY2(items.size() == 1, qPrintable(entry));
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, modifiers,
                      List()->visualItemRect(items[0]).center());
  }

  // Shows both frames, then "Option1_1" clicks that option and "Text2=12" puts 12 into Text2.
  void Set(const QStringList& settings) const {
    Menu("Mn_tet");
    Menu("Mn_Kriter");
    for (const QString& setting : settings) {
      const QStringList box = setting.split('=');
      if (box.size() == 2) {
        form->findChild<QLineEdit*>(box[0])->setText(box[1]);
      } else {
        form->findChild<QRadioButton*>(setting)->click();
      }
    }
  }

  bool InputsShown() const {
    return Control("File1")->isVisible() || Control("Frame4")->isVisible() || Control("Frame5")->isVisible();
  }
  // What Picture1 shows when painted; white only before the first chart.
  QImage Chart() const { return Control("Picture1")->grab().toImage().convertToFormat(QImage::Format_RGB32); }
  bool ChartWhite() const {
    QImage white(1200, 545, QImage::Format_RGB32);
    white.fill(Qt::white);
    return Chart() == white;
  }

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
  void opensWithOnlyTheMenuBarAndAWhiteChart() {
    Session session({{"a.txt", kThreePitches}});
    QCOMPARE(session.form->windowTitle(), QString("Orvette101A"));
    QCOMPARE(TextsOf(session.form->menuBar()->actions()),
             (QStringList{"File", "Temperemants", "Critera", "Run", "Print"}));
    QCOMPARE(TextsOf(session.form->findChild<QMenu*>("Mn_File")->actions()), (QStringList{"Open", "Exit"}));
    QCOMPARE(session.form->centralWidget()->size(), QSize(1216, 581));
    QVERIFY(!session.InputsShown());
    QCOMPARE(session.Control("File1")->y(), 10000);
    QVERIFY(!session.Control("Image1")->isVisible() && !session.Control("Image2")->isVisible());
    QVERIFY(session.ChartWhite());
    QVERIFY(session.shown.empty());
  }

  // The frames keep their design places; every text in them shows whole in the window's own font.
  void theFramesShowTheirTextsWholeInTheWindowsFont() {
    Session session;
    QCOMPARE(session.Control("Frame5")->geometry().topLeft(), QPoint(225, 16));
    QCOMPARE(session.Control("Frame4")->geometry().topLeft(), QPoint(410, 16));
    for (const char* frame : {"Frame4", "Frame5"}) {
      QCOMPARE(session.Control(frame)->font(), session.form->font());
      for (const QWidget* control : session.Control(frame)->findChildren<QWidget*>()) {
        QCOMPARE(control->font(), session.form->font());
        if (qobject_cast<const QAbstractButton*>(control) != nullptr ||
            qobject_cast<const QLabel*>(control) != nullptr) {
          QVERIFY2(control->sizeHint().width() <= control->width(), qPrintable(control->objectName()));
        }
      }
    }
  }

  void openListsTheSourceTablesOfTheFolder() {
    Session session({{"b.txt", ""}, {"A.TXT", ""}, {"sonuc.csv", ""}, {"notes.txt.bak", ""}});
    QVERIFY(QDir(session.dir.path()).mkdir("d.txt"));
    session.Menu("Mn_Open");
    QCOMPARE(session.Entries(), (QStringList{"A.TXT", "b.txt"}));
    QCOMPARE(session.Control("File1")->geometry(), QRect(8, 16, 217, 198));
    QVERIFY(session.Control("File1")->isVisible());
    QVERIFY(session.Control("File1")->font().bold());
    QCOMPARE(session.Selected(), QString());
    session.Menu("Mn_tet");
    session.Menu("Mn_Kriter");
    QVERIFY(session.Control("File1")->isVisible() && session.Control("Frame4")->isVisible() &&
            session.Control("Frame5")->isVisible());
  }

  void aPickReadsTheTableAtOnce() {
    Session session({{"one.txt", "700,3\r\n"}, {"three.txt", kThreePitches}, {"two.txt", "100,1,200,2\r\n"}});
    session.Pick("one.txt");
    QCOMPARE(session.SourceCount(), 1);
    QTest::keyClick(session.List(), Qt::Key_Down);  // every entry passed over is read
    QCOMPARE(session.SourceCount(), 3);
    QTest::keyClick(session.List(), Qt::Key_Down);
    QCOMPARE(session.SourceCount(), 2);

    session.Write("three.txt", "");
    session.Pick("three.txt");
    QCOMPARE(session.SourceCount(), 0);
    session.Pick("three.txt", Qt::ControlModifier);  // does not take the choice back
    QCOMPARE(session.Selected(), QString("three.txt"));
    session.Write("four.txt", "1,1\r\n");
    session.Menu("Mn_Open");  // listed anew, the choice kept
    QCOMPARE(session.Entries(), (QStringList{"four.txt", "one.txt", "three.txt", "two.txt"}));
    QCOMPARE(session.Selected(), QString("three.txt"));
    QVERIFY(session.shown.empty());
  }

  void runWithTheInitialSettingsDrawsTheChart() {
    Session session({{"table.txt", kOnTwelve}});
    session.Pick("table.txt");
    session.Set({});
    session.Menu("Mn_Basla");
    QVERIFY(session.shown.empty());
    QCOMPARE(session.form->finder().CurrentDegree(), 12);
    QVERIFY(!session.InputsShown());
    const QImage chart = session.Chart();  // the canvas's own tests sample the bars; here, that they show
    QCOMPARE(chart.pixelColor(60, 251), kMagenta);
    QCOMPARE(chart.copy(4, 256, 25, 175), finder::LegendImage1().convertToFormat(QImage::Format_RGB32));
    // Called up again, the frames hide the chart under them, beside their captions too.
    session.Set({});
    const QImage client = session.form->centralWidget()->grab().toImage();
    for (const char* frame : {"Frame4", "Frame5"}) {
      const QPoint corner = session.Control(frame)->pos() + QPoint(2, 2);
      QCOMPARE(client.pixelColor(corner), session.Control(frame)->palette().window().color());
    }
  }

  // One pick, then runs one after another: the choice survives the runs, which hide the list.
  void runsReadTheFrames() {
    Session session({{"table.txt", kThreePitches}});
    session.Pick("table.txt");
    const struct {
      QStringList settings;  // added to those of the runs before
      int degree;            // where the run ended: the found degree, or past the one tried
      QStringList shown;
    } runs[] = {
        {{"Option1_1", "Text2=12", "Text1=10,5"}, 12, {}},  // by Maximum Deviation 10, below 10.5
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
    session.Menu("Mn_Open");
    QCOMPARE(session.Selected(), QString("table.txt"));
  }

  // Neither guard of Run hides anything or draws: the menu's, the run's and the degrees'.
  void aRefusedRunChangesNothing() {
    Session session(Files{{"empty.txt", ""}, {"table.txt", kOnTwelve}});
    session.Menu("Mn_Open");
    session.Menu("Mn_Basla");  // nothing picked
    session.Pick("empty.txt");
    session.Menu("Mn_Basla");  // an empty table
    session.Pick("table.txt");
    session.Set({"Option1_1", "Text2=0"});
    session.Menu("Mn_Basla");
    QCOMPARE(session.shown,
             (QStringList{"Bir dosya seçin.", "Bir dosya seçin", "Derece 1 ile 32766 arasında olmalı."}));
    QVERIFY(session.Control("File1")->isVisible() && session.Control("Frame5")->isVisible());
    QVERIFY(session.ChartWhite());
  }

  void aPitchAboveTheOctaveEndsTheProgramAfterItsMessage() {
    Session session(Files{{"high.txt", "0,1\r\n700,1\r\n1200.01,1\r\n"}});
    session.Pick("high.txt");
    QCOMPARE(session.shown, QStringList{"oktav dışında Cent bulundu, akış durudurulacak."});
    QCOMPARE(session.SourceCount(), 0);
    QTRY_VERIFY(!session.form->isVisible());
  }

  void printWritesTheResultFile() {
    Session session({{"table.txt", kThreePitches}});
    session.Menu("Mn_Print");
    QCOMPARE(session.shown, QStringList{"Önce çalıştırın."});
    session.Pick("table.txt");
    session.Set({"Option1_1", "Text2=12", "Text1=11"});
    session.Menu("Mn_Basla");
    session.Menu("Mn_Print");
    QFile file(session.dir.filePath("sonuc.csv"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("\r\n     004       400,0000        01      0,50000\r\n"));
    QCOMPARE(session.shown.size(), 1);
  }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
