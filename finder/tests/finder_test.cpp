#include "finder/finder.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "finder/number.h"
#include "literal.h"
#include "support.h"

namespace finder {
namespace {

using test::Fixture;
using test::Range;
constexpr Criterion kMax = Criterion::MaxDeviation;
constexpr Criterion kStd = Criterion::StandardDeviation;

// The settings as the user types them: a comma is a decimal point only where it
// is the user's separator; the period always is.
TEST(Settings, ReadsTheUsersTextsWithTheirSeparator) {
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
  // A degree: rounded, halves to the even neighbour, within 16 bits.
  const struct { const char* text; std::optional<std::int16_t> degree; } degrees[] = {
      {"2.5", 2}, {"3,5", 4}, {"-2.5", -2}, {"2,5001", 3}, {"32767", 32767}, {"-32768", -32768},
      {"32767.5", std::nullopt}, {"-32768.6", std::nullopt}};
  // clang-format on
  for (const auto& row : leading) EXPECT_EQ(LeadingNumber(row.text, row.separator), row.value) << row.text;
  EXPECT_EQ(LeadingNumber(std::string(400, '9'), '.'), std::numeric_limits<double>::infinity());
  for (const auto& row : degrees) EXPECT_EQ(DegreeOf(row.text, ','), row.degree) << row.text;
}

// The worked examples, bit for bit as the step-by-step search has them; the
// search fuzz target's replay holds the two alike on hundreds of other tables.
TEST(Basla, AgreesBitForBitWithTheStepByStepSearchOnTheWorkedExamples) {
  const std::vector<SourceRecord> records = ParseSource(test::kThreePitches).records;
  const std::tuple<std::int32_t, std::int32_t, Criterion, float> rows[] = {
      {12, 12, kMax, 10}, {12, 12, kMax, 11}, {12, 12, kStd, 8.2f}, {5, 60, kMax, 5}, {5, 60, kStd, 5}};
  for (const auto& [start, stop, criterion, limit] : rows) {
    Fixture f(test::kThreePitches);
    const RunOutcome run =
        f.Run(Range(std::to_string(start), std::to_string(stop), criterion, std::to_string(limit)));
    EXPECT_EQ(test::Difference(f.finder, run, test::LiteralSearch(records, start, stop, criterion, limit)),
              "")
        << start << ' ' << limit;
  }
}

}  // namespace
}  // namespace finder
