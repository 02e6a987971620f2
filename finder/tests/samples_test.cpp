// The sample tables of the demo folder fit what the README's walkthrough says.

#include <gtest/gtest.h>

#include "support.h"

namespace finder {
namespace {

TEST(Samples, FitTheirTemperaments) {
  constexpr Criterion kMax = Criterion::MaxDeviation;
  const struct {
    const char* why;
    const char* file;
    SearchSettings settings;
    bool found;
  } rows[] = {
      {"Rast lies on steps of 53 to four decimals", "rast.txt", test::Single("53", kMax, "0.001"), true},
      {"a fifth of 53 is 0.07 cents short of 3/2", "pisagor.txt", test::Single("53", kMax, "1"), true},
      {"its third, sixth and seventh lie 1.3 to 1.5 cents above 53's steps", "saf_major.txt",
       test::Single("53", kMax, "1"), true},
      {"5 cents sharp of 12 throughout: no spread about the mean", "kaymis_major.txt",
       test::Single("12", kMax, "1"), true},
      {"but 5 cents from the steps", "kaymis_major.txt",
       test::Single("12", Criterion::StandardDeviation, "1"), false},
  };
  for (const auto& row : rows) {
    test::Fixture f(test::ReadAll(std::filesystem::path(FINDER_SAMPLES_DIR) / row.file));
    ASSERT_EQ(f.finder.SourceCount(), 7) << row.file;
    EXPECT_EQ(test::Found(f.Run(row.settings)), row.found) << row.why;
  }
}

}  // namespace
}  // namespace finder
