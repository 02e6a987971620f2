#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "midi/report.h"
#include "midi/tool.h"

namespace midi {
namespace {

// to TXT on a file of packets (argument: its size in MB): the report made and
// written to disk.
void BM_TxtYazOfPackets(benchmark::State& state) {
  const std::vector<std::uint8_t> bytes = bench::PacketFile(static_cast<std::size_t>(state.range(0)) << 20);
  const bench::FolderWithFile folder("packets", bytes);
  MidiTool tool(Build::Tessaro5Vu, folder.path());
  if (tool.LoadImage("packets").kind != LoadOutcome::Kind::Loaded)
    state.SkipWithError("cannot load the packet file");
  for (auto _ : state) {
    // The older report goes first: ext4 writes a file renamed over another
    // out to disk at once, which is the disk's time, not the report's.
    std::filesystem::remove(folder.path() / "packets.txt");
    TxtOutcome outcome = tool.TxtYaz();
    tool.SaveReport(outcome);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_TxtYazOfPackets)->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond);

// Takes the report's chunks and keeps nothing.
class Discard : public ByteSink {
 public:
  void Write(std::string_view bytes) override { benchmark::DoNotOptimize(bytes.data()); }
};

// The report of a 1 MB file of packets made in memory: the walk and the lines
// alone, without the file.
void BM_DumpReportOfAMegabyte(benchmark::State& state) {
  MidiImage image;
  image.MidiBytes = bench::PacketFile(1 << 20);
  image.MidiFileName = "packets.txt";
  for (auto _ : state) {
    Pos ScanPos = 0;
    Discard sink;
    WalkOutcome walk;
    DumpReport(image, ScanPos, Build::Tessaro5Vu, '.', sink, walk);
    benchmark::DoNotOptimize(walk.tickTotal);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(image.MidiBytes.size()));
}
BENCHMARK(BM_DumpReportOfAMegabyte)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace midi
