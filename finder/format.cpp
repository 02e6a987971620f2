#include "finder/format.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "finder/portable.h"

namespace finder {
namespace {

// A finite value as its exact decimal digits: 0.d1d2d3... × 10^point, with no
// leading or trailing zero digits. Zero has no digits.
struct Digits {
  bool negative = false;
  std::string digits;
  int point = 0;
};

Digits Strip(Digits d) {
  d.digits.resize(d.digits.find_last_not_of('0') + 1);  // npos + 1 is 0
  if (d.digits.empty()) d.point = 0;
  return d;
}

// A bound on the significant digits of a finite value's exact decimal
// expansion. The value is m × 2^q with m odd and below 2^b; for q ≥ 0 it is a
// whole number below 2^(b + q), for q < 0 it is m × 5^-q (below 2^b × 5^-q)
// over 10^-q. The logarithms are rounded up, and one digit is added.
int ExactPrecision(double value) {
  if (value == 0) return 0;
  int exponent = 0;
  // |value| = fraction × 2^exponent, the fraction in [0.5, 1) with 53 bits.
  const double fraction = std::frexp(std::fabs(value), &exponent);
  auto m = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
  const int trailingZeros = std::countr_zero(m);
  m >>= trailingZeros;
  const std::int64_t q = exponent - 53 + trailingZeros;
  const std::int64_t b = std::bit_width(m);
  const std::int64_t hundredThousandths = b * 30103 + (q >= 0 ? q * 30103 : -q * 69898);
  return static_cast<int>(hundredThousandths / 100000 + 2);
}

// Every double has an exact decimal expansion of at most 767 significant
// digits, so rounding on these digits rounds the value itself, not a nearby
// decimal: a true half is told apart from a value just above or below it. The
// finder's figures are floats, whose expansions are far shorter, so only the
// digits the value can have are asked for.
Digits ExactDigits(double value) {
  char text[800];
  const auto result =
      portable::ScientificChars(text, text + sizeof text, value, ExactPrecision(value));
  const std::string_view written(text, static_cast<std::size_t>(result.ptr - text));
  Digits d;
  std::size_t i = 0;
  if (written[i] == '-') {
    d.negative = true;
    ++i;
  }
  // The digits: one before the point, the others after it.
  const std::size_t e = written.find('e');
  d.digits = written.substr(i, 1);
  if (written[i + 1] == '.') d.digits += written.substr(i + 2, e - i - 2);
  std::string_view exponent = written.substr(e + 1);
  if (exponent.front() == '+') exponent.remove_prefix(1);
  std::from_chars(exponent.data(), exponent.data() + exponent.size(), d.point);
  ++d.point;
  if (d.digits.front() == '0') d.digits.clear();  // zero has no significant digit
  return Strip(d);
}

// Keeps the first `keep` digits (none when `keep` is 0 or below), rounding
// halves away from zero.
Digits RoundTo(Digits d, int keep) {
  if (keep >= static_cast<int>(d.digits.size())) return d;
  if (keep < 0) return Strip(Digits{d.negative, "", 0});
  const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
  d.digits.resize(static_cast<std::size_t>(keep));
  if (up) {
    std::size_t i = d.digits.size();
    while (i > 0 && d.digits[i - 1] == '9') d.digits[--i] = '0';
    if (i == 0) {
      d.digits.insert(d.digits.begin(), '1');
      ++d.point;
    } else {
      ++d.digits[i - 1];
    }
  }
  return Strip(d);
}

// The digits of the integer part (empty for a value below 1) and of the fraction.
std::string IntegerPart(const Digits& d) {
  if (d.point <= 0) return "";
  std::string part = d.digits.substr(0, static_cast<std::size_t>(d.point));
  part.resize(static_cast<std::size_t>(d.point), '0');
  return part;
}

std::string FractionPart(const Digits& d) {
  if (d.digits.empty()) return "";
  if (d.point >= 0) return d.point < static_cast<int>(d.digits.size()) ? d.digits.substr(d.point) : "";
  return std::string(static_cast<std::size_t>(-d.point), '0') + d.digits;
}

std::string NonFinite(double value) {
  if (std::isnan(value)) return "nan";
  return value < 0 ? "-inf" : "inf";
}

}  // namespace

std::string FormatNumber(double value, std::string_view pattern, char separator) {
  if (!std::isfinite(value)) return NonFinite(value);
  const std::size_t dot = pattern.find('.');
  const std::string_view integerPattern = pattern.substr(0, dot);
  const std::string_view fractionPattern = dot == std::string_view::npos ? "" : pattern.substr(dot + 1);
  const auto zeros = [](std::string_view part) {
    std::size_t count = 0;
    for (const char c : part) count += c == '0' ? 1 : 0;
    return count;
  };

  const Digits exact = ExactDigits(value);
  const Digits d = RoundTo(exact, exact.point + static_cast<int>(fractionPattern.size()));
  std::string integer = IntegerPart(d);
  if (integer.size() < zeros(integerPattern)) integer.insert(0, zeros(integerPattern) - integer.size(), '0');
  std::string fraction = FractionPart(d);
  if (fraction.size() < zeros(fractionPattern))
    fraction.append(zeros(fractionPattern) - fraction.size(), '0');

  std::string text = d.negative && !d.digits.empty() ? "-" : "";
  text += integer;
  if (dot != std::string_view::npos) (text += separator) += fraction;
  return text;
}

std::string ShortForm(double value, char separator) {
  if (!std::isfinite(value)) return NonFinite(value);
  const Digits d = RoundTo(ExactDigits(value), 7);
  if (d.digits.empty()) return "0";
  std::string text = d.negative ? "-" : "";
  const int exponent = d.point - 1;
  if (exponent < -4 || exponent > 6) {
    text += d.digits.front();
    if (d.digits.size() > 1) (text += separator) += d.digits.substr(1);
    text += exponent < 0 ? "E-" : "E+";
    const std::string magnitude = std::to_string(std::abs(exponent));
    if (magnitude.size() < 2) text += '0';
    return text + magnitude;
  }
  text += d.point > 0 ? IntegerPart(d) : "0";
  const std::string fraction = FractionPart(d);
  if (!fraction.empty()) (text += separator) += fraction;
  return text;
}

}  // namespace finder
