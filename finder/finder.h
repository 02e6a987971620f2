#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string_view>
#include <vector>

#include "finder/search.h"
#include "finder/source.h"
#include "finder/sweep.h"
#include "finder/window.h"

namespace finder {

// The finder's state and the two operations on it. It lives as long as the
// program; the window forwards its handlers here, sets `Settings` before a run,
// and draws the chart from the results when a run has found a degree.
class Finder {
 public:
  explicit Finder(Window& window);

  // Reads the source table `fileName` in `folder`, replacing the previous table
  // whole. A file that cannot be read or is malformed leaves the table empty
  // with a message; a pitch above 1200 cents empties it and closes the window.
  void KaynakOku(const std::filesystem::path& folder, std::string_view fileName);

  // Run: searches the degrees of `Settings` for the first whose measure lies
  // strictly below the cent limit and accumulates its steps. Returns true when a
  // degree was found, so that the window draws the chart (RaporCiz); otherwise
  // a message has said why.
  bool Basla();

  // Print: writes the result table of the last run to "sonuc.csv" in `folder`,
  // whole, in Windows-1254, numbers with `separator`. Before any run it says so
  // instead.
  void SonucYaz(const std::filesystem::path& folder, char separator);

  // Written by the window; read by Basla.
  SearchSettings Settings;

  // When set, told every degree a run tries and its measure by the run's
  // criterion, in the order tried: the curve of the fit over the degrees.
  std::function<void(std::int16_t degree, float measure)> DegreeMeasured;

  // The source table, records 1 .. SourceCount at indexes 0 .. SourceCount - 1.
  const std::vector<SourceRecord>& SourceTable() const { return sourceTable_; }
  std::int32_t SourceCount() const { return static_cast<std::int32_t>(sourceTable_.size()); }

  // Steps 0 .. n of the last degree tried; Count and Duration only for a found degree.
  const std::vector<StepRecord>& StepTable() const { return stepTable_; }
  // 0 before the first run; then the found degree, or where the search ended.
  std::int16_t CurrentDegree() const { return currentDegree_; }
  // Whether the last run that searched found a degree and accumulated its steps.
  bool Found() const { return found_; }
  std::int16_t StartDegree() const { return startDegree_; }
  std::int16_t StopDegree() const { return stopDegree_; }
  float DeviationSum() const { return deviationSum_; }
  float MeanDeviation() const { return meanDeviation_; }
  const RunSpread& Spread() const { return spread_; }
  // Steps of the found degree with a Duration above 0, and the largest such Duration.
  std::int16_t BarCount() const { return barCount_; }
  float MaxDuration() const { return maxDuration_; }

 private:
  // Takes a degree's sums as its DeviationSum, MeanDeviation and spread, and
  // gives its measure by `criterion`.
  float Measure(Criterion criterion, const DegreeSums& sums);
  // Writes each record's Deviation and Step for the steps in StepTable.
  void KeepMatches();
  // Counts and sums the records of each step of the found degree.
  bool Accumulate();

  Window& window_;
  std::vector<SourceRecord> sourceTable_;
  std::vector<StepRecord> stepTable_;
  std::int16_t currentDegree_ = 0;
  bool found_ = false;
  std::int16_t startDegree_ = 0;
  std::int16_t stopDegree_ = 0;
  float deviationSum_ = 0;
  float meanDeviation_ = 0;
  RunSpread spread_;
  std::int16_t barCount_ = 0;
  float maxDuration_ = 0;
};

}  // namespace finder
