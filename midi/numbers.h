#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The number texts the report is written with.
namespace midi {

// A whole number with a blank in front when it is not negative: " 96", "-5".
std::string SignBlankText(std::int32_t n);

// A fraction the same way, with at most 15 significant digits, a point whatever
// the regional settings and no 0 before the point: " .4", " 2.5", " 0".
std::string SignBlankText(double x);

// A number by a digit pattern of zeros with at most one '.': "0000", "000",
// "00", "00.00". Zero-padded to the pattern's integer digits and never cut,
// rounded to its decimals with halves away from zero, the '.' written as
// `separator`.
std::string PatternText(std::int32_t x, std::string_view pattern);
std::string PatternText(double x, std::string_view pattern, char separator);

// Appends n with at least `minDigits` digits, zero-padded on the left.
void AppendPadded(std::string& out, std::int64_t n, int minDigits);

}  // namespace midi
