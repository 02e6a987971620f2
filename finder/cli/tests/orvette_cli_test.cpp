// orvette-cli run as a process on source tables written here.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support.h"

namespace finder {
namespace {

using test::ScratchFolder;

struct Finished {
  int status = -1;  // the exit status; -1 when the program did not exit by itself
  std::string out, err;
};

// Runs orvette-cli with `args` (no quotes in them) in `folder` under LANG=`lang`,
// with LC_ALL and LC_NUMERIC taken out so that the caller's do not count;
// its standard output to `out` when one is given.
Finished Orvette(const std::vector<std::string>& args, const ScratchFolder& folder,
                 const std::string& lang = "C", const char* out = nullptr) {
  const ScratchFolder outputs;
  std::string command = "cd '" + folder.path().string() + "' && env -u LC_ALL -u LC_NUMERIC LANG=" + lang +
                        " '" ORVETTE_CLI "'";
  for (const std::string& arg : args) command += " '" + arg + "'";
  const std::string file = (outputs.path() / "out").string(), err = (outputs.path() / "err").string();
  const int status = std::system((command + " >'" + (out ? out : file) + "' 2>'" + err + "'").c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, test::ReadAll(file), test::ReadAll(err)};
}

TEST(OrvetteCli, PrintsTheChartsTextsAndWritesWhatPrintWritesBesideTheTable) {
  ScratchFolder folder;
  folder.Write("tables/three.txt", test::kThreePitches);
  const Finished run = Orvette({"tables/three.txt", "--single", "12", "--limit", "11", "--csv"}, folder);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, test::ReadAll(ORVETTE_GOLDEN_DIR "/three_pitches.txt"));
  test::Fixture core(test::kThreePitches);
  core.Run(test::Single("12", Criterion::MaxDeviation, "11"));
  EXPECT_EQ(test::ReadAll(folder.path() / "tables/sonuc.csv"), core.finder.SonucYaz('.'));
  std::string many;  // a count that fills its place
  for (int i = 0; i < 1000; ++i) many += "0,1\r\n";
  folder.Write("many.txt", many);
  EXPECT_NE(Orvette({"many.txt", "--single", "12"}, folder).out.find("\n 0    000.0000  1000 1.00000\n"),
            std::string::npos);
}

// The curve of a Scala scale printed first; the table written back runs alike.
// That the tempered scale lies on its steps, the README's example shows.
TEST(OrvetteCli, WritesTheTableTheTemperedScaleAndThePlotOfAScalaScale) {
  ScratchFolder folder;
  folder.Write("scl/SAF.SCL", test::Sample("saf_major.scl"));
  const Finished scala = Orvette({"scl/SAF.SCL", "--range", "50", "60", "--curve", "--table", "back.txt",
                                  "--scl", "53.scl", "--plot", "curve.SVG"},
                                 folder);
  ASSERT_EQ(scala.status, 0) << scala.err;
  EXPECT_EQ(scala.err, "");  // Qt's own notices stay off the terminal
  EXPECT_TRUE(scala.out.starts_with("50 9.216984\n51 10.1081\n52 9.834837\n53 0.8532628\n\n53\n Dgr."))
      << scala.out;
  EXPECT_EQ(Orvette({"back.txt", "--range", "50", "60", "--curve"}, folder).out, scala.out);
  EXPECT_NE(test::ReadAll(folder.path() / "curve.SVG").find("#2ca02c"),
            std::string::npos);  // 53 marked found
}

// Exit statuses and what the companion says, on standard error unless the run
// succeeds: 0 found, 1 a failure (unreadable, refused, out of range,
// unwritable, an output onto the table read, a standard output that fails), 2
// a wrong command line, 3 none qualified. The decimal separator written is the
// one the window takes in the same environment; a comma is a decimal point in
// what is typed whatever it is. On the three pitches 12 measures 10: the limit
// 10 does not qualify it, 10.5 does.
// "3.t", a name shorter than ".scl", is no Scala scale. The run's refusals and
// messages are the finder's own: a degree is typed as a number, rounded half
// to even, and must lie within 1 to 32766 as a 16-bit number.
TEST(OrvetteCli, ExitStatusesAndMessages) {
  // clang-format off
  const struct {
    std::vector<std::string> args;
    int status;
    const char* says;  // standard error up to the usage, or a part of the output
    const char* lang = "C";
    const char* out = nullptr;  // standard output, when not a file
  } rows[] = {
      {{"3.t", "--single", "12", "--limit", "10,5"}, 0, "Cent Limit = 10,5\nsearched teT = 12\nfound teT = 12\nMean     = -4,\n", "tr_TR.UTF-8"},
      {{"3.t", "--single", "12", "--limit", "10.5"}, 0, "Mean     = -4.\n"},
      {{"3.t", "--single", "12", "--limit", "9", "--criterion", "std"}, 0, "Criteria = Std. Dev.\n"},  // 8.16 < 9 < 10
      {{"3.t", "--single", "12", "--limit", "10,5"}, 0, "Cent Limit = 10,5\nsearched teT = 12\nfound teT = 12\nMean     = -4.\n"},
      {{"3.t", "--single", "12,5", "--limit", "0,5"}, 3, "3.t: 12 eşit temperaman kriterleri sağlamadı.\n"},
      {{"3.t", "--single", "12", "--limit", "11"}, 1, "orvette-cli: Standart çıktıya yazılamadı.\n", "C", "/dev/full"},
      {{"3.t", "--single", "12", "--limit", "0", "--curve"}, 1, "3.t: 12 eşit temperaman kriterleri sağlamadı.\norvette-cli: Standart çıktıya yazılamadı.\n", "C", "/dev/full"},
      {{"--help"}, 1, "orvette-cli: Standart çıktıya yazılamadı.\n", "C", "/dev/full"},
      {{"3.t", "--table", "3.t"}, 1, "3.t: Okunacak dosyanın üzerine yazılmaz: 3.t\n"},
      {{"3.t", "--table", "back.txt", "--scl", "./3.t"}, 1, "3.t: Okunacak dosyanın üzerine yazılmaz: 3.t\n"},
      {{"p.svg", "--plot", "tables/../tables/p.svg"}, 1, "p.svg: Okunacak dosyanın üzerine yazılmaz: p.svg\n"},
      {{"tables/link.txt", "--table", "tables/p.svg"}, 1, "tables/link.txt: Okunacak dosyanın üzerine yazılmaz: p.svg\n"},
      {{"sonuc.csv", "--csv"}, 1, "sonuc.csv: Okunacak dosyanın üzerine yazılmaz: sonuc.csv\n"},
      {{"3.t", "--limit", "0", "--plot", "none.png", "--scl", "none.scl"}, 3, "3.t: 12-2400 arasındaki temperamanlar kriterleri sağlamadı.\n"},
      {{"3.t", "--single", "0"}, 1, "3.t: Derece 1 ile 32766 arasında olmalı.\n"},
      {{"3.t", "--single", "32767"}, 1, "3.t: Derece 1 ile 32766 arasında olmalı.\n"},
      {{"3.t", "--range", "32765", "32767"}, 1, "3.t: Derece 1 ile 32766 arasında olmalı.\n"},
      {{"3.t", "--range", "40000", "10"}, 1, "3.t: Derece 1 ile 32766 arasında olmalı.\n"},  // beyond 16 bits
      {{"3.t", "--single", "32766", "--limit", "0"}, 3, "3.t: 32766 eşit temperaman kriterleri sağlamadı.\n"},
      {{"3.t", "--single", "2.5", "--limit", "0"}, 3, "3.t: 2 eşit temperaman kriterleri sağlamadı.\n"},  // to the even
      {{"3.t", "--range", "20", "10"}, 3, "3.t: 20-10 arasındaki temperamanlar kriterleri sağlamadı.\n"},  // tries none
      {{"3.t", "--range", "0", "-5"}, 3, "3.t: 0--5 arasındaki temperamanlar kriterleri sağlamadı.\n"},
      {{"huge.txt", "--single", "12"}, 1, "huge.txt: Süre toplamı sayı sınırını aşıyor.\n"},
      {{"3.t", "--table", "no/back.txt"}, 1, "3.t: Dosya yazılamadı: back.txt\n"},
      {{"missing.txt"}, 1, "missing.txt: Dosya okunamadı: missing.txt\n"},
      {{"empty.txt"}, 1, "empty.txt: Kaynak dosyada kayıt yok.\n"},
      {{"letter.txt"}, 1, "letter.txt: Kaynak dosyada sayı bekleniyordu (satır 2).\n"},
      {{"long.txt"}, 1, "long.txt: Kaynak dosyada sayı çok büyük (satır 1).\n"},
      {{"bad.scl"}, 1, "bad.scl: Scala dosyasında 1200 sentin üstünde perde var (satır 3).\n"},
      {{"--limit", "2"}, 2, "orvette-cli: tam olarak bir kaynak tablosu gerekli.\n\n"},
      {{"3.t", "--single", "x"}, 2, "orvette-cli: --single bir sayı ister: x\n\n"},
      {{"3.t", "--single", "12", "--range", "5", "60"}, 2, "orvette-cli: --single ile --range birlikte kullanılamaz.\n\n"},
      {{"3.t", "--plot", "a.gif"}, 2, "orvette-cli: --plot .svg ya da .png ile biten bir dosya adı ister: a.gif\n\n"}};
  // clang-format on
  ScratchFolder folder;
  folder.Write("3.t", test::kThreePitches);
  folder.Write("empty.txt", "");
  folder.Write("huge.txt", "0,3" + std::string(38, '0') + "\r\n0,3" + std::string(38, '0') + "\r\n");
  folder.Write("letter.txt", "100,1\r\n200,abc\r\n");
  folder.Write("long.txt", "100," + std::string(40, '9'));
  folder.Write("bad.scl", "d\r\n1\r\n3\r\n");
  folder.Write("sonuc.csv", test::kThreePitches);
  folder.Write("tables/p.svg", test::kThreePitches);
  std::filesystem::create_symlink("tables/p.svg", folder.path() / "p.svg");
  std::filesystem::create_symlink("p.svg", folder.path() / "tables/link.txt");
  for (const auto& row : rows) {
    const Finished run = Orvette(row.args, folder, row.lang, row.out);
    EXPECT_EQ(run.status, row.status) << row.says;
    EXPECT_TRUE(row.status == 0 ? run.err.empty() && run.out.find(row.says) != std::string::npos
                                : run.out.empty() && run.err.substr(0, run.err.find("Kullanım:")) == row.says)
        << run.out << run.err;
  }
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "none.scl") ||
               std::filesystem::exists(folder.path() / "back.txt"));
  for (const char* table : {"3.t", "sonuc.csv", "tables/p.svg"})  // refused as outputs, untouched
    EXPECT_EQ(test::ReadAll(folder.path() / table), test::kThreePitches) << table;
  EXPECT_TRUE(std::filesystem::is_symlink(folder.path() / "p.svg"));
  EXPECT_TRUE(test::ReadAll(folder.path() / "none.png").starts_with("\x89PNG\r\n\x1A\n"));
  EXPECT_TRUE(Orvette({"--help"}, folder).out.starts_with("Kullanım: orvette-cli"));
}

}  // namespace
}  // namespace finder
