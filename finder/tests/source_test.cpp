// The tables the finder reads: its own source format and Scala scales.

#include "finder/source.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "finder/messages.h"
#include "finder/scala.h"
#include "literal.h"
#include "support.h"

namespace finder {
namespace {

// "cent/duration" of each record; the reading's status and line when refused.
template <typename Reading>
std::string Read(const Reading& reading) {
  std::ostringstream out;
  for (const SourceRecord& record : reading.records) out << record.Cent << '/' << record.Duration << ' ';
  if (reading.status != Reading::Status::Ok) out << static_cast<int>(reading.status) << '@' << reading.line;
  return out.str();
}

TEST(ParseSource, ReadsNumbersTwoAtATimeWhateverTheLinesOrNamesTheLineOfTheFault) {
  const std::string forty9s(40, '9');
  // "cent/duration" of each record, or the refusal as "status@line": 1 a number
  // expected, 2 a number too large, 3 a pitch above the octave.
  // clang-format off
  const std::pair<std::string, const char*> rows[] = {
      {"100,1,200,2\r\n", "100/1 200/2 "}, {"386,3,2\r\n700\r\n", "386/3 2/700 "},  // a decimal comma shifts the pairs
      {"0,0.5\r\n1200,-1\r\n-5.25,+2\r\n", "0/0.5 1200/-1 1194.75/2 "}, {"\r\n", ""},
      {"\xEF\xBB\xBF\r\n100 1\n\n  \r\n200\t, 2   \r\n\r\n  ", "100/1 200/2 "},
      {"100,1\r\n\r\n1e3,1\r\n", "1@3"}, {"100,1\r\n200\r\n\r\n", "1@2"},  // the last duration missing
      {"100,,1\r\n", "1@1"}, {"100,1\r\n200\r\n,\r\n", "1@3"},  // a comma last, on a line of its own
      {"100,1\r200,x", "1@2"},  // a carriage return alone ends a line
      {"100," + forty9s + "\r\n", "2@1"}, {"100,1\r\n-" + forty9s + ",1\r\n", "2@2"}, {forty9s + ",1\r\n", "3@1"},
      {forty9s + ",x\r\n", "1@1"},  // its record whole first
      {"1300,1\r\n200,x\r\n", "3@1"}, {"100,x\r\n1300,1\r\n", "1@1"}};
  // clang-format on
  for (const auto& [text, read] : rows) EXPECT_EQ(Read(ParseSource(text)), read) << text;
}

TEST(ParseScala, ReadsPitchesAfterTheImpliedUnisonAndLeavesTheOctaveOut) {
  // clang-format off
  const std::tuple<std::string, const char*, const char*> rows[] = {
      {"! a\r\n!\r\nSaf majör\r\n 3\r\n!\r\n 9/8\r\n 5/4 üçlü\r\n! b\r\n\t2/1\r\n", "Saf majör", "0/1 203.91/1 386.314/1 "},
      {"\n3\n  -5.5 pes\n700.\n2", "", "0/1 1194.5/1 700/1 "}, {"x\r2\r100.0\r1200.000\r\r  \r", "x", "0/1 100/1 "},
      // a value ends where a character that cannot continue it begins
      {"d\r\n4!dört\r\n4/3!or 3\r\n9/8!\r\n701.955cents\r\n2/1\r\n", "d", "0/1 498.045/1 203.91/1 701.955/1 "},
      // below 1/1, an octave up
      {"d\r\n3\r\n15/16\r\n1/4\r\n-1200.0\r\n", "d", "0/1 1088.27/1 0/1 0/1 "},
      {"\xEF\xBB\xBF" "12\r\n 0\r\n\r\n", "12", "0/1 "}};
  const std::pair<std::string, const char*> refused[] = {
      {"", "sayı bekleniyordu (satır 1)"}, {"! a\r\nd\r\n! b\r\n", "sayı bekleniyordu (satır 4)"},
      {"d\r\n2\r\n3/2\r\n\r\n2/1\r\n", "sayı bekleniyordu (satır 4)"},
      {"d\r\n1\r\n36893488147419103232/3\r\n", "sayı çok büyük (satır 3)"},
      {"d\r\n1\r\n3/1!or 3\r\n", "1200 sentin üstünde perde var (satır 3)"},
      {"d\r\n1\r\n-1" + std::string(40, '0') + ".0\r\n", "sayı çok büyük (satır 3)"},
      {"d\r\n1\r\n3/!\r\n", "sayı bekleniyordu (satır 3)"},
      {"d\r\n2\r\n3/2\r\n-5/4\r\n", "oran 0'dan büyük olmalı (satır 4)"}, {"d\r\n1\r\n3/0\r\n", "oran 0'dan büyük olmalı (satır 3)"},
      {"d\r\n1\r\n1" + std::string(40, '0') + ".0\r\n", "1200 sentin üstünde perde var (satır 3)"},
      {"! c\r\nd\r\n 3\r\n9/8\r\n! c\r\n5/4\r\n", "3 perde yazılı ama 2 perde satırı var (satır 3)"},
      {"d\r\n1\r\n9/8\r\n\r\n5/4\r\n4/3\r\n", "1 perde yazılı ama 3 perde satırı var (satır 2)"},
      {"d\r\n2147483647\r\n", "2147483647 perde yazılı ama 0 perde satırı var (satır 2)"},
      {"d\r\n2147483648\r\n", "sayı çok büyük (satır 2)"}};
  // clang-format on
  for (const auto& [text, description, read] : rows) {
    const ScalaReading reading = ParseScala(text);
    EXPECT_EQ(reading.description, description);
    EXPECT_EQ(Read(reading), read) << text;
  }
  for (const auto& [text, message] : refused)
    EXPECT_EQ(messages::MessageOf(ParseScala(text)), "Scala dosyasında " + std::string(message) + ".");
}

// The tempered scale names the steps that took pitches, in Windows-1254; that it
// and the table read back as they were, to the bit, the run and source fuzz
// targets' replays hold on hundreds of inputs.
TEST(ScalaWriters, WriteTheTemperedScaleAndTheTable) {
  std::vector<StepRecord> steps;
  BuildStepTable(4, steps);
  for (const std::size_t k : {0, 1, 3, 4}) steps[k].Count = 1;  // 0 and the octave are never written
  EXPECT_EQ(TemperedScale("dört.scl", "kaynak.scl", steps),
            "! d\xF6rt.scl\r\n!\r\n4 e\xFEit temperaman, kaynak: kaynak.scl\r\n 3\r\n!\r\n"
            "! 1. basamak\r\n 300.000000\r\n! 3. basamak\r\n 900.000000\r\n 2/1\r\n");
  const SourceRecord table[] = {
      {.Cent = 0, .Duration = 1}, {.Cent = 22.641508f, .Duration = 1}, {.Cent = -5.25f, .Duration = 0.5f}};
  EXPECT_EQ(SourceTableText(table), "0.0,1\r\n22.641508,1\r\n-5.25,0.5\r\n");
}

// A pitch below 0 is taken up by whole octaves, the sum exact and rounded
// once: each row's pitch, read from a table and from a Scala scale, must come
// out as the long way's digits make it, and where the row says.
TEST(IntoOctave, TakesAPitchBelowZeroUpByOctavesExactlyAndRoundsOnce) {
  const struct {
    const char* name;
    float cent;
    float want;  // 0 where the long way alone says
  } rows[] = {
      {"fifty below", -50.0f, 1150.0f},
      {"an octave below", -1200.0f, 0.0f},
      {"two octaves below and fifty", -2450.0f, 1150.0f},
      {"a fraction below", -0.25f, 1199.75f},
      {"so little below that the sum rounds to 1200", -1e-30f, 1200.0f},
      {"the smallest float below 0", -std::numeric_limits<float>::denorm_min(), 1200.0f},
      {"half the gap below 1200, exactly", -std::ldexp(1.0f, -14), 1200.0f},  // a tie to the even 1200
      {"a little more than half the gap", -std::nextafter(std::ldexp(1.0f, -14), 1.0f), 0},
      {"where double is exact no more", -std::ldexp(1.0f, -19), 1200.0f},
      {"the largest float below 0", -std::numeric_limits<float>::max(), 0},
      {"a whole number far below", -1e20f, 0},
      {"0 and above stay", 600.0f, 600.0f},
      {"1200 stays", 1200.0f, 1200.0f},
  };
  for (const auto& row : rows) {
    const float want = row.want != 0 || row.cent == -1200.0f ? row.want : test::LiteralIntoOctave(row.cent);
    EXPECT_EQ(test::Bits(test::LiteralIntoOctave(row.cent)), test::Bits(want)) << row.name;
    EXPECT_EQ(test::Bits(IntoOctave(row.cent)), test::Bits(want)) << row.name;
    EXPECT_TRUE(want >= 0.0f && want <= 1200.0f) << row.name;
    char text[200];
    const std::string cent(text,
                           std::to_chars(text, text + sizeof text, row.cent, std::chars_format::fixed).ptr);
    const SourceReading table = ParseSource(cent + ",1\r\n");
    ASSERT_EQ(table.records.size(), 1u) << row.name;
    EXPECT_EQ(test::Bits(table.records[0].Cent), test::Bits(want)) << row.name;
  }
  // Floats of every size below 0, against the long way.
  std::uint32_t bits = 0x80000001u;
  for (int i = 0; i < 20000; ++i, bits = 0x80000000u | (bits * 2654435761u + 12345u) % 0x7F800000u) {
    const float cent = std::bit_cast<float>(bits);
    ASSERT_EQ(test::Bits(IntoOctave(cent)), test::Bits(test::LiteralIntoOctave(cent))) << cent;
  }
}

// Pitches repeat at the octave in all the finder measures: −50 cents fits 12
// no better than 1150 does, where it once counted as a hit on step 0.
TEST(IntoOctave, APitchBelowZeroFitsAsItsOctaveAboveDoes) {
  for (const char* below : {"-50", "-1250", "-50.0"}) {
    test::Fixture low("0,1\r\n" + std::string(below) + ",1\r\n");
    test::Fixture high("0,1\r\n1150,1\r\n");
    const RunOutcome a = low.Run(test::Single("12", Criterion::MaxDeviation, "100"));
    const RunOutcome b = high.Run(test::Single("12", Criterion::MaxDeviation, "100"));
    EXPECT_EQ(a.spread.MaxDeviation, 25.0f) << below;
    EXPECT_EQ(a.spread.MaxDeviation, b.spread.MaxDeviation) << below;
    EXPECT_EQ(a.rows.size(), 2u) << below;
  }
}

}  // namespace
}  // namespace finder
