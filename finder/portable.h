#pragma once

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <system_error>
#include <type_traits>

// The number texts of the finder through to_chars and from_chars where the C++
// library has them for floating point, and where it does not (the WebAssembly
// build's) through the C library's printf and strtod, which round exactly as
// they do. Both ways give the same texts; a test holds them side by side.
namespace finder::portable {

namespace detail {

inline std::to_chars_result CopyOut(char* first, char* last, const char* text, int length) {
  if (length < 0 || length > last - first) return {last, std::errc::value_too_large};
  for (int i = 0; i < length; ++i) first[i] = text[i];
  return {first + length, std::errc{}};
}

// Room for any double: a sign, 309 whole digits, the point and 1074 decimals.
inline std::to_chars_result PrintfChars(char* first, char* last, double x, char form, int precision) {
  char text[1400];
  const char format[] = {'%', '.', '*', form, '\0'};
  const int length = std::snprintf(text, sizeof text, format, precision, x);
  if (length >= static_cast<int>(sizeof text)) return {last, std::errc::value_too_large};
  return CopyOut(first, last, text, length);
}

// Adds one to the last digit of a decimal text, carrying to the left:
// "0.19" gives "0.20", "-9.9" gives "-10.0".
inline std::string NextUp(std::string text) {
  std::size_t i = text.size();
  while (i > 0) {
    --i;
    if (text[i] == '.') continue;
    if (text[i] == '-') break;
    if (text[i] != '9') {
      ++text[i];
      return text;
    }
    text[i] = '0';
  }
  text.insert(text[0] == '-' ? 1 : 0, 1, '1');
  return text;
}

// The fewest decimals that read back as `value`, and of those texts the one
// nearest to it: printf's rounding gives the nearest, and at a power of two,
// where the floats below lie closer than those above, the one above may be the
// only one that reads back.
inline std::to_chars_result PrintfShortestFixed(char* first, char* last, float value) {
  char text[200];
  if (!std::isfinite(value)) {
    return CopyOut(first, last, text, std::snprintf(text, sizeof text, "%f", static_cast<double>(value)));
  }
  for (int decimals = 0;; ++decimals) {
    const int length = std::snprintf(text, sizeof text, "%.*f", decimals, static_cast<double>(value));
    if (std::strtof(text, nullptr) == value) return CopyOut(first, last, text, length);
    const std::string up = NextUp(std::string(text, static_cast<std::size_t>(length)));
    if (std::fabs(std::strtod(text, nullptr)) < std::fabs(static_cast<double>(value)) &&
        std::strtof(up.c_str(), nullptr) == value) {
      return CopyOut(first, last, up.c_str(), static_cast<int>(up.size()));
    }
  }
}

// from_chars(first, last, value, fixed) by way of strtod: an optional minus,
// digits with at most one point among them; out of range when the value is
// beyond the type or is not zero but reads as zero. A table's numbers have a
// few digits: those whose digits and power of ten the type holds exactly are
// one division, which rounds them as strtod would, and strtod reads the rest.
template <typename T>
std::from_chars_result StrtodFixed(const char* first, const char* last, T& value) {
  const char* p = first;
  const bool negative = p != last && *p == '-';
  if (negative) ++p;
  bool digits = false;
  bool nonZero = false;
  bool point = false;
  std::uint64_t mantissa = 0;
  int significant = 0;
  int decimals = 0;
  for (; p != last; ++p) {
    if (*p >= '0' && *p <= '9') {
      digits = true;
      nonZero = nonZero || *p != '0';
      if (nonZero && ++significant > 19) continue;
      mantissa = mantissa * 10 + static_cast<std::uint64_t>(*p - '0');
      if (point) ++decimals;
    } else if (*p == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (!digits) return {first, std::errc::invalid_argument};
  constexpr bool isFloat = std::is_same_v<T, float>;
  constexpr std::uint64_t kExactMantissa = isFloat ? std::uint64_t{1} << 24 : std::uint64_t{1} << 53;
  constexpr int kExactPower = isFloat ? 10 : 22;
  if (significant <= 19 && mantissa <= kExactMantissa && decimals <= kExactPower) {
    T power = 1;
    for (int i = 0; i < decimals; ++i) power *= 10;
    const T read = static_cast<T>(mantissa) / power;
    value = negative ? -read : read;
    return {p, std::errc{}};
  }
  const std::string text(first, p);
  T read;
  if constexpr (isFloat) {
    read = std::strtof(text.c_str(), nullptr);
  } else {
    read = std::strtod(text.c_str(), nullptr);
  }
  if (std::isinf(read) || (read == 0 && nonZero)) return {p, std::errc::result_out_of_range};
  value = read;
  return {p, std::errc{}};
}

}  // namespace detail

#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L
#define FINDER_STANDARD_FLOAT_CHARS 1
#endif

// `x` in scientific notation with `precision` digits after the point.
inline std::to_chars_result ScientificChars(char* first, char* last, double x, int precision) {
#ifdef FINDER_STANDARD_FLOAT_CHARS
  return std::to_chars(first, last, x, std::chars_format::scientific, precision);
#else
  return detail::PrintfChars(first, last, x, 'e', precision);
#endif
}

// `x` in fixed notation with `precision` decimals.
inline std::to_chars_result FixedChars(char* first, char* last, double x, int precision) {
#ifdef FINDER_STANDARD_FLOAT_CHARS
  return std::to_chars(first, last, x, std::chars_format::fixed, precision);
#else
  return detail::PrintfChars(first, last, x, 'f', precision);
#endif
}

// `value` in fixed notation, as short as reads back as the same float.
inline std::to_chars_result ShortestFixedChars(char* first, char* last, float value) {
#ifdef FINDER_STANDARD_FLOAT_CHARS
  return std::to_chars(first, last, value, std::chars_format::fixed);
#else
  return detail::PrintfShortestFixed(first, last, value);
#endif
}

// A float or double in fixed notation.
template <typename T>
std::from_chars_result FixedFromChars(const char* first, const char* last, T& value) {
#ifdef FINDER_STANDARD_FLOAT_CHARS
  return std::from_chars(first, last, value, std::chars_format::fixed);
#else
  return detail::StrtodFixed(first, last, value);
#endif
}

}  // namespace finder::portable
