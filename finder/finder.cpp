#include "finder/finder.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <utility>

#include "finder/codepage.h"
#include "finder/number.h"
#include "finder/result.h"
#include "finder/sweep.h"

namespace finder {
namespace {

// Takes a degree's sums as the run's DeviationSum, MeanDeviation and spread,
// and gives its measure by `criterion`.
float Measure(Criterion criterion, const DegreeSums& sums, std::int32_t count, RunOutcome& run) {
  run.deviationSum = sums.deviationSum;
  run.meanDeviation = run.deviationSum / static_cast<float>(count);
  RunSpread& spread = run.spread;
  if (criterion == Criterion::MaxDeviation) {
    const float a = sums.minimum - run.meanDeviation;
    const float b = sums.maximum - run.meanDeviation;
    spread.MaxDeviation = std::fabs(a) > b ? std::fabs(a) : std::fabs(b);
    return spread.MaxDeviation;
  }
  spread.Variance = sums.squares / static_cast<float>(count);
  spread.StandardDeviation = static_cast<float>(std::pow(static_cast<double>(spread.Variance), 0.5));
  return spread.StandardDeviation;
}

SourceOutcome Refused(SourceOutcome::Status status, std::int32_t line = 0) {
  return {.status = status, .line = line};
}

}  // namespace

SourceOutcome Finder::KaynakOku(std::optional<std::string_view> text) {
  using Status = SourceOutcome::Status;
  // Whatever happens below, nothing of the previous table is searched again.
  sourceTable_.clear();
  if (!text) return Refused(Status::Unreadable);
  SourceReading reading = ParseSource(*text);
  switch (reading.status) {
    case SourceReading::Status::Ok:
      sourceTable_ = std::move(reading.records);
      return {.status = Status::Read, .records = SourceCount()};
    case SourceReading::Status::NumberExpected:
      return Refused(Status::NumberExpected, reading.line);
    case SourceReading::Status::NumberTooLarge:
      return Refused(Status::NumberTooLarge, reading.line);
    case SourceReading::Status::TooManyRecords:
      return Refused(Status::TooManyRecords);
    case SourceReading::Status::OutOfOctave:
      break;
  }
  return Refused(Status::OutOfOctave);
}

RunOutcome Finder::Basla(const SearchSettings& settings) {
  using Status = RunOutcome::Status;
  RunOutcome run;
  run.settings = settings;
  run.degree = currentDegree_;
  if (sourceTable_.empty()) return run;
  const bool single = settings.span == Span::Single;
  const std::optional<std::int16_t> start = DegreeOf(single ? settings.degreeText : settings.startText);
  const std::optional<std::int16_t> stop = DegreeOf(single ? settings.degreeText : settings.stopText);
  // Only degrees that would be tried must lie in range; a start above the stop tries none.
  if (!start || !stop || (*start <= *stop && (*start < kMinDegree || *stop > kMaxDegree))) {
    run.status = Status::DegreeOutOfRange;
    return run;
  }

  printed_.clear();
  run.start = *start;
  run.stop = *stop;
  const float limit = static_cast<float>(LeadingNumber(settings.centLimitText));

  // A pitch at exactly 1200 cents matches no step of any degree (step n is
  // 1200 for every n; the readers leave no pitch below 0), so it keeps its
  // Deviation and Step through the whole run; every other record gets both
  // anew at each degree. The records and the step table are therefore written only for the
  // last degree tried, and the degrees are measured several at a time.
  const PackedPitches pitches(sourceTable_);
  if (run.start <= run.stop) run.curve.reserve(static_cast<std::size_t>(run.stop - run.start + 1));
  bool found = false;
  for (std::int32_t first = run.start; first <= run.stop && !found; first += kSweepWidth) {
    const std::int32_t last = std::min(first + kSweepWidth - 1, static_cast<std::int32_t>(run.stop));
    SweepDegrees degrees;
    for (std::size_t lane = 0; lane < degrees.size(); ++lane) {
      // Lanes past the stop degree repeat it, and their sums go unused.
      degrees[lane] = std::min(first + static_cast<std::int32_t>(lane), last);
    }
    const SweepSums sums = Sweep(degrees, settings.criterion, pitches);
    for (std::int32_t n = first; n <= last && !found; ++n) {
      currentDegree_ = static_cast<std::int16_t>(n);
      const float measure =
          Measure(settings.criterion, sums[static_cast<std::size_t>(n - first)], SourceCount(), run);
      run.curve.push_back({currentDegree_, measure});
      found = limit > measure;
    }
  }
  if (run.start <= run.stop) {
    BuildStepTable(currentDegree_, stepTable_);
    KeepMatches();
  }
  if (found) {
    run.degree = currentDegree_;
    run.status = Accumulate(run) ? Status::Found : Status::DurationTooLarge;
    if (run.status == Status::Found) printed_ = run.rows;
    return run;
  }

  currentDegree_ = run.start > run.stop ? run.start : static_cast<std::int16_t>(run.stop + 1);
  run.degree = currentDegree_;
  run.status = Status::NoneQualified;
  return run;
}

std::optional<std::string> Finder::SonucYaz(char separator) const {
  if (currentDegree_ == 0) return std::nullopt;
  return Windows1254(ResultTable(printed_, separator));
}

void Finder::KeepMatches() {
  for (SourceRecord& record : sourceTable_) {
    if (const std::optional<StepMatch> match = FindNearestStep(record.Cent, stepTable_)) {
      record.Deviation = match->deviation;
      record.Step = static_cast<float>(match->step);
    }
  }
}

bool Finder::Accumulate(RunOutcome& run) {
  const std::int32_t n = currentDegree_;
  for (const SourceRecord& record : sourceTable_) {
    if (!(record.Step >= 0.0f && record.Step <= static_cast<float>(n))) continue;
    StepRecord& step = stepTable_[static_cast<std::size_t>(record.Step)];
    ++step.Count;
    step.Duration += record.Duration;
  }
  float largest = 0;
  for (const StepRecord& step : stepTable_) {
    if (!std::isfinite(step.Duration)) return false;
    if (step.Duration > largest) largest = step.Duration;
  }
  run.maxDuration = largest;
  for (std::size_t k = 0; k < stepTable_.size(); ++k) {
    const StepRecord& step = stepTable_[k];
    if (step.Duration > 0.0f) {
      run.rows.push_back({static_cast<std::int32_t>(k), step.Cent, step.Count, step.Duration / largest});
    }
  }
  return true;
}

}  // namespace finder
