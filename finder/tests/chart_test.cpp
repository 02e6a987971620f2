#include "finder/chart.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "support.h"

namespace finder {
namespace {

using test::Fixture;
using test::RecordingCanvas;
using test::Single;
using Calls = std::vector<std::string>;

// The frame Grafik draws for every chart, up to the ticks under the bars.
Calls FrameCalls() {
  const std::string header = "\" Dgr.   Cents    #   % Dur. \"";
  // clang-format off
  Calls calls = {
      "clear", "legends",
      "text 0,5 black " + header, "text 240,5 black " + header, "text 480,5 black " + header,
      "text 720,5 black " + header, "text 960,5 black " + header,
      "line 10,20 1180,20 black 1", "line 50,250 50,450 red 3", "line 50,452 1175,452 red 3",
      "text 20,440 black \"  0\"", "text 20,390 black \" 25\"", "text 20,340 black \" 50\"",
      "text 20,290 black \" 75\"", "text 20,240 black \"100\""};
  // clang-format on
  for (const char* colour : {"grey", "blue"}) {
    for (int y = 250; y <= 450; y += colour[0] == 'g' ? 10 : 50) {
      calls.push_back("line 50," + std::to_string(y) + " 1175," + std::to_string(y) + " " + colour + " 1");
    }
  }
  return calls;
}

Calls Joined(Calls calls, const Calls& more) {
  calls.insert(calls.end(), more.begin(), more.end());
  return calls;
}

// The calls of `calls` that start with `prefix`.
Calls Only(const Calls& calls, const std::string& prefix) {
  Calls found;
  std::copy_if(calls.begin(), calls.end(), std::back_inserter(found),
               [&](const std::string& call) { return call.starts_with(prefix); });
  return found;
}

TEST(RaporCiz, DrawsTheWorkedExample) {
  Fixture f(test::kThreePitches);
  const RunOutcome run = f.Run(Single("12", Criterion::MaxDeviation, "11"));
  RecordingCanvas canvas;
  RaporCiz(canvas, run, '.');

  const Calls ticks = {"line 60,450 60,458 blue 1", "line 76,450 76,475 blue 1", "line 92,450 92,458 blue 1",
                       "line 108,450 108,475 blue 1", "refresh"};
  // Steps 0, 4 and 7 have a duration; every step of 0 to 12 ends with a refresh.
  // clang-format off
  const Calls steps = {
      "text 10,23 red \"0\"", "text 50,23 red \"000.0000\"", "text 130,23 red \"01\"",
      "text 160,23 red \"1.00000\"", "box 55,450 65,250 magenta", "text 48,460 red \"\"", "refresh",
      "refresh", "refresh", "refresh",
      "text 10,36 black \"4\"", "text 50,36 black \"400.0000\"", "text 130,36 black \"01\"",
      "text 160,36 black \"0.50000\"", "box 71,450 81,350 magenta", "text 64,475 black \"4\"", "refresh",
      "refresh", "refresh",
      "text 10,49 black \"7\"", "text 50,49 black \"700.0000\"", "text 130,49 black \"01\"",
      "text 160,49 black \"0.50000\"", "box 87,450 97,350 magenta", "text 80,460 black \"7\"", "refresh",
      "refresh", "refresh", "refresh", "refresh", "refresh"};
  // clang-format on
  const Calls summary = {
      "text 300,500 red \"Criteria = Max. Dev.\"", "text 300,520 red \"Cent Limit = 11\"",
      "text 500,500 blue \"searched teT = 12\"",   "text 500,520 blue \"found teT = 12\"",
      "text 700,500 red \"Mean     = -4.\"",       "text 700,520 red \"Variance = 0\"",
      "text 900,500 blue \"St. Dev.  = 0\"",       "text 900,520 blue \"Max. Dev. = 10\"",
  };
  EXPECT_EQ(canvas.calls, Joined(Joined(Joined(FrameCalls(), ticks), steps), summary));
}

TEST(RaporCiz, SummarisesARangeUnderStandardDeviationWithTheTextsAsTyped) {
  Fixture f(test::kThreePitches);
  RecordingCanvas canvas;
  RaporCiz(canvas, f.Run(test::Range(" 5", "60x", Criterion::StandardDeviation, "5 c")), ',');
  // Degree 22 puts 386 and 702 cents on the float steps 381.81818 and
  // 709.09088: deviations 4.1818237 and -7.0908813.
  EXPECT_EQ(Calls(canvas.calls.end() - 8, canvas.calls.end()),
            (Calls{"text 300,500 red \"Criteria = Std. Dev.\"", "text 300,520 red \"Cent Limit = 5 c\"",
                   "text 500,500 blue \"searched teT =  5-60x\"", "text 500,520 blue \"found teT = 22\"",
                   "text 700,500 red \"Mean     = -0,9697\"", "text 700,520 red \"Variance = 22,58942\"",
                   "text 900,500 blue \"St. Dev.  = 4,752832\"", "text 900,520 blue \"Max. Dev. = 0\""}));
}

TEST(RaporCiz, ShowsOnlyStepsWithADurationAndMarksTheLargestInRed) {
  const struct {
    const char* name;
    const char* table;
    Calls rows;  // the step number of each row
    Calls boxes;
  } rows[] = {
      {"two largest durations are both red",
       "0,2\r\n400,2\r\n700,1\r\n",
       {"text 10,23 red \"0\"", "text 10,36 red \"4\"", "text 10,49 black \"7\""},
       {"box 55,450 65,250 magenta", "box 71,450 81,250 magenta", "box 87,450 97,350 magenta"}},
      {"a step whose records all last 0 is left out",
       "0,2\r\n386,0\r\n702,1\r\n",
       {"text 10,23 red \"0\"", "text 10,36 black \"7\""},
       {"box 55,450 65,250 magenta", "box 71,450 81,350 magenta"}},
  };
  for (const auto& row : rows) {
    Fixture f(row.table);
    RecordingCanvas canvas;
    RaporCiz(canvas, f.Run(Single("12", Criterion::MaxDeviation, "100")), '.');
    EXPECT_EQ(Only(canvas.calls, "text 10,"), row.rows) << row.name;
    EXPECT_EQ(Only(canvas.calls, "box "), row.boxes) << row.name;
  }
}

TEST(RaporCiz, StartsTheSecondColumnAtTheSixteenthStep) {
  // Sixteen pitches on the steps 0 to 15 of degree 24, 50 cents apart.
  std::string table;
  for (int k = 0; k < 16; ++k) table += std::to_string(50 * k) + ",1\r\n";
  Fixture f(table);
  RecordingCanvas canvas;
  RaporCiz(canvas, f.Run(Single("24", Criterion::MaxDeviation, "1")), '.');
  const auto at = std::find(canvas.calls.begin(), canvas.calls.end(), "text 10,205 red \"14\"");
  ASSERT_NE(at, canvas.calls.end());
  EXPECT_EQ(Calls(at + 7, at + 14),
            (Calls{"text 250,23 red \"15\"", "text 290,23 red \"750.0000\"", "text 370,23 red \"01\"",
                   "text 400,23 red \"1.00000\"", "box 295,450 305,250 magenta", "text 288,475 red \"15\"",
                   "refresh"}));
}

TEST(RaporCiz, DrawsNothingForARunThatFoundNoDegree) {
  Fixture f(test::kThreePitches);
  RecordingCanvas canvas;
  RaporCiz(canvas, f.Run(Single("12", Criterion::MaxDeviation, "1")), '.');
  EXPECT_TRUE(canvas.calls.empty());
}

}  // namespace
}  // namespace finder
