#include "finder/scala.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "finder/messages.h"
#include "support.h"

namespace finder {
namespace {

std::vector<float> CentsOf(const std::vector<SourceRecord>& records) {
  std::vector<float> cents;
  for (const SourceRecord& record : records) {
    EXPECT_EQ(record.Duration, 1.0f);
    cents.push_back(record.Cent);
  }
  return cents;
}

TEST(ParseScala, ReadsPitchesAfterTheImpliedUnisonAndLeavesTheOctaveOut) {
  const struct {
    const char* name;
    std::string text;
    std::string description;
    std::vector<float> cents;  // to a thousandth of a cent
  } rows[] = {
      {"ratios, comments anywhere, words after a value",
       "! saf.scl\r\n!\r\nSaf majör\r\n 7\r\n!\r\n 9/8\r\n 5/4 büyük üçlü\r\n! yorum\r\n 4/3\r\n3/2\r\n"
       " 5/3\r\n\t15/8\r\n 2/1\r\n",
       "Saf majör",
       {0, 203.910f, 386.314f, 498.045f, 701.955f, 884.359f, 1088.269f}},
      {"a blank description, cents, whole numbers; 2 is the octave",
       "\n3\n  -5.5 pes\n700.\n2\n",
       "",
       {0, -5.5f, 700}},
      {"1200 cents closes too; blank lines after the last pitch",
       "x\r2\r100.0\r1200.000\r\r  \r",
       "x",
       {0, 100}},
      {"no pitches; a description that looks like a count",
       "\xEF\xBB\xBF"
       "12\r\n 0\r\n\r\n",
       "12",
       {0}},
  };
  for (const auto& row : rows) {
    const ScalaReading reading = ParseScala(row.text);
    ASSERT_EQ(reading.status, ScalaReading::Status::Ok) << row.name;
    EXPECT_EQ(reading.description, row.description) << row.name;
    const std::vector<float> cents = CentsOf(reading.records);
    ASSERT_EQ(cents.size(), row.cents.size()) << row.name;
    for (std::size_t i = 0; i < cents.size(); ++i) EXPECT_NEAR(cents[i], row.cents[i], 5e-4) << row.name;
  }
}

TEST(ParseScala, RefusesAMalformedScaleNamingTheLine) {
  const struct {
    const char* name;
    std::string text;
    const char* message;
  } rows[] = {
      // clang-format off
      {"an empty file", "", "sayı bekleniyordu (satır 1)"},
      {"no count", "! a\r\nd\r\n! b\r\n", "sayı bekleniyordu (satır 4)"},
      {"a count that is no whole number", "d\r\n-1\r\n", "sayı bekleniyordu (satır 2)"},
      {"a word", "d\r\n2\r\n3/2\r\nla\r\n", "sayı bekleniyordu (satır 4)"},
      {"two slashes", "d\r\n1\r\n3/2/1\r\n", "sayı bekleniyordu (satır 3)"},
      {"a blank line among the pitches", "d\r\n2\r\n3/2\r\n\r\n2/1\r\n", "sayı bekleniyordu (satır 4)"},
      {"a ratio beyond 64 bits", "d\r\n1\r\n36893488147419103232/3\r\n", "sayı çok büyük (satır 3)"},
      {"a ratio of 0", "d\r\n1\r\n0/1\r\n", "oran 0'dan büyük olmalı (satır 3)"},
      {"a ratio below 0", "d\r\n2\r\n3/2\r\n-5/4\r\n", "oran 0'dan büyük olmalı (satır 4)"},
      {"a denominator of 0", "d\r\n1\r\n3/0\r\n", "oran 0'dan büyük olmalı (satır 3)"},
      {"a pitch above the octave", "d\r\n2\r\n2\r\n3\r\n", "1200 sentin üstünde perde var (satır 4)"},
      {"cents too large for a float", "d\r\n1\r\n1" + std::string(40, '0') + ".0\r\n",
       "1200 sentin üstünde perde var (satır 3)"},
      {"fewer pitch lines than the count", "! c\r\nd\r\n 3\r\n9/8\r\n! c\r\n5/4\r\n",
       "3 perde yazılı ama 2 perde satırı var (satır 3)"},
      {"more pitch lines than the count", "d\r\n1\r\n9/8\r\n\r\n5/4\r\n4/3\r\n",
       "1 perde yazılı ama 3 perde satırı var (satır 2)"},
      // clang-format on
  };
  for (const auto& row : rows) {
    EXPECT_EQ(messages::MessageOf(ParseScala(row.text)), std::string("Scala dosyasında ") + row.message + ".")
        << row.name;
  }
}

TEST(ScalaWriters, TheTemperedScaleReadsBackAsItsStepsAndTheTableAsItsRecords) {
  std::vector<StepRecord> steps;
  BuildStepTable(4, steps);
  for (const std::size_t k : {0, 1, 3, 4}) steps[k].Count = 1;  // 0 and the octave are never written
  EXPECT_EQ(TemperedScale("dört.scl", "kaynak.scl", steps),
            "! d\xF6rt.scl\r\n!\r\n4 e\xFEit temperaman, kaynak: kaynak.scl\r\n 3\r\n!\r\n"
            "! 1. basamak\r\n 300.000000\r\n! 3. basamak\r\n 900.000000\r\n 2/1\r\n");

  BuildStepTable(53, steps);
  for (StepRecord& step : steps) step.Count = 1;
  const ScalaReading tempered = ParseScala(TemperedScale("53.scl", "rast.scl", steps));
  ASSERT_EQ(tempered.status, ScalaReading::Status::Ok);
  ASSERT_EQ(tempered.records.size(), 53u);
  for (std::size_t k = 0; k < 53; ++k) EXPECT_NEAR(tempered.records[k].Cent, steps[k].Cent, 1e-4) << k;

  const std::vector<SourceRecord> records = {{.Cent = 0, .Duration = 1},
                                             {.Cent = 701.955f, .Duration = 1},
                                             {.Cent = -5.25f, .Duration = 0.5f},
                                             {.Cent = tempered.records[17].Cent, .Duration = 3}};
  const std::string table = SourceTableText(records);
  EXPECT_TRUE(table.starts_with("0.0,1\r\n701.955,1\r\n-5.25,0.5\r\n")) << table;
  const SourceReading back = ParseSource(table);
  ASSERT_EQ(back.records.size(), records.size());
  for (std::size_t i = 0; i < records.size(); ++i) {
    EXPECT_EQ(test::Bits(back.records[i].Cent), test::Bits(records[i].Cent)) << i;
    EXPECT_EQ(back.records[i].Duration, records[i].Duration) << i;
  }
}

}  // namespace
}  // namespace finder
