// orvette-cli run as a process on source tables written here.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "finder/finder.h"
#include "process.h"
#include "support.h"

namespace finder {
namespace {

using test::ScratchFolder;
using Args = std::vector<std::string>;

cli::test::Finished Orvette(const Args& args, const ScratchFolder& folder, const std::string& lang = "C") {
  return cli::test::Run(ORVETTE_CLI, args, folder.path(), lang);
}

TEST(OrvetteCli, PrintsTheChartsTextsAndWritesWhatPrintWritesBesideTheTable) {
  ScratchFolder folder;
  std::filesystem::create_directory(folder.path() / "tables");
  folder.Write("tables/three.txt", test::kThreePitches);
  const cli::test::Finished run =
      Orvette({"tables/three.txt", "--single", "12", "--limit", "11", "--csv"}, folder);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out,
            "12\n"
            " Dgr.   Cents    #   % Dur.\n"
            " 0    000.0000  01  1.00000\n"
            " 4    400.0000  01  0.50000\n"
            " 7    700.0000  01  0.50000\n"
            "\n"
            "Criteria = Max. Dev.\n"
            "Cent Limit = 11\n"
            "searched teT = 12\n"
            "found teT = 12\n"
            "Mean     = -4.\n"
            "Variance = 0\n"
            "St. Dev.  = 0\n"
            "Max. Dev. = 10\n");

  test::Fixture core(test::kThreePitches);
  ASSERT_TRUE(test::Found(core.Run(test::Single("12", Criterion::MaxDeviation, "11"))));
  EXPECT_EQ(test::ReadAll(folder.path() / "tables" / "sonuc.csv"), core.finder.SonucYaz('.'));
}

TEST(OrvetteCli, TheSixteenthRowStandsInTheSecondColumnOfTheChartAndFollowsTheFifteenth) {
  ScratchFolder folder;
  std::string table;
  for (int k = 0; k < 16; ++k) table += std::to_string(k * 100 / 2) + ",1\r\n";
  folder.Write("steps.txt", table);
  const cli::test::Finished run = Orvette({"steps.txt", "--single", "24", "--criterion", "std"}, folder);
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(
      run.out.find(" 14   700.0000  01  1.00000\n 15   750.0000  01  1.00000\n\nCriteria = Std. Dev.\n"),
      std::string::npos)
      << run.out;
}

TEST(OrvetteCli, CurvePrintsEveryDegreeTriedWithItsMeasureBeforeTheResult) {
  ScratchFolder folder;
  folder.Write("three.txt", test::kThreePitches);
  const cli::test::Finished run =
      Orvette({"three.txt", "--range", "5", "60", "--limit", "5", "--curve"}, folder);
  EXPECT_EQ(run.status, 0);
  std::istringstream out(run.out);
  std::vector<std::string> curve;
  for (std::string line; std::getline(out, line) && !line.empty();) curve.push_back(line);
  ASSERT_EQ(curve.size(), 15u) << run.out;  // degrees 5 to 19
  EXPECT_TRUE(curve.front().starts_with("5 ")) << curve.front();
  EXPECT_EQ(curve[12 - 5], "12 10");
  EXPECT_TRUE(curve.back().starts_with("19 4.77194")) << curve.back();
  std::string found;
  std::getline(out, found);
  EXPECT_EQ(found, "19");
}

std::string Sample(const char* name) {
  return test::ReadAll(std::filesystem::path(FINDER_SAMPLES_DIR) / name);
}

TEST(OrvetteCli, AScalaScaleFindsWhatItsCentsTableFindsAndItsTableWrittenBackRunsAlike) {
  ScratchFolder folder;
  std::filesystem::create_directory(folder.path() / "scl");
  std::filesystem::create_directory(folder.path() / "txt");
  folder.Write("scl/SAF.SCL", Sample("saf_major.scl"));
  folder.Write("txt/saf.txt",
               "0,1\r\n203.91,1\r\n386.3137,1\r\n498.045,1\r\n701.955,1\r\n884.3587,1\r\n1088.2687,1\r\n");
  const cli::test::Finished scala =
      Orvette({"scl/SAF.SCL", "--range", "12", "60", "--csv", "--table", "back.txt"}, folder);
  const cli::test::Finished cents = Orvette({"txt/saf.txt", "--range", "12", "60", "--csv"}, folder);
  EXPECT_EQ(scala.status, 0);
  EXPECT_TRUE(scala.out.starts_with("53\n")) << scala.out;
  EXPECT_TRUE(cents.out.starts_with("53\n")) << cents.out;
  const std::string csv = test::ReadAll(folder.path() / "scl" / "sonuc.csv");
  EXPECT_FALSE(csv.empty());
  EXPECT_EQ(csv, test::ReadAll(folder.path() / "txt" / "sonuc.csv"));
  EXPECT_EQ(Orvette({"back.txt", "--range", "12", "60"}, folder).out, scala.out);
}

TEST(OrvetteCli, TheTemperedScaleReadsBackOnItsStepsUnderBothCriteriaAndThePlotIsDrawn) {
  ScratchFolder folder;
  folder.Write("hicaz.scl", Sample("hicaz.scl"));
  const cli::test::Finished run =
      Orvette({"hicaz.scl", "--range", "12", "60", "--scl", "tempered.scl", "--plot", "curve.PNG"}, folder);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");  // Qt's own notices stay off the terminal
  const std::string degree = run.out.substr(0, run.out.find('\n'));
  EXPECT_EQ(degree, "53");
  EXPECT_TRUE(test::ReadAll(folder.path() / "curve.PNG").starts_with("\x89PNG\r\n\x1A\n"));
  for (const char* criterion : {"max", "std"}) {
    const cli::test::Finished back =
        Orvette({"tempered.scl", "--single", degree, "--criterion", criterion, "--curve"}, folder);
    ASSERT_EQ(back.status, 0) << criterion << ": " << back.err;
    ASSERT_TRUE(back.out.starts_with(degree + " ")) << back.out;
    EXPECT_LT(std::stod(back.out.substr(degree.size() + 1)), 0.001) << criterion;
  }

  const cli::test::Finished none =
      Orvette({"hicaz.scl", "--range", "12", "20", "--limit", "0", "--scl", "none.scl", "--plot", "none.svg"},
              folder);
  EXPECT_EQ(none.status, 3);
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "none.scl"));
  EXPECT_TRUE(test::ReadAll(folder.path() / "none.svg").starts_with("<?xml")) << none.err;
}

