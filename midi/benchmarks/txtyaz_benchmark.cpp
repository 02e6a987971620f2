#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "midi/tool.h"

namespace midi {
namespace {

// to TXT on a 1 MB file of packets: the report made and written to disk.
void BM_TxtYazOfAMegabyteOfPackets(benchmark::State& state) {
  const std::vector<std::uint8_t> bytes = bench::PacketFile(1 << 20);
  const bench::FolderWithFile folder("packets", bytes);
  MidiTool tool(Build::Tessaro5Vu, folder.path());
  if (tool.LoadImage("packets").kind != LoadOutcome::Kind::Loaded)
    state.SkipWithError("cannot load the packet file");
  for (auto _ : state) {
    TxtOutcome outcome = tool.TxtYaz();
    tool.SaveReport(outcome);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_TxtYazOfAMegabyteOfPackets)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace midi
