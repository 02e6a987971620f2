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
#include <bit>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "finder/canvas.h"
#include "finder/chart.h"
#include "finder/finder.h"
#include "finder/messages.h"
#include "finder/number.h"
#include "finder/scala.h"
#include "finder_fuzz.h"

namespace {

using finder::RunOutcome;
using finder::fuzz::Require;
using Ran = RunOutcome::Status;

// Degrees tried at most, and records × degrees at most.
constexpr std::int32_t kMaxDegrees = 64;
constexpr std::int32_t kBudget = 8192;

std::uint32_t Bits(float value) { return std::bit_cast<std::uint32_t>(value); }

// Counts what the report draws.
class CountingCanvas : public finder::Canvas {
 public:
  void Clear() override { ++calls; }
  void ShowLegends() override { ++calls; }
  void Text(std::int32_t, std::int32_t, finder::Rgb, std::string_view) override {
    ++calls;
    ++texts;
  }
  void Line(std::int32_t, std::int32_t, std::int32_t, std::int32_t, finder::Rgb, std::int32_t) override {
    ++calls;
  }
  void Box(std::int32_t, std::int32_t, std::int32_t, std::int32_t, finder::Rgb) override {
    ++calls;
    ++boxes;
  }
  void Refresh() override { ++calls; }

  std::size_t calls = 0;
  std::size_t texts = 0;
  std::size_t boxes = 0;
};

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
  s.decimalSeparator = input.separator;  // the window reads typed numbers with the separator it writes
  input.twice = flags.find('t') != flags.npos;
  std::string* const texts[] = {&s.degreeText, &s.startText, &s.stopText, &s.centLimitText};
  for (std::size_t i = 1; i < fields.size() && i <= 4; ++i) *texts[i - 1] = std::string(fields[i]);
  return input;
}

// Cuts a range that would try many degrees on many records short.
void Bound(finder::SearchSettings& settings, std::int32_t records) {
  if (settings.span != finder::Span::Range) return;
  const std::optional<std::int16_t> start = finder::DegreeOf(settings.startText, settings.decimalSeparator);
  const std::optional<std::int16_t> stop = finder::DegreeOf(settings.stopText, settings.decimalSeparator);
  if (!start || !stop) return;
  const std::int32_t most = std::clamp(kBudget / std::max(records, 1), 1, kMaxDegrees);
  if (*stop - *start + 1 > most) settings.stopText = std::to_string(*start + most - 1);
}

// The search stopped at the first degree whose measure lies below the limit
// and tried every degree before it.
void CheckCurve(const RunOutcome& run) {
  const float limit =
      static_cast<float>(finder::LeadingNumber(run.settings.centLimitText, run.settings.decimalSeparator));
  for (std::size_t i = 0; i < run.curve.size(); ++i) {
    Require(run.curve[i].degree == run.start + static_cast<std::int32_t>(i));
    if (i + 1 < run.curve.size()) Require(!(limit > run.curve[i].measure));
  }
  if (run.status == Ran::NoneQualified) {
    const bool none = run.start > run.stop;
    Require(run.curve.size() == (none ? 0u : static_cast<std::size_t>(run.stop - run.start + 1)));
    Require(run.curve.empty() || !(limit > run.curve.back().measure));
    Require(run.degree == (none ? run.start : run.stop + 1));
    return;
  }
  Require(!run.curve.empty() && run.curve.back().degree == run.degree && limit > run.curve.back().measure);
  const bool max = run.settings.criterion == finder::Criterion::MaxDeviation;
  Require(Bits(run.curve.back().measure) ==
          Bits(max ? run.spread.MaxDeviation : run.spread.StandardDeviation));
}

// Every record has its nearest step, the steps hold their records' counts and
// summed durations, and the rows are the steps with a duration.
void CheckSteps(const finder::Finder& finder, const RunOutcome& run) {
  const std::vector<finder::StepRecord>& steps = finder.StepTable();
  Require(steps.size() == static_cast<std::size_t>(run.degree) + 1);
  std::vector<std::int32_t> counts(steps.size());
  std::vector<float> durations(steps.size());
  for (const finder::SourceRecord& record : finder.SourceTable()) {
    const auto k = static_cast<std::size_t>(record.Step);
    Require(record.Step >= 0.0f && k < steps.size() && static_cast<float>(k) == record.Step);
    if (record.Cent >= 0.0f && record.Cent < 1200.0f) {
      Require(Bits((record.Cent - steps[k].Cent) + 0.0f) == Bits(record.Deviation));
    } else {
      Require(k == 0 && Bits(record.Deviation) == 0);
    }
    ++counts[k];
    durations[k] += record.Duration;
  }
  float largest = 0;
  std::size_t withDuration = 0;
  for (std::size_t k = 0; k < steps.size(); ++k) {
    Require(steps[k].Count == counts[k] && Bits(steps[k].Duration) == Bits(durations[k]));
    largest = std::max(largest, steps[k].Duration);
    withDuration += steps[k].Duration > 0.0f ? 1 : 0;
  }
  if (run.status != Ran::Found) return;
  Require(run.rows.size() == withDuration && Bits(run.maxDuration) == Bits(largest));
  bool full = run.rows.empty();
  for (std::size_t i = 0; i < run.rows.size(); ++i) {
    const finder::StepRow& row = run.rows[i];
    Require(row.step >= 0 && row.step <= run.degree && (i == 0 || row.step > run.rows[i - 1].step));
    const finder::StepRecord& step = steps[static_cast<std::size_t>(row.step)];
    Require(step.Duration > 0.0f && Bits(row.cent) == Bits(step.Cent) && row.count == step.Count);
    // A duration too small beside the largest gets a share of 0, yet its row.
    Require(row.share >= 0.0f && row.share <= 1.0f);
    full = full || row.share == 1.0f;
  }
  Require(full);
  // The tempered scale names each step that took pitches, the octave aside, and reads back.
  const finder::ScalaReading tempered =
      finder::ParseScala(finder::TemperedScale("t.scl", "kaynak.txt", steps));
  Require(tempered.status == finder::ScalaReading::Status::Ok && tempered.records.size() < steps.size());
}

