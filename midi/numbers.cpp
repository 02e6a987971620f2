#include "midi/numbers.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <stdexcept>

#include "midi/portable.h"

namespace midi {
namespace {

// The decimal digits of a finite non-zero value, rounded to 15 significant
// digits: value = digits[0].digits[1..] × 10^exponent.
struct SignificantDigits {
  bool negative = false;
  std::string digits;
  int exponent = 0;
};

SignificantDigits DigitsOf(double x) {
  if (!std::isfinite(x)) throw std::domain_error("number text of a value that is not finite");
  std::array<char, 48> buffer{};
  const auto end =
      portable::ScientificChars(buffer.data(), buffer.data() + buffer.size(), x, 14).ptr;
  const std::string_view text(buffer.data(), static_cast<std::size_t>(end - buffer.data()));
  SignificantDigits out;
  std::size_t i = 0;
  if (text[i] == '-') {
    out.negative = true;
    ++i;
  }
  for (; text[i] != 'e'; ++i) {
    if (text[i] != '.') out.digits.push_back(text[i]);
  }
  ++i;
  const bool negativeExponent = text[i] == '-';
  ++i;
  std::from_chars(text.data() + i, text.data() + text.size(), out.exponent);
  if (negativeExponent) out.exponent = -out.exponent;
  return out;
}

// |x| rounded to `decimals` places, halves away from zero, as whole and
// decimal digits. The rounding works on the value's 15-digit decimal text, so
// a bend of 3.125 cents gives 3.13 where rounding the binary value to even
// would give 3.12.
struct FixedDigits {
  bool negative = false;
  std::string whole;
  std::string fraction;
};

FixedDigits RoundFixed(double x, int decimals) {
  const auto length = [](const std::string& s) { return static_cast<int>(s.size()); };
  FixedDigits out;
  if (x == 0) {
    out.whole = "0";
    out.fraction.assign(static_cast<std::size_t>(decimals), '0');
    return out;
  }
  const SignificantDigits value = DigitsOf(x);
  std::string all;  // the digits, with the point after the first `point` of them
  int point = 1;
  if (value.exponent >= 0) {
    all = value.digits;
    point = value.exponent + 1;
  } else {
    all = std::string(static_cast<std::size_t>(-value.exponent), '0') + value.digits;
  }
  const int keep = point + decimals;
  if (length(all) < keep) all.append(static_cast<std::size_t>(keep - length(all)), '0');
  const bool up = length(all) > keep && all[static_cast<std::size_t>(keep)] >= '5';
  all.resize(static_cast<std::size_t>(keep));
  if (up) {
    int i = keep - 1;
    for (; i >= 0 && all[static_cast<std::size_t>(i)] == '9'; --i) all[static_cast<std::size_t>(i)] = '0';
    if (i < 0) {
      all.insert(all.begin(), '1');
      ++point;
    } else {
      ++all[static_cast<std::size_t>(i)];
    }
  }
  out.negative = value.negative && all.find_first_not_of('0') != std::string::npos;
  out.whole = all.substr(0, static_cast<std::size_t>(point));
  out.fraction = all.substr(static_cast<std::size_t>(point));
  const std::size_t firstDigit = out.whole.find_first_not_of('0');
  out.whole.erase(0, std::min(firstDigit, out.whole.size() - 1));
  return out;
}

struct PatternShape {
  int wholeDigits = 0;
  int decimals = 0;
};

PatternShape ShapeOf(std::string_view pattern) {
  PatternShape shape;
  const std::size_t point = pattern.find('.');
  shape.wholeDigits = static_cast<int>(std::min(point, pattern.size()));
  if (point != std::string_view::npos) shape.decimals = static_cast<int>(pattern.size() - point - 1);
  return shape;
}

// Values outside [1E-4, 1E15) are written with an exponent ("5E-05", "1E+15").
// A duration in minutes reaches at most about 6E5 (the largest tick total at
// the largest tempo), so only the very short pieces ever take that form; the
// bound keeps them from a long row of leading zeros.
constexpr int kPlainExponentMin = -4;
constexpr int kPlainExponentMax = 14;

}  // namespace

void AppendPadded(std::string& out, std::int64_t n, int minDigits) {
  std::array<char, 24> buffer{};
  const std::uint64_t magnitude = n < 0 ? 0 - static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n);
  const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude).ptr;
  const int digits = static_cast<int>(end - buffer.data());
  if (n < 0) out.push_back('-');
  if (digits < minDigits) out.append(static_cast<std::size_t>(minDigits - digits), '0');
  out.append(buffer.data(), end);
}

std::string SignBlankText(std::int32_t n) {
  std::string text;
  if (n >= 0) text.push_back(' ');
  AppendPadded(text, n, 1);
  return text;
}

std::string SignBlankText(double x) {
  if (x == 0) return " 0";
  SignificantDigits value = DigitsOf(x);
  const std::size_t lastDigit = value.digits.find_last_not_of('0');
  value.digits.erase(lastDigit + 1);
  const std::string& digits = value.digits;
  const int e = value.exponent;

  std::string text(1, value.negative ? '-' : ' ');
  if (e < kPlainExponentMin || e > kPlainExponentMax) {
    text += digits[0];
    if (digits.size() > 1) text.append(".").append(digits, 1);
    text += e < 0 ? "E-" : "E+";
    AppendPadded(text, e < 0 ? -e : e, 2);
  } else if (e >= 0) {
    const auto wholeDigits = static_cast<std::size_t>(e + 1);
    text.append(digits, 0, wholeDigits);
    if (digits.size() < wholeDigits) text.append(wholeDigits - digits.size(), '0');
    if (digits.size() > wholeDigits) text.append(".").append(digits, wholeDigits);
  } else {
    text.append(".").append(static_cast<std::size_t>(-e - 1), '0').append(digits);
  }
  return text;
}

std::string PatternText(std::int32_t x, std::string_view pattern) {
  const PatternShape shape = ShapeOf(pattern);
  if (shape.decimals != 0 || shape.wholeDigits != static_cast<int>(pattern.size())) {
    throw std::invalid_argument("a whole number takes a pattern of zeros only");
  }
  std::string text;
  AppendPadded(text, x, shape.wholeDigits);
  return text;
}

std::string PatternText(double x, std::string_view pattern, char separator) {
  const PatternShape shape = ShapeOf(pattern);
  const FixedDigits fixed = RoundFixed(x, shape.decimals);
  std::string text;
  if (fixed.negative) text.push_back('-');
  const int wholeDigits = static_cast<int>(fixed.whole.size());
  if (wholeDigits < shape.wholeDigits)
    text.append(static_cast<std::size_t>(shape.wholeDigits - wholeDigits), '0');
  text += fixed.whole;
  if (shape.decimals > 0) text.append(1, separator).append(fixed.fraction);
  return text;
}

}  // namespace midi
