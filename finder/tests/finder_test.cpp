#include "finder/finder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "literal.h"
#include "support.h"

namespace finder {
namespace {

using test::Fixture;
using test::Range;
using test::Said;
using test::Single;
using Ran = RunOutcome::Status;
constexpr Criterion kMax = Criterion::MaxDeviation;
constexpr Criterion kStd = Criterion::StandardDeviation;

TEST(KaynakOku, ARefusedFileLeavesNoTableAndSaysWhy) {
  Fixture f(test::kThreePitches);
  EXPECT_EQ(Said(f.finder.KaynakOku("100,1\r\n200,abc\r\n"), "a.txt"),
            "Kaynak dosyada sayı bekleniyordu (satır 2).");
  EXPECT_EQ(f.finder.SourceCount(), 0);
  EXPECT_EQ(Said(f.finder.KaynakOku("100," + std::string(40, '9')), "a.txt"),
            "Kaynak dosyada sayı çok büyük (satır 1).");
  EXPECT_EQ(Said(f.finder.KaynakOku(std::nullopt), "missing.txt"), "Dosya okunamadı: missing.txt");
  EXPECT_EQ(f.finder.KaynakOku("0,1\r\n1200.01,1\r\n").status, SourceOutcome::Status::OutOfOctave);
}

// What a run said, where it ended and the steps of that degree, each record's
// step/deviation, the deviation sum and mean, the maximum deviation, variance
// and standard deviation, each step with a count or duration as
// k:count/duration, and the bars with the largest duration.
std::string Figures(const Finder& finder, const RunOutcome& run) {
  std::ostringstream out;
  out << Said(run) << '|' << finder.CurrentDegree() << '/' << finder.StepTable().size() << ':';
  for (const SourceRecord& record : finder.SourceTable())
    out << ' ' << record.Step << '/' << record.Deviation;
  out << " | " << run.deviationSum << ' ' << run.meanDeviation << " | " << run.spread.MaxDeviation << ' '
      << run.spread.Variance << ' ' << run.spread.StandardDeviation << " |";
  for (std::size_t k = 0; k < finder.StepTable().size(); ++k) {
    const StepRecord& step = finder.StepTable()[k];
    if (step.Count != 0 || step.Duration != 0.0f)
      out << ' ' << k << ':' << step.Count << '/' << step.Duration;
  }
  out << " | bars " << run.rows.size() << " of " << run.maxDuration;
  return out.str();
}

// Each run follows one of degree 5 alone, which a refused run leaves as it was.
TEST(Basla, MeasuresTheDegreesInTurnAndStopsAtTheFirstBelowTheLimit) {
  const std::string_view three = test::kThreePitches;
  const std::string huge = "0,3" + std::string(38, '0') + "\r\n0,3" + std::string(38, '0') + "\r\n";
  const std::string unchanged = "|6/6: 0/0 2/-94 3/-18 | 0 0 | 0 0 0 | | bars 0 of 0";
  const std::string outOfRange = "Derece 1 ile 32766 arasında olmalı." + unchanged;
  const struct {
    std::string_view table;
    SearchSettings settings;
    Ran status;
    std::string figures;
  } rows[] = {
      // clang-format off
      {three, Single("12", kMax, "10"), Ran::NoneQualified,  // a limit equal to the measure fails
       "12 eşit temperaman kriterleri sağlamadı.|13/13: 0/0 4/-14 7/2 | -12 -4 | 10 0 0 | | bars 0 of 0"},
      {three, Single("12", kMax, "11"), Ran::Found, "|12/13: 0/0 4/-14 7/2 | -12 -4 | 10 0 0 | 0:1/2 4:1/1 7:1/1 | bars 3 of 2"},
      {three, Single("12", kStd, "1"), Ran::NoneQualified,
       "12 eşit temperaman kriterleri sağlamadı.|13/13: 0/0 4/-14 7/2 | -12 -4 | 0 66.6667 8.16497 | | bars 0 of 0"},
      {three, Single("12", kStd, "8.2"), Ran::Found,
       "|12/13: 0/0 4/-14 7/2 | -12 -4 | 0 66.6667 8.16497 | 0:1/2 4:1/1 7:1/1 | bars 3 of 2"},
      {three, Range("5", "60", kMax, "5"), Ran::Found,
       "|19/20: 0/0 6/7.05264 11/7.26318 | 14.3158 4.77194 | 4.77194 0 0 | 0:1/2 6:1/1 11:1/1 | bars 3 of 2"},
      {three, Range("5", "60", kStd, "5"), Ran::Found,
       "|22/23: 0/0 7/4.18182 13/-7.09088 | -2.90906 -0.969686 | 0 22.5894 4.75283 | 0:1/2 7:1/1 13:1/1 | bars 3 of 2"},
      {"150,1\r\n", Single("12", kMax, "100"), Ran::Found, "|12/13: 1/50 | 50 50 | 0 0 0 | 1:1/1 | bars 1 of 1"},  // halfway: the lower step
      {"1200,1\r\n-5,2\r\n700,1\r\n", Single("12", kMax, "100"), Ran::Found,  // 1200 and below 0 stay on step 0
       "|12/13: 0/0 0/0 7/0 | 0 0 | 0 0 0 | 0:2/3 7:1/1 | bars 2 of 3"},
      {"0,0\r\n100,-1\r\n200,2\r\n200,-1\r\n", Single("12", kMax, "1"), Ran::Found,  // a bar needs a duration over 0
       "|12/13: 0/0 1/0 2/0 2/0 | 0 0 | 0 0 0 | 0:1/0 1:1/-1 2:2/1 | bars 1 of 1"},
      {huge, Single("12", kMax, "1"), Ran::DurationTooLarge,
       "Süre toplamı sayı sınırını aşıyor.|12/13: 0/0 0/0 | 0 0 | 0 0 0 | 0:2/inf | bars 0 of 0"},
      {three, Single("0", kStd, "0"), Ran::DegreeOutOfRange, outOfRange},
      {three, Single("32767", kStd, "0"), Ran::DegreeOutOfRange, outOfRange},
      {three, Range("32765", "32767", kStd, "0"), Ran::DegreeOutOfRange, outOfRange},
      {three, Range("40000", "10", kStd, "0"), Ran::DegreeOutOfRange, outOfRange},  // beyond 16 bits
      {"", Single("12", kStd, "0"), Ran::NoTable, "Bir dosya seçin|0/0: | 0 0 | 0 0 0 | | bars 0 of 0"},
      {three, Single("2.5", kStd, "0"), Ran::NoneQualified,
       "2 eşit temperaman kriterleri sağlamadı.|3/3: 0/0 1/-214 1/102 | -112 -37.3333 | 0 18733.3 136.87 | | bars 0 of 0"},
      {three, Range("20", "10", kStd, "0"), Ran::NoneQualified,  // tries nothing
       "20-10 arasındaki temperamanlar kriterleri sağlamadı." + unchanged.substr(0, 1) + "20" + unchanged.substr(2)},
      {three, Range("0", "-5", kStd, "0"), Ran::NoneQualified,
       "0--5 arasındaki temperamanlar kriterleri sağlamadı.|0" + unchanged.substr(2)},
      // clang-format on
  };
  for (const auto& row : rows) {
    Fixture f(row.table);
    f.Run(Single("5", kStd, "1"));
    const RunOutcome run = f.Run(row.settings);
    EXPECT_EQ(run.status, row.status) << row.figures;
    EXPECT_EQ(run.degree, f.finder.CurrentDegree()) << row.figures;
    EXPECT_EQ(Figures(f.finder, run), row.figures);
  }
  Fixture largest(three);  // the largest degree, with 32767 steps
  EXPECT_EQ(Said(largest.Run(Single("32766", kStd, "0"))), "32766 eşit temperaman kriterleri sağlamadı.");
  EXPECT_EQ(largest.finder.StepTable().size(), 32767u);
}

// Tables that put a nearest-step search to the test near `degree`: pitches on
// steps, at float halfway points and one float either side of them, at the ends
// of the octave and outside it, durations from -0.5 to 2.
std::vector<SourceRecord> AwkwardTable(std::mt19937& random, std::int32_t degree) {
  std::vector<float> cents = {0.0f, -0.0f, -1.0f, 1200.0f, std::nextafter(1200.0f, 0.0f), 1e-45f};
  std::vector<StepRecord> steps;
  BuildStepTable(std::uniform_int_distribution<std::int32_t>(std::max(1, degree - 3), degree + 3)(random),
                 steps);
  for (int i = 0; i < 8; ++i) {
    const std::size_t k = std::uniform_int_distribution<std::size_t>(0, steps.size() - 2)(random);
    const float halfway = static_cast<float>((static_cast<double>(steps[k].Cent) + steps[k + 1].Cent) / 2);
    for (const float pitch : {steps[k].Cent, halfway})
      cents.insert(cents.end(), {pitch, std::nextafter(pitch, -1e9f), std::nextafter(pitch, 1e9f)});
  }
  std::shuffle(cents.begin(), cents.end(), random);
  std::vector<SourceRecord> records(std::uniform_int_distribution<std::size_t>(1, 24)(random));
  for (std::size_t i = 0; i < records.size(); ++i)
    records[i] = {.Cent = cents[i], .Duration = static_cast<float>(random() % 6) / 2 - 0.5f};
  return records;
}

TEST(Basla, AgreesBitForBitWithTheStepByStepSearch) {
  std::mt19937 random(7);
  Fixture f("");  // one finder throughout: a run must leave nothing that the next one uses
  int found = 0;
  for (int run = 0; run < 1500; ++run) {
    // One run in fifty tries a few of the largest degrees.
    const std::int32_t start =
        std::uniform_int_distribution<std::int32_t>(1, 400)(random) + (run % 50 == 0 ? kMaxDegree - 401 : 0);
    const std::int32_t stop =
        std::min(kMaxDegree, start + std::uniform_int_distribution<std::int32_t>(0, 30)(random));
    const Criterion criterion = run % 2 == 0 ? kMax : kStd;
    const float limit = static_cast<float>(std::uniform_int_distribution<int>(0, 250)(random)) / 64;  // exact
    const std::vector<SourceRecord> records = AwkwardTable(random, start);
    f.finder.KaynakOku(SourceTableText(records));
    const std::string limitText = std::to_string(limit);
    const RunOutcome outcome =
        f.Run(start == stop ? Single(std::to_string(start), criterion, limitText)
                            : Range(std::to_string(start), std::to_string(stop), criterion, limitText));
    found += test::Found(outcome) ? 1 : 0;
    ASSERT_EQ(
        test::Difference(f.finder, outcome, test::LiteralSearch(records, start, stop, criterion, limit)), "")
        << "run " << run;
  }
  // Both outcomes must be well represented for the comparison to mean something.
  EXPECT_GT(found, 200);
  EXPECT_LT(found, 1300);
}

}  // namespace
}  // namespace finder
