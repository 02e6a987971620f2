#pragma once

// The search written out the long way, step for step as the finder's users know
// it: every degree scans its steps k = 0, 1, ... for each record, the measures
// take their own passes and the steps are accumulated one by one. The tests,
// the search fuzz target and the benchmark hold Basla against it, bit for bit.

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "finder/finder.h"
#include "finder/search.h"
#include "finder/source.h"
#include "support.h"

namespace finder::test {

// A pitch below 0 taken up by whole octaves the long way: the float's exact
// decimal digits, 1200 × k added to them digit by digit, the sum read once as
// a float. Other pitches stay as they are.
inline float LiteralIntoOctave(float cent) {
  if (!(cent < 0.0f)) return cent;
  // Every float is a whole number of 2^-149, which 149 decimal places hold.
  char text[200];
  const char* end =
      std::to_chars(text, text + sizeof text, -static_cast<double>(cent), std::chars_format::fixed, 149).ptr;
  const std::string magnitude(text, static_cast<std::size_t>(end - text));
  const std::size_t point = magnitude.find('.');
  std::string fraction = magnitude.substr(point + 1);
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  int rest = 0;  // the whole part of |cent| modulo 1200
  for (std::size_t i = 0; i < point; ++i) rest = (rest * 10 + (magnitude[i] - '0')) % 1200;
  std::string sum;
  if (fraction.empty()) {
    sum = std::to_string(rest == 0 ? 0 : 1200 - rest);
  } else {
    // 1200 − rest − 0.fraction = (1199 − rest) + (1 − 0.fraction)
    for (char& digit : fraction) digit = static_cast<char>('9' - digit + '0');
    ++fraction.back();
    sum = std::to_string(1199 - rest) + "." + fraction;
  }
  float value = 0;
  std::from_chars(sum.data(), sum.data() + sum.size(), value, std::chars_format::fixed);
  return value;
}

// What a run leaves behind.
struct LiteralRun {
  bool found = false;
  std::int32_t currentDegree = 0;
  std::vector<float> measures;  // of every degree tried, in order
  std::vector<SourceRecord> records;
  std::vector<StepRecord> steps;
  float deviationSum = 0;
  float meanDeviation = 0;
  RunSpread spread;
  std::int32_t barCount = 0;
  float maxDuration = 0;
};

// A run over degrees start .. stop (within 1 .. 32766) on a non-empty table.
inline LiteralRun LiteralSearch(std::vector<SourceRecord> records, std::int32_t start, std::int32_t stop,
                                Criterion criterion, float limit) {
  LiteralRun run;
  run.records = std::move(records);
  std::vector<SourceRecord>& table = run.records;
  const auto count = static_cast<float>(table.size());
  for (run.currentDegree = start; run.currentDegree <= stop && !run.found; ++run.currentDegree) {
    const std::int32_t n = run.currentDegree;
    run.steps.assign(static_cast<std::size_t>(n) + 1, StepRecord{});
    for (std::int32_t k = 0; k <= n; ++k) run.steps[k].Cent = static_cast<float>(1200.0 / n * k);
    run.deviationSum = 0;
    for (SourceRecord& record : table) {
      for (std::int32_t k = 0; k <= n - 1; ++k) {
        const float lower = run.steps[k].Cent;
        const float upper = run.steps[k + 1].Cent;
        if (record.Cent == lower) {
          record.Deviation = 0;
          record.Step = static_cast<float>(k);
          break;
        }
        if (record.Cent > lower && record.Cent < upper) {
          const float d1 = record.Cent - lower;
          const float d2 = upper - record.Cent;
          const float e = d2 - d1;
          record.Deviation = e >= 0.0f ? d1 : -d2;
          record.Step = static_cast<float>(e >= 0.0f ? k : k + 1);
          break;
        }
      }
      run.deviationSum = run.deviationSum + record.Deviation;
    }
    run.meanDeviation = run.deviationSum / count;
    float measure = 0;
    if (criterion == Criterion::MaxDeviation) {
      float maximum = 0;
      float minimum = 1000;
      for (const SourceRecord& record : table) {
        if (record.Deviation > maximum) maximum = record.Deviation;
      }
      for (const SourceRecord& record : table) {
        if (record.Deviation < minimum) minimum = record.Deviation;
      }
      const float a = minimum - run.meanDeviation;
      const float b = maximum - run.meanDeviation;
      measure = run.spread.MaxDeviation = std::fabs(a) > b ? std::fabs(a) : std::fabs(b);
    } else {
      float squares = 0;
      for (const SourceRecord& record : table) {
        squares = static_cast<float>(squares + static_cast<double>(record.Deviation) * record.Deviation);
      }
      run.spread.Variance = squares / count;
      measure = run.spread.StandardDeviation =
          static_cast<float>(std::pow(static_cast<double>(run.spread.Variance), 0.5));
    }
    run.measures.push_back(measure);
    run.found = limit > measure;
  }
  if (!run.found) return run;

  --run.currentDegree;  // the loop stepped past the found degree
  for (std::int32_t k = 0; k <= run.currentDegree; ++k) {
    for (const SourceRecord& record : table) {
      if (record.Step == static_cast<float>(k)) {
        run.steps[k].Count = run.steps[k].Count + 1;
        run.steps[k].Duration = run.steps[k].Duration + record.Duration;
      }
    }
  }
  for (const StepRecord& step : run.steps) {
    if (step.Duration > 0.0f) {
      run.barCount = run.barCount + 1;
      if (step.Duration > run.maxDuration) run.maxDuration = step.Duration;
    }
  }
  return run;
}

// The first thing in which what Basla returned as `run` and left in `finder`
// differs, bit for bit, from the step-by-step search `want`; "" when nothing does.
inline std::string Difference(const Finder& finder, const RunOutcome& run, const LiteralRun& want) {
  const auto differ = [](float a, float b) { return Bits(a) != Bits(b); };
  if ((run.status == RunOutcome::Status::Found) != want.found) return "found";
  if (finder.CurrentDegree() != want.currentDegree) return "current degree";
  if (run.curve.size() != want.measures.size()) return "degrees tried";
  for (std::size_t i = 0; i < want.measures.size(); ++i) {
    if (differ(run.curve[i].measure, want.measures[i]))
      return "measure of degree " + std::to_string(run.curve[i].degree);
  }
  const std::vector<SourceRecord>& records = finder.SourceTable();
  if (records.size() != want.records.size()) return "records";
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (differ(records[i].Deviation, want.records[i].Deviation) ||
        differ(records[i].Step, want.records[i].Step))
      return "record " + std::to_string(i + 1);
  }
  const std::vector<StepRecord>& steps = finder.StepTable();
  if (steps.size() != want.steps.size()) return "steps";
  for (std::size_t k = 0; k < steps.size(); ++k) {
    if (differ(steps[k].Cent, want.steps[k].Cent) || steps[k].Count != want.steps[k].Count ||
        differ(steps[k].Duration, want.steps[k].Duration))
      return "step " + std::to_string(k);
  }
  const struct {
    const char* name;
    float got, wanted;
  } figures[] = {
      {"deviation sum", run.deviationSum, want.deviationSum},
      {"mean deviation", run.meanDeviation, want.meanDeviation},
      {"maximum deviation", run.spread.MaxDeviation, want.spread.MaxDeviation},
      {"variance", run.spread.Variance, want.spread.Variance},
      {"standard deviation", run.spread.StandardDeviation, want.spread.StandardDeviation},
      {"largest duration", run.maxDuration, want.maxDuration},
  };
  for (const auto& figure : figures) {
    if (differ(figure.got, figure.wanted)) return figure.name;
  }
  if (static_cast<std::int32_t>(run.rows.size()) != want.barCount) return "bars";
  return "";
}

}  // namespace finder::test
