#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include "finder/app/form1.h"

namespace {

// Run in the shown window on a table whose pitches lie on steps of 2400 (half
// cents): Single 2400 fits at once, and the report refreshes the chart once for
// each of the 2401 steps.
void BM_RunAt2400(benchmark::State& state) {
  QTemporaryDir dir;
  QFile file(dir.filePath("table.txt"));
  if (!file.open(QIODevice::WriteOnly)) state.SkipWithError("cannot write");
  file.write("0,4\r\n203.5,2\r\n386.5,3\r\n498,2\r\n702,4\r\n884.5,2\r\n1088.5,1\r\n");
  file.close();

  finder::Form1 form(
      QFile::encodeName(dir.path()).toStdString(),
      [&](QWidget*, const QString&, const QString& text) { state.SkipWithError(qPrintable(text)); });
  form.show();
  if (!QTest::qWaitForWindowExposed(&form)) state.SkipWithError("the window did not show");
  form.findChild<QAction*>("Mn_Open")->trigger();
  auto* list = form.findChild<QListWidget*>("File1");
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
  form.findChild<QRadioButton*>("Option1_1")->setChecked(true);
  form.findChild<QLineEdit*>("Text2")->setText("2400");
  auto* run = form.findChild<QAction*>("Mn_Basla");
  for (auto _ : state) run->trigger();
  if (form.finder().CurrentDegree() != 2400) state.SkipWithError("2400 did not fit");
}
BENCHMARK(BM_RunAt2400)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
