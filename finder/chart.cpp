#include "finder/chart.h"

#include <cmath>
#include <string>

#include "finder/format.h"

namespace finder {
namespace {

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

}  // namespace

RowTexts TextsOf(const StepRow& row, char separator) {
  return {std::to_string(row.step), FormatNumber(row.cent, "000.0000", separator),
          FormatNumber(row.count, "00", separator), FormatNumber(row.share, "0.00000", separator)};
}

std::array<std::string, 8> SummaryLines(const RunOutcome& run, char separator) {
  const SearchSettings& settings = run.settings;
  const std::string searched =
      settings.span == Span::Single ? settings.degreeText : settings.startText + "-" + settings.stopText;
  return {std::string("Criteria = ") +
              (settings.criterion == Criterion::MaxDeviation ? "Max. Dev." : "Std. Dev."),
          "Cent Limit = " + settings.centLimitText,
          "searched teT = " + searched,
          "found teT = " + std::to_string(run.degree),
          "Mean     = " + FormatNumber(run.meanDeviation, "##0.####", separator),
          "Variance = " + ShortForm(run.spread.Variance, separator),
          "St. Dev.  = " + ShortForm(run.spread.StandardDeviation, separator),
          "Max. Dev. = " + ShortForm(std::fabs(run.spread.MaxDeviation), separator)};
}

void Grafik(Canvas& canvas, std::int16_t barCount) {
  canvas.Clear();
  canvas.ShowLegends();
  for (std::int32_t x = 0; x < 1200; x += kColumnWidth) canvas.Text(x, 5, kBlack, kColumnHeader);
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

void RaporCiz(Canvas& canvas, const RunOutcome& run, char separator) {
  if (run.status != RunOutcome::Status::Found) return;
  Grafik(canvas, static_cast<std::int16_t>(run.rows.size()));
  canvas.Refresh();

  // Coordinates are plain 32-bit pixels: rows past the fifth column and bars
  // past the end of the axis lie outside the area and are simply not seen.
  std::int32_t rows = 0;
  std::int32_t bars = 0;
  std::int32_t x0 = 10;
  std::int32_t y = kRowsTop;
  auto row = run.rows.begin();
  for (std::int32_t k = 0; k <= run.degree; ++k) {
    if (row != run.rows.end() && row->step == k) {
      ++rows;
      ++bars;
      y += kRowPitch;
      const Rgb colour = row->share == 1.0f ? kRed : kBlack;
      const RowTexts texts = TextsOf(*row, separator);
      canvas.Text(x0, y, colour, texts.step);
      canvas.Text(x0 + 40, y, colour, texts.cent);
      canvas.Text(x0 + 120, y, colour, texts.count);
      canvas.Text(x0 + 150, y, colour, texts.share);
      const std::int32_t centre = kBarLeft + (bars - 1) * kBarSpacing;
      canvas.Box(centre - 5, kZeroLine, centre + 5, BarTop(row->share), kMagenta);
      canvas.Text(centre - 12, bars % 2 == 1 ? 460 : 475, colour, FormatNumber(k, "###", separator));
      if (rows >= kRowsPerColumn) {
        x0 += kColumnWidth;
        y = kRowsTop;
        rows = 0;
      }
      ++row;
    }
    canvas.Refresh();
  }
  const std::array<std::string, 8> summary = SummaryLines(run, separator);
  for (std::size_t line = 0; line < summary.size(); ++line) {
    // Blocks 200 pixels apart, red and blue in turn, two lines each.
    const std::int32_t block = static_cast<std::int32_t>(line / 2);
    canvas.Text(300 + 200 * block, line % 2 == 0 ? 500 : 520, block % 2 == 0 ? kRed : kBlue, summary[line]);
  }
}

}  // namespace finder
