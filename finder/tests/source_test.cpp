#include "finder/source.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace finder {
namespace {

using Pairs = std::vector<std::pair<float, float>>;

Pairs PairsOf(const SourceReading& reading) {
  Pairs pairs;
  for (const SourceRecord& record : reading.records) {
    EXPECT_EQ(record.Deviation, 0.0f);
    EXPECT_EQ(record.Step, 0.0f);
    pairs.emplace_back(record.Cent, record.Duration);
  }
  return pairs;
}

TEST(ParseSource, ReadsNumbersTwoAtATimeWhateverTheLines) {
  const struct {
    const char* name;
    std::string text;
    Pairs pairs;
  } rows[] = {
      {"two records on one line", "100,1,200,2\r\n", {{100, 1}, {200, 2}}},
      {"two records on two lines", "100,1\r\n200,2\r\n", {{100, 1}, {200, 2}}},
      {"a decimal comma shifts the pairs", "386,3,2\r\n700\r\n", {{386, 3}, {2, 700}}},
      {"fractions, signs, 0 and 1200",
       "0,0.5\r\n1200,-1\r\n-5.25,+2\r\n",
       {{0, 0.5f}, {1200, -1}, {-5.25f, 2}}},
      {"blanks as separators", "100 1\t200  2", {{100, 1}, {200, 2}}},
      {"blanks around commas", "100 , 1 ,200,\r\n2\r\n", {{100, 1}, {200, 2}}},
      {"blank lines and trailing blanks", "\r\n100,1\r\n\r\n   \r\n200,2   \r\n\r\n  ", {{100, 1}, {200, 2}}},
      {"line feeds alone", "100,1\n200,2\n", {{100, 1}, {200, 2}}},
      {"no final line end", "100,1", {{100, 1}}},
      {"byte order mark",
       "\xEF\xBB\xBF"
       "100,1\r\n",
       {{100, 1}}},
      {"only line ends", "\r\n\r\n", {}},
  };
  for (const auto& row : rows) {
    const SourceReading reading = ParseSource(row.text);
    EXPECT_EQ(reading.status, SourceReading::Status::Ok) << row.name;
    EXPECT_EQ(PairsOf(reading), row.pairs) << row.name;
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
      {"a semicolon", "100;1\r\n", Status::NumberExpected, 1},
      {"an exponent", "100,1\r\n\r\n1e3,1\r\n", Status::NumberExpected, 3},
      {"the last duration missing", "100,1\r\n200\r\n\r\n", Status::NumberExpected, 2},
      {"a comma last", "100,1\r\n200,\r\n", Status::NumberExpected, 2},
      {"two commas", "100,,1\r\n", Status::NumberExpected, 1},
      {"a comma first", ",100,1\r\n", Status::NumberExpected, 1},
      {"a carriage return alone ends a line", "100,1\r200,x", Status::NumberExpected, 2},
      {"a duration too large for a float", "100," + forty9s + "\r\n", Status::NumberTooLarge, 1},
      {"a pitch far below 0", "100,1\r\n-" + forty9s + ",1\r\n", Status::NumberTooLarge, 2},
      {"a pitch too large for a float is above the octave", forty9s + ",1\r\n", Status::OutOfOctave, 1},
      {"its record whole first", forty9s + ",x\r\n", Status::NumberExpected, 1},
      {"a cent above 1200 in the last record", "0,1\r\n700,1\r\n1200.01,1\r\n", Status::OutOfOctave, 3},
      {"a cent above 1200 before a fault", "1300,1\r\n200,x\r\n", Status::OutOfOctave, 1},
      {"a fault before a cent above 1200", "100,x\r\n1300,1\r\n", Status::NumberExpected, 1},
      {"a cent above 1200 without its duration", "1300\r\n", Status::NumberExpected, 1},
  };
  for (const auto& row : rows) {
    const SourceReading reading = ParseSource(row.text);
    EXPECT_EQ(reading.status, row.status) << row.name;
    EXPECT_EQ(reading.line, row.line) << row.name;
  }
}

}  // namespace
}  // namespace finder
