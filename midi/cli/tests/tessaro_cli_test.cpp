// tessaro-cli run as a process on the sample files and on files made here.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "midi/report.h"
#include "midi/sink.h"
#include "midi/tool.h"
#include "process.h"
#include "support.h"

namespace midi {
namespace {

using test::Bytes;
using test::ScratchFolder;
using Args = std::vector<std::string>;

const std::filesystem::path kSamples = MIDIAPP_SAMPLES_DIR;

cli::test::Finished Tessaro(const Args& args, const ScratchFolder& folder, const std::string& lang = "C") {
  return cli::test::Run(TESSARO_CLI, args, folder.path(), lang);
}

void CopySamples(const ScratchFolder& folder, const std::vector<std::string>& names) {
  for (const std::string& name : names) std::filesystem::copy_file(kSamples / name, folder.path() / name);
}

std::set<std::string> FileNames(const ScratchFolder& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

TEST(TessaroCli, DumpAndSplitWriteTheWindowsFilesByteForByte) {
  const struct {
    const char* build;
    Build value;
    char separator;
  } rows[] = {
      {"Tessaro5Vu", Build::Tessaro5Vu, ','},
      {"Tessaro5", Build::Tessaro5, '.'},
      {"Lumbric5", Build::Lumbric5, ','},
  };
  const std::vector<std::string> samples = {"rast.mid", "rast_es.mid", "rast_uzun.mid"};
  for (const auto& row : rows) {
    ScratchFolder byCli;
    ScratchFolder byWindow;
    CopySamples(byCli, samples);
    CopySamples(byWindow, samples);
    for (const char* command : {"dump", "split"}) {
      Args args = {"--build", row.build, "--decimal-separator", std::string(1, row.separator), command};
      args.insert(args.end(), samples.begin(), samples.end());
      EXPECT_EQ(Tessaro(args, byCli).status, 0) << row.build << " " << command;
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
    ASSERT_EQ(FileNames(byCli), FileNames(byWindow)) << row.build;
    EXPECT_EQ(FileNames(byCli).size(), 12u) << row.build;
    for (const std::string& name : FileNames(byWindow)) {
      EXPECT_TRUE(byCli.Read(name) == byWindow.Read(name)) << row.build << " " << name;
    }
  }
}

// The window reads the separator through Qt, which knows every locale whether or
// not the system has it generated; tessaro-cli must write the same report.
TEST(TessaroCli, TheReportsSeparatorIsTheWindowsForTheSameSettings) {
  const struct {
    const char* lang;
    Args options;
    char separator;
  } rows[] = {
      {"tr_TR.UTF-8", {}, ','},
      {"de_DE.UTF-8", {}, ','},
      {"C", {}, '.'},
      {"tr_TR.UTF-8", {"--decimal-separator", "."}, '.'},
  };
  for (const auto& row : rows) {
    ScratchFolder folder;
    CopySamples(folder, {"rast.mid"});
    Args args = row.options;
    args.insert(args.end(), {"dump", "rast.mid"});
    EXPECT_EQ(Tessaro(args, folder, row.lang).status, 0) << row.lang;
    MidiTool tool(Build::Tessaro5Vu, folder.path());
    tool.DecimalSeparator = row.separator;
    ASSERT_EQ(tool.LoadImage("rast").kind, LoadOutcome::Kind::Loaded);
    std::string expected;
    StringSink sink(expected);
    Pos scanPos = 0;
    WalkOutcome walk;
    MidiImage image = tool.image();
    image.MidiFileName = "rast.txt";
    DumpReport(image, scanPos, Build::Tessaro5Vu, row.separator, sink, walk);
    ASSERT_NE(expected.find(std::string("03") + row.separator + "78 Cent"), std::string::npos);
    const Bytes written = folder.Read("rast.txt");
    EXPECT_TRUE(std::string(written.begin(), written.end()) == expected) << row.lang;
  }
}

TEST(TessaroCli, ABadFileFailsAloneAndTheOthersAreDone) {
  const struct {
    const char* command;
    std::set<std::string> written;
    const char* out;
    bool walks;  // walks the file as TEST does, and warns about the rest too long for three bytes
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
    const cli::test::Finished run =
        Tessaro({row.command, "rast.mid", "missing.mid", "empty.mid", "rast_es.mid"}, folder);
    EXPECT_EQ(run.status, 1) << row.command;
    EXPECT_EQ(run.out, row.out) << row.command;
    EXPECT_EQ(run.err,
              std::string("missing.mid: Dosya okunamadı: missing.mid\nempty.mid: Dosya boş: empty.mid\n") +
                  (row.walks ? "rast_es.mid: Çok büyük Tick ! !\n" : ""))
        << row.command;
    std::set<std::string> expected = {"rast.mid", "rast_es.mid", "empty.mid"};
    expected.insert(row.written.begin(), row.written.end());
    EXPECT_EQ(FileNames(folder), expected) << row.command;
  }
}

TEST(TessaroCli, AWrongCommandLineShowsTheUsageAndWritesNothing) {
  const struct {
    const char* name;
    Args args;
    const char* problem;
  } rows[] = {
      {"nothing", {}, "bir komut ve en az bir dosya gerekli."},
      {"unknown command", {"play", "rast.mid"}, "bilinmeyen komut: play"},
      {"unknown build", {"--build", "Tessaro6", "dump", "rast.mid"}, "bilinmeyen yapı: Tessaro6"},
      {"two-character separator",
       {"--decimal-separator", ",,", "dump", "rast.mid"},
       "ondalık ayırıcı tek bir ASCII karakteri olmalı: ,,"},
      {"unknown option", {"--verbose", "dump", "rast.mid"}, "bilinmeyen seçenek: --verbose"},
  };
  for (const auto& row : rows) {
    ScratchFolder folder;
    CopySamples(folder, {"rast.mid"});
    const cli::test::Finished run = Tessaro(row.args, folder);
    EXPECT_EQ(run.status, 2) << row.name;
    EXPECT_TRUE(run.err.starts_with(std::string("tessaro-cli: ") + row.problem + "\n\nKullanım: tessaro-cli"))
        << row.name << ": " << run.err;
    EXPECT_EQ(FileNames(folder), std::set<std::string>{"rast.mid"}) << row.name;
  }
  ScratchFolder folder;
  const cli::test::Finished help = Tessaro({"--help"}, folder);
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(help.out.starts_with("Kullanım: tessaro-cli")) << help.out;
}

// A packet: bend (LSB, MSB), delta 0, note on `key` with the delta bytes
// `ticks`, note off, delta 0.
Bytes Packet(std::uint8_t lsb, std::uint8_t msb, std::uint8_t key, const Bytes& ticks) {
  Bytes bytes = {0xE0, lsb, msb, 0x00, 0x90, key, 0x64};
  bytes.insert(bytes.end(), ticks.begin(), ticks.end());
  bytes.insert(bytes.end(), {0x80, key, 0x40, 0x00});
  return bytes;
}

TEST(TessaroCli, CentsWritesEachPacketsFoldedPitchAndDuration) {
  Bytes events = {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00};
  for (const Bytes& packet : {
           Packet(0x00, 0x40, 60, {0x83, 0x60}),                   // C, no bend; 480 ticks
           Packet(0x00, 0x48, 62, {0x60}),                         // D + 1024 units = 225 cents; 96 ticks
           Packet(0x00, 0x60, 71, {0x81, 0x80, 0x00}),             // B + 100 cents = 1200, folded to 0
           Packet(0x7F, 0x3F, 60, {0x01}),                         // C - 1 unit = -0.0244 cent: 1199.9756
           Packet(0x00, 0x00, 64, {0x81, 0x80, 0x80, 0x00}),       // E - 200 cents; a four-byte delta
           Bytes{0xE0, 0x00, 0x40, 0x00, 0x80, 0x3C, 0x40, 0x00},  // no note on
           Bytes{0xE0, 0x00, 0x40, 0x00, 0x90, 0x3C},              // cut off before its duration
       }) {
    events.insert(events.end(), packet.begin(), packet.end());
  }
  ScratchFolder folder;
  folder.Write("tune.mid", test::WithHeader(events));
  const cli::test::Finished run = Tessaro({"cents", "tune.mid"}, folder);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err,
            "tune.mid: Paket 6 atlandı: Note On yok.\n"
            "tune.mid: Paket 7 atlandı: perdesi ya da süresi okunamadı.\n");
  const Bytes table = folder.Read("tune_cent.txt");
  EXPECT_EQ(std::string(table.begin(), table.end()),
            "0.0000,480\r\n225.0000,96\r\n0.0000,16384\r\n1199.9756,1\r\n200.0000,2097152\r\n");

  folder.Write("silent.mid", test::WithHeader({0x00, 0xFF, 0x2F, 0x00}));
  const cli::test::Finished none = Tessaro({"cents", "silent.mid"}, folder);
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.err, "silent.mid: Sent tablosuna yazılacak paket bulunamadı.\n");
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "silent_cent.txt"));
}

