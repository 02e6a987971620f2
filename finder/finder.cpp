#include "finder/finder.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <optional>
#include <string>
#include <system_error>

#include "finder/codepage.h"
#include "finder/messages.h"
#include "finder/number.h"
#include "finder/result.h"
#include "finder/save.h"
#include "finder/sweep.h"

namespace finder {
namespace {

// The whole content of a file, or nothing when it cannot be read.
std::optional<std::string> ReadWhole(const std::filesystem::path& path) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string text(static_cast<std::size_t>(size), '\0');
  if (!in.read(text.data(), static_cast<std::streamsize>(size))) return std::nullopt;
  return text;
}

}  // namespace

Finder::Finder(Window& window) : window_(window) {}

void Finder::KaynakOku(const std::filesystem::path& folder, std::string_view fileName) {
  // Whatever happens below, nothing of the previous table is searched again.
  sourceTable_.clear();
  const std::optional<std::string> text = ReadWhole(folder / std::string(fileName));
  if (!text) {
    window_.ShowMessage(messages::CannotRead(fileName));
    return;
  }
  SourceReading reading = ParseSource(*text);
  switch (reading.status) {
    case SourceReading::Status::Ok:
      sourceTable_ = std::move(reading.records);
      return;
    case SourceReading::Status::NumberExpected:
      window_.ShowMessage(messages::NumberExpected(reading.line));
      return;
    case SourceReading::Status::NumberTooLarge:
      window_.ShowMessage(messages::NumberTooLarge(reading.line));
      return;
    case SourceReading::Status::TooManyRecords:
      window_.ShowMessage(messages::kTooManyRecords);
      return;
    case SourceReading::Status::OutOfOctave:
      window_.ShowMessage(messages::kOutOfOctave);
      window_.RequestClose();
      return;
  }
}

bool Finder::Basla() {
  if (sourceTable_.empty()) {
    window_.ShowMessage(messages::kChooseFile);
    return false;
  }
  const bool single = Settings.span == Span::Single;
  const std::optional<std::int16_t> start = DegreeOf(single ? Settings.degreeText : Settings.startText);
  const std::optional<std::int16_t> stop = DegreeOf(single ? Settings.degreeText : Settings.stopText);
  // Only degrees that would be tried must lie in range; a start above the stop tries none.
  if (!start || !stop || (*start <= *stop && (*start < kMinDegree || *stop > kMaxDegree))) {
    window_.ShowMessage(messages::kDegreeRange);
    return false;
  }

  window_.HideInputs();
  found_ = false;
  startDegree_ = *start;
  stopDegree_ = *stop;
  spread_ = RunSpread{};
  const float limit = static_cast<float>(LeadingNumber(Settings.centLimitText));

  // A pitch at exactly 1200 cents or below 0 matches no step of any degree
  // (step 0 is 0 and step n is 1200 for every n), so it keeps its Deviation
  // and Step through the whole run; every other record gets both anew at each
  // degree. The records and the step table are therefore written only for the
  // last degree tried, and the degrees are measured several at a time.
  const PackedPitches pitches(sourceTable_);
  bool found = false;
  for (std::int32_t first = startDegree_; first <= stopDegree_ && !found; first += kSweepWidth) {
    const std::int32_t last = std::min(first + kSweepWidth - 1, static_cast<std::int32_t>(stopDegree_));
    SweepDegrees degrees;
    for (std::size_t lane = 0; lane < degrees.size(); ++lane) {
      // Lanes past the stop degree repeat it, and their sums go unused.
      degrees[lane] = std::min(first + static_cast<std::int32_t>(lane), last);
    }
    const SweepSums sums = Sweep(degrees, Settings.criterion, pitches);
    for (std::int32_t n = first; n <= last && !found; ++n) {
      currentDegree_ = static_cast<std::int16_t>(n);
      const float measure = Measure(Settings.criterion, sums[static_cast<std::size_t>(n - first)]);
      if (DegreeMeasured) DegreeMeasured(currentDegree_, measure);
      found = limit > measure;
    }
  }
  if (startDegree_ <= stopDegree_) {
    BuildStepTable(currentDegree_, stepTable_);
    KeepMatches();
  }
  if (found) {
    found_ = Accumulate();
    return found_;
  }

  currentDegree_ = startDegree_ > stopDegree_ ? startDegree_ : static_cast<std::int16_t>(stopDegree_ + 1);
  window_.ShowMessage(single ? messages::SingleNotFound(stopDegree_)
                             : messages::RangeNotFound(startDegree_, stopDegree_));
  return false;
}

void Finder::SonucYaz(const std::filesystem::path& folder, char separator) {
  if (currentDegree_ == 0) {
    window_.ShowMessage(messages::kRunFirst);
    return;
  }
  window_.SetBusyPointer(true);
  const bool saved = SaveWhole(folder / kResultFile, Windows1254(ResultTable(*this, separator)));
  window_.SetBusyPointer(false);
  if (!saved) window_.ShowMessage(messages::CannotWrite(kResultFile));
}

float Finder::Measure(Criterion criterion, const DegreeSums& sums) {
  deviationSum_ = sums.deviationSum;
  meanDeviation_ = deviationSum_ / static_cast<float>(SourceCount());
  if (criterion == Criterion::MaxDeviation) {
    const float a = sums.minimum - meanDeviation_;
    const float b = sums.maximum - meanDeviation_;
    spread_.MaxDeviation = std::fabs(a) > b ? std::fabs(a) : std::fabs(b);
    return spread_.MaxDeviation;
  }
  spread_.Variance = sums.squares / static_cast<float>(SourceCount());
  spread_.StandardDeviation = static_cast<float>(std::pow(static_cast<double>(spread_.Variance), 0.5));
  return spread_.StandardDeviation;
}

void Finder::KeepMatches() {
  for (SourceRecord& record : sourceTable_) {
    if (const std::optional<StepMatch> match = FindNearestStep(record.Cent, stepTable_)) {
      record.Deviation = match->deviation;
      record.Step = static_cast<float>(match->step);
    }
  }
}

bool Finder::Accumulate() {
  const std::int32_t n = currentDegree_;
  for (const SourceRecord& record : sourceTable_) {
    if (!(record.Step >= 0.0f && record.Step <= static_cast<float>(n))) continue;
    StepRecord& step = stepTable_[static_cast<std::size_t>(record.Step)];
    ++step.Count;
    step.Duration += record.Duration;
  }
  std::int16_t bars = 0;
  float largest = 0;
  for (const StepRecord& step : stepTable_) {
    if (!std::isfinite(step.Duration)) {
      window_.ShowMessage(messages::kDurationTooLarge);
      return false;
    }
    if (step.Duration > 0.0f) {
      ++bars;
      if (step.Duration > largest) largest = step.Duration;
    }
  }
  barCount_ = bars;
  maxDuration_ = largest;
  return true;
}

}  // namespace finder
