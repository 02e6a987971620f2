#pragma once

#include <QByteArray>
#include <QPointF>
#include <QRectF>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "finder/search.h"

namespace finder::cli {

// One degree a run tried and its measure by the run's criterion.
struct CurvePoint {
  std::int16_t degree;
  float measure;
};

// What the plot of a run shows.
struct PlotData {
  std::string title;                  // UTF-8, e.g. the table's name
  std::vector<CurvePoint> curve;      // in the order tried
  float limit = 0;                    // the cent limit
  std::optional<std::int16_t> found;  // the found degree, when one qualified
  Criterion criterion = Criterion::MaxDeviation;
  char separator = '.';  // of the numbers in the labels
};

enum class PlotFormat { Svg, Png };

// The format a file name asks for by its ending, in any letter case.
std::optional<PlotFormat> PlotFormatOf(std::string_view fileName);

inline constexpr int kPlotWidth = 960;
inline constexpr int kPlotHeight = 540;

// Where the plot puts its values: the frame of the axes and the map from a
// degree and a measure to a point of the picture.
class PlotFrame {
 public:
  explicit PlotFrame(const PlotData& data);

  QRectF Area() const { return area_; }
  QPointF At(double degree, double measure) const;

  double minDegree() const { return minDegree_; }
  double maxDegree() const { return maxDegree_; }
  double maxMeasure() const { return maxMeasure_; }
  double degreeTick() const { return degreeTick_; }
  double measureTick() const { return measureTick_; }

 private:
  QRectF area_;
  double minDegree_ = 0;
  double maxDegree_ = 1;
  double maxMeasure_ = 1;
  double degreeTick_ = 1;
  double measureTick_ = 1;
};

// The colours a reader of the picture (and its test) finds the parts by.
inline constexpr unsigned kPlotCurveColour = 0x1f4e9a;
inline constexpr unsigned kPlotLimitColour = 0xd62728;
inline constexpr unsigned kPlotFoundColour = 0x2ca02c;

// The plot of the measures over the degrees, kPlotWidth × kPlotHeight: the
// curve, the cent limit as a horizontal line (none for an infinite limit or
// one below 0), the found degree marked and labelled, axes with their scales
// and names, at most a dozen marks each whatever the figures. An SVG is
// well-formed XML whatever the title holds. Needs a QGuiApplication.
QByteArray DrawPlot(const PlotData& data, PlotFormat format);

}  // namespace finder::cli
