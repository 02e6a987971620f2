// Where the C++ library has no floating-point to_chars (the WebAssembly build),
// the report's fractions take their 15 significant digits from printf. Both
// ways meet here on the numbers the report writes: the bends in cents, the
// metronome and the durations in minutes.

#include "midi/portable.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "midi/walk.h"

namespace midi {
namespace {

std::vector<double> ReportFractions() {
  std::vector<double> values = {0.0, -0.0, 0.5, 3.125, 1e-5, 1e15, 6e5, 0.064125, 1.0 / 3, -200.0};
  for (int bend = -8192; bend <= 8191; ++bend) values.push_back(BendCents(static_cast<std::int16_t>(bend)));
  // Durations: tick totals by tempos, over 60,000,000,000; metronomes: 60,000,000 over tempos.
  std::mt19937 random(24);
  for (int i = 0; i < 20000; ++i) {
    const auto ticks = static_cast<double>(random() % 2147483647);
    const auto tempo = static_cast<double>(random() % 16777216);
    values.push_back(ticks / 60000000000.0 * tempo);
    if (tempo != 0) values.push_back(60000000.0 / tempo);
  }
  for (int i = 0; i < 20000; ++i) {
    const double value = std::bit_cast<double>(static_cast<std::uint64_t>(random()) << 32 | random());
    if (std::isfinite(value)) values.push_back(value);
  }
  return values;
}

TEST(PortableChars, PrintfGivesTheStandardLibrarysFifteenDigits) {
  for (const double value : ReportFractions()) {
    char standard[48];
    char fallback[48];
    const auto a =
        std::to_chars(standard, standard + sizeof standard, value, std::chars_format::scientific, 14);
    const auto b = portable::detail::PrintfScientific(fallback, fallback + sizeof fallback, value, 14);
    ASSERT_EQ(b.ec, std::errc{});
    ASSERT_EQ(std::string(fallback, b.ptr), std::string(standard, a.ptr)) << value;
  }
}

TEST(PortableChars, TooSmallABufferIsRefused) {
  char text[8];
  EXPECT_EQ(portable::detail::PrintfScientific(text, text + sizeof text, 1.5, 14).ec,
            std::errc::value_too_large);
}

}  // namespace
}  // namespace midi
