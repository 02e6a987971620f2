#include <benchmark/benchmark.h>

#include <optional>

#include "bench_support.h"
#include "midi/split.h"
#include "midi/tool.h"

namespace midi {
namespace {

// Start on a 1 MB file: scan, pair steps each told to the progress, and both
// files written.
void BM_MidiYaz(benchmark::State& state) {
  const std::vector<std::uint8_t> bytes = bench::PacketFile(1 << 20);
  const bench::FolderWithFile folder("song", bytes);
  MidiTool tool(Build::Tessaro5Vu, folder.path());
  if (tool.LoadImage("song").kind != LoadOutcome::Kind::Loaded) state.SkipWithError("cannot load the file");
  for (auto _ : state) tool.MidiYaz();
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_MidiYaz)->Unit(benchmark::kMillisecond);

// The split in memory alone, without the files.
void BM_SplitImage(benchmark::State& state) {
  MidiImage image;
  image.MidiBytes = bench::PacketFile(1 << 20);
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
