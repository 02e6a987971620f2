#pragma once

#include <optional>
#include <string_view>

namespace finder {

// A number written as an optional sign, digits and at most one period (the
// decimal separator whatever the locale), with at least one digit; no blanks,
// no exponent. "5." and ".5" are numbers.
bool IsDecimal(std::string_view text);

// The value of such a text, rounded once to the nearest float. A value too
// small for a float gives a zero of its sign; a value too large for one gives
// nothing.
std::optional<float> DecimalToFloat(std::string_view text);

// The leading number of a settings text: blanks are skipped, an optional sign
// and digits with one period are read up to the first character that cannot
// continue them. A text without a leading number gives 0. Too large a value
// gives an infinity of its sign.
double LeadingNumber(std::string_view text);

}  // namespace finder
