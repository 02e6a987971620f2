#include "finder/cli/plot.h"

#include <QBuffer>
#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QSvgGenerator>
#include <algorithm>
#include <cctype>
#include <cmath>

#include "finder/cli/texts.h"
#include "finder/format.h"

namespace finder::cli {
namespace {

// Room around the axes for the title, the scales and the axis names.
constexpr double kLeft = 86;
constexpr double kRight = 36;
constexpr double kTop = 58;
constexpr double kBottom = 72;

// Up to this many points each gets a dot; beyond, the line alone is clearer.
constexpr std::size_t kMaxDots = 120;

const QColor kInk(0x22, 0x22, 0x22);
const QColor kGrid(0xe4, 0xe4, 0xe4);

// A round step between scale marks, so that `span` holds about `marks` of them.
double NiceStep(double span, double marks) {
  const double raw = span / marks;
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  for (const double factor : {1.0, 2.0, 5.0}) {
    if (raw <= factor * magnitude) return factor * magnitude;
  }
  return 10.0 * magnitude;
}

QString Text(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// The user's text (a file's name) as the picture shows it: what XML cannot
// hold (control characters, U+FFFE, U+FFFF) and what is no UTF-8 become U+FFFD.
QString UserText(std::string_view utf8) {
  QString text = Text(utf8);
  for (QChar& c : text) {
    if (c.unicode() < 0x20 || c.unicode() == 0x7F || c.unicode() == 0xFFFE || c.unicode() == 0xFFFF)
      c = QChar(QChar::ReplacementCharacter);
  }
  return text;
}

// Scale marks at whole multiples of a step, counted, never more than this:
// the steps are chosen for about 6 and 10 marks.
constexpr int kMostMarks = 12;

// How many steps of `tick` from `first` stay within `last`.
int Marks(double first, double last, double tick) {
  const double steps = std::floor((last - first) / tick + 1e-6);
  return steps >= 0 ? static_cast<int>(std::min<double>(steps, kMostMarks - 1)) + 1 : 0;
}

// Scale numbers and labels in the finder's short form: no trailing zeros.
QString Number(double value, char separator) { return Text(ShortForm(value, separator)); }

QFont Font(int pixels, bool bold = false) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

// Text with a white box behind it, so that it stays readable over lines.
void Label(QPainter& painter, const QPointF& baselineStart, const QString& text, const QColor& colour) {
  const QFontMetricsF metrics(painter.font());
  const QRectF box(baselineStart.x() - 4, baselineStart.y() - metrics.ascent() - 2,
                   metrics.horizontalAdvance(text) + 8, metrics.height() + 4);
  painter.fillRect(box, Qt::white);
  painter.setPen(colour);
  painter.drawText(baselineStart, text);
}

void Draw(QPainter& painter, const PlotData& data) {
  const PlotFrame frame(data);
  const QRectF area = frame.Area();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillRect(QRectF(0, 0, kPlotWidth, kPlotHeight), Qt::white);

  // The title.
  painter.setFont(Font(18, true));
  painter.setPen(kInk);
  painter.drawText(QRectF(0, 12, kPlotWidth, 30), Qt::AlignHCenter | Qt::AlignVCenter, UserText(data.title));

  // The grid and the scales.
  painter.setFont(Font(13));
  const QFontMetricsF small(painter.font());
  const int measureMarks = Marks(0, frame.maxMeasure(), frame.measureTick());
  for (int i = 0; i < measureMarks; ++i) {
    const double m = i * frame.measureTick();
    const double y = frame.At(0, m).y();
    painter.setPen(QPen(kGrid, 1));
    painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
    painter.setPen(kInk);
    painter.drawText(QRectF(0, y - 10, area.left() - 8, 20), Qt::AlignRight | Qt::AlignVCenter,
                     Number(m, data.separator));
  }
  const double firstTick = std::ceil(frame.minDegree() / frame.degreeTick()) * frame.degreeTick();
  const int degreeMarks = Marks(firstTick, frame.maxDegree(), frame.degreeTick());
  for (int i = 0; i < degreeMarks; ++i) {
    const double d = firstTick + i * frame.degreeTick();
    const double x = frame.At(d, 0).x();
    const bool besideFound = data.found && std::abs(frame.At(*data.found, 0).x() - x) < 36;
    painter.setPen(QPen(kGrid, 1));
    painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
    painter.setPen(kInk);
    painter.drawLine(QPointF(x, area.bottom()), QPointF(x, area.bottom() + 5));
    if (!besideFound) {
      painter.drawText(QRectF(x - 40, area.bottom() + 7, 80, 18), Qt::AlignHCenter | Qt::AlignTop,
                       Number(d, data.separator));
    }
  }

  // The axes and their names.
  painter.setPen(QPen(kInk, 1.5));
  painter.drawLine(area.bottomLeft(), area.topLeft());
  painter.drawLine(area.bottomLeft(), area.bottomRight());
  painter.setFont(Font(14));
  painter.drawText(QRectF(area.left(), kPlotHeight - 30, area.width(), 22),
                   Qt::AlignHCenter | Qt::AlignVCenter, Text(texts::kPlotDegreeAxis));
  painter.save();
  painter.translate(20, area.center().y());
  painter.rotate(-90);
  painter.drawText(QRectF(-area.height() / 2, -11, area.height(), 22), Qt::AlignHCenter | Qt::AlignVCenter,
                   Text(texts::PlotMeasureAxis(data.criterion)));
  painter.restore();

  // The curve, its points in the order of their degrees.
  std::vector<CurvePoint> curve;
  for (const CurvePoint& point : data.curve) {
    if (std::isfinite(point.measure)) curve.push_back(point);
  }
  std::sort(curve.begin(), curve.end(),
            [](const CurvePoint& a, const CurvePoint& b) { return a.degree < b.degree; });
  const QColor curveColour = QColor::fromRgb(kPlotCurveColour);
  painter.setClipRect(area.adjusted(-6, -6, 6, 6));
  if (curve.size() > 1) {
    QPainterPath path(frame.At(curve.front().degree, curve.front().measure));
    for (const CurvePoint& point : curve) path.lineTo(frame.At(point.degree, point.measure));
    painter.setPen(QPen(curveColour, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
  }
  if (curve.size() <= kMaxDots) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(curveColour);
    for (const CurvePoint& point : curve) painter.drawEllipse(frame.At(point.degree, point.measure), 3, 3);
  }

  // The limit: a degree qualifies below this line. An infinite one, which
  // every degree meets, and one below 0, which none can, have no place on the
  // scale.
  const QColor limitColour = QColor::fromRgb(kPlotLimitColour);
  const bool limitShown = std::isfinite(data.limit) && data.limit >= 0;
  const double limitY = limitShown ? frame.At(0, data.limit).y() : 0;
  if (limitShown) {
    painter.setPen(QPen(limitColour, 2));
    painter.drawLine(QPointF(area.left(), limitY), QPointF(area.right(), limitY));
  }
  painter.setClipping(false);
  if (limitShown) {
    painter.setFont(Font(14, true));
    Label(painter, QPointF(area.left() + 10, limitY - 8),
          Text(texts::PlotLimit(ShortForm(data.limit, data.separator))), limitColour);
  }

  // The found degree: a guide down to its degree, the mark and its label.
  const QColor foundColour = QColor::fromRgb(kPlotFoundColour);
  const auto found = std::find_if(curve.begin(), curve.end(), [&](const CurvePoint& point) {
    return data.found && point.degree == *data.found;
  });
  if (found != curve.end()) {
    const QPointF mark = frame.At(found->degree, found->measure);
    painter.setPen(QPen(foundColour, 1.5, Qt::DashLine));
    painter.drawLine(QPointF(mark.x(), area.top()), QPointF(mark.x(), area.bottom()));
    painter.setPen(QPen(Qt::white, 2));
    painter.setBrush(foundColour);
    painter.drawEllipse(mark, 8, 8);
    // At the top of the guide, where the curve of a search that has just come
    // down to the limit seldom runs; to its left, as the found degree is the
    // last one tried, unless there is no room there.
    painter.setFont(Font(13, true));
    painter.setPen(foundColour.darker(130));
    painter.drawText(QRectF(mark.x() - 40, area.bottom() + 7, 80, 18), Qt::AlignHCenter | Qt::AlignTop,
                     Number(found->degree, data.separator));
    painter.setFont(Font(14, true));
    const QString label = Text(texts::PlotFound(found->degree, ShortForm(found->measure, data.separator)));
    const double width = QFontMetricsF(painter.font()).horizontalAdvance(label);
    const double x = mark.x() - 10 - width >= area.left() + 4 ? mark.x() - 10 - width : mark.x() + 10;
    Label(painter, QPointF(x, area.top() + 22), label, foundColour.darker(130));
  } else {
    painter.setFont(Font(15, true));
    Label(painter,
          QPointF(area.right() -
                      QFontMetricsF(painter.font()).horizontalAdvance(Text(texts::kPlotNoneFound)) - 12,
                  area.top() + 24),
          Text(texts::kPlotNoneFound), limitColour);
  }
}

}  // namespace

std::optional<PlotFormat> PlotFormatOf(std::string_view fileName) {
  std::string lower(fileName);
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  if (lower.ends_with(".svg")) return PlotFormat::Svg;
  if (lower.ends_with(".png")) return PlotFormat::Png;
  return std::nullopt;
}

PlotFrame::PlotFrame(const PlotData& data)
    : area_(kLeft, kTop, kPlotWidth - kLeft - kRight, kPlotHeight - kTop - kBottom) {
  double low = 0;
  double high = 0;
  double top = std::isfinite(data.limit) ? std::max(0.0f, data.limit) : 0.0;
  bool any = false;
  for (const CurvePoint& point : data.curve) {
    if (!std::isfinite(point.measure)) continue;
    low = any ? std::min<double>(low, point.degree) : point.degree;
    high = any ? std::max<double>(high, point.degree) : point.degree;
    top = std::max<double>(top, point.measure);
    any = true;
  }
  const double pad = std::max(0.5, (high - low) * 0.02);
  minDegree_ = any ? (low == high ? low - 1 : low - pad) : 0;
  maxDegree_ = any ? (low == high ? high + 1 : high + pad) : 1;
  degreeTick_ = std::max(1.0, NiceStep(maxDegree_ - minDegree_, 10));
  if (top <= 0) top = 1;
  measureTick_ = NiceStep(top, 6);
  maxMeasure_ = std::ceil(top * 1.04 / measureTick_) * measureTick_;
}

QPointF PlotFrame::At(double degree, double measure) const {
  return {area_.left() + (degree - minDegree_) / (maxDegree_ - minDegree_) * area_.width(),
          area_.bottom() - measure / maxMeasure_ * area_.height()};
}

QByteArray DrawPlot(const PlotData& data, PlotFormat format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (format == PlotFormat::Svg) {
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(kPlotWidth, kPlotHeight));
    svg.setViewBox(QRect(0, 0, kPlotWidth, kPlotHeight));
    svg.setResolution(96);  // so that the stated size in millimetres is kPlotWidth × kPlotHeight CSS pixels
    svg.setTitle(UserText(data.title).toHtmlEscaped());  // written into the XML as it stands
    QPainter painter(&svg);
    Draw(painter, data);
  } else {
    QImage image(kPlotWidth, kPlotHeight, QImage::Format_RGB32);
    {
      QPainter painter(&image);
      Draw(painter, data);
    }
    image.save(&buffer, "PNG");
  }
  return bytes;
}

}  // namespace finder::cli
