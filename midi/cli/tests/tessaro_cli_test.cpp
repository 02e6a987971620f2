// tessaro-cli run as a process on the sample files and on files made here.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>

#include "support.h"

namespace midi::test {

using Args = std::vector<std::string>;
using Names = std::set<std::string>;

struct Finished {
  int status = -1;  // the exit status; -1 when the program did not exit by itself
  std::string out, err;
};

// Runs tessaro-cli with `args` (no single quotes in them) in `folder` as a user
// would, with LANG=`lang` and none of the tests' own LC_ALL or LC_NUMERIC. Its
// output goes beside the folder, not into it.
Finished Tessaro(const Args& args, const ScratchFolder& folder, const std::string& lang = "C") {
  const std::string where = folder.path().string();
  std::string command =
      "cd '" + where + "' && env -u LC_ALL -u LC_NUMERIC LANG=" + lang + " '" TESSARO_CLI "'";
  for (const std::string& arg : args) command += " '" + arg + "'";
  const int status = std::system((command + " >'" + where + ".out' 2>'" + where + ".err'").c_str());
  const auto read = [](const std::string& path) {
    const Bytes text = ReadFile(path);
    std::filesystem::remove(path);
    return std::string(text.begin(), text.end());
  };
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, read(where + ".out"), read(where + ".err")};
}

void CopySamples(const ScratchFolder& folder, const std::vector<std::string>& names) {
  for (const std::string& name : names)
    std::filesystem::copy_file(std::filesystem::path(MIDIAPP_SAMPLES_DIR) / name, folder.path() / name);
}

const std::string kBadFiles = "missing.mid: Dosya okunamadı: missing.mid\nempty.mid: Dosya boş: empty.mid\n";

// The window's files are the core's, which the core's tests check. The window
// reads the separator through Qt, which knows every locale whether or not the
// system has it generated; tessaro-cli must write the same. A bad file fails
// alone and the others are done; test and dump walk each file as TEST does and
// warn of a rest too long for three bytes.
TEST(TessaroCli, TestDumpAndSplitWriteWhatTheWindowShowsAndWrites) {
  const std::vector<std::string> samples = {"rast.mid", "rast_es.mid", "rast_uzun.mid"};
  const struct {
    const char* build;
    Build value;
    const char* lang;
    Args options;
    char separator;
  } rows[] = {
      {"Tessaro5Vu", Build::Tessaro5Vu, "tr_TR.UTF-8", {}, ','},
      {"Tessaro5", Build::Tessaro5, "C", {}, '.'},
      {"Lumbric5", Build::Lumbric5, "de_DE.UTF-8", {"--decimal-separator", "."}, '.'},
  };
  for (const auto& row : rows) {
    ScratchFolder byCli, byWindow;
    CopySamples(byCli, samples);
    CopySamples(byWindow, samples);
    byCli.Write("empty.mid", {});
    for (const std::string command : {"test", "dump", "split"}) {
      Args args = row.options;
      args.insert(args.end(), {"--build", row.build, command, "missing.mid", "empty.mid"});
      args.insert(args.end(), samples.begin(), samples.end());
      const Finished run = Tessaro(args, byCli, row.lang);
      EXPECT_EQ(run.status, 1) << row.build << " " << command;
      EXPECT_EQ(run.out, command == "test" ? "rast.mid: 0\nrast_es.mid: 1\nrast_uzun.mid: 0\n" : "")
          << command;
      EXPECT_EQ(run.err, kBadFiles + (command != "split" ? "rast_es.mid: Çok büyük Tick ! !\n" : ""))
          << command;
    }
    for (const std::string& sample : samples) {
      MidiTool tool(row.value, byWindow.path());
      tool.DecimalSeparator = row.separator;
      tool.LoadImage(std::filesystem::path(sample).stem().string());
      TxtOutcome report = tool.TxtYaz();
      tool.SaveReport(report);
      tool.MidiYaz();
    }
    byWindow.Write("empty.mid", {});
    ASSERT_EQ(byCli.Names(), byWindow.Names()) << row.build;
    EXPECT_EQ(byCli.Names().size(), 13u) << row.build;
    for (const std::string& file : byWindow.Names())
      EXPECT_TRUE(byCli.Read(file) == byWindow.Read(file)) << row.build << " " << file;
    const Bytes report = byCli.Read("rast.txt");  // the separator in the bends' cents
    EXPECT_NE(std::string(report.begin(), report.end())
                  .find(std::string("\r\n0046   41   065   A   03") + row.separator + "78 Cent\r\n"),
              std::string::npos);
  }
}

