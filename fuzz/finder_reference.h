#pragma once

// The slow, plain answers that the finder's fuzz targets hold the core
// against. They are built without coverage feedback: the fuzzer steers by the
// code under test, and the references run several times faster so.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "finder/finder.h"

namespace finder::fuzz {

// True when what Basla returned as `run` and left in `finder` for the table
// `records` agrees bit for bit with the step-by-step search over the degrees
// start .. stop under `criterion` and `limit`. Where the step-by-step search
// finds a degree whose durations sum beyond a float, Basla must say so instead.
bool AgreesWithStepByStep(const Finder& finder, const RunOutcome& run,
                          const std::vector<SourceRecord>& records, std::int32_t start, std::int32_t stop,
                          Criterion criterion, float limit);

// A finite double's exact value, |value| = digits × 10^-scale; `digits` has no
// leading zeros ("0" for zero).
struct ExactDecimal {
  bool negative = false;
  std::string digits = "0";
  int scale = 0;
};
ExactDecimal ExactOf(double value);

// FormatNumber and ShortForm written the long way, from that exact value.
std::string SlowFormatNumber(double value, const ExactDecimal& exact, std::string_view pattern,
                             char separator);
std::string SlowShortForm(double value, const ExactDecimal& exact, char separator);

}  // namespace finder::fuzz
