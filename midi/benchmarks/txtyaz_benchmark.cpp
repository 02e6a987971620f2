#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "midi/tool.h"

namespace midi {
namespace {

class QuietWindow : public Window {
 public:
  void ShowMessage(std::string_view) override {}
  void SetBusyPointer(bool) override {}
  bool PumpEvents() override { return true; }
  void DrawMeter(std::int32_t) override {}
  void RefreshNameList() override {}
};

// A melody of packets (a bend, a note on and a note off on the first channel)
// filling about `size` bytes after the header.
std::vector<std::uint8_t> PacketFile(std::size_t size) {
  std::vector<std::uint8_t> bytes = {'M', 'T', 'h',  'd',  0,    0,    0,    6,    0,   0,
                                     0,   1,   0x03, 0xE8, 'M',  'T',  'r',  'k',  0,   0,
                                     0,   0,   0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20};
  std::uint8_t pitch = 60;
  while (bytes.size() + 16 < size) {
    const std::uint8_t lsb = static_cast<std::uint8_t>(bytes.size() & 0x7F);
    bytes.insert(bytes.end(),
                 {0xE0, lsb, 0x41, 0x00, 0x90, pitch, 0x64, 0x83, 0x60, 0x80, pitch, 0x40, 0x00});
    pitch = static_cast<std::uint8_t>(48 + (pitch + 7) % 36);
  }
  bytes.insert(bytes.end(), {0xFF, 0x2F, 0x00});
  const std::size_t track = bytes.size() - 22;
  for (int k = 0; k < 4; ++k)
    bytes[18 + static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(track >> (24 - 8 * k));
  return bytes;
}

void BM_TxtYazOfAMegabyteOfPackets(benchmark::State& state) {
  std::random_device seed;
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("midi-bench-" + std::to_string(seed()));
  std::filesystem::create_directories(folder);
  const std::vector<std::uint8_t> bytes = PacketFile(1 << 20);
  {
    std::ofstream out(folder / "packets.mid", std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  QuietWindow window;
  MidiTool tool(window, Build::Tessaro5Vu, folder);
  if (!tool.LoadImage("packets")) state.SkipWithError("cannot load the packet file");
  for (auto _ : state) {
    tool.TxtYaz();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(bytes.size()));
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_TxtYazOfAMegabyteOfPackets)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace midi
