// The finder's source reader on any file, then runs under both criteria with a
// few degree settings, each drawn and printed as the window would.

#include <string>
#include <string_view>

#include "finder/canvas.h"
#include "finder/chart.h"
#include "finder/finder.h"
#include "fuzz_support.h"

namespace {

class CountingWindow : public finder::Window {
 public:
  void ShowMessage(std::string_view) override { ++messages; }
  void HideInputs() override { ++hides; }
  void RequestClose() override { closed = true; }
  void SetBusyPointer(bool busy) override { busyDepth += busy ? 1 : -1; }

  int messages = 0;
  int hides = 0;
  bool closed = false;
  int busyDepth = 0;
};

// Draws nothing: the sanitizers watch the report's arithmetic and indexing.
class CheckingCanvas : public finder::Canvas {
 public:
  void Clear() override {}
  void ShowLegends() override {}
  void Text(std::int32_t, std::int32_t, finder::Rgb, std::string_view) override {}
  void Line(std::int32_t, std::int32_t, std::int32_t, std::int32_t, finder::Rgb, std::int32_t) override {}
  void Box(std::int32_t, std::int32_t, std::int32_t, std::int32_t, finder::Rgb) override {}
  void Refresh() override {}
};

struct Run {
  finder::Span span;
  const char* degree;
  const char* start;
  const char* stop;
  const char* limit;
};

constexpr Run kRuns[] = {
    {finder::Span::Single, "12", "12", "2400", "1"},
    {finder::Span::Single, "32766", "12", "2400", "1"},
    {finder::Span::Range, "53", "1", "72", "0.5"},
    {finder::Span::Range, "53", "40000", "0", "1"},
    {finder::Span::Range, "53", "5", "3", "1"},
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::EmptyFolder();
  fuzz::WriteInput("kaynak.txt", data, size);
  CountingWindow window;
  finder::Finder finder(window);
  finder.KaynakOku(fuzz::Folder(), "kaynak.txt");
  if (window.closed) return 0;
  for (const finder::Criterion criterion : {finder::Criterion::MaxDeviation, finder::Criterion::StandardDeviation}) {
    for (const Run& run : kRuns) {
      finder.Settings = {run.span, run.degree, run.start, run.stop, criterion, run.limit};
      if (finder.Basla()) {
        fuzz::Require(finder.CurrentDegree() >= 1);
        fuzz::Require(finder.StepTable().size() == static_cast<std::size_t>(finder.CurrentDegree()) + 1);
        fuzz::Require(finder.BarCount() <= finder.CurrentDegree() + 1);
        CheckingCanvas canvas;
        finder::RaporCiz(canvas, finder, ',');
      }
      finder.SonucYaz(fuzz::Folder(), '.');
      fuzz::Require(window.busyDepth == 0);
      fuzz::RequireNoTemporaries();
    }
  }
  return 0;
}
