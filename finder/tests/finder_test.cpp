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
using test::Said;
using test::Single;
using Ran = RunOutcome::Status;
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

// What a run says and where it ends; a refused run leaves the finder as degree 5 left it.
TEST(Basla, SaysWhatTheRunFoundAndRefusesWhatItCannotRun) {
  const std::string_view three = test::kThreePitches;
  const std::string huge = "0,3" + std::string(38, '0') + "\r\n0,3" + std::string(38, '0') + "\r\n";
  const std::string outOfRange = "Derece 1 ile 32766 arasında olmalı.";
  const struct {
    std::string_view table;
    SearchSettings settings;
    Ran status;
    std::string said;
    std::int32_t degree;  // where the run ended
    std::size_t bars;
  } rows[] = {
      {three, Single("12", kMax, "10"), Ran::NoneQualified, "12 eşit temperaman kriterleri sağlamadı.", 13,
       0},
      {"0,0\r\n100,-1\r\n200,2\r\n200,-1\r\n", Single("12", kMax, "1"), Ran::Found, "", 12, 1},
      {huge, Single("12", kMax, "1"), Ran::DurationTooLarge, "Süre toplamı sayı sınırını aşıyor.", 12, 0},
      {three, Single("0", kStd, "0"), Ran::DegreeOutOfRange, outOfRange, 6, 0},
      {three, Single("32767", kStd, "0"), Ran::DegreeOutOfRange, outOfRange, 6, 0},
      {three, Range("32765", "32767", kStd, "0"), Ran::DegreeOutOfRange, outOfRange, 6, 0},
      {three, Range("40000", "10", kStd, "0"), Ran::DegreeOutOfRange, outOfRange, 6, 0},  // beyond 16 bits
      {"", Single("12", kStd, "0"), Ran::NoTable, "Bir dosya seçin", 0, 0},
      {three, Single("2.5", kStd, "0"), Ran::NoneQualified, "2 eşit temperaman kriterleri sağlamadı.", 3, 0},
      {three, Range("20", "10", kStd, "0"), Ran::NoneQualified,
       "20-10 arasındaki temperamanlar kriterleri sağlamadı.", 20, 0},  // tries nothing
      {three, Range("0", "-5", kStd, "0"), Ran::NoneQualified,
       "0--5 arasındaki temperamanlar kriterleri sağlamadı.", 0, 0},
  };
  for (const auto& row : rows) {
    Fixture f(row.table);
    f.Run(Single("5", kStd, "1"));
    const RunOutcome run = f.Run(row.settings);
    EXPECT_EQ(std::tuple(run.status, Said(run), f.finder.CurrentDegree(), run.degree, run.rows.size()),
              std::tuple(row.status, row.said, row.degree, row.degree, row.bars));
  }
  Fixture largest(three);  // the largest degree, with 32767 steps
  EXPECT_EQ(Said(largest.Run(Single("32766", kStd, "0"))), "32766 eşit temperaman kriterleri sağlamadı.");
  EXPECT_EQ(largest.finder.StepTable().size(), 32767u);
}

}  // namespace
}  // namespace finder
