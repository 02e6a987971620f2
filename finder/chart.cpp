#include "finder/chart.h"

#include <cmath>
#include <string>
#include <vector>

#include "finder/format.h"

namespace finder {
namespace {

constexpr std::string_view kHeader = " Dgr.   Cents    #   % Dur. ";
constexpr std::int32_t kColumnWidth = 240;  // a column of rows and its header
constexpr std::int32_t kRowsPerColumn = 15;
constexpr std::int32_t kRowPitch = 13;
constexpr std::int32_t kRowsTop = 10;  // the first row of a column lies one pitch below

// The vertical scale: 0 per cent at y 450, 100 per cent at y 250.
constexpr std::int32_t kZeroLine = 450;
constexpr std::int32_t kFullLine = 250;
constexpr std::int32_t kScaleRight = 1175;

// The pixel row a bar of `share` (0 to 1) reaches.
std::int32_t BarTop(float share) {
  return static_cast<std::int32_t>(std::lround(static_cast<float>(kZeroLine) - share * 200.0f));
}

void Summary(Canvas& canvas, const Finder& finder, char separator) {
  const SearchSettings& settings = finder.Settings;
  const RunSpread& spread = finder.Spread();
  const std::string searched =
      settings.span == Span::Single ? settings.degreeText : settings.startText + "-" + settings.stopText;
  const struct {
    std::int32_t x;
    Rgb colour;
    std::string top;
    std::string bottom;
  } blocks[] = {
      {300, kRed,
       std::string("Criteria = ") +
           (settings.criterion == Criterion::MaxDeviation ? "Max. Dev." : "Std. Dev."),
       "Cent Limit = " + settings.centLimitText},
      {500, kBlue, "searched teT = " + searched, "found teT = " + std::to_string(finder.CurrentDegree())},
      {700, kRed, "Mean     = " + FormatNumber(finder.MeanDeviation(), "##0.####", separator),
       "Variance = " + ShortForm(spread.Variance, separator)},
      {900, kBlue, "St. Dev.  = " + ShortForm(spread.StandardDeviation, separator),
       "Max. Dev. = " + ShortForm(std::fabs(spread.MaxDeviation), separator)},
  };
  for (const auto& block : blocks) {
    canvas.Text(block.x, 500, block.colour, block.top);
    canvas.Text(block.x, 520, block.colour, block.bottom);
  }
}

}  // namespace

void Grafik(Canvas& canvas, std::int16_t barCount) {
  canvas.Clear();
  canvas.ShowLegends();
  for (std::int32_t x = 0; x < 1200; x += kColumnWidth) canvas.Text(x, 5, kBlack, kHeader);
  canvas.Line(10, 20, 1180, 20, kBlack, 1);
  canvas.Line(50, kFullLine, 50, kZeroLine, kRed, 3);
  canvas.Line(50, 452, kScaleRight, 452, kRed, 3);
  const char* const scale[] = {"  0", " 25", " 50", " 75", "100"};
  for (std::int32_t i = 0; i < 5; ++i) canvas.Text(20, 440 - 50 * i, kBlack, scale[i]);
  for (std::int32_t y = kFullLine; y <= kZeroLine; y += 10) canvas.Line(50, y, kScaleRight, y, kLightGrey, 1);
  for (std::int32_t y = kFullLine; y <= kZeroLine; y += 50) canvas.Line(50, y, kScaleRight, y, kBlue, 1);
  // A short tick under each odd-numbered bar, a long one under each even-numbered bar.
  const std::int32_t lastTick = kBarLeft + kBarSpacing * barCount;
  for (std::int32_t x = kBarLeft; x <= lastTick; x += 2 * kBarSpacing) {
    canvas.Line(x, kZeroLine, x, 458, kBlue, 1);
    canvas.Line(x + kBarSpacing, kZeroLine, x + kBarSpacing, 475, kBlue, 1);
  }
}

void RaporCiz(Canvas& canvas, const Finder& finder, char separator) {
  if (!finder.Found()) return;
  Grafik(canvas, finder.BarCount());
  canvas.Refresh();

  // Coordinates are plain 32-bit pixels: rows past the fifth column and bars
  // past the end of the axis lie outside the area and are simply not seen.
  std::int32_t rows = 0;
  std::int32_t bars = 0;
  std::int32_t x0 = 10;
  std::int32_t y = kRowsTop;
  const std::vector<StepRecord>& steps = finder.StepTable();
  for (std::size_t k = 0; k < steps.size(); ++k) {
    const StepRecord& step = steps[k];
    if (step.Duration > 0.0f) {
      ++rows;
      ++bars;
      y += kRowPitch;
      const float share = step.Duration / finder.MaxDuration();
      const Rgb colour = share == 1.0f ? kRed : kBlack;
      const double number = static_cast<double>(k);
      canvas.Text(x0, y, colour, std::to_string(k));
      canvas.Text(x0 + 40, y, colour, FormatNumber(step.Cent, "000.0000", separator));
      canvas.Text(x0 + 120, y, colour, FormatNumber(step.Count, "00", separator));
      canvas.Text(x0 + 150, y, colour, FormatNumber(share, "0.00000", separator));
      const std::int32_t centre = kBarLeft + (bars - 1) * kBarSpacing;
      canvas.Box(centre - 5, kZeroLine, centre + 5, BarTop(share), kMagenta);
      canvas.Text(centre - 12, bars % 2 == 1 ? 460 : 475, colour, FormatNumber(number, "###", separator));
      if (rows >= kRowsPerColumn) {
        x0 += kColumnWidth;
        y = kRowsTop;
        rows = 0;
      }
    }
    canvas.Refresh();
  }
  Summary(canvas, finder, separator);
}

}  // namespace finder
