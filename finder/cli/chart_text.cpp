#include "finder/cli/chart_text.h"

namespace finder::cli {
namespace {

// Where RaporCiz writes: the column headers above the rule at y 20, the step
// rows below it and above the scale's "100" at y 240, the summary at y 500 and
// 520. Texts stand in 8-pixel character cells, in columns 240 pixels wide.
constexpr std::int32_t kRuleY = 20;
constexpr std::int32_t kScaleTopY = 240;
constexpr std::int32_t kSummaryY = 500;
constexpr std::int32_t kCellWidth = 8;
constexpr std::int32_t kCellsPerColumn = 240 / kCellWidth;

// Blanks up to character cell `cell` of `line`, at least one after earlier
// text, then `text`.
void Place(std::string& line, std::size_t cell, std::string_view text) {
  if (line.size() < cell) {
    line.resize(cell, ' ');
  } else if (!line.empty()) {
    line += ' ';
  }
  line += text;
}

std::string WithoutTrailingBlanks(std::string line) {
  line.erase(line.find_last_not_of(' ') + 1);
  return line;
}

}  // namespace

void ChartText::Clear() {
  header_.clear();
  rows_.clear();
  summary_.clear();
  rowY_ = -1;
}

void ChartText::Text(std::int32_t x, std::int32_t y, Rgb, std::string_view text) {
  if (y < kRuleY) {
    if (header_.empty()) header_ = WithoutTrailingBlanks(std::string(text));
    rowY_ = -1;
  } else if (y < kScaleTopY) {
    if (y != rowY_) rows_.emplace_back();
    Place(rows_.back(), static_cast<std::size_t>((x / kCellWidth) % kCellsPerColumn), text);
    rowY_ = y;
  } else {
    if (y >= kSummaryY) summary_.emplace_back(text);
    rowY_ = -1;
  }
}

std::string ChartText::Lines() const {
  std::string lines = header_ + "\n";
  for (const std::string& row : rows_) lines += row + "\n";
  lines += "\n";
  for (const std::string& line : summary_) lines += line + "\n";
  return lines;
}

}  // namespace finder::cli
