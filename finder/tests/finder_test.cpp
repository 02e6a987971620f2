#include "finder/finder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "finder/scala.h"
#include "literal.h"
#include "support.h"

namespace finder {
namespace {

using test::Fixture;
using test::Range;
using test::Said;
using test::Single;
using Read = SourceOutcome::Status;
using Ran = RunOutcome::Status;
constexpr Criterion kMax = Criterion::MaxDeviation;
constexpr Criterion kStd = Criterion::StandardDeviation;

using test::kThreePitches;

TEST(KaynakOku, AnotherFileReplacesTheTable) {
  Fixture f(kThreePitches);
  ASSERT_EQ(f.finder.SourceCount(), 3);
  for (const auto& [text, count] : {std::pair{"700,3\r\n", 1}, {"", 0}}) {
    const SourceOutcome read = f.finder.KaynakOku(text);
    EXPECT_EQ(read.status, Read::Read) << count;
    EXPECT_EQ(read.records, count);
    EXPECT_EQ(Said(read, "other.txt"), "");
    EXPECT_EQ(f.finder.SourceCount(), count) << count;
  }
}

TEST(KaynakOku, ARefusedFileLeavesNoTableAndSaysWhy) {
  const struct {
    const char* file;
    std::optional<std::string> text;  // none: the file could not be read
    Read status;
    const char* message;
  } rows[] = {
      {"word.txt", "100,1\r\n200,abc\r\n", Read::NumberExpected,
       "Kaynak dosyada sayı bekleniyordu (satır 2)."},
      {"huge.txt", "100," + std::string(40, '9') + "\r\n", Read::NumberTooLarge,
       "Kaynak dosyada sayı çok büyük (satır 1)."},
      {"missing.txt", std::nullopt, Read::Unreadable, "Dosya okunamadı: missing.txt"},
      {"octave.txt", "0,1\r\n700,1\r\n1200.01,1\r\n", Read::OutOfOctave,
       "oktav dışında Cent bulundu, akış durudurulacak."},
  };
  for (const auto& row : rows) {
    Fixture f(kThreePitches);
    const SourceOutcome read = f.finder.KaynakOku(row.text);
    EXPECT_EQ(read.status, row.status) << row.file;
    EXPECT_EQ(Said(read, row.file), row.message) << row.file;
    EXPECT_EQ(f.finder.SourceCount(), 0) << row.file;
  }
}

TEST(Basla, WithoutATableSaysChooseAFileAndChangesNothing) {
  Fixture f("\r\n");
  const RunOutcome run = f.Run(Single("12", kMax, "1"));
  EXPECT_EQ(run.status, Ran::NoTable);
  EXPECT_EQ(Said(run), "Bir dosya seçin");
  EXPECT_EQ(f.finder.CurrentDegree(), 0);
  EXPECT_TRUE(f.finder.StepTable().empty());
}

// "step/deviation" of each record, in order.
std::string RecordsOf(const Finder& finder) {
  std::ostringstream out;
  for (const SourceRecord& record : finder.SourceTable())
    out << record.Step << '/' << record.Deviation << ' ';
  return out.str();
}

// "k:count/duration" of each step with a count or a duration; "bars n, max d".
std::string StepsOf(const Finder& finder, const RunOutcome& run) {
  std::ostringstream out;
  for (std::size_t k = 0; k < finder.StepTable().size(); ++k) {
    const StepRecord& step = finder.StepTable()[k];
    if (step.Count != 0 || step.Duration != 0.0f)
      out << k << ':' << step.Count << '/' << step.Duration << ' ';
  }
  out << "bars " << run.rows.size() << ", max " << run.maxDuration;
  return out.str();
}

TEST(Basla, MeasuresDegree12OfTheWorkedExample) {
  const struct {
    const char* name;
    Criterion criterion;
    const char* limit;
    bool found;
    RunSpread spread;
  } rows[] = {
      {"a limit equal to the measure fails", kMax, "10", false, {10, 0, 0}},
      {"maximum deviation 10 meets limit 11", kMax, "11", true, {10, 0, 0}},
      {"standard deviation fails limit 1", kStd, "1", false, {0, 66.6667f, 8.16497f}},
      {"standard deviation meets limit 8.2", kStd, "8.2", true, {0, 66.6667f, 8.16497f}},
  };
  for (const auto& row : rows) {
    Fixture f(kThreePitches);
    const RunOutcome run = f.Run(Single("12", row.criterion, row.limit));
    EXPECT_EQ(RecordsOf(f.finder), "0/0 4/-14 7/2 ") << row.name;
    EXPECT_EQ(run.deviationSum, -12.0f) << row.name;
    EXPECT_EQ(run.meanDeviation, -4.0f) << row.name;
    EXPECT_EQ(run.spread.MaxDeviation, row.spread.MaxDeviation) << row.name;
    EXPECT_NEAR(run.spread.Variance, row.spread.Variance, 1e-4) << row.name;
    EXPECT_NEAR(run.spread.StandardDeviation, row.spread.StandardDeviation, 1e-5) << row.name;
    EXPECT_EQ(f.finder.StepTable().size(), 13u) << row.name;
    if (row.found) {
      EXPECT_EQ(run.status, Ran::Found) << row.name;
      EXPECT_EQ(Said(run), "") << row.name;
      EXPECT_EQ(run.degree, 12) << row.name;
      EXPECT_EQ(StepsOf(f.finder, run), "0:1/2 4:1/1 7:1/1 bars 3, max 2") << row.name;
    } else {
      EXPECT_EQ(run.status, Ran::NoneQualified) << row.name;
      EXPECT_EQ(Said(run), "12 eşit temperaman kriterleri sağlamadı.") << row.name;
      EXPECT_EQ(run.degree, 13) << row.name;
    }
    EXPECT_EQ(f.finder.CurrentDegree(), run.degree) << row.name;
  }
}

TEST(Basla, TheTwoCriteriaStopAtDifferentDegreesOfTheRange5To60) {
  const struct {
    Criterion criterion;
    std::int16_t degree;
    float steps[3];
    float deviations[3];
    float measure;
  } rows[] = {
      {kMax, 19, {0, 6, 11}, {0, 7.0526f, 7.2632f}, 4.77194f},
      {kStd, 22, {0, 7, 13}, {0, 4.1818f, -7.0909f}, 4.75283f},
  };
  for (const auto& row : rows) {
    Fixture f(kThreePitches);
    const RunOutcome run = f.Run(Range("5", "60", row.criterion, "5"));
    ASSERT_EQ(run.status, Ran::Found);
    EXPECT_EQ(run.degree, row.degree);
    for (std::size_t i = 0; i < 3; ++i) {
      EXPECT_EQ(f.finder.SourceTable()[i].Step, row.steps[i]) << "record " << i + 1;
      EXPECT_NEAR(f.finder.SourceTable()[i].Deviation, row.deviations[i], 1e-4) << "record " << i + 1;
    }
    EXPECT_NEAR(row.criterion == kMax ? run.spread.MaxDeviation : run.spread.StandardDeviation, row.measure,
                1e-5);
    EXPECT_EQ(row.criterion == kMax ? run.spread.StandardDeviation : run.spread.MaxDeviation, 0.0f);
    if (row.criterion == kMax) {
      EXPECT_NEAR(run.meanDeviation, 4.77194f, 1e-5);
    }
  }
}

TEST(Basla, SpecialPitchesAndDurations) {
  const struct {
    const char* name;
    std::string_view text;
    const char* records;
    const char* steps;
  } rows[] = {
      {"halfway goes to the lower step", "150,1\r\n", "1/50 ", "1:1/1 bars 1, max 1"},
      {"1200 and negative pitches count as step 0", "1200,1\r\n-5,2\r\n700,1\r\n", "0/0 0/0 7/0 ",
       "0:2/3 7:1/1 bars 2, max 3"},
      {"durations of 0 or below give no bar", "0,0\r\n100,-1\r\n200,2\r\n200,-1\r\n", "0/0 1/0 2/0 2/0 ",
       "0:1/0 1:1/-1 2:2/1 bars 1, max 1"},
  };
  for (const auto& row : rows) {
    Fixture f(row.text);
    const RunOutcome run = f.Run(Single("12", kMax, "100"));
    ASSERT_EQ(run.status, Ran::Found) << row.name;
    EXPECT_EQ(RecordsOf(f.finder), row.records) << row.name;
    EXPECT_EQ(StepsOf(f.finder, run), row.steps) << row.name;
  }
}

TEST(Basla, ChecksOnlyTheDegreesItWouldTry) {
  const std::string degreeRange = "Derece 1 ile 32766 arasında olmalı.";
  const std::string single = " eşit temperaman kriterleri sağlamadı.";
  const std::string range = " arasındaki temperamanlar kriterleri sağlamadı.";
  const struct {
    const char* name;
    SearchSettings settings;
    Ran status;
    std::string message;
    std::int16_t currentDegree;  // 6 after the run of degree 5 alone
    std::size_t steps;           // 6 after the run of degree 5 alone
  } rows[] = {
      {"single 0", Single("0", kStd, "0"), Ran::DegreeOutOfRange, degreeRange, 6, 6},
      {"single 32767", Single("32767", kStd, "0"), Ran::DegreeOutOfRange, degreeRange, 6, 6},
      {"range beyond 32766", Range("32765", "32767", kStd, "0"), Ran::DegreeOutOfRange, degreeRange, 6, 6},
      {"range start beyond 16 bits", Range("40000", "10", kStd, "0"), Ran::DegreeOutOfRange, degreeRange, 6,
       6},
      {"single 32766", Single("32766", kStd, "0"), Ran::NoneQualified, "32766" + single, 32767, 32767},
      {"single 2.5 is 2", Single("2.5", kStd, "0"), Ran::NoneQualified, "2" + single, 3, 3},
      {"range 20 to 10 tries nothing", Range("20", "10", kStd, "0"), Ran::NoneQualified, "20-10" + range, 20,
       6},
      {"range 0 to -5 tries nothing", Range("0", "-5", kStd, "0"), Ran::NoneQualified, "0--5" + range, 0, 6},
  };
  for (const auto& row : rows) {
    Fixture f(kThreePitches);
    f.Run(Single("5", kStd, "1"));
    const RunOutcome run = f.Run(row.settings);
    EXPECT_EQ(run.status, row.status) << row.name;
    EXPECT_EQ(Said(run), row.message) << row.name;
    EXPECT_EQ(run.degree, row.currentDegree) << row.name;
    EXPECT_EQ(f.finder.CurrentDegree(), row.currentDegree) << row.name;
    EXPECT_EQ(f.finder.StepTable().size(), row.steps) << row.name;
  }
}

TEST(Basla, ADurationSumBeyondAFloatStopsTheRunWithAMessage) {
  Fixture f("0,300000000000000000000000000000000000000\r\n0,300000000000000000000000000000000000000\r\n");
  const RunOutcome run = f.Run(Single("12", kMax, "1"));
  EXPECT_EQ(run.status, Ran::DurationTooLarge);
  EXPECT_EQ(Said(run), "Süre toplamı sayı sınırını aşıyor.");
  EXPECT_TRUE(run.rows.empty());
}

TEST(Basla, ReadingANewFileKeepsTheResultsOfTheLastRun) {
  Fixture f(kThreePitches);
  ASSERT_TRUE(test::Found(f.Run(Single("12", kMax, "11"))));
  const std::optional<std::string> printed = f.finder.SonucYaz('.');
  f.finder.KaynakOku("100,1\r\n");
  EXPECT_EQ(f.finder.CurrentDegree(), 12);
  EXPECT_EQ(f.finder.SonucYaz('.'), printed);
}

// The run leans on this: a pitch of 1200 cents or below 0 then matches no step
// of any degree and keeps its Deviation and Step throughout.
TEST(BuildStepTable, TheLastStepOfEveryDegreeIsExactly1200) {
  for (std::int32_t n = kMinDegree; n <= kMaxDegree; ++n) {
    ASSERT_EQ(static_cast<float>(1200.0 / n * n), 1200.0f) << "degree " << n;
  }
}

// The pitches that put a nearest-step search to the test at degree n: each end
// of the octave, below it, on steps, at float halfway points and one float
// either side of them, and anywhere.
std::vector<float> AwkwardPitches(const std::vector<StepRecord>& steps, std::mt19937& random) {
  const float infinity = std::numeric_limits<float>::infinity();
  const float tiny = std::numeric_limits<float>::denorm_min();
  std::vector<float> pitches = {0.0f, -0.0f, tiny, -tiny, -1.0f, 1200.0f, std::nextafter(1200.0f, 0.0f)};
  std::uniform_int_distribution<std::size_t> anyStep(0, steps.size() - 2);
  for (int i = 0; i < 4; ++i) {
    const std::size_t k = anyStep(random);
    const float lower = steps[k].Cent;
    const float halfway = static_cast<float>((static_cast<double>(lower) + steps[k + 1].Cent) / 2);
    for (const float pitch : {lower, halfway}) {
      pitches.push_back(pitch);
      pitches.push_back(std::nextafter(pitch, -infinity));
      pitches.push_back(std::nextafter(pitch, infinity));
    }
  }
  std::uniform_real_distribution<float> anywhere(0.0f, 1200.0f);
  for (int i = 0; i < 6; ++i) pitches.push_back(anywhere(random));
  return pitches;
}

// Awkward pitches of two degrees near `degree`, with durations from -0.5 to 2.
std::vector<SourceRecord> RandomTable(std::mt19937& random, std::int32_t degree) {
  std::uniform_int_distribution<std::int32_t> near(std::max(1, degree - 3), std::min(kMaxDegree, degree + 3));
  std::uniform_int_distribution<int> duration(-1, 4);
  std::vector<float> cents;
  std::vector<StepRecord> steps;
  for (int i = 0; i < 2; ++i) {
    BuildStepTable(near(random), steps);
    const std::vector<float> awkward = AwkwardPitches(steps, random);
    cents.insert(cents.end(), awkward.begin(), awkward.end());
  }
  std::shuffle(cents.begin(), cents.end(), random);
  cents.resize(std::uniform_int_distribution<std::size_t>(1, 24)(random));
  std::vector<SourceRecord> records;
  for (const float cent : cents) records.push_back({.Cent = cent, .Duration = duration(random) / 2.0f});
  return records;
}

TEST(Basla, AgreesBitForBitWithTheStepByStepSearch) {
  std::mt19937 random(7);
  std::uniform_int_distribution<std::int32_t> smallDegree(1, 400);
  std::uniform_int_distribution<std::int32_t> largeDegree(kMaxDegree - 600, kMaxDegree);
  std::uniform_int_distribution<std::int32_t> length(0, 30);
  // Limits up to 3.9 cents, exact in binary and in six decimals.
  std::uniform_int_distribution<int> limit64ths(0, 250);
  Fixture f("");  // one finder throughout: a run must leave nothing that the next one uses
  int foundRuns = 0;
  for (int run = 0; run < 2000; ++run) {
    // One run in fifty tries a few of the largest degrees.
    const bool large = run % 50 == 0;
    const std::int32_t start = large ? largeDegree(random) : smallDegree(random);
    const std::int32_t stop = std::min(kMaxDegree, start + length(random) / (large ? 10 : 1));
    const Criterion criterion = run % 2 == 0 ? kMax : kStd;
    const double limit = limit64ths(random) / 64.0;
    const std::vector<SourceRecord> records = RandomTable(random, start);

    f.finder.KaynakOku(SourceTableText(records));
    const std::string limitText = std::to_string(limit);
    const RunOutcome outcome =
        f.Run(start == stop ? Single(std::to_string(start), criterion, limitText)
                            : Range(std::to_string(start), std::to_string(stop), criterion, limitText));
    foundRuns += test::Found(outcome) ? 1 : 0;
    ASSERT_EQ(
        test::Difference(f.finder, outcome,
                         test::LiteralSearch(records, start, stop, criterion, static_cast<float>(limit))),
        "")
        << "run " << run;
  }
  // Both outcomes must be well represented for the comparison to mean something.
  EXPECT_GT(foundRuns, 300);
  EXPECT_LT(foundRuns, 1700);
}

}  // namespace
}  // namespace finder
