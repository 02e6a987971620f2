// Runs over the window's default range, 12 to 2400, with the cent limit 0: no degree
// qualifies, so every one of the 2389 degrees is tried.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "finder/finder.h"
#include "finder/scala.h"
#include "literal.h"
#include "random_pitches.h"
#include "support.h"

namespace finder {
namespace {

// Arguments: the number of pitches, and 0 for Maximum Deviation or 1 for Standard Deviation.
void BM_Basla(benchmark::State& state) {
  Finder finder;
  finder.KaynakOku(SourceTableText(bench::RandomPitches(static_cast<std::size_t>(state.range(0)))));
  const SearchSettings settings{
      .criterion = state.range(1) == 0 ? Criterion::MaxDeviation : Criterion::StandardDeviation,
      .centLimitText = "0"};
  std::int32_t degrees = 0;
  for (auto _ : state) {
    const RunOutcome run = finder.Basla(settings);
    degrees = run.degree - run.start;
    benchmark::DoNotOptimize(run);
  }
  state.counters["degrees"] = degrees;
}
BENCHMARK(BM_Basla)->Args({1000, 0})->Args({32767, 0})->Args({32767, 1})->Unit(benchmark::kMillisecond);

void BM_LiteralSearch(benchmark::State& state) {
  const std::vector<SourceRecord> records = bench::RandomPitches(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    benchmark::DoNotOptimize(test::LiteralSearch(records, 12, 2400, Criterion::MaxDeviation, 0.0f));
  }
}
BENCHMARK(BM_LiteralSearch)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace finder
