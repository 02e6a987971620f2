// The finder's number texts where the C++ library lacks floating-point
// to_chars and from_chars (the WebAssembly build) come from printf and strtod.
// Here both ways meet on the numbers the finder writes and reads: the fallback
// must give the standard library's texts, byte for byte.

#include "finder/portable.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <type_traits>
#include <vector>

namespace finder {
namespace {

std::string Text(const char* first, std::to_chars_result result) {
  EXPECT_EQ(result.ec, std::errc{});
  return std::string(first, static_cast<const char*>(result.ptr));
}

// The floats of the finder's figures: steps of every degree up to 200, pitches
// and deviations about them, the edges of the float's range, and random bits.
std::vector<float> FinderFloats() {
  using Limits = std::numeric_limits<float>;
  std::vector<float> values = {0.0f, -0.0f, 0.125f, 2097152.25f, 1200.0f, 0.8532671f, 16777217.0f};
  values.insert(values.end(), {Limits::max(), -Limits::max(), Limits::min(), Limits::denorm_min()});
  for (int n = 1; n <= 200; ++n) {
    for (int k = 0; k <= n; ++k) {
      const float step = static_cast<float>(1200.0 / n * k);
      values.insert(values.end(), {step, std::nextafter(step, 0.0f), std::nextafter(step, 2400.0f), -step});
    }
  }
  for (int e = -149; e <= 127; ++e) {
    const float power = std::ldexp(1.0f, e);
    values.insert(values.end(), {power, -power, std::nextafter(power, 0.0f)});
  }
  std::mt19937 random(24);
  for (int i = 0; i < 10000; ++i) {
    const float value = std::bit_cast<float>(static_cast<std::uint32_t>(random()));
    if (std::isfinite(value)) values.push_back(value);
  }
  return values;
}

TEST(PortableChars, ShortestFloatIsTheStandardLibrarys) {
  for (const float value : FinderFloats()) {
    char standard[200];
    char fallback[200];
    ASSERT_EQ(
        Text(fallback, portable::detail::PrintfShortestFixed(fallback, fallback + sizeof fallback, value)),
        Text(standard, std::to_chars(standard, standard + sizeof standard, value, std::chars_format::fixed)))
        << std::bit_cast<std::uint32_t>(value);
  }
}

// Scientific digits as the number patterns round them (up to every digit of a
// double's exact expansion), and fixed decimals as the tempered scale writes
// its cents; the exact expansion the format fuzz target holds its formatter
// against is the last row.
TEST(PortableChars, PrintfGivesTheStandardLibrarysDigits) {
  std::vector<double> values = {0.0, -0.0, 0.5, 2.5, 1e-300, 5e-324, 1.7976931348623157e308, 0.1, 1200.0 / 7};
  for (const float value : FinderFloats()) values.push_back(value);
  for (int n = 1; n <= 300; ++n)
    for (int k = 1; k < n; ++k) values.push_back(static_cast<double>(k) * 1200.0 / static_cast<double>(n));
  const struct {
    const char* name;
    std::chars_format format;
    char form;
    int precision;
  } rows[] = {{"seven digits", std::chars_format::scientific, 'e', 6},
              {"the exact expansion of a float", std::chars_format::scientific, 'e', 120},
              {"the longest exact expansion", std::chars_format::scientific, 'e', 767},
              {"six decimals", std::chars_format::fixed, 'f', 6},
              {"every binary place", std::chars_format::fixed, 'f', 1074}};
  std::vector<char> standard(2000);
  std::vector<char> fallback(2000);
  for (const auto& row : rows) {
    for (std::size_t i = 0; i<values.size(); i += row.precision> 200 ? 37 : 1) {
      const double value = values[i];
      const char* first = standard.data();
      ASSERT_EQ(Text(fallback.data(), portable::detail::PrintfChars(fallback.data(), fallback.data() + 2000,
                                                                    value, row.form, row.precision)),
                Text(first, std::to_chars(standard.data(), standard.data() + 2000, value, row.format,
                                          row.precision)))
          << row.name << ' ' << value;
    }
  }
}

template <typename T>
using Bits = std::conditional_t<sizeof(T) == 4, std::uint32_t, std::uint64_t>;

template <typename T>
void ExpectSameReading(const std::string& text) {
  T standard = 7;
  T fallback = 7;
  const auto a = std::from_chars(text.data(), text.data() + text.size(), standard, std::chars_format::fixed);
  const auto b = portable::detail::StrtodFixed(text.data(), text.data() + text.size(), fallback);
  EXPECT_EQ(b.ec, a.ec) << text;
  EXPECT_EQ(b.ptr - text.data(), a.ptr - text.data()) << text;
  EXPECT_EQ(std::bit_cast<Bits<T>>(fallback), std::bit_cast<Bits<T>>(standard)) << text;
}

// The texts the finder reads: the numbers of source tables and Scala files, and
// those typed into the window's boxes, well-formed or cut short.
TEST(PortableChars, StrtodReadsAsTheStandardLibrary) {
  std::vector<std::string> texts = {"0",        "-0",         "5.",    ".5", "203.91", "1200", "1200.0000001",
                                    "0.1",      "1.2.3",      "12abc", "",   "-",      ".",    "-.",
                                    "16777217", "2097152.125"};
  texts.push_back(std::string(400, '9'));
  for (const auto& [zeros, digits] : {std::pair{44, "14"}, {44, "7"}, {50, "1"}, {330, "1"}, {322, "5"}})
    texts.push_back("0." + std::string(zeros, '0') + digits);
  std::mt19937 random(2400);
  // Long decimals, which strtod reads, and the short ones of tables, which one
  // division reads where the type holds their digits and power of ten exactly.
  for (int i = 0; i < 5000; ++i) {
    texts.push_back(std::to_string(random() % 2401) + "." + std::to_string(random()));
    texts.push_back(std::to_string(random() % 2401) + "." + std::to_string(random() % 10000));
    texts.push_back("-0.0" + std::to_string(random() % 1000000));
  }
  for (const char* edge : {"3.4028235677973366e38", "340282356779733661637539395458142568448",
                           "340282346638528859811704183484516925440", "16777216", "16777217", "1677721.7",
                           "0.0000000001", "0.00000000001", "9007199254740992", "9007199254740993",
                           "0.0000000000000000000001", "12345678901234567890", "1200.00000000000"})
    texts.emplace_back(edge);
  for (const std::string& text : texts) {
    ExpectSameReading<float>(text);
    ExpectSameReading<double>(text);
  }
}

}  // namespace
}  // namespace finder
