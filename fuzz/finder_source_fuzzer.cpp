// The finder's source reader on any file's bytes, then runs under both
// criteria with a few degree settings, each drawn, said and printed as the
// window would, all in memory. The same bytes are read as a Scala scale too,
// and the scales a found degree writes are read back.

#include <bit>
#include <string>
#include <string_view>

#include "finder/canvas.h"
#include "finder/chart.h"
#include "finder/finder.h"
#include "finder/messages.h"
#include "finder/scala.h"
#include "fuzz_support.h"

namespace {

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
    {finder::Span::Single, "12", "12", "2400", "1"}, {finder::Span::Single, "32766", "12", "2400", "1"},
    {finder::Span::Range, "53", "1", "72", "0.5"},   {finder::Span::Range, "53", "40000", "0", "1"},
    {finder::Span::Range, "53", "5", "3", "1"},
};

// A Scala scale that is read gives a table that, written in the source format,
// reads back record for record.
void ReadAsScala(std::string_view bytes) {
  const finder::ScalaReading scale = finder::ParseScala(bytes);
  fuzz::Require(finder::messages::MessageOf(scale).has_value() ==
                (scale.status != finder::ScalaReading::Status::Ok));
  if (scale.status != finder::ScalaReading::Status::Ok) return;
  const finder::SourceReading table = finder::ParseSource(finder::SourceTableText(scale.records));
  fuzz::Require(table.status == finder::SourceReading::Status::Ok &&
                table.records.size() == scale.records.size());
  for (std::size_t i = 0; i < table.records.size(); ++i) {
    fuzz::Require(std::bit_cast<std::uint32_t>(table.records[i].Cent) ==
                  std::bit_cast<std::uint32_t>(scale.records[i].Cent));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using Status = finder::RunOutcome::Status;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  ReadAsScala(bytes);
  finder::Finder finder;
  const finder::SourceOutcome read = finder.KaynakOku(bytes);
  fuzz::Require(finder::messages::MessageOf(read, "kaynak.txt").has_value() ==
                (read.status != finder::SourceOutcome::Status::Read));
  if (read.status == finder::SourceOutcome::Status::OutOfOctave) return 0;
  for (const finder::Criterion criterion :
       {finder::Criterion::MaxDeviation, finder::Criterion::StandardDeviation}) {
    for (const Run& run : kRuns) {
      const finder::RunOutcome outcome =
          finder.Basla({run.span, run.degree, run.start, run.stop, criterion, run.limit});
      fuzz::Require(finder::messages::MessageOf(outcome).has_value() == (outcome.status != Status::Found));
      if (outcome.status == Status::Found) {
        fuzz::Require(outcome.degree >= 1 && outcome.degree == finder.CurrentDegree());
        fuzz::Require(finder.StepTable().size() == static_cast<std::size_t>(outcome.degree) + 1);
        fuzz::Require(outcome.rows.size() <= finder.StepTable().size());
        CheckingCanvas canvas;
        finder::RaporCiz(canvas, outcome, ',');
        const finder::ScalaReading tempered =
            finder::ParseScala(finder::TemperedScale("t.scl", "kaynak.txt", finder.StepTable()));
        fuzz::Require(tempered.status == finder::ScalaReading::Status::Ok &&
                      tempered.records.size() < finder.StepTable().size());
      }
      // Print refuses only before any run.
      fuzz::Require(finder.SonucYaz('.').has_value() == (finder.CurrentDegree() != 0));
    }
  }
  return 0;
}
