// The tables the finder reads: its own source format and Scala scales.

#include "finder/source.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "finder/messages.h"
#include "finder/scala.h"
#include "support.h"

namespace finder {
namespace {

// "cent/duration" of each record.
std::string PairsOf(const std::vector<SourceRecord>& records) {
  std::ostringstream out;
  for (const SourceRecord& record : records) out << record.Cent << '/' << record.Duration << ' ';
  return out.str();
}

TEST(ParseSource, ReadsNumbersTwoAtATimeWhateverTheLines) {
  const struct {
    const char* name;
    std::string text;
    const char* pairs;
  } rows[] = {
      {"two records on one line", "100,1,200,2\r\n", "100/1 200/2 "},
      {"a decimal comma shifts the pairs", "386,3,2\r\n700\r\n", "386/3 2/700 "},
      {"fractions, signs, 0 and 1200", "0,0.5\r\n1200,-1\r\n-5.25,+2\r\n", "0/0.5 1200/-1 -5.25/2 "},
      {"blanks as separators and around commas", "100 1\t200 , 2", "100/1 200/2 "},
      {"blank lines, trailing blanks, line feeds", "\r\n100,1\n\n   \r\n200,2   \r\n\r\n  ", "100/1 200/2 "},
      {"a byte order mark, no final line end",
       "\xEF\xBB\xBF"
       "100,1",
       "100/1 "},
      {"only line ends", "\r\n\r\n", ""},
  };
  for (const auto& row : rows) {
    const SourceReading reading = ParseSource(row.text);
    EXPECT_EQ(reading.status, SourceReading::Status::Ok) << row.name;
    EXPECT_EQ(PairsOf(reading.records), row.pairs) << row.name;
  }
}

TEST(ParseSource, RefusesAMalformedFileAtTheLineOfTheFault) {
  using Status = SourceReading::Status;
  const std::string forty9s(40, '9');
  const struct {
    const char* name;
    std::string text;
    Status status;
    std::int32_t line;
  } rows[] = {
      {"a word", "100,1\r\n200,abc\r\n", Status::NumberExpected, 2},
      {"an exponent", "100,1\r\n\r\n1e3,1\r\n", Status::NumberExpected, 3},
      {"the last duration missing", "100,1\r\n200\r\n\r\n", Status::NumberExpected, 2},
      {"two commas", "100,,1\r\n", Status::NumberExpected, 1},
      {"a carriage return alone ends a line", "100,1\r200,x", Status::NumberExpected, 2},
      {"a duration too large for a float", "100," + forty9s + "\r\n", Status::NumberTooLarge, 1},
      {"a pitch far below 0", "100,1\r\n-" + forty9s + ",1\r\n", Status::NumberTooLarge, 2},
      {"a pitch too large for a float is above the octave", forty9s + ",1\r\n", Status::OutOfOctave, 1},
      {"its record whole first", forty9s + ",x\r\n", Status::NumberExpected, 1},
      {"a cent above 1200 before a fault", "1300,1\r\n200,x\r\n", Status::OutOfOctave, 1},
      {"a fault before a cent above 1200", "100,x\r\n1300,1\r\n", Status::NumberExpected, 1},
  };
  for (const auto& row : rows) {
    const SourceReading reading = ParseSource(row.text);
    EXPECT_EQ(reading.status, row.status) << row.name;
    EXPECT_EQ(reading.line, row.line) << row.name;
  }
}

TEST(ParseScala, ReadsPitchesAfterTheImpliedUnisonAndLeavesTheOctaveOut) {
  const struct {
    const char* name;
    std::string text;
    const char* description;
    const char* pairs;
  } rows[] = {
      {"ratios, comments anywhere, words after a value",
       "! a\r\n!\r\nSaf majör\r\n 3\r\n!\r\n 9/8\r\n 5/4 üçlü\r\n! b\r\n\t2/1\r\n", "Saf majör",
       "0/1 203.91/1 386.314/1 "},
      {"a blank description, cents, whole numbers; 2 is the octave", "\n3\n  -5.5 pes\n700.\n2\n", "",
       "0/1 -5.5/1 700/1 "},
      {"1200 cents closes too; blank lines after the last pitch", "x\r2\r100.0\r1200.000\r\r  \r", "x",
       "0/1 100/1 "},
      {"no pitches; a description that looks like a count",
       "\xEF\xBB\xBF"
       "12\r\n 0\r\n\r\n",
       "12", "0/1 "},
  };
  for (const auto& row : rows) {
    const ScalaReading reading = ParseScala(row.text);
    ASSERT_EQ(reading.status, ScalaReading::Status::Ok) << row.name;
    EXPECT_EQ(reading.description, row.description) << row.name;
    EXPECT_EQ(PairsOf(reading.records), row.pairs) << row.name;
  }
}

TEST(ParseScala, RefusesAMalformedScaleNamingTheLine) {
  const struct {
    std::string text;
    const char* message;
  } rows[] = {
      {"", "sayı bekleniyordu (satır 1)"},
      {"! a\r\nd\r\n! b\r\n", "sayı bekleniyordu (satır 4)"},
      {"d\r\n-1\r\n", "sayı bekleniyordu (satır 2)"},
      {"d\r\n1\r\n3/2/1\r\n", "sayı bekleniyordu (satır 3)"},
      {"d\r\n2\r\n3/2\r\n\r\n2/1\r\n", "sayı bekleniyordu (satır 4)"},
      {"d\r\n1\r\n36893488147419103232/3\r\n", "sayı çok büyük (satır 3)"},
      {"d\r\n2\r\n3/2\r\n-5/4\r\n", "oran 0'dan büyük olmalı (satır 4)"},
      {"d\r\n1\r\n3/0\r\n", "oran 0'dan büyük olmalı (satır 3)"},
      {"d\r\n2\r\n2\r\n3\r\n", "1200 sentin üstünde perde var (satır 4)"},
      {"d\r\n1\r\n1" + std::string(40, '0') + ".0\r\n", "1200 sentin üstünde perde var (satır 3)"},
      {"! c\r\nd\r\n 3\r\n9/8\r\n! c\r\n5/4\r\n", "3 perde yazılı ama 2 perde satırı var (satır 3)"},
      {"d\r\n1\r\n9/8\r\n\r\n5/4\r\n4/3\r\n", "1 perde yazılı ama 3 perde satırı var (satır 2)"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(messages::MessageOf(ParseScala(row.text)), std::string("Scala dosyasında ") + row.message + ".")
        << row.text;
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
  ASSERT_EQ(tempered.records.size(), 53u);
  for (std::size_t k = 0; k < 53; ++k) EXPECT_NEAR(tempered.records[k].Cent, steps[k].Cent, 1e-4) << k;

  const std::vector<SourceRecord> records = {{.Cent = 0, .Duration = 1},
                                             {.Cent = -5.25f, .Duration = 0.5f},
                                             {.Cent = tempered.records[17].Cent, .Duration = 3}};
  const std::string table = SourceTableText(records);
  EXPECT_TRUE(table.starts_with("0.0,1\r\n-5.25,0.5\r\n")) << table;
  const SourceReading back = ParseSource(table);
  ASSERT_EQ(back.records.size(), records.size());
  for (std::size_t i = 0; i < records.size(); ++i) {
    EXPECT_EQ(test::Bits(back.records[i].Cent), test::Bits(records[i].Cent)) << i;
    EXPECT_EQ(back.records[i].Duration, records[i].Duration) << i;
  }
}

}  // namespace
}  // namespace finder
