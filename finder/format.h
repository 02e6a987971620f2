#pragma once

#include <string>
#include <string_view>

namespace finder {

// `value` written by a digit pattern of the finder ("000.0000", "00", "0.00000",
// "###", "##0.####", "000"): a "0" is a digit always written, a "#" a digit
// written only when significant, "." the place of `separator`, which is written
// whenever the pattern has it. The value is rounded to the digits shown, halves
// away from zero; integer digits are never cut. A value that rounds to zero is
// written without a minus sign.
std::string FormatNumber(double value, std::string_view pattern, char separator);

// `value` in the general short form: at most 7 significant digits, rounded
// halves away from zero, no trailing zeros, `separator` before the fraction;
// exponent form ("1.234568E+07", "1E-05") when the decimal exponent is below -4
// or above 6.
std::string ShortForm(double value, char separator);

}  // namespace finder
