#include "finder/number.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

#include "finder/portable.h"

namespace finder {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// True when the integer digits of a well-formed decimal text are all zero: such
// a value cannot be too large for any floating type, only too small.
bool BelowOne(std::string_view text) {
  for (const char c : text) {
    if (c == '.') break;
    if (IsDigit(c) && c != '0') return false;
  }
  return true;
}

// Converts a well-formed decimal text. from_chars takes no plus sign and leaves
// the value alone when it does not fit, so both are dealt with here.
template <typename T>
std::optional<T> Convert(std::string_view text) {
  const bool negative = !text.empty() && text.front() == '-';
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
  T value{};
  const auto [end, error] =
      portable::FixedFromChars(text.data(), text.data() + text.size(), value);
  if (error == std::errc::result_out_of_range) {
    if (!BelowOne(text)) return std::nullopt;
    value = T{0};
  } else if (error != std::errc{} || end != text.data() + text.size()) {
    return std::nullopt;
  }
  return negative ? -value : value;
}

}  // namespace

bool IsDecimal(std::string_view text, char separator) {
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
  bool digit = false;
  bool point = false;
  for (const char c : text) {
    if (IsDigit(c)) {
      digit = true;
    } else if ((c == '.' || c == separator) && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return digit;
}

std::optional<float> DecimalToFloat(std::string_view text) {
  if (!IsDecimal(text, '.')) return std::nullopt;
  return Convert<float>(text);
}

double LeadingNumber(std::string_view text, char separator) {
  std::string number;
  bool digit = false;
  bool point = false;
  for (const char c : text) {
    if (c == ' ' || c == '\t') continue;
    if ((c == '+' || c == '-') && number.empty()) {
      number.push_back(c);
    } else if (IsDigit(c)) {
      digit = true;
      number.push_back(c);
    } else if ((c == '.' || c == separator) && !point) {
      point = true;
      number.push_back('.');
    } else {
      break;
    }
  }
  if (!digit) return 0.0;
  if (const std::optional<double> value = Convert<double>(number)) return *value;
  const double infinity = std::numeric_limits<double>::infinity();
  return number.front() == '-' ? -infinity : infinity;
}

}  // namespace finder
