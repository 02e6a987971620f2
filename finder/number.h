#pragma once

#include <optional>
#include <string_view>

namespace finder {

// A number written as an optional sign, digits and at most one decimal point,
// with at least one digit; no blanks, no exponent. "5." and ".5" are numbers.
// The period is a decimal point always, `separator` (the user's) too: source
// tables pass the period, so that a comma there stays between two numbers.
bool IsDecimal(std::string_view text, char separator);

// The value of such a text with the period as its decimal point, rounded once
// to the nearest float. A value too small for a float gives a zero of its
// sign; a value too large for one gives nothing.
std::optional<float> DecimalToFloat(std::string_view text);

// The leading number of a settings text as the user typed it: blanks are
// skipped, an optional sign and digits with one decimal point (the period or
// the comma, whatever the user's settings: nobody types "2,5" to mean 2) are
// read up to the first character that cannot continue them. A text without a
// leading number gives 0. Too large a value gives an infinity of its sign.
double LeadingNumber(std::string_view text);

}  // namespace finder
