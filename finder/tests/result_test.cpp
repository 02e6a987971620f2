#include "finder/result.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "finder/codepage.h"
#include "support.h"

namespace finder {
namespace {

using test::Fixture;
using test::Said;
using test::Single;
constexpr Criterion kMax = Criterion::MaxDeviation;

// The heading lines as Windows-1254 bytes: "Süre" has ü as 0xFC.
const std::string kHeading =
    "Derece      Cent           Adet       S\xFCre\r\n"
    "-------------------------------------------------------\r\n";

TEST(SonucYaz, WritesEveryStepWithADuration) {
  const struct {
    const char* name;
    std::string_view table;
    char separator;
    std::string lines;
  } rows[] = {
      {"the worked example", test::kThreePitches, '.',
       "     000       000.0000        01      1.00000\r\n"
       "     004       400.0000        01      0.50000\r\n"
       "     007       700.0000        01      0.50000\r\n"},
      {"a comma separator, step 4 lasting 0", "0,2\r\n386,0\r\n702,1\r\n", ',',
       "     000       000,0000        01      1,00000\r\n"
       "     007       700,0000        01      0,50000\r\n"},
      // The share of the smallest float over 10 is 0: the step still has its line.
      {"a duration too small to have a share",
       "0,10\r\n386,0.000000000000000000000000000000000000000000001\r\n", '.',
       "     000       000.0000        01      1.00000\r\n"
       "     004       400.0000        01      0.00000\r\n"},
  };
  for (const auto& row : rows) {
    Fixture f(row.table);
    ASSERT_TRUE(test::Found(f.Run(Single("12", kMax, "11")))) << row.name;
    EXPECT_EQ(f.finder.SonucYaz(row.separator), kHeading + row.lines) << row.name;
  }
}

TEST(SonucYaz, AfterARunThatFoundNothingWritesTheHeadingOnly) {
  const struct {
    const char* name;
    SearchSettings settings;
  } rows[] = {
      {"degree 12 misses the limit", Single("12", kMax, "1")},
      {"a range that tries no degree", test::Range("20", "10", kMax, "11")},
  };
  for (const auto& row : rows) {
    Fixture f(test::kThreePitches);
    ASSERT_TRUE(test::Found(f.Run(Single("12", kMax, "11"))));
    ASSERT_FALSE(test::Found(f.Run(row.settings)));
    EXPECT_EQ(f.finder.SonucYaz('.'), kHeading) << row.name;
  }
}

TEST(SonucYaz, RefusesBeforeAnyRun) {
  Fixture f(test::kThreePitches);
  EXPECT_EQ(f.finder.SonucYaz('.'), std::nullopt);
  EXPECT_EQ(Said(PrintOutcome::NoRun), "Önce çalıştırın.");
  EXPECT_EQ(Said(PrintOutcome::Written), "");
}

TEST(Windows1254, WritesOneByteACharacter) {
  const struct {
    const char* name;
    std::string utf8;
    std::string bytes;
  } rows[] = {
      {"ASCII stays", "Cent 1.5\r\n", "Cent 1.5\r\n"},
      {"Turkish letters", "ÇçĞğİıÖöŞşÜü", "\xC7\xE7\xD0\xF0\xDD\xFD\xD6\xF6\xDE\xFE\xDC\xFC"},
      {"signs of 0x80 to 0x9F", "€–™", "\x80\x96\x99"},
      {"Icelandic letters the code page replaced", "ÐÞ", "??"},
      {"outside the code page", "ä中😀", "\xE4??"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(Windows1254(row.utf8), row.bytes) << row.name;
  }
}

}  // namespace
}  // namespace finder
