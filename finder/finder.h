#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "finder/search.h"
#include "finder/source.h"

namespace finder {

// What KaynakOku did with the picked file.
struct SourceOutcome {
  enum class Status {
    Read,            // the table now holds `records` records, none for an empty file
    Unreadable,      // the file could not be read
    NumberExpected,  // on `line`: a field is not a number, or the last record lacks its duration
    NumberTooLarge,  // on `line`: a duration, or a pitch far below 0, does not fit a float
    TooManyRecords,  // more records than a 32-bit count holds
    OutOfOctave,     // a pitch above 1200 cents, however large, which ends the finder once it is said
  };

  Status status = Status::Read;
  std::int32_t records = 0;
  std::int32_t line = 0;
};

// A degree that a run tried, and its measure by the run's criterion.
struct DegreeMeasure {
  std::int16_t degree = 0;
  float measure = 0;
};

// What Basla did.
struct RunOutcome {
  enum class Status {
    Found,             // `degree` qualified: `rows` are its chart's rows and bars
    NoneQualified,     // no degree from `start` to `stop` qualified; none was tried when start > stop
    NoTable,           // the source table is empty: nothing was done
    DegreeOutOfRange,  // a degree it would try lies outside 1 .. 32766: nothing was done
    DurationTooLarge,  // `degree` qualified, but the durations of a step sum beyond a float
  };

  Status status = Status::NoTable;
  SearchSettings settings;  // those it ran with, the texts as typed
  std::int16_t start = 0;   // the degrees it searched, unless nothing was done
  std::int16_t stop = 0;
  std::int16_t degree = 0;           // CurrentDegree afterwards: the found degree, or where the search ended
  std::vector<DegreeMeasure> curve;  // every degree tried, in order: the fit over the degrees

  // Of the last degree measured; 0 when none was. The spread figure that the
  // criterion does not compute stays 0.
  float deviationSum = 0;
  float meanDeviation = 0;
  RunSpread spread;

  // Found only: a row and a bar for every step with a duration, and the largest duration.
  std::vector<StepRow> rows;
  float maxDuration = 0;
};

// What Print did.
enum class PrintOutcome {
  Written,     // "sonuc.csv" holds the result table of the last run
  NoRun,       // there has been no run to print: nothing was written
  Unwritable,  // the file could not be written; an older one stays as it was
};

// The finder's state and its commands. It lives as long as the program. The
// commands touch no file and no window: they take what the file layer read and
// return what happened, for the window or the terminal to show.
class Finder {
 public:
  // Reads the source table from `text`, the whole content of the picked file,
  // or from nothing when that file could not be read. The table is replaced
  // whole: a file that is refused leaves it empty.
  SourceOutcome KaynakOku(std::optional<std::string_view> text);

  // Run: searches the degrees of `settings` for the first whose measure lies
  // strictly below the cent limit and accumulates its steps.
  RunOutcome Basla(const SearchSettings& settings);

  // Print: the result table of the last run as the bytes of "sonuc.csv", in
  // Windows-1254 with numbers written with `separator`; nothing before any run.
  // After a run that found no degree, the two heading lines.
  std::optional<std::string> SonucYaz(char separator) const;

  // The source table, records 1 .. SourceCount at indexes 0 .. SourceCount - 1.
  const std::vector<SourceRecord>& SourceTable() const { return sourceTable_; }
  std::int32_t SourceCount() const { return static_cast<std::int32_t>(sourceTable_.size()); }

  // Steps 0 .. n of the last degree tried; Count and Duration only for a found degree.
  const std::vector<StepRecord>& StepTable() const { return stepTable_; }
  // 0 before the first run; then the found degree, or where the search ended.
  std::int16_t CurrentDegree() const { return currentDegree_; }

 private:
  // Writes each record's Deviation and Step for the steps in StepTable.
  void KeepMatches();
  // Counts and sums the records of each step of the found degree into `run`'s
  // rows; false when a sum goes beyond a float.
  bool Accumulate(RunOutcome& run);

  std::vector<SourceRecord> sourceTable_;
  std::vector<StepRecord> stepTable_;
  std::int16_t currentDegree_ = 0;
  std::vector<StepRow> printed_;  // what Print writes: the rows of the last run that searched
};

}  // namespace finder
