#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "midi/split.h"
#include "midi/tool.h"

namespace midi {
namespace {

// A window that shows nothing and is never closed.
class SilentWindow : public Window {
 public:
  void ShowMessage(std::string_view) override {}
  void SetBusyPointer(bool) override {}
  bool PumpEvents() override { return true; }
  void DrawMeter(std::int32_t) override {}
  void RefreshNameList() override {}
};

// About 1 MB of packets (bend, note on, note off) behind a header.
std::vector<std::uint8_t> PacketFile() {
  std::vector<std::uint8_t> bytes = {'M', 'T', 'h', 'd',  0,    0,    0,    6,    0,    0,
                                     0,   1,   0,   96,   'M',  'T',  'r',  'k',  0,    0,
                                     0,   0,   0,   0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00};
  for (std::uint8_t key = 0; bytes.size() < (1 << 20); key = (key + 1) % 128) {
    bytes.insert(bytes.end(), {0xE0, 0x00, 0x40, 0x00, 0x90, key, 0x64, 0x60, 0x80, key, 0x40, 0x00});
  }
  return bytes;
}

// Start on a 1 MB file: scan, pair steps with a meter row and a pump each, and
// both files written.
void BM_MidiYaz(benchmark::State& state) {
  std::random_device seed;
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("midi-bench-" + std::to_string(seed()));
  std::filesystem::create_directories(folder);
  const std::vector<std::uint8_t> bytes = PacketFile();
  std::ofstream(folder / "song.mid", std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));

  SilentWindow window;
  MidiTool tool(window, Build::Tessaro5Vu, folder);
  if (!tool.LoadImage("song")) state.SkipWithError("cannot load the file");
  for (auto _ : state) tool.MidiYaz();
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_MidiYaz)->Unit(benchmark::kMillisecond);

// The split in memory alone, without the files.
void BM_SplitImage(benchmark::State& state) {
  MidiImage image;
  image.MidiBytes = PacketFile();
  for (auto _ : state) {
    const std::optional<SplitCopies> copies =
        SplitImage(image, ScanPackets(image), Build::Tessaro5Vu, [](std::int32_t) { return true; });
    benchmark::DoNotOptimize(copies);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(image.MidiBytes.size()));
}
BENCHMARK(BM_SplitImage)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace midi
