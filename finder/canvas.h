#pragma once

#include <cstdint>
#include <string_view>

namespace finder {

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;

  friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kMagenta{255, 0, 255};
inline constexpr Rgb kLightGrey{200, 200, 200};

// The chart area as the report draws on it: 1200 × 545 pixels, white, from the
// top-left corner with y growing downward. What is drawn stays until Clear.
// The window implements it; tests record the calls.
class Canvas {
 public:
  virtual ~Canvas() = default;

  // Makes the whole area white.
  virtual void Clear() = 0;

  // Shows the two legend pictures of the axes, hidden until the first chart.
  virtual void ShowLegends() = 0;

  // Writes a UTF-8 text with the top-left corner of its first character at
  // (x, y), one character per 8-pixel cell, only the glyphs in `colour`.
  virtual void Text(std::int32_t x, std::int32_t y, Rgb colour, std::string_view text) = 0;

  // A line from (x1, y1) to (x2, y2), `width` pixels wide.
  virtual void Line(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, Rgb colour,
                    std::int32_t width) = 0;

  // Fills the box between the opposite corners (x1, y1) and (x2, y2), in any
  // order; the greater x and the greater y lie just outside it.
  virtual void Box(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, Rgb colour) = 0;

  // Lets the user see what has been drawn so far.
  virtual void Refresh() = 0;
};

}  // namespace finder
