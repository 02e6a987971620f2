#pragma once

// The decimal separator of the user's regional settings, as Qt reads them from
// LC_ALL, LC_NUMERIC and LANG, whether or not the C library has that locale.
// The window's report and tessaro-cli's take it from here, so that both write
// the same number for the same user. Qt Core only.
namespace midiapp {

// The separator when it is one ASCII character; otherwise the point, since the
// report's byte columns hold one byte per character.
char SystemDecimalSeparator();

}  // namespace midiapp
