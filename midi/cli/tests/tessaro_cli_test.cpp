// tessaro-cli run as a process on the sample files and on files made here.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <map>

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
// output goes beside the folder, not into it, or into `out` when given.
Finished Tessaro(const Args& args, const ScratchFolder& folder, const std::string& lang = "C",
                 const std::string& out = "") {
  const std::string where = folder.path().string();
  std::string command =
      "cd '" + where + "' && env -u LC_ALL -u LC_NUMERIC LANG=" + lang + " '" TESSARO_CLI "'";
  for (const std::string& arg : args) command += " '" + arg + "'";
  const std::string outPath = out.empty() ? where + ".out" : out;
  const int status = std::system((command + " >'" + outPath + "' 2>'" + where + ".err'").c_str());
  const auto read = [](const std::string& path) {
    const Bytes text = ReadFile(path);
    std::filesystem::remove(path);
    return std::string(text.begin(), text.end());
  };
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out.empty() ? read(outPath) : "",
          read(where + ".err")};
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
      0xE0, 0x7F, 0x7F, 0x00, 0x90, 0x47, 0x64, 0x01, 0x80, 0x47, 0x40, 0x00,              // B + 199.9756: 99.9756
      0xE0, 0x00, 0x40, 0x00, 0x80, 0x3C, 0x40, 0x00,                                      // no note on
      0xE0, 0x00, 0x40, 0x00, 0x90, 0x3C}));                                               // cut off before its duration
  // clang-format on
  folder.Write("silent.mid", WithHeader({0x00, 0xFF, 0x2F, 0x00}));
  const Finished run = Tessaro({"cents", "tune.mid", "silent.mid"}, folder);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err,
            "tune.mid: Paket 8 atlandı: Note On yok.\n"
            "tune.mid: Paket 9 atlandı: perdesi ya da süresi okunamadı.\n"
            "silent.mid: Sent tablosuna yazılacak paket bulunamadı.\n");
  const Bytes table = folder.Read("tune_cent.txt");
  EXPECT_EQ(std::string(table.begin(), table.end()),
            "0.0000,480\r\n225.0000,96\r\n0.0000,16384\r\n1199.9756,1\r\n0.0244,1\r\n200.0000,2097152\r\n"
            "99.9756,1\r\n");
  EXPECT_EQ(folder.Names(), (Names{"silent.mid", "tune.mid", "tune_cent.txt"}));
}

// 0 only when every file was done; 1 when any was not, whatever stopped it. An
// unreadable file, an input in the way and a wrong command line's 2 are the
// other tests' here.
TEST(TessaroCli, TheExitStatusTellsWhetherEveryFileWasDone) {
  const struct {
    const char* what;
    Args args;
    int status;
    std::string out;  // what standard output holds, as far as it can be read
  } rows[] = {
      {"all done, a warning too", {"test", "rast.mid", "rast_es.mid"}, 0, "rast.mid: 0\nrast_es.mid: 1\n"},
      {"a report written for a cut file", {"dump", "rast.mid", "cut.mid"}, 1, ""},
      {"no count for a cut file", {"test", "cut.mid", "rast.mid"}, 1, "rast.mid: 0\n"},
      {"a zero tempo", {"dump", "zero.mid"}, 1, ""},
      {"a zero tempo, for TEST too", {"test", "zero.mid"}, 1, ""},
      {"no packets to split", {"split", "rast.mid", "silent.mid"}, 1, ""},
      {"empty", {"cents", "empty.mid"}, 1, ""},
      {"standard output full", {"test", "rast.mid"}, 1, "/dev/full"},
      {"the usage to a full standard output", {"--help"}, 1, "/dev/full"},
  };
  for (const auto& row : rows) {
    ScratchFolder folder;
    CopySamples(folder, {"rast.mid", "rast_es.mid"});
    folder.Write("cut.mid", WithHeader({0x00, 0x90, 0x3C}));
    folder.Write("zero.mid", WithHeader({0x00, 0xFF, 0x51, 0x03, 0x00, 0x00, 0x00, 0x00, 0xFF, 0x2F, 0x00}));
    folder.Write("silent.mid", WithHeader({0x00, 0xFF, 0x2F, 0x00}));
    folder.Write("empty.mid", {});
    const bool full = row.out == "/dev/full";
    const Finished run = Tessaro(row.args, folder, "C", full ? row.out : "");
    EXPECT_EQ(run.status, row.status) << row.what << "\n" << run.err;
    if (full) {
      EXPECT_TRUE(run.err.ends_with("tessaro-cli: standart çıktıya yazılamadı.\n")) << row.what << run.err;
    } else {
      EXPECT_EQ(run.out, row.out) << row.what;
    }
    EXPECT_TRUE(row.status == 0 || !run.err.empty()) << row.what;  // a failure is told
  }
}

// Nothing that the command was given to read is written over, by its own name
// or another (a link to it); that file is refused and told, the others done.
TEST(TessaroCli, AFileGivenToReadIsNeverWrittenOver) {
  const struct {
    const char* what;
    Args args;
    std::string err;
    Names written;  // besides the inputs
  } rows[] = {
      {"a report onto itself",
       {"dump", "song.txt", "rast_uzun.mid"},
       "song.txt: Okunacak dosyanın üzerine yazılmaz: song.txt\n",
       {"rast_uzun.txt"}},
      {"a split onto another input",
       {"split", "rast_uzun.mid", "rast_uzun_13.mid"},
       "rast_uzun.mid: Okunacak dosyanın üzerine yazılmaz: rast_uzun_13.mid\n",
       {"rast_uzun_13_13.mid", "rast_uzun_13_24.mid"}},
      {"a cents table onto another input",
       {"cents", "rast.mid", "rast_cent.txt"},
       "rast.mid: Okunacak dosyanın üzerine yazılmaz: rast_cent.txt\n",
       {"rast_cent_cent.txt"}},
      {"a report onto a link to an input",
       {"dump", "rast.mid", "rast_uzun.mid"},
       "rast.mid: Okunacak dosyanın üzerine yazılmaz: rast.txt\n",
       {"rast_uzun.txt"}},
      {"a split file is an input of its own",
       {"split", "rast_uzun_13.mid"},
       "",
       {"rast_uzun_13_13.mid", "rast_uzun_13_24.mid"}},
  };
  for (const auto& row : rows) {
    ScratchFolder folder;
    CopySamples(folder, {"rast.mid", "rast_uzun.mid"});
    for (const char* copy : {"song.txt", "rast_uzun_13.mid", "rast_cent.txt"})
      std::filesystem::copy_file(folder.path() / "rast.mid", folder.path() / copy);
    std::filesystem::create_symlink("rast_uzun.mid", folder.path() / "rast.txt");
    const Names before = folder.Names();
    std::map<std::string, Bytes> inputs;
    for (const std::string& name : before) inputs[name] = folder.Read(name);
    const Finished run = Tessaro(row.args, folder);
    EXPECT_EQ(run.status, row.err.empty() ? 0 : 1) << row.what;
    EXPECT_EQ(run.err, row.err) << row.what;
    Names expected = before;
    expected.insert(row.written.begin(), row.written.end());
    EXPECT_EQ(folder.Names(), expected) << row.what;
    for (const auto& [name, bytes] : inputs)
      EXPECT_TRUE(folder.Read(name) == bytes) << row.what << " " << name;
    EXPECT_TRUE(std::filesystem::is_symlink(folder.path() / "rast.txt")) << row.what;
  }
}

}  // namespace midi::test
