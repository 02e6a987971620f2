// The number texts of the chart and the result file against the slow exact
// formatter of finder_reference.cpp: the value's exact decimal expansion,
// rounded as a decimal string and laid out by the pattern.
//
// Input, little-endian: a flags byte (1: the decimal comma; 2: the value is a
// float, as the finder's figures are, otherwise a double), the value (4 or 8
// bytes), a byte that picks the digit pattern (mod 7: "000.0000", "00",
// "0.00000", "###", "##0.####", "000", or one made from the four bytes after
// it: integer "#"s, integer "0"s, fraction "0"s and fraction "#"s, each count
// mod 6, the fraction and its separator left out when both counts are 0).
// Every input also writes the value in the short form.

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "finder/format.h"
#include "finder_fuzz.h"
#include "finder_reference.h"

using finder::fuzz::ExactDecimal;
using finder::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  finder::fuzz::Bytes bytes(data, size);
  const std::uint8_t flags = bytes.Byte();
  const char separator = flags & 1 ? ',' : '.';
  const double value = flags & 2 ? static_cast<double>(bytes.Float()) : bytes.Double();
  constexpr std::string_view kPatterns[] = {"000.0000", "00", "0.00000", "###", "##0.####", "000"};
  const std::size_t choice = bytes.Byte() % 7;
  std::string pattern;
  if (choice < std::size(kPatterns)) {
    pattern = kPatterns[choice];
  } else {
    std::uint8_t counts[4];
    for (std::uint8_t& count : counts) count = bytes.Byte() % 6;
    pattern = std::string(counts[0], '#') + std::string(counts[1], '0');
    if (counts[2] + counts[3] > 0) pattern.append(1, '.').append(counts[2], '0').append(counts[3], '#');
  }

  const ExactDecimal exact = std::isfinite(value) ? finder::fuzz::ExactOf(value) : ExactDecimal{};
  Require(finder::FormatNumber(value, pattern, separator) ==
          finder::fuzz::SlowFormatNumber(value, exact, pattern, separator));
  Require(finder::ShortForm(value, separator) == finder::fuzz::SlowShortForm(value, exact, separator));
  return 0;
}
