#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include "bench_support.h"
#include "midiapp/form1.h"

namespace {

// Start in the shown window on a 1 MB file of packets, the same as the core's
// benchmarks split: the split with a meter update and an event pump per pair
// step, both files written, the list refreshed.
void BM_Start(benchmark::State& state) {
  const midi::bench::FolderWithFile folder("song", midi::bench::PacketFile(1 << 20));
  midiapp::Form1 form(
      midi::Build::Tessaro5Vu, folder.path(),
      [&](QWidget*, const QString&, const QString& text) { state.SkipWithError(qPrintable(text)); });
  form.show();
  auto* list = form.findChild<QListWidget*>("List_MID");
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
  auto* start = form.findChild<QPushButton*>("Command3");
  for (auto _ : state) start->click();
}
BENCHMARK(BM_Start)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
