#include "finder/format.h"

#include <gtest/gtest.h>

namespace finder {
namespace {

TEST(FormatNumber, WritesTheFindersPatterns) {
  const struct {
    const char* name;
    double value;
    const char* pattern;
    char separator;
    const char* text;
  } rows[] = {
      {"integer digits are never cut", 1200, "000.0000", '.', "1200.0000"},
      {"cents rounded to four places", 22.641509f, "000.0000", '.', "022.6415"},
      {"mean cut to four places", 4.77194f, "##0.####", '.', "4.7719"},
      {"trailing zeros dropped", 1.25, "##0.####", '.', "1.25"},
      {"zero mean", 0, "##0.####", '.', "0."},
      {"a tiny negative mean has no minus", -0.00004, "##0.####", '.', "0."},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(FormatNumber(row.value, row.pattern, row.separator), row.text) << row.name;
  }
}

TEST(FormatNumber, RoundsTheExactValueHalvesAwayFromZero) {
  const struct {
    const char* name;
    double value;
    const char* pattern;
    const char* text;
  } rows[] = {
      {"2.5 is 3", 2.5, "00", "03"},
      {"-2.5 is -3", -2.5, "###", "-3"},
      {"0.5 is a label 1", 0.5, "###", "1"},
      {"a binary half at the fifth place", 1.03125, "##0.####", "1.0313"},
      {"the float nearest 0.00005 lies below it", 0.00005f, "##0.####", "0."},
      {"the double nearest 0.00005 lies above it", 0.00005, "##0.####", "0.0001"},
      {"a carry adds a digit", 99.5, "00", "100"},
      {"a carry through the separator", 0.999999f, "0.00000", "1.00000"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(FormatNumber(row.value, row.pattern, '.'), row.text) << row.name;
  }
}

TEST(ShortForm, WritesAtMostSevenSignificantDigits) {
  const struct {
    const char* name;
    double value;
    char separator;
    const char* text;
  } rows[] = {
      {"below one", 0.5, '.', "0.5"},
      {"rounded away from zero", 1234.5675, '.', "1234.568"},
      {"seven integer digits", 1234567, '.', "1234567"},
      {"eight integer digits", 12345678, '.', "1.234568E+07"},
      {"rounding up to eight digits", 9999999.5, '.', "1E+07"},
      {"smallest fixed", 0.0001f, '.', "0.0001"},
      {"exponent below -4", 0.00001f, '.', "1E-05"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(ShortForm(row.value, row.separator), row.text) << row.name;
  }
}

}  // namespace
}  // namespace finder
