#include "finder/chart.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "finder/canvas.h"
#include "support.h"

namespace finder {
namespace {

using test::Fixture;
using test::Single;
using Calls = std::vector<std::string>;

// What is drawn, a line a call: "clear", "legends", `text 10,23 red "0"`,
// "line 50,250 50,450 red 3", "box 55,450 65,250 magenta", "refresh".
class DrawnCanvas : public Canvas {
 public:
  void Clear() override { calls.emplace_back("clear"); }
  void ShowLegends() override { calls.emplace_back("legends"); }
  void Text(std::int32_t x, std::int32_t y, Rgb colour, std::string_view text) override {
    calls.push_back("text " + At(x, y) + Name(colour) + " \"" + std::string(text) + "\"");
  }
  void Line(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, Rgb colour,
            std::int32_t width) override {
    calls.push_back("line " + At(x1, y1) + At(x2, y2) + Name(colour) + " " + std::to_string(width));
  }
  void Box(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, Rgb colour) override {
    calls.push_back("box " + At(x1, y1) + At(x2, y2) + Name(colour));
  }
  void Refresh() override { calls.emplace_back("refresh"); }

  Calls calls;

 private:
  static std::string At(std::int32_t x, std::int32_t y) {
    return std::to_string(x) + "," + std::to_string(y) + " ";
  }
  static std::string Name(Rgb colour) {
    return colour == kBlack       ? "black"
           : colour == kRed       ? "red"
           : colour == kBlue      ? "blue"
           : colour == kMagenta   ? "magenta"
           : colour == kLightGrey ? "grey"
                                  : "other";
  }
};

// The calls of a run of the table under the settings, from the first that starts with `from` on, `count` of
// them.
Calls Drawn(std::string_view table, const SearchSettings& settings, char separator,
            const std::string& from = "", std::size_t count = 1000) {
  DrawnCanvas canvas;
  RaporCiz(canvas, Fixture(table).Run(settings), separator);
  const auto at = std::find_if(canvas.calls.begin(), canvas.calls.end(),
                               [&](const std::string& call) { return call.starts_with(from); });
  return Calls(at,
               at + std::min<std::ptrdiff_t>(static_cast<std::ptrdiff_t>(count), canvas.calls.end() - at));
}

TEST(RaporCiz, DrawsTheWorkedExample) {
  Calls frame = {"clear", "legends"};
  for (int x = 0; x < 1200; x += 240)
    frame.push_back("text " + std::to_string(x) + ",5 black \" Dgr.   Cents    #   % Dur. \"");
  frame.insert(frame.end(),
               {"line 10,20 1180,20 black 1", "line 50,250 50,450 red 3", "line 50,452 1175,452 red 3",
                "text 20,440 black \"  0\"", "text 20,390 black \" 25\"", "text 20,340 black \" 50\"",
                "text 20,290 black \" 75\"", "text 20,240 black \"100\""});
  for (int y = 250; y <= 450; y += 10)
    frame.push_back("line 50," + std::to_string(y) + " 1175," + std::to_string(y) + " grey 1");
  for (int y = 250; y <= 450; y += 50)
    frame.push_back("line 50," + std::to_string(y) + " 1175," + std::to_string(y) + " blue 1");
  // clang-format off
  frame.insert(frame.end(), {
      "line 60,450 60,458 blue 1", "line 76,450 76,475 blue 1", "line 92,450 92,458 blue 1",
      "line 108,450 108,475 blue 1", "refresh",
      // Steps 0, 4 and 7 have a duration; every step of 0 to 12 ends with a refresh.
      "text 10,23 red \"0\"", "text 50,23 red \"000.0000\"", "text 130,23 red \"01\"",
      "text 160,23 red \"1.00000\"", "box 55,450 65,250 magenta", "text 48,460 red \"\"", "refresh",
      "refresh", "refresh", "refresh",
      "text 10,36 black \"4\"", "text 50,36 black \"400.0000\"", "text 130,36 black \"01\"",
      "text 160,36 black \"0.50000\"", "box 71,450 81,350 magenta", "text 64,475 black \"4\"", "refresh",
      "refresh", "refresh",
      "text 10,49 black \"7\"", "text 50,49 black \"700.0000\"", "text 130,49 black \"01\"",
      "text 160,49 black \"0.50000\"", "box 87,450 97,350 magenta", "text 80,460 black \"7\"", "refresh",
      "refresh", "refresh", "refresh", "refresh", "refresh",
      "text 300,500 red \"Criteria = Max. Dev.\"", "text 300,520 red \"Cent Limit = 11\"",
      "text 500,500 blue \"searched teT = 12\"",   "text 500,520 blue \"found teT = 12\"",
      "text 700,500 red \"Mean     = -4.\"",       "text 700,520 red \"Variance = 0\"",
      "text 900,500 blue \"St. Dev.  = 0\"",       "text 900,520 blue \"Max. Dev. = 10\""});
  // clang-format on
  EXPECT_EQ(Drawn(test::kThreePitches, Single("12", Criterion::MaxDeviation, "11"), '.'), frame);
  EXPECT_EQ(Drawn(test::kThreePitches, Single("12", Criterion::MaxDeviation, "1"), '.'), Calls{});
}

TEST(RaporCiz, DrawsTheLargestInRedTheSixteenthAndSeventeenthRowsInTheSecondColumnAndTheSummaryAsTyped) {
  std::string seventeen;  // on the steps 0 to 16 of degree 24, 50 cents apart
  for (int k = 0; k < 17; ++k) seventeen += std::to_string(50 * k) + ",1\r\n";
  // clang-format off
  EXPECT_EQ(Drawn("0,2\r\n400,2\r\n700,1\r\n", Single("12", Criterion::MaxDeviation, "100"), ',', "text 10,36", 12),
            (Calls{"text 10,36 red \"4\"", "text 50,36 red \"400,0000\"", "text 130,36 red \"01\"", "text 160,36 red \"1,00000\"",
                   "box 71,450 81,250 magenta", "text 64,475 red \"4\"", "refresh", "refresh", "refresh",
                   "text 10,49 black \"7\"", "text 50,49 black \"700,0000\"", "text 130,49 black \"01\""}));
  EXPECT_EQ(Drawn(seventeen, Single("24", Criterion::MaxDeviation, "1"), '.', "text 10,205", 15),
            (Calls{"text 10,205 red \"14\"", "text 50,205 red \"700.0000\"", "text 130,205 red \"01\"", "text 160,205 red \"1.00000\"",
                   "box 279,450 289,250 magenta", "text 272,460 red \"14\"", "refresh",
                   "text 250,23 red \"15\"", "text 290,23 red \"750.0000\"", "text 370,23 red \"01\"",
                   "text 400,23 red \"1.00000\"", "box 295,450 305,250 magenta", "text 288,475 red \"15\"", "refresh", "text 250,36 red \"16\""}));
  // Degree 22 puts 386 and 702 cents on the float steps 381.81818 and 709.09088.
  EXPECT_EQ(Drawn(test::kThreePitches, test::Range(" 5", "60x", Criterion::StandardDeviation, "5 c"), ',', "text 300,500"),
            (Calls{"text 300,500 red \"Criteria = Std. Dev.\"", "text 300,520 red \"Cent Limit = 5 c\"",
                   "text 500,500 blue \"searched teT =  5-60x\"", "text 500,520 blue \"found teT = 22\"",
                   "text 700,500 red \"Mean     = -0,9697\"", "text 700,520 red \"Variance = 22,58942\"",
                   "text 900,500 blue \"St. Dev.  = 4,752832\"", "text 900,520 blue \"Max. Dev. = 0\""}));
  // clang-format on
}

}  // namespace
}  // namespace finder
