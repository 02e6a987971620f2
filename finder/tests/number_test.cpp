// Numbers as the user types them and as the finder writes them.

#include "finder/number.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>

#include "finder/format.h"
#include "finder/search.h"

namespace finder {
namespace {

TEST(DecimalToFloat, ReadsDigitsWithOnePeriodAnywhere) {
  EXPECT_EQ(DecimalToFloat("5."), 5.0f);
  EXPECT_EQ(DecimalToFloat(".25"), 0.25f);
  EXPECT_EQ(DecimalToFloat("0.1"), 0.1f);  // rounded once to the nearest float
  EXPECT_EQ(DecimalToFloat("0." + std::string(50, '0') + "1"), 0.0f);
  for (const char* refused : {"-", "1.2.3", "--1"})
    EXPECT_EQ(DecimalToFloat(refused), std::nullopt) << refused;
}

// A comma is a decimal point only where it is the user's separator; the period always is.
TEST(LeadingNumber, ReadsUpToTheFirstCharacterThatCannotContinueTheNumber) {
  EXPECT_TRUE(IsDecimal("1,5", ',') && IsDecimal("1.5", ','));
  EXPECT_FALSE(IsDecimal("1,5", '.') || IsDecimal("1,5.3", ','));
  const struct {
    const char* text;
    char separator;
    double value;
  } rows[] = {
      {"4.75", '.', 4.75}, {"24 00", '.', 2400.0}, {"1,5", '.', 1.0}, {"1,5", ',', 1.5},
      {"1.5", ',', 1.5},   {"1.5,3", ',', 1.5},    {" ,5", ',', 0.5}, {"abc", ',', 0.0},
      {"5-3", '.', 5.0},   {"1e3", '.', 1.0},      {"-2", '.', -2.0},
  };
  for (const auto& row : rows) EXPECT_EQ(LeadingNumber(row.text, row.separator), row.value) << row.text;
  EXPECT_EQ(LeadingNumber(std::string(400, '9'), '.'), std::numeric_limits<double>::infinity());
}

// A degree as typed under a comma separator: the leading number, rounded halves to even, within 16 bits.
TEST(DegreeOf, RoundsHalvesToTheEvenNeighbourWithin16Bits) {
  const struct {
    const char* text;
    std::optional<std::int16_t> degree;
  } rows[] = {{"2.5", 2},
              {"3,5", 4},
              {"-2.5", -2},
              {"2,5001", 3},
              {"", 0},
              {"32767", 32767},
              {"-32768", -32768},
              {"32767.5", std::nullopt},
              {"-32768.6", std::nullopt}};
  for (const auto& row : rows) EXPECT_EQ(DegreeOf(row.text, ','), row.degree) << '"' << row.text << '"';
}

TEST(FormatNumber, WritesThePatternsRoundingTheExactValueHalvesAwayFromZero) {
  const struct {
    double value;
    const char* pattern;
    char separator;
    const char* text;
  } rows[] = {
      {1200, "000.0000", ',', "1200,0000"},       // integer digits are never cut
      {22.641509f, "000.0000", '.', "022.6415"},  // cents to four places
      {1.25, "##0.####", '.', "1.25"},            // trailing zeros dropped
      {0, "##0.####", '.', "0."},                 // zero mean
      {-0.00004, "##0.####", '.', "0."},          // a tiny negative mean has no minus
      {2.5, "00", '.', "03"},                     // halves away from zero
      {-2.5, "###", '.', "-3"},                   //
      {1.03125, "##0.####", '.', "1.0313"},       // a binary half at the fifth place
      {0.00005f, "##0.####", '.', "0."},          // the float nearest 0.00005 lies below it
      {0.00005, "##0.####", '.', "0.0001"},       // the double nearest lies above it
      {99.5, "00", '.', "100"},                   // a carry adds a digit
      {0.999999f, "0.00000", '.', "1.00000"},     // a carry through the separator
  };
  for (const auto& row : rows) {
    EXPECT_EQ(FormatNumber(row.value, row.pattern, row.separator), row.text)
        << row.value << ' ' << row.pattern;
  }
}

TEST(ShortForm, WritesAtMostSevenSignificantDigits) {
  const struct {
    double value;
    const char* text;
  } rows[] = {
      {0.5, "0,5"},         {1234.5675, "1234,568"}, {1234567, "1234567"}, {-12345678, "-1,234568E+07"},
      {9999999.5, "1E+07"}, {0.0001f, "0,0001"},     {0.00001f, "1E-05"},  {0, "0"},
  };
  for (const auto& row : rows) EXPECT_EQ(ShortForm(row.value, ','), row.text) << row.value;
}

}  // namespace
}  // namespace finder
