// The finder's Run on a table and settings from the fuzzed bytes, in memory:
// the chart drawn on a canvas that counts, the result table printed to bytes.
//
// An input that begins with '#' holds the settings on its first line,
// "#flags|degree|start|stop|limit", each field as typed into the window (a
// missing one keeps the window's initial text); the rest, or the whole of any
// other input, is the source text. Flags: 's' Standard Deviation (otherwise
// Maximum Deviation), 'r' Range (otherwise Single), ',' the decimal comma,
// 't' the same run twice. A range is cut short so that each input runs in a
// few microseconds.

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "finder/chart.h"
#include "finder/finder.h"
#include "finder/messages.h"
#include "finder/number.h"
#include "finder/scala.h"
#include "finder_fuzz.h"
#include "support.h"

namespace {

using finder::RunOutcome;
using finder::fuzz::Require;
using finder::test::Bits;
using Ran = RunOutcome::Status;

// Degrees tried at most, and records × degrees at most.
constexpr std::int32_t kMaxDegrees = 64;
constexpr std::int32_t kBudget = 8192;

// How many times `piece` stands in `text`.
std::size_t Count(const std::string& text, const std::string& piece) {
  std::size_t count = 0;
  for (std::size_t at = text.find(piece); at != text.npos; at = text.find(piece, at + 1)) ++count;
  return count;
}

struct Input {
  finder::SearchSettings settings;
  char separator = '.';
  bool twice = false;
  std::string_view source;
};

Input Parse(std::string_view text) {
  Input input;
  input.source = text;
  if (!text.starts_with('#')) return input;
  const std::size_t end = std::min(text.find('\n'), text.size());
  std::string_view line = text.substr(1, end - 1);
  input.source = text.substr(std::min(end + 1, text.size()));
  std::vector<std::string_view> fields;
  for (;;) {
    const std::size_t bar = line.find('|');
    fields.push_back(line.substr(0, bar));
    if (bar == std::string_view::npos) break;
    line.remove_prefix(bar + 1);
  }
  const std::string_view flags = fields[0];
  finder::SearchSettings& s = input.settings;
  s.criterion =
      flags.find('s') != flags.npos ? finder::Criterion::StandardDeviation : finder::Criterion::MaxDeviation;
  s.span = flags.find('r') != flags.npos ? finder::Span::Range : finder::Span::Single;
  input.separator = flags.find(',') != flags.npos ? ',' : '.';
  s.decimalSeparator = input.separator;
  input.twice = flags.find('t') != flags.npos;
  std::string* const texts[] = {&s.degreeText, &s.startText, &s.stopText, &s.centLimitText};
  for (std::size_t i = 1; i < fields.size() && i <= 4; ++i) *texts[i - 1] = std::string(fields[i]);
  return input;
}

// Cuts a range that would try many degrees on many records short.
void Bound(finder::SearchSettings& settings, std::int32_t records) {
  if (settings.span != finder::Span::Range) return;
  const std::optional<std::int16_t> start = finder::DegreeOf(settings.startText);
  const std::optional<std::int16_t> stop = finder::DegreeOf(settings.stopText);
  if (!start || !stop) return;
  const std::int32_t most = std::clamp(kBudget / std::max(records, 1), 1, kMaxDegrees);
  if (*stop - *start + 1 > most) settings.stopText = std::to_string(*start + most - 1);
}

// Checks the run and what it leaves, and gives the chart and the result file written of it.
std::string CheckRun(const finder::Finder& finder, const RunOutcome& run, std::int16_t degreeBefore,
                     char separator) {
  Require(finder::messages::MessageOf(run).has_value() == (run.status != Ran::Found));
  Require(finder.CurrentDegree() == run.degree);
  if (run.status == Ran::NoTable || run.status == Ran::DegreeOutOfRange) {
    Require(run.curve.empty() && run.degree == degreeBefore);
  } else if (run.status != Ran::NoneQualified) {
    // The tempered scale names each step that took pitches, the octave aside, and reads back.
    const auto& steps = finder.StepTable();
    const finder::ScalaReading tempered =
        finder::ParseScala(finder::TemperedScale("t.scl", "kaynak.txt", steps));
    Require(tempered.status == finder::ScalaReading::Status::Ok && tempered.records.size() < steps.size());
  }
  if (run.status == Ran::DurationTooLarge) Require(run.rows.empty());

  finder::test::DrawnCanvas canvas;
  finder::RaporCiz(canvas, run, separator);
  const std::string drawn = canvas.out.str();
  const std::size_t rows = run.status == Ran::Found ? run.rows.size() : 0;
  // The headers, the scale, four texts and a label for each row, and the summary; nothing when not found.
  Require(run.status == Ran::Found
              ? Count(drawn, "\nbox ") == rows && Count(drawn, "\ntext ") == 5 + 5 + 5 * rows + 8
              : drawn.empty());

  // "sonuc.csv": the two heading lines, then a line for each row, every line ended by CR LF.
  const std::optional<std::string> printed = finder.SonucYaz(separator);
  Require(printed.has_value() == (finder.CurrentDegree() != 0));
  if (printed && run.status != Ran::NoTable && run.status != Ran::DegreeOutOfRange) {
    Require(printed->starts_with("Derece      Cent           Adet       S\xFCre\r\n") &&
            Count(*printed, "\n") == 2 + rows && Count(*printed, "\r\n") == 2 + rows &&
            printed->ends_with('\n'));
  }
  return drawn + printed.value_or("");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input input = Parse(std::string_view(reinterpret_cast<const char*>(data), size));
  finder::Finder finder;
  if (finder.KaynakOku(input.source).status != finder::SourceOutcome::Status::Read) return 0;
  Bound(input.settings, finder.SourceCount());

  const RunOutcome run = finder.Basla(input.settings);
  const std::string written = CheckRun(finder, run, 0, input.separator);
  if (input.twice) {
    // A run leaves nothing that the next one uses.
    const RunOutcome again = finder.Basla(input.settings);
    Require(CheckRun(finder, again, run.degree, input.separator) == written && again.status == run.status &&
            std::ranges::equal(again.curve, run.curve, [](const auto& a, const auto& b) {
              return a.degree == b.degree && Bits(a.measure) == Bits(b.measure);
            }));
  }
  return 0;
}