// Each line in the finder's source-table form: the pitch with a period, a comma,
// the duration, CR LF.
TEST(TessaroCli, TheRastSamplesCentsAreItsCommasOf53) {
  ScratchFolder folder;
  CopySamples(folder, {"rast.mid"});
  ASSERT_EQ(Tessaro({"cents", "rast.mid"}, folder).status, 0);

  // The sample plays Rast up and down in commas of 1200/53 cents, each note a
  // quarter (480 ticks) and the last a half, its pitch within half a bend step
  // (0.0122 cent) of the comma.
  const int commas[] = {0, 9, 17, 22, 31, 40, 48, 53, 48, 40, 31, 22, 17, 9, 0};
  const Bytes table = folder.Read("rast_cent.txt");
  std::istringstream lines(std::string(table.begin(), table.end()));
  std::string line;
  for (std::size_t i = 0; i < std::size(commas); ++i) {
    ASSERT_TRUE(std::getline(lines, line)) << "line " << i + 1;
    char* end = nullptr;
    const double cent = std::strtod(line.c_str(), &end);
    const double expected = std::fmod(commas[i] * 1200.0 / 53.0, 1200.0);
    EXPECT_NEAR(cent, expected, 0.0123) << line;
    EXPECT_EQ(std::string(end), i + 1 == std::size(commas) ? ",960\r" : ",480\r") << line;
  }
  EXPECT_FALSE(std::getline(lines, line));
}

}  // namespace
}  // namespace midi
