#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "finder/canvas.h"

namespace finder::cli {

// The chart of a run as lines of text. RaporCiz draws on it as on the window's
// chart area, and it keeps the texts of the column header, the step rows and
// the summary, so that the terminal shows the window's very figures.
class ChartText : public Canvas {
 public:
  void Clear() override;
  void ShowLegends() override {}
  void Text(std::int32_t x, std::int32_t y, Rgb colour, std::string_view text) override;
  void Line(std::int32_t, std::int32_t, std::int32_t, std::int32_t, Rgb, std::int32_t) override {}
  void Box(std::int32_t, std::int32_t, std::int32_t, std::int32_t, Rgb) override {}
  void Refresh() override {}

  // The header, a line per step row with its texts in the header's columns,
  // an empty line, and the summary's lines block by block.
  std::string Lines() const;

 private:
  std::string header_;
  std::vector<std::string> rows_;
  std::vector<std::string> summary_;
  std::int32_t rowY_ = -1;  // the y of the row being written; -1 after any other text
};

}  // namespace finder::cli
