#pragma once

// The decimal separator of the user's regional settings, for the window and
// orvette-cli alike, so that both write and read numbers the same way in the
// same environment.
namespace finder {

// The decimal point of the system locale as Qt reads it from LC_ALL,
// LC_NUMERIC or LANG, whether or not that locale is generated on the machine
// (a comma under Turkish settings). One that is not a single ASCII character
// cannot stand in the fixed columns of the chart and "sonuc.csv"; the period
// does.
char SystemDecimalSeparator();

}  // namespace finder