TEST(TessaroCli, AWrongCommandLineShowsTheUsageAndWritesNothing) {
  const std::pair<Args, const char*> rows[] = {
      {{}, "bir komut ve en az bir dosya gerekli."},
      {{"play", "rast.mid"}, "bilinmeyen komut: play"},
      {{"--build", "Tessaro6", "dump", "rast.mid"}, "bilinmeyen yapı: Tessaro6"},
      {{"--decimal-separator", ",,", "dump", "rast.mid"},
       "ondalık ayırıcı tek bir ASCII karakteri olmalı: ,,"},
      {{"--verbose", "dump", "rast.mid"}, "bilinmeyen seçenek: --verbose"},
  };
  ScratchFolder folder;
  CopySamples(folder, {"rast.mid"});
  for (const auto& [args, problem] : rows) {
    const Finished run = Tessaro(args, folder);
    EXPECT_EQ(run.status, 2) << problem;
    EXPECT_TRUE(run.err.starts_with(std::string("tessaro-cli: ") + problem + "\n\nKullanım: tessaro-cli"))
        << run.err;
  }
  EXPECT_EQ(folder.Names(), Names{"rast.mid"});
  const Finished help = Tessaro({"--help"}, folder);
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(help.out.starts_with("Kullanım: tessaro-cli")) << help.out;
}

// Each packet: bend (LSB, MSB), delta 0, note on, the delta bytes of its
// duration, note off, delta 0.
TEST(TessaroCli, CentsWritesEachPacketsFoldedPitchAndDuration) {
  ScratchFolder folder;
  // clang-format off
  folder.Write("tune.mid", WithHeader({
      0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00,
      0xE0, 0x00, 0x40, 0x00, 0x90, 0x3C, 0x64, 0x83, 0x60, 0x80, 0x3C, 0x40, 0x00,        // C, no bend; 480 ticks
      0xE0, 0x00, 0x48, 0x00, 0x90, 0x3E, 0x64, 0x60, 0x80, 0x3E, 0x40, 0x00,              // D + 1024 units = 225 cents
      0xE0, 0x00, 0x60, 0x00, 0x90, 0x47, 0x64, 0x81, 0x80, 0x00, 0x80, 0x47, 0x40, 0x00,  // B + 100 cents: 1200 is 0
      0xE0, 0x7F, 0x3F, 0x00, 0x90, 0x3C, 0x64, 0x01, 0x80, 0x3C, 0x40, 0x00,              // C - 1 unit: 1199.9756
      0xE0, 0x01, 0x40, 0x00, 0x90, 0x3C, 0x64, 0x01, 0x80, 0x3C, 0x40, 0x00,              // C + 1 unit = 0.0244 cent
      0xE0, 0x00, 0x00, 0x00, 0x90, 0x40, 0x64, 0x81, 0x80, 0x80, 0x00, 0x80, 0x40, 0x40, 0x00,  // E - 200; 4-byte delta
      0xE0, 0x00, 0x40, 0x00, 0x80, 0x3C, 0x40, 0x00,                                      // no note on
      0xE0, 0x00, 0x40, 0x00, 0x90, 0x3C}));                                               // cut off before its duration
  // clang-format on
  folder.Write("silent.mid", WithHeader({0x00, 0xFF, 0x2F, 0x00}));
  const Finished run = Tessaro({"cents", "tune.mid", "silent.mid"}, folder);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err,
            "tune.mid: Paket 7 atlandı: Note On yok.\n"
            "tune.mid: Paket 8 atlandı: perdesi ya da süresi okunamadı.\n"
            "silent.mid: Sent tablosuna yazılacak paket bulunamadı.\n");
  const Bytes table = folder.Read("tune_cent.txt");
  EXPECT_EQ(std::string(table.begin(), table.end()),
            "0.0000,480\r\n225.0000,96\r\n0.0000,16384\r\n1199.9756,1\r\n0.0244,1\r\n200.0000,2097152\r\n");
  EXPECT_EQ(folder.Names(), (Names{"silent.mid", "tune.mid", "tune_cent.txt"}));
}

}  // namespace midi::test
