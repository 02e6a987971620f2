// The result file: its text, its code page, and its saving whole.

#include "finder/result.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <map>
#include <optional>
#include <string>

#include "finder/codepage.h"
#include "finder/files.h"
#include "support.h"

namespace finder {
namespace {

using test::Fixture;
using test::Single;
constexpr Criterion kMax = Criterion::MaxDeviation;

// The heading lines as Windows-1254 bytes: "Süre" has ü as 0xFC.
const std::string kHeading =
    "Derece      Cent           Adet       S\xFCre\r\n"
    "-------------------------------------------------------\r\n";

TEST(SonucYaz, WritesEveryStepWithADurationOfTheLastRun) {
  const struct {
    std::string_view table;
    char separator;
    std::string lines;
  } rows[] = {
      {test::kThreePitches, '.',  // the worked example
       "     000       000.0000        01      1.00000\r\n"
       "     004       400.0000        01      0.50000\r\n"
       "     007       700.0000        01      0.50000\r\n"},
      {"0,2\r\n386,0\r\n702,1\r\n", ',',  // step 4 lasting 0
       "     000       000,0000        01      1,00000\r\n"
       "     007       700,0000        01      0,50000\r\n"},
      // The share of the smallest float over 10 is 0: the step still has its line.
      {"0,10\r\n386,0.000000000000000000000000000000000000000000001\r\n", '.',
       "     000       000.0000        01      1.00000\r\n"
       "     004       400.0000        01      0.00000\r\n"},
  };
  for (const auto& row : rows) {
    Fixture f(row.table);
    EXPECT_EQ(f.finder.SonucYaz(row.separator), std::nullopt) << row.table;  // before any run
    ASSERT_TRUE(test::Found(f.Run(Single("12", kMax, "11")))) << row.table;
    EXPECT_EQ(f.finder.SonucYaz(row.separator), kHeading + row.lines) << row.table;
    f.finder.KaynakOku("100,1\r\n");  // another table read keeps what Print writes
    EXPECT_EQ(f.finder.SonucYaz(row.separator), kHeading + row.lines) << row.table;
    f.Run(test::Range("20", "10", kMax, "11"));  // a run that found nothing leaves the heading only
    EXPECT_EQ(f.finder.SonucYaz(row.separator), kHeading) << row.table;
  }
  const StepRow wide[] = {
      {.step = 1, .cent = 100, .count = 12345678, .share = 1}};  // a field that fills its place
  EXPECT_TRUE(ResultTable(wide, '.').ends_with("\n     001       100.0000        12345678 1.00000\r\n"));
  EXPECT_EQ(test::Said(PrintOutcome::NoRun), "Önce çalıştırın.");
  EXPECT_EQ(test::Said(PrintOutcome::Written), "");
}

// `in` converted by the system's iconv; none where it has no conversion.
std::optional<std::string> Iconv(const char* to, const char* from, std::string in) {
  const iconv_t cd = iconv_open(to, from);
  std::string out(16, '\0');
  char* inAt = in.data();
  char* outAt = out.data();
  std::size_t inLeft = in.size(), outLeft = out.size();
  const bool converted = iconv(cd, &inAt, &inLeft, &outAt, &outLeft) != static_cast<std::size_t>(-1);
  iconv_close(cd);
  if (!converted) return std::nullopt;
  out.resize(out.size() - outLeft);
  return out;
}

TEST(Windows1254, AgreesWithTheSystemsCodePageAndMarksTheRestWithAQuestionMark) {
  ASSERT_NE(Iconv("CP1254", "UTF-8", "ğ"), std::nullopt) << "the system's iconv has no CP1254";
  for (char32_t c = 1; c < 0x2200; ++c) {
    const char units[4] = {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8), 0, 0};
    const std::string utf8 = *Iconv("UTF-8", "UTF-32LE", std::string(units, 4));
    EXPECT_EQ(Windows1254(utf8 + "1"), Iconv("CP1254", "UTF-8", utf8).value_or("?") + "1")
        << std::hex << static_cast<std::uint32_t>(c);
  }
  // Beyond the Basic Multilingual Plane, overlong in two and in four bytes, a surrogate, above U+10FFFF, cut
  // off.
  EXPECT_EQ(Windows1254("😀\xC0\x80\xF0\x8F\xBF\xBF\xED\xA0\x80\xF4\x90\x80\x80"
                        "a\xE2\x82"),
            "??????????????a??");
}

// The system's calls, each write taking at most seven bytes, as the system may
// do, and the `failing`-th call (from 1) of create, write, flush, close and
// rename failing as a full disk makes it fail.
class FailingCalls : public SaveCalls {
 public:
  explicit FailingCalls(int failing) : failing_(failing) {}

  int Create(const std::filesystem::path& path) override { return Fails() ? -1 : SaveCalls::Create(path); }
  std::int64_t Write(int file, const char* data, std::size_t size) override {
    return Fails() ? -1 : SaveCalls::Write(file, data, std::min<std::size_t>(size, 7));
  }
  bool Flush(int file) override { return !Fails() && SaveCalls::Flush(file); }
  bool Close(int file) override { return SaveCalls::Close(file) && !Fails(); }
  bool Rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
    return !Fails() && SaveCalls::Rename(from, to);
  }

  int calls = 0;

 private:
  bool Fails() {
    errno = ENOSPC;
    return ++calls == failing_;
  }
  int failing_;
};

// Every file of a folder with its content.
std::map<std::string, std::string> ListingOf(const std::filesystem::path& folder) {
  std::map<std::string, std::string> listing;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    listing[entry.path().filename().string()] = test::ReadAll(entry.path());
  return listing;
}

TEST(SaveWhole, ReplacesTheOlderFileWholeOrLeavesTheFolderAsItWas) {
  const std::string older = "older result\r\n" + std::string(200, '-') + "\r\n";
  const std::string newer = kHeading + std::string(30, '+');
  FailingCalls counting(0);
  {
    test::ScratchFolder scratch;
    scratch.Write("sonuc.csv", older);
    scratch.Write("sonuc.csv.part", "a stale temporary");
    ASSERT_TRUE(SaveWhole(scratch.path() / kResultFile, newer, counting));
    EXPECT_EQ(ListingOf(scratch.path()), (std::map<std::string, std::string>{{"sonuc.csv", newer}}));
  }
  ASSERT_EQ(counting.calls, 1 + static_cast<int>(newer.size() + 6) / 7 + 3);
  for (const bool hasOlder : {false, true}) {
    for (int failing = 1; failing <= counting.calls; ++failing) {
      test::ScratchFolder scratch;
      if (hasOlder) scratch.Write("sonuc.csv", older);
      const auto before = ListingOf(scratch.path());
      FailingCalls calls(failing);
      EXPECT_FALSE(SaveWhole(scratch.path() / kResultFile, newer, calls)) << failing;
      EXPECT_EQ(ListingOf(scratch.path()), before)
          << "call " << failing << (hasOlder ? " over an older file" : "");
    }
  }
  EXPECT_EQ(test::Said(PrintOutcome::Unwritable), "Dosya yazılamadı: sonuc.csv");
}

}  // namespace
}  // namespace finder
