// Numbers as the user types them into the window's boxes. The numbers the finder
// writes are held against an exact formatter by the format fuzz target's replay,
// and its runs bit for bit against the step-by-step search (literal.h), on the
// worked examples and hundreds of other tables, by the search fuzz target's.

#include "finder/number.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>

#include "finder/search.h"

namespace finder {
namespace {

// Source tables take the period alone, so that a comma there stays between two
// numbers. What the user types takes the comma as a decimal point as well,
// whatever the settings: nobody types "2,5" to mean 2.
TEST(Number, ReadsTheUsersTextsWithAPeriodOrAComma) {
  EXPECT_EQ(DecimalToFloat(".25"), 0.25f);
  EXPECT_EQ(DecimalToFloat("0." + std::string(50, '0') + "1"), 0.0f);
  for (const char* refused : {"-", "1.2.3", "--1", "1,5"})
    EXPECT_EQ(DecimalToFloat(refused), std::nullopt) << refused;
  EXPECT_TRUE(IsDecimal("1,5", ',') && IsDecimal("1.5", ','));
  EXPECT_FALSE(IsDecimal("1,5", '.') || IsDecimal("1,5.3", ',') || IsDecimal("-.", '.'));
  // clang-format off
  const struct { const char* text; double value; } leading[] = {
      {"4.75", 4.75}, {"24 00", 2400}, {"2,5", 2.5}, {"0,9", 0.9}, {"1.5,3", 1.5}, {"1,5.3", 1.5},
      {" ,5", 0.5}, {"abc", 0}, {"5-3", 5}, {"1e3", 1}, {"-2", -2}};
  // A degree: rounded, halves to the even neighbour, within 16 bits.
  const struct { const char* text; std::optional<std::int16_t> degree; } degrees[] = {
      {"2.5", 2}, {"3,5", 4}, {"-2.5", -2}, {"2,5001", 3}, {"32767", 32767}, {"-32768", -32768},
      {"32767.5", std::nullopt}, {"-32768.6", std::nullopt}};
  // clang-format on
  for (const auto& row : leading) EXPECT_EQ(LeadingNumber(row.text), row.value) << row.text;
  EXPECT_EQ(LeadingNumber(std::string(400, '9')), std::numeric_limits<double>::infinity());
  for (const auto& row : degrees) EXPECT_EQ(DegreeOf(row.text), row.degree) << row.text;
}

}  // namespace
}  // namespace finder
