// tessaro-cli run as a process on the sample files and on files made here.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "midi/tool.h"
#include "support.h"

namespace midi {
namespace {

using test::Bytes;
using test::ScratchFolder;
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
    std::ifstream in(path, std::ios::binary);
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::filesystem::remove(path);
    return text;
  };
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, read(where + ".out"), read(where + ".err")};
}

void CopySamples(const ScratchFolder& folder, const std::vector<std::string>& names) {
  for (const std::string& name : names)
    std::filesystem::copy_file(std::filesystem::path(MIDIAPP_SAMPLES_DIR) / name, folder.path() / name);
}

// The window's files are the core's, which the core's tests check. The window
// reads the separator through Qt, which knows every locale whether or not the
// system has it generated; tessaro-cli must write the same.
TEST(TessaroCli, DumpAndSplitWriteTheWindowsFilesByteForByte) {
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
    for (const char* command : {"dump", "split"}) {
      Args args = row.options;
      args.insert(args.end(), {"--build", row.build, command});
      args.insert(args.end(), samples.begin(), samples.end());
      EXPECT_EQ(Tessaro(args, byCli, row.lang).status, 0) << row.build << " " << command;
    }
    for (const std::string& sample : samples) {
      MidiTool tool(row.value, byWindow.path());
      tool.DecimalSeparator = row.separator;
      ASSERT_EQ(tool.LoadImage(std::filesystem::path(sample).stem().string()).kind,
                LoadOutcome::Kind::Loaded);
      TxtOutcome report = tool.TxtYaz();
      tool.SaveReport(report);
      tool.MidiYaz();
    }
    ASSERT_EQ(byCli.Names(), byWindow.Names()) << row.build;
    EXPECT_EQ(byCli.Names().size(), 12u) << row.build;
    for (const std::string& file : byWindow.Names())
      EXPECT_TRUE(byCli.Read(file) == byWindow.Read(file)) << row.build << " " << file;
  }
}

TEST(TessaroCli, ABadFileFailsAloneAndTheOthersAreDone) {
  const struct {
    const char* command;
    Names written;
    const char* out;
    bool walks;  // walks the file as TEST does, and warns of a rest too long for three bytes
  } rows[] = {
      {"test", {}, "rast.mid: 0\nrast_es.mid: 1\n", true},
      {"dump", {"rast.txt", "rast_es.txt"}, "", true},
      {"split", {"rast_13.mid", "rast_24.mid", "rast_es_13.mid", "rast_es_24.mid"}, "", false},
      {"cents", {"rast_cent.txt", "rast_es_cent.txt"}, "", false},
  };
  for (const auto& row : rows) {
    ScratchFolder folder;
    CopySamples(folder, {"rast.mid", "rast_es.mid"});
    folder.Write("empty.mid", {});
    const Finished run =
        Tessaro({row.command, "rast.mid", "missing.mid", "empty.mid", "rast_es.mid"}, folder);
    EXPECT_EQ(run.status, 1) << row.command;
    EXPECT_EQ(run.out, row.out) << row.command;
    EXPECT_EQ(run.err,
              std::string("missing.mid: Dosya okunamadı: missing.mid\nempty.mid: Dosya boş: empty.mid\n") +
                  (row.walks ? "rast_es.mid: Çok büyük Tick ! !\n" : ""))
        << row.command;
    Names expected = {"rast.mid", "rast_es.mid", "empty.mid"};
    expected.insert(row.written.begin(), row.written.end());
    EXPECT_EQ(folder.Names(), expected) << row.command;
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

TEST(TessaroCli, CentsWritesEachPacketsFoldedPitchAndDuration) {
  // A packet: bend (LSB, MSB), delta 0, note on `key`, the delta bytes `ticks`,
  // note off, delta 0.
  const auto packet = [](std::uint8_t lsb, std::uint8_t msb, std::uint8_t key, const Bytes& ticks) {
    Bytes bytes = {0xE0, lsb, msb, 0x00, 0x90, key, 0x64};
    bytes.insert(bytes.end(), ticks.begin(), ticks.end());
    bytes.insert(bytes.end(), {0x80, key, 0x40, 0x00});
    return bytes;
  };
  Bytes events = {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00};
  for (const Bytes& part : {
           packet(0x00, 0x40, 60, {0x83, 0x60}),                   // C, no bend; 480 ticks
           packet(0x00, 0x48, 62, {0x60}),                         // D + 1024 units = 225 cents; 96 ticks
           packet(0x00, 0x60, 71, {0x81, 0x80, 0x00}),             // B + 100 cents = 1200, folded to 0
           packet(0x7F, 0x3F, 60, {0x01}),                         // C - 1 unit = -0.0244 cent: 1199.9756
           packet(0x01, 0x40, 60, {0x01}),                         // C + 1 unit = 0.0244 cent
           packet(0x00, 0x00, 64, {0x81, 0x80, 0x80, 0x00}),       // E - 200 cents; a four-byte delta
           Bytes{0xE0, 0x00, 0x40, 0x00, 0x80, 0x3C, 0x40, 0x00},  // no note on
           Bytes{0xE0, 0x00, 0x40, 0x00, 0x90, 0x3C},              // cut off before its duration
       }) {
    events.insert(events.end(), part.begin(), part.end());
  }
  ScratchFolder folder;
  folder.Write("tune.mid", test::WithHeader(events));
  const Finished run = Tessaro({"cents", "tune.mid"}, folder);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err,
            "tune.mid: Paket 7 atlandı: Note On yok.\n"
            "tune.mid: Paket 8 atlandı: perdesi ya da süresi okunamadı.\n");
  const Bytes table = folder.Read("tune_cent.txt");
  EXPECT_EQ(std::string(table.begin(), table.end()),
            "0.0000,480\r\n225.0000,96\r\n0.0000,16384\r\n1199.9756,1\r\n0.0244,1\r\n200.0000,2097152\r\n");

  folder.Write("silent.mid", test::WithHeader({0x00, 0xFF, 0x2F, 0x00}));
  const Finished none = Tessaro({"cents", "silent.mid"}, folder);
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.err, "silent.mid: Sent tablosuna yazılacak paket bulunamadı.\n");
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "silent_cent.txt"));
}

}  // namespace
}  // namespace midi
