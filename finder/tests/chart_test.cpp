#include "finder/chart.h"

#include <gtest/gtest.h>

#include <string>

#include "support.h"

namespace finder {
namespace {

using test::Single;

// The calls of a run of the table, `count` lines from the first that starts with `from`.
std::string Drawn(std::string_view table, const SearchSettings& settings, char separator,
                  const std::string& from = "", int count = 1000) {
  test::DrawnCanvas canvas;
  RaporCiz(canvas, test::Fixture(table).Run(settings), separator);
  const std::string all = canvas.out.str();
  std::size_t at = all.starts_with(from) ? 0 : all.find("\n" + from) + 1, end = at;
  for (int i = 0; i < count && end < all.size(); ++i) end = all.find('\n', end) + 1;
  return all.substr(at, end - at);
}

TEST(RaporCiz, DrawsTheWorkedExampleAndNothingForARunThatFoundNothing) {
  EXPECT_EQ(Drawn(test::kThreePitches, Single("12", Criterion::MaxDeviation, "11"), '.'),
            test::ReadAll(FINDER_GOLDEN_DIR "/chart_three_pitches.txt"));
  EXPECT_EQ(Drawn(test::kThreePitches, Single("12", Criterion::MaxDeviation, "1"), '.'), "");
}

TEST(RaporCiz, DrawsTheLargestInRedTheSixteenthAndSeventeenthRowsInTheSecondColumnAndTheSummaryAsTyped) {
  std::string seventeen;  // on the steps 0 to 16 of degree 24, 50 cents apart
  for (int k = 0; k < 17; ++k) seventeen += std::to_string(50 * k) + ",1\r\n";
  // clang-format off
  EXPECT_EQ(Drawn("0,2\r\n400,2\r\n700,1\r\n", Single("12", Criterion::MaxDeviation, "100"), ',', "text 10,36", 10),
            "text 10,36 red \"4\"\ntext 50,36 red \"400,0000\"\ntext 130,36 red \"01\"\ntext 160,36 red \"1,00000\"\n"
            "box 71,450 81,250 magenta\ntext 64,475 red \"4\"\nrefresh\nrefresh\nrefresh\ntext 10,49 black \"7\"\n");
  EXPECT_EQ(Drawn(seventeen, Single("24", Criterion::MaxDeviation, "1"), '.', "text 10,205", 15),
            "text 10,205 red \"14\"\ntext 50,205 red \"700.0000\"\ntext 130,205 red \"01\"\ntext 160,205 red \"1.00000\"\n"
            "box 279,450 289,250 magenta\ntext 272,460 red \"14\"\nrefresh\ntext 250,23 red \"15\"\ntext 290,23 red \"750.0000\"\n"
            "text 370,23 red \"01\"\ntext 400,23 red \"1.00000\"\nbox 295,450 305,250 magenta\ntext 288,475 red \"15\"\n"
            "refresh\ntext 250,36 red \"16\"\n");
  // Degree 22 puts 386 and 702 cents on the float steps 381.81818 and 709.09088.
  EXPECT_EQ(Drawn(test::kThreePitches, test::Range(" 5", "60x", Criterion::StandardDeviation, "5 c"), ',', "text 300,500"),
            "text 300,500 red \"Criteria = Std. Dev.\"\ntext 300,520 red \"Cent Limit = 5 c\"\n"
            "text 500,500 blue \"searched teT =  5-60x\"\ntext 500,520 blue \"found teT = 22\"\n"
            "text 700,500 red \"Mean     = -0,9697\"\ntext 700,520 red \"Variance = 22,58942\"\n"
            "text 900,500 blue \"St. Dev.  = 4,752832\"\ntext 900,520 blue \"Max. Dev. = 0\"\n");
  // clang-format on
}

}  // namespace
}  // namespace finder
