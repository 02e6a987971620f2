#include "finder_reference.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>

#include "literal.h"

namespace finder::fuzz {
namespace {

// A whole number in base 10^9, lowest limb first.
class Decimal {
 public:
  explicit Decimal(std::uint64_t value) {
    do {
      limbs_.push_back(static_cast<std::uint32_t>(value % kBase));
      value /= kBase;
    } while (value != 0);
  }

  void Multiply(std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (std::uint32_t& limb : limbs_) {
      const std::uint64_t product = std::uint64_t{limb} * factor + carry;
      limb = static_cast<std::uint32_t>(product % kBase);
      carry = product / kBase;
    }
    while (carry != 0) {
      limbs_.push_back(static_cast<std::uint32_t>(carry % kBase));
      carry /= kBase;
    }
  }

  // Times base^count, a factor of at most 2^31 at a time.
  void MultiplyByPower(std::uint32_t base, std::uint32_t chunk, int chunkPower, int count) {
    for (; count >= chunkPower; count -= chunkPower) Multiply(chunk);
    for (; count > 0; --count) Multiply(base);
  }

  std::string Text() const {
    std::string text;
    text.reserve(limbs_.size() * 9);
    for (auto limb = limbs_.rbegin(); limb != limbs_.rend(); ++limb) {
      char digits[10];
      const auto size = static_cast<std::size_t>(std::to_chars(digits, digits + 10, *limb).ptr - digits);
      // Every limb but the highest has all nine digits.
      if (limb != limbs_.rbegin()) text.append(9 - size, '0');
      text.append(digits, size);
    }
    return text;
  }

 private:
  static constexpr std::uint64_t kBase = 1000000000;
  std::vector<std::uint32_t> limbs_;
};

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
  const auto bits = std::bit_cast<std::uint64_t>(value);
  const bool negative = bits >> 63;
  const int biased = static_cast<int>((bits >> 52) & 0x7FF);
  std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
  if (biased != 0) mantissa |= std::uint64_t{1} << 52;
  // |value| = mantissa × 2^exponent.
  const int exponent = (biased == 0 ? 1 : biased) - 1075;
  Decimal decimal(mantissa);
  if (exponent >= 0) {
    decimal.MultiplyByPower(2, 1u << 30, 30, exponent);
    return {negative, decimal.Text(), 0};
  }
  // m × 2^-e = m × 5^e / 10^e.
  decimal.MultiplyByPower(5, 1220703125u, 13, -exponent);
  return {negative, decimal.Text(), -exponent};
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
