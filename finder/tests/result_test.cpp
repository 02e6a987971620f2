// The result file: its text, its code page, and its saving whole.

#include "finder/result.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <map>
#include <optional>
#include <string>
#include <tuple>

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
  // clang-format off
  const std::tuple<std::string_view, char, std::string> rows[] = {
      {test::kThreePitches, '.',  // the worked example
       "     000       000.0000        01      1.00000\r\n     004       400.0000        01      0.50000\r\n"
       "     007       700.0000        01      0.50000\r\n"},
      {"0,2\r\n386,0\r\n702,1\r\n", ',',  // step 4 lasting 0
       "     000       000,0000        01      1,00000\r\n     007       700,0000        01      0,50000\r\n"},
      // The share of the smallest float over 10 is 0: the step still has its line.
      {"0,10\r\n386,0.000000000000000000000000000000000000000000001\r\n", '.',
       "     000       000.0000        01      1.00000\r\n     004       400.0000        01      0.00000\r\n"}};
  // clang-format on
  for (const auto& [table, separator, lines] : rows) {
    Fixture f(table);
    EXPECT_EQ(f.finder.SonucYaz(separator), std::nullopt) << table;  // before any run
    ASSERT_EQ(f.Run(Single("12", kMax, "11")).status, RunOutcome::Status::Found) << table;
    EXPECT_EQ(f.finder.SonucYaz(separator), kHeading + lines) << table;
    f.finder.KaynakOku("100,1\r\n");  // another table read keeps what Print writes
    EXPECT_EQ(f.finder.SonucYaz(separator), kHeading + lines) << table;
    f.Run(test::Range("20", "10", kMax, "11"));  // a run that found nothing leaves the heading only
    EXPECT_EQ(f.finder.SonucYaz(separator), kHeading) << table;
  }
  const StepRow wide[] = {
      {.step = 1, .cent = 100, .count = 12345678, .share = 1}};  // a field that fills its place
  EXPECT_TRUE(ResultTable(wide, '.').ends_with("\n     001       100.0000        12345678 1.00000\r\n"));
}

// Each character of Windows-1254 beyond ASCII as its byte; Latin-1 letters
// whose places hold Turkish ones, and what is not UTF-8, as a question mark.
TEST(Windows1254, WritesTheCodePagesBytesAndMarksTheRestWithAQuestionMark) {
  std::string bytes =
      "\x80\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9A\x9B\x9C\x9F";
  for (int b = 0xA0; b <= 0xFF; ++b) bytes += static_cast<char>(b);
  EXPECT_EQ(
      Windows1254(
          "€‚ƒ„…†‡ˆ‰Š‹Œ‘’“”•–—˜™š›œŸ\u00A0¡¢£¤¥¦§¨©ª«¬­®¯°±²³´µ¶·¸¹º»¼½¾¿ÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏĞÑÒÓÔÕÖ×ØÙÚÛÜİŞß"
          "àáâãäåæçèéêëìíîïğñòóôõö÷øùúûüışÿ"),
      bytes);
  // Latin-1's own letters in those places, a C1 control, the last of three bytes, beyond the Basic
  // Multilingual Plane, overlong in two and in four bytes, a surrogate, above U+10FFFF, cut off.
  EXPECT_EQ(Windows1254("ÐÝÞðýþ\u0081ſ\uFFFD😀\xC0\x80\xF0\x8F\xBF\xBF\xED\xA0\x80\xF4\x90\x80\x80"
                        "a\xE2\x82"),
            "?????????"
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
    scratch.Write(TemporaryPath(kResultFile).string(), "a stale temporary");
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

// Any name the folder takes can be saved: the temporary file's name is never
// the longer of the two. A link standing at the temporary name is replaced,
// not followed, and what it points to stays as it was.
TEST(SaveWhole, SavesUnderEveryLegalNameAndFollowsNoLinkAtItsTemporaryName) {
  std::string turkish;  // 125 letters of two bytes and "a.txt": 255 bytes, the most a name holds
  for (int i = 0; i < 125; ++i) turkish += "ş";
  const std::string names[] = {"a", "sonuc.csv", std::string(255, 'x'), turkish + "a.txt"};
  for (const std::string& name : names) {
    test::ScratchFolder scratch;
    scratch.Write("victim", "precious");
    std::filesystem::create_symlink(scratch.path() / "victim", TemporaryPath(scratch.path() / name));
    EXPECT_EQ(TemporaryPath(scratch.path() / name).parent_path(), scratch.path());
    EXPECT_EQ(TemporaryPath(name).string().size(), TemporaryPath("b").string().size());
    ASSERT_TRUE(SaveWhole(scratch.path() / name, "new")) << name.size();
    EXPECT_EQ(ListingOf(scratch.path()),
              (std::map<std::string, std::string>{{name, "new"}, {"victim", "precious"}}));
  }
}

}  // namespace
}  // namespace finder
