#pragma once

#include <charconv>
#include <cstddef>
#include <cstdio>
#include <memory>
#include <system_error>

// What the MIDI core needs of the standard library that not every library it is
// built with has: the WebAssembly build's C++ library has neither floating-point
// to_chars nor make_unique_for_overwrite. Where the library has them they are
// used; elsewhere the C library's printf, which rounds exactly as to_chars does
// with a precision, stands in.
namespace midi::portable {

namespace detail {

// to_chars(first, last, x, scientific, precision) by way of printf.
inline std::to_chars_result PrintfScientific(char* first, char* last, double x, int precision) {
  char text[400];
  const int length = std::snprintf(text, sizeof text, "%.*e", precision, x);
  if (length < 0 || length >= static_cast<int>(sizeof text) || length > last - first) {
    return {last, std::errc::value_too_large};
  }
  for (int i = 0; i < length; ++i) first[i] = text[i];
  return {first + length, std::errc{}};
}

}  // namespace detail

// `x` in scientific notation with `precision` digits after the point.
inline std::to_chars_result ScientificChars(char* first, char* last, double x, int precision) {
#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L
  return std::to_chars(first, last, x, std::chars_format::scientific, precision);
#else
  return detail::PrintfScientific(first, last, x, precision);
#endif
}

// An array of `size` chars left as it is: a buffer that is written before it is read.
inline std::unique_ptr<char[]> UninitializedChars(std::size_t size) {
#if defined(__cpp_lib_smart_ptr_for_overwrite) && __cpp_lib_smart_ptr_for_overwrite >= 202002L
  return std::make_unique_for_overwrite<char[]>(size);
#else
  return std::unique_ptr<char[]>(new char[size]);
#endif
}

}  // namespace midi::portable
