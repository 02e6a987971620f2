#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdint>
#include <vector>

#include "midiapp/form1.h"

namespace {

// About 1 MB of packets (bend, note on, note off) behind a header: 87,000
// packets, 43,000 pair steps.
QByteArray PacketFile() {
  QByteArray bytes("MThd\0\0\0\6\0\0\0\1\0\x60MTrk\0\0\0\0\0\xFF\x51\x03\x07\xA1\x20\0", 30);
  for (std::uint8_t key = 0; bytes.size() < (1 << 20); key = (key + 1) % 128) {
    const char packet[] = {
        '\xE0', 0x00, 0x40, 0x00, '\x90', static_cast<char>(key), 0x64, 0x60, '\x80', static_cast<char>(key),
        0x40,   0x00};
    bytes.append(packet, sizeof packet);
  }
  return bytes;
}

// Start in the shown window on a 1 MB file: the split with a meter update and
// an event pump per pair step, both files written, the list refreshed.
void BM_Start(benchmark::State& state) {
  QTemporaryDir dir;
  QFile file(dir.filePath("song.mid"));
  if (!file.open(QIODevice::WriteOnly) || file.write(PacketFile()) < 0) state.SkipWithError("cannot write");
  file.close();

  midiapp::Form1 form(
      midi::Build::Tessaro5Vu, QFile::encodeName(dir.path()).toStdString(),
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
