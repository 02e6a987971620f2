#include "finder_reference.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "literal.h"

namespace finder::fuzz {
namespace {

// Adds one to a string of decimal digits.
std::string Increment(std::string digits) {
  std::size_t i = digits.size();
  while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
  if (i == 0) return "1" + digits;
  ++digits[i - 1];
  return digits;
}

std::string WithoutLeadingZeros(std::string digits) {
  const std::size_t first = digits.find_first_not_of('0');
  return first == std::string::npos ? "0" : digits.substr(first);
}

// The digits of |value| × 10^places rounded to a whole number, halves away from zero.
std::string Scaled(const ExactDecimal& exact, int places) {
  if (exact.scale <= places)
    return WithoutLeadingZeros(exact.digits + std::string(places - exact.scale, '0'));
  const std::size_t dropped = static_cast<std::size_t>(exact.scale - places);
  // Pad so that the first dropped digit exists.
  std::string digits = std::string(dropped + 1, '0') + exact.digits;
  const char first = digits[digits.size() - dropped];
  std::string kept = digits.substr(0, digits.size() - dropped);
  if (first >= '5') kept = Increment(kept);
  return WithoutLeadingZeros(kept);
}

std::string NonFinite(double value) {
  if (std::isnan(value)) return "nan";
  return value < 0 ? "-inf" : "inf";
}

}  // namespace

bool AgreesWithStepByStep(const Finder& finder, const RunOutcome& run,
                          const std::vector<SourceRecord>& records, std::int32_t start, std::int32_t stop,
                          Criterion criterion, float limit) {
  test::LiteralRun want = test::LiteralSearch(records, start, stop, criterion, limit);
  const bool tooLarge =
      want.found && std::any_of(want.steps.begin(), want.steps.end(),
                                [](const StepRecord& step) { return !std::isfinite(step.Duration); });
  using Ran = RunOutcome::Status;
  if (run.status != (tooLarge ? Ran::DurationTooLarge : want.found ? Ran::Found : Ran::NoneQualified))
    return false;
  if (tooLarge) {
    // Basla keeps what it found but draws and prints nothing.
    want.found = false;
    want.barCount = 0;
    want.maxDuration = 0;
  }
  return test::Difference(finder, run, want).empty();
}

ExactDecimal ExactOf(double value) {
  // Every finite double is a whole number of 2^-1074, which 1074 decimal places
  // hold exactly; the standard library writes them from the bits, a way the
  // finder's own formatting does not take.
  char text[2 + 309 + 1074];
  const char* end =
      std::to_chars(text, text + sizeof text, std::fabs(value), std::chars_format::fixed, 1074).ptr;
  const std::string_view fixed(text, static_cast<std::size_t>(end - text));
  const std::size_t point = fixed.find('.');
  std::string digits = std::string(fixed.substr(0, point)).append(fixed.substr(point + 1));
  int scale = 1074;
  for (; scale > 0 && digits.back() == '0'; --scale) digits.pop_back();
  return {std::signbit(value), WithoutLeadingZeros(digits), scale};
}

std::string SlowFormatNumber(double value, const ExactDecimal& exact, std::string_view pattern,
                             char separator) {
  if (!std::isfinite(value)) return NonFinite(value);
  const std::size_t dot = pattern.find('.');
  const std::string_view integerPattern = pattern.substr(0, dot);
  const std::string_view fractionPattern = dot == pattern.npos ? "" : pattern.substr(dot + 1);
  const auto places = static_cast<int>(fractionPattern.size());
  const auto leastInteger =
      static_cast<std::size_t>(std::count(integerPattern.begin(), integerPattern.end(), '0'));
  const auto leastFraction =
      static_cast<std::size_t>(std::count(fractionPattern.begin(), fractionPattern.end(), '0'));

  const std::string scaled = Scaled(exact, places);
  std::string padded = std::string(static_cast<std::size_t>(places) + 1, '0') + scaled;
  std::string integer =
      WithoutLeadingZeros(padded.substr(0, padded.size() - static_cast<std::size_t>(places)));
  std::string fraction = padded.substr(padded.size() - static_cast<std::size_t>(places));
  if (integer == "0") integer.clear();
  if (integer.size() < leastInteger) integer.insert(0, leastInteger - integer.size(), '0');
  while (fraction.size() > leastFraction && fraction.back() == '0') fraction.pop_back();
  std::string text = exact.negative && scaled != "0" ? "-" : "";
  text += integer;
  if (dot != pattern.npos) (text += separator) += fraction;
  return text;
}

std::string SlowShortForm(double value, const ExactDecimal& exact, char separator) {
  if (!std::isfinite(value)) return NonFinite(value);
  if (exact.digits == "0") return "0";
  // value = 0.d1d2... × 10^point
  int point = static_cast<int>(exact.digits.size()) - exact.scale;
  std::string digits = exact.digits;
  if (digits.size() > 7) {
    const bool up = digits[7] >= '5';
    digits.resize(7);
    if (up) digits = Increment(digits);
    if (digits.size() > 7) {
      digits.resize(7);
      ++point;
    }
  }
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  const int exponent = point - 1;
  std::string text = exact.negative ? "-" : "";
  if (exponent < -4 || exponent > 6) {
    text += digits.substr(0, 1);
    if (digits.size() > 1) (text += separator) += digits.substr(1);
    const std::string magnitude = std::to_string(std::abs(exponent));
    return text + (exponent < 0 ? "E-" : "E+") + (magnitude.size() < 2 ? "0" : "") + magnitude;
  }
  if (point <= 0) return text + "0" + separator + std::string(static_cast<std::size_t>(-point), '0') + digits;
  if (digits.size() <= static_cast<std::size_t>(point)) {
    return text + digits + std::string(static_cast<std::size_t>(point) - digits.size(), '0');
  }
  return text + digits.substr(0, static_cast<std::size_t>(point)) + separator +
         digits.substr(static_cast<std::size_t>(point));
}

}  // namespace finder::fuzz
