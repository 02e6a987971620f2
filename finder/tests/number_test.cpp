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

// A comma is a decimal point only where it is the user's separator; the period always is.
TEST(Number, ReadsTheUsersTextsWithTheirSeparator) {
  EXPECT_EQ(DecimalToFloat(".25"), 0.25f);
  EXPECT_EQ(DecimalToFloat("0." + std::string(50, '0') + "1"), 0.0f);
  for (const char* refused : {"-", "1.2.3", "--1"})
    EXPECT_EQ(DecimalToFloat(refused), std::nullopt) << refused;
  EXPECT_TRUE(IsDecimal("1,5", ',') && IsDecimal("1.5", ','));
  EXPECT_FALSE(IsDecimal("1,5", '.') || IsDecimal("1,5.3", ',') || IsDecimal("-.", '.'));
  // clang-format off
  const struct { const char* text; char separator; double value; } leading[] = {
      {"4.75", '.', 4.75}, {"24 00", '.', 2400}, {"1,5", '.', 1}, {"1,5", ',', 1.5}, {"1.5,3", ',', 1.5},
      {" ,5", ',', 0.5}, {"abc", ',', 0}, {"5-3", '.', 5}, {"1e3", '.', 1}, {"-2", '.', -2}};
  // clang-format on
  for (const auto& row : leading) EXPECT_EQ(LeadingNumber(row.text, row.separator), row.value) << row.text;
  EXPECT_EQ(LeadingNumber(std::string(400, '9'), '.'), std::numeric_limits<double>::infinity());
  // A degree: rounded, halves to the even neighbour, within 16 bits.
  const struct {
    const char* text;
    std::optional<std::int16_t> degree;
  } degrees[] = {{"2.5", 2},
                 {"3,5", 4},
                 {"-2.5", -2},
                 {"2,5001", 3},
                 {"32767", 32767},
                 {"-32768", -32768},
                 {"32767.5", std::nullopt},
                 {"-32768.6", std::nullopt}};
  for (const auto& row : degrees) EXPECT_EQ(DegreeOf(row.text, ','), row.degree) << row.text;
}

// The exact value rounded, halves away from zero; the short form when there is no pattern.
TEST(Number, WritesThePatternsAndTheShortForm) {
  const struct {
    double value;
    const char* pattern;
    const char* text;
  } rows[] = {
      {1200, "000.0000", "1200,0000"},    // integer digits are never cut
      {-0.00004, "##0.####", "0,"},       // no minus on a zero
      {-2.5, "###", "-3"},                //
      {0.5, "###", "1"},                  // a label
      {0.999999f, "0.00000", "1,00000"},  // a carry through the separator
      {0.00005f, "##0.####", "0,"},       // the float nearest 0.00005 lies below it
      {0.5, nullptr, "0,5"},
      {1234.5675, nullptr, "1234,568"},
      {1234567, nullptr, "1234567"},
      {-12345678, nullptr, "-1,234568E+07"},
      {9999999.5, nullptr, "1E+07"},
      {12345678901, nullptr, "1,234568E+10"},
      {0.0001f, nullptr, "0,0001"},
      {0.00001f, nullptr, "1E-05"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(row.pattern ? FormatNumber(row.value, row.pattern, ',') : ShortForm(row.value, ','), row.text)
        << row.value;
  }
}

}  // namespace
}  // namespace finder
