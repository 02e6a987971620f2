#include "finder/number.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>

#include "finder/search.h"

namespace finder {
namespace {

TEST(DecimalToFloat, ReadsDigitsWithOnePeriodAnywhere) {
  const struct {
    const char* name;
    const char* text;
    std::optional<float> value;
  } rows[] = {
      {"period last", "5.", 5.0f},
      {"period first", ".25", 0.25f},
      {"rounded once to the nearest float", "0.1", 0.1f},
      {"too small for a float is zero", "0.00000000000000000000000000000000000000000000000001", 0.0f},
      {"sign alone", "-", std::nullopt},
      {"two periods", "1.2.3", std::nullopt},
      {"two signs", "--1", std::nullopt},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(DecimalToFloat(row.text), row.value) << row.name;
  }
}

// A comma is a decimal point only where it is the user's separator; the period always is.
TEST(IsDecimal, TakesTheSeparatorBesideThePeriod) {
  EXPECT_TRUE(IsDecimal("1,5", ','));
  EXPECT_TRUE(IsDecimal("1.5", ','));
  EXPECT_FALSE(IsDecimal("1,5", '.'));
  EXPECT_FALSE(IsDecimal("1,5.3", ','));
}

TEST(LeadingNumber, ReadsUpToTheFirstCharacterThatCannotContinueTheNumber) {
  const double infinity = std::numeric_limits<double>::infinity();
  const std::string tooLarge(400, '9');
  const struct {
    const char* name;
    const char* text;
    char separator;
    double value;
  } rows[] = {
      {"fraction", "4.75", '.', 4.75},
      {"blanks inside are skipped", "24 00", '.', 2400.0},
      {"a comma ends the number under the period", "1,5", '.', 1.0},
      {"a comma is the decimal point under the comma", "1,5", ',', 1.5},
      {"the period too under the comma", "1.5", ',', 1.5},
      {"second decimal point ends the number", "1.5,3", ',', 1.5},
      {"comma first", " ,5", ',', 0.5},
      {"no leading number", "abc", ',', 0.0},
      {"sign after digits ends the number", "5-3", '.', 5.0},
      {"exponent is not read", "1e3", '.', 1.0},
      {"too large for a double", tooLarge.c_str(), '.', infinity},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(LeadingNumber(row.text, row.separator), row.value) << row.name;
  }
}

// A degree as typed under a comma separator: the leading number, rounded.
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
              {"32767.5", std::nullopt},
              {"-32768.6", std::nullopt}};
  for (const auto& row : rows) {
    EXPECT_EQ(DegreeOf(row.text, ','), row.degree) << '"' << row.text << '"';
  }
}

}  // namespace
}  // namespace finder
