#include "finder/result.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "finder/codepage.h"
#include "support.h"

namespace finder {
namespace {

using test::Fixture;
using test::ReadAll;
using test::Single;
using Calls = std::vector<std::string>;
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
  };
  for (const auto& row : rows) {
    Fixture f(row.table);
    ASSERT_TRUE(f.Run(Single("12", kMax, "11"))) << row.name;
    f.window.calls.clear();
    f.finder.SonucYaz(f.folder.path(), row.separator);
    EXPECT_EQ(f.window.calls, (Calls{"busy", "normal"})) << row.name;
    EXPECT_EQ(ReadAll(f.folder.path() / "sonuc.csv"), kHeading + row.lines) << row.name;
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
    ASSERT_TRUE(f.Run(Single("12", kMax, "11")));
    ASSERT_FALSE(f.Run(row.settings));
    f.finder.SonucYaz(f.folder.path(), '.');
    EXPECT_EQ(ReadAll(f.folder.path() / "sonuc.csv"), kHeading) << row.name;
  }
}

TEST(SonucYaz, RefusesBeforeAnyRunAndReportsAFileItCannotWrite) {
  Fixture f(test::kThreePitches);
  f.finder.SonucYaz(f.folder.path(), '.');
  EXPECT_EQ(f.window.calls, Calls{"Önce çalıştırın."});
  EXPECT_FALSE(std::filesystem::exists(f.folder.path() / "sonuc.csv"));

  ASSERT_TRUE(f.Run(Single("12", kMax, "11")));
  std::filesystem::create_directory(f.folder.path() / "sonuc.csv");
  for (const std::filesystem::path& folder : {f.folder.path() / "missing", f.folder.path()}) {
    f.window.calls.clear();
    f.finder.SonucYaz(folder, '.');
    EXPECT_EQ(f.window.calls, (Calls{"busy", "normal", "Dosya yazılamadı: sonuc.csv"})) << folder;
    EXPECT_FALSE(std::filesystem::exists(folder / "sonuc.csv.part")) << folder;
  }
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