bool IsDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A fraction field: digits, the separator, digits.
bool IsFraction(std::string_view text, char separator, std::size_t integerDigits,
                std::size_t fractionDigits) {
  const std::size_t at = text.find(separator);
  return at != text.npos && at >= integerDigits && IsDigits(text.substr(0, at)) &&
         text.size() - at - 1 == fractionDigits && IsDigits(text.substr(at + 1));
}

// "sonuc.csv": the two heading lines, then a line of four fields for each row,
// every line ended by CR LF.
void CheckResultFile(const std::string& bytes, const std::vector<finder::StepRow>& rows, char separator) {
  const std::string heading =
      "Derece      Cent           Adet       S\xFC"
      "re\r\n" +
      std::string(55, '-') + "\r\n";
  Require(bytes.starts_with(heading));
  std::string_view rest = std::string_view(bytes).substr(heading.size());
  for (const finder::StepRow& row : rows) {
    const std::size_t end = rest.find("\r\n");
    Require(end != rest.npos);
    std::string_view line = rest.substr(0, end);
    rest.remove_prefix(end + 2);
    Require(line.find_first_of("\r\n") == line.npos);
    std::vector<std::string_view> fields;
    while (!line.empty()) {
      const std::size_t start = line.find_first_not_of(' ');
      if (start == line.npos) break;
      line.remove_prefix(start);
      const std::size_t blank = std::min(line.find(' '), line.size());
      fields.push_back(line.substr(0, blank));
      line.remove_prefix(blank);
    }
    Require(fields.size() == 4);
    Require(IsDigits(fields[0]) && fields[0].size() >= 3 && std::stoi(std::string(fields[0])) == row.step);
    Require(IsFraction(fields[1], separator, 3, 4));
    Require(IsDigits(fields[2]) && fields[2].size() >= 2 && std::stoll(std::string(fields[2])) == row.count);
    Require(IsFraction(fields[3], separator, 1, 5));
  }
  Require(rest.empty());
}

void CheckRun(const finder::Finder& finder, const RunOutcome& run, std::int16_t degreeBefore,
              char separator) {
  Require(finder::messages::MessageOf(run).has_value() == (run.status != Ran::Found));
  Require(finder.CurrentDegree() == run.degree);
  if (run.status == Ran::NoTable || run.status == Ran::DegreeOutOfRange) {
    Require(run.curve.empty() && run.degree == degreeBefore);
  } else {
    CheckCurve(run);
    if (run.status != Ran::NoneQualified) CheckSteps(finder, run);
  }
  if (run.status == Ran::DurationTooLarge) Require(run.rows.empty());

  CountingCanvas canvas;
  finder::RaporCiz(canvas, run, separator);
  if (run.status == Ran::Found) {
    // The headers, the scale, four texts and a label for each row, and the summary.
    Require(canvas.boxes == run.rows.size() && canvas.texts == 5 + 5 + 5 * run.rows.size() + 8);
  } else {
    Require(canvas.calls == 0);
  }

  const std::optional<std::string> printed = finder.SonucYaz(separator);
  Require(printed.has_value() == (finder.CurrentDegree() != 0));
  if (printed && run.status != Ran::NoTable && run.status != Ran::DegreeOutOfRange) {
    CheckResultFile(*printed, run.status == Ran::Found ? run.rows : std::vector<finder::StepRow>{},
                    separator);
  }
}

std::vector<std::uint32_t> BitsOf(const RunOutcome& run) {
  std::vector<std::uint32_t> bits = {static_cast<std::uint32_t>(run.status),
                                     static_cast<std::uint32_t>(run.degree)};
  for (const finder::DegreeMeasure& tried : run.curve) bits.push_back(Bits(tried.measure));
  for (const finder::StepRow& row : run.rows) {
    bits.insert(bits.end(), {static_cast<std::uint32_t>(row.step), Bits(row.cent),
                             static_cast<std::uint32_t>(row.count), Bits(row.share)});
  }
  return bits;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input input = Parse(std::string_view(reinterpret_cast<const char*>(data), size));
  finder::Finder finder;
  if (finder.KaynakOku(input.source).status != finder::SourceOutcome::Status::Read) return 0;
  Bound(input.settings, finder.SourceCount());

  const RunOutcome run = finder.Basla(input.settings);
  CheckRun(finder, run, 0, input.separator);
  if (input.twice) {
    // A run leaves nothing that the next one uses.
    const std::optional<std::string> printed = finder.SonucYaz(input.separator);
    const RunOutcome again = finder.Basla(input.settings);
    CheckRun(finder, again, run.degree, input.separator);
    Require(BitsOf(again) == BitsOf(run) && finder.SonucYaz(input.separator) == printed);
  }
  return 0;
}
