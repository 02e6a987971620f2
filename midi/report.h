#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "midi/build.h"
#include "midi/failure.h"
#include "midi/image.h"
#include "midi/window.h"

// The readable report of the to TXT command and the number texts it is written with.
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

// The Windows-1254 bytes of a UTF-8 text; a character that code page lacks,
// and a byte that is not UTF-8, becomes '?'.
std::string Windows1254(std::string_view utf8);

// What one run of the dump wrote, and why the walk stopped early if it did.
// After a stop the text holds every line written before it.
struct DumpResult {
  std::string text;
  std::optional<ReadFailure> failure;
};

// Walks the image as `build` does and writes the report in Windows-1254 with
// CR LF line ends, headed by `image.MidiFileName`. Warnings of the walk go to
// `window`.
DumpResult DumpReport(const MidiImage& image, Pos& ScanPos, Build build, char decimalSeparator,
                      Window& window);

}  // namespace midi