// The decimal separator is the one the window takes in the same environment,
// with no locale generated here: in the numbers printed and in --limit, where
// a comma is a decimal point only under a comma locale. On the three pitches
// 12 measures 10: the limit 10 does not qualify it, 10.5 does.
TEST(OrvetteCli, TakesTheWindowsDecimalSeparatorFromTheEnvironment) {
  const struct {
    const char* lang;
    const char* limit;
    int status;
    const char* shows;  // on standard output or error
  } rows[] = {
      {"tr_TR.UTF-8", "10,5", 0, "Cent Limit = 10,5\nsearched teT = 12\nfound teT = 12\nMean     = -4,\n"},
      {"de_DE.UTF-8", "10.5", 0, "Mean     = -4,\n"},
      {"C", "10.5", 0, "Mean     = -4.\n"},
      {"C", "10,5", 2, "orvette-cli: --limit bir sayı ister: 10,5\n"},
  };
  ScratchFolder folder;
  folder.Write("three.txt", test::kThreePitches);
  for (const auto& row : rows) {
    const cli::test::Finished run =
        Orvette({"three.txt", "--single", "12", "--limit", row.limit}, folder, row.lang);
    EXPECT_EQ(run.status, row.status) << row.lang << ' ' << row.limit;
    EXPECT_NE((run.out + run.err).find(row.shows), std::string::npos) << run.out << run.err;
  }
}

TEST(OrvetteCli, ExitStatusesAndMessages) {
  const struct {
    const char* name;
    Args args;
    int status;
    const char* err;  // how standard error begins
  } rows[] = {
      // clang-format off
      {"none of the range qualifies", {"three.txt", "--limit", "0"}, 3,
       "three.txt: 12-2400 arasındaki temperamanlar kriterleri sağlamadı.\n"},
      {"the single degree does not qualify", {"three.txt", "--single", "12"}, 3,
       "three.txt: 12 eşit temperaman kriterleri sağlamadı.\n"},
      {"degree out of range", {"three.txt", "--single", "0"}, 1,
       "three.txt: Derece 1 ile 32766 arasında olmalı.\n"},
      {"missing table", {"missing.txt"}, 1, "missing.txt: Dosya okunamadı: missing.txt\n"},
      {"empty table", {"empty.txt"}, 1, "empty.txt: Kaynak dosyada kayıt yok.\n"},
      {"no table", {"--limit", "2"}, 2, "orvette-cli: tam olarak bir kaynak tablosu gerekli.\n\nKullanım:"},
      {"a degree that is not a number", {"three.txt", "--single", "x"}, 2,
       "orvette-cli: --single bir sayı ister: x\n"},
      {"single and range", {"three.txt", "--single", "12", "--range", "5", "60"}, 2,
       "orvette-cli: --single ile --range birlikte kullanılamaz.\n"},
      {"a Scala pitch above the octave", {"bad.scl"}, 1,
       "bad.scl: Scala dosyasında 1200 sentin üstünde perde var (satır 3).\n"},
      {"a plot of another kind", {"three.txt", "--plot", "a.gif"}, 2,
       "orvette-cli: --plot .svg ya da .png ile biten bir dosya adı ister: a.gif\n"},
      // clang-format on
  };
  for (const auto& row : rows) {
    ScratchFolder folder;
    folder.Write("three.txt", test::kThreePitches);
    folder.Write("empty.txt", "");
    folder.Write("bad.scl", "d\r\n1\r\n3\r\n");
    const cli::test::Finished run = Orvette(row.args, folder);
    EXPECT_EQ(run.status, row.status) << row.name;
    EXPECT_TRUE(run.err.starts_with(row.err)) << row.name << ": " << run.err;
    if (row.status != 0) {
      EXPECT_EQ(run.out, "") << row.name;
    }
  }
  ScratchFolder folder;
  const cli::test::Finished help = Orvette({"--help"}, folder);
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(help.out.starts_with("Kullanım: orvette-cli")) << help.out;
}

}  // namespace
}  // namespace finder
