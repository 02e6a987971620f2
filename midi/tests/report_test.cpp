#include "midi/report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "midi/codepage.h"
#include "midi/numbers.h"
#include "support.h"

namespace midi {
namespace {

using test::Bytes;
using test::Lines;
using test::WithHeader;

const std::string Z(1, '\0');  // the character column of a zero byte

TEST(Numbers, WriteTheReportsNumberForms) {
  const struct {
    const char* name;
    std::string text, expected;
  } rows[] = {
      // clang-format off
      {"a binary neighbour of 0.4 reads as 0.4", SignBlankText(0.39999999999999997), " .4"},
      {"above one", SignBlankText(2.5), " 2.5"},
      {"whole", SignBlankText(600000.0), " 600000"},
      {"negative", SignBlankText(-0.25), "-.25"},
      {"two thirds round up at the 15th digit", SignBlankText(2.0 / 3.0), " .666666666666667"},
      {"15 whole digits stay plain", SignBlankText(123456789012345.0), " 123456789012345"},
      {"from 1E15 on, an exponent", SignBlankText(1e15), " 1E+15"},
      {"1E-4 stays plain", SignBlankText(0.0001), " .0001"},
      {"below 1E-4, an exponent", SignBlankText(0.00005), " 5E-05"},
      {"an exponent with decimals", SignBlankText(8.333333333333334e-06), " 8.33333333333333E-06"},
      {"a whole number", SignBlankText(std::int32_t{48000}), " 48000"},
      {"a negative whole number", SignBlankText(std::int32_t{-5}), "-5"},
      {"a whole number padded", PatternText(std::int32_t{7}, "000"), "007"},
      {"a negative whole number padded", PatternText(std::int32_t{-5}, "00"), "-05"},
      {"a bend of 128 is a half", PatternText(3.125, "00.00", ','), "03,13"},
      {"a bend of -128 is a half", PatternText(-3.125, "00.00", '.'), "-03.13"},
      {"the bottom of the bend", PatternText(-200.0, "00.00", ','), "-200,00"},
      {"the top of the bend", PatternText(8191 / 40.96, "00.00", '.'), "199.98"},
      {"a small negative rounds to zero without a sign", PatternText(-0.004, "00.00", '.'), "00.00"},
      {"a decimal half that binary holds just below", PatternText(1.005, "00.00", '.'), "01.01"},
      {"a carry into a new digit", PatternText(99.996, "00.00", '.'), "100.00"},
      {"a metronome of 7.5 rounds up", PatternText(7.5, "00", '.'), "08"},
      {"a metronome below a half", PatternText(8.4, "00", '.'), "08"},
      // clang-format on
  };
  for (const auto& row : rows) EXPECT_EQ(row.text, row.expected) << row.name;
  EXPECT_THROW(PatternText(std::int32_t{1}, "0.0"), std::invalid_argument);
}

TEST(Windows1254, WritesTheTurkishLettersAsTheCodePageHasThem) {
  const struct {
    const char* name;
    const char* utf8;
    const char* bytes;
  } rows[] = {
      {"Turkish letters", "ÇçĞğİıÖöŞşÜü", "\xC7\xE7\xD0\xF0\xDD\xFD\xD6\xF6\xDE\xFE\xDC\xFC"},
      {"letters above 0x7F that are not Latin-1", "€‚ƒ„…†‡ˆ‰Š‹Œ‘’“”•–—˜™š›œŸ",
       "\x80\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9A\x9B\x9C"
       "\x9F"},
      {"a Latin-1 letter the code page keeps", "éÿ", "\xE9\xFF"},
      {"a Latin-1 letter the code page replaced", "Ð", "?"},
      {"letters the code page lacks", "Ā中\xF1\x80\x80\x80", "???"},
      {"a byte that is not UTF-8", "\xFF!", "?!"},
      {"a cut sequence", "a\xC3", "a?"},
  };
  for (const auto& row : rows) EXPECT_EQ(Windows1254(row.utf8), row.bytes) << row.name;
}

struct Dumped {
  Lines lines;
  WalkOutcome walk;
};

Dumped Dump(const Bytes& bytes, Build build = Build::Tessaro5Vu) {
  MidiImage image = test::ImageOf(bytes);
  image.MidiFileName = "song.txt";
  Pos scanPos = 0;
  std::string report;
  StringSink sink(report);
  Dumped dump;
  DumpReport(image, scanPos, build, '.', sink, dump.walk);
  dump.lines = test::ReportLines(report);
  return dump;
}

// The lines from the first event on (the sections before take 46 lines), without
// the last `summary` lines.
Lines Events(const Lines& lines, std::size_t summary = 4) {
  return lines.size() < 46 + summary
             ? Lines{}
             : Lines(lines.begin() + 46, lines.end() - static_cast<std::ptrdiff_t>(summary));
}

// The text's worked example at 31-42, after a note off with a three-byte delta
// that brings the tick total to 48000, and followed by a Set Tempo of 500000.
const Bytes kWorkedFile = WithHeader({
    0x80, 0x3C, 0x40, 0x82, 0xF2, 0x70, 0x00, 0x00,                          // 23-30
    0x90, 0x3C, 0x64, 0x30, 0x90, 0x3E, 0x50, 0x83, 0x60, 0xE0, 0x20, 0x41,  // 31-42
    0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,                                      // 43-48
    0xFF, 0x2F, 0x00,                                                        // 49-51
});

// clang-format off
const Lines kWorkedExample = {
    "song.txt", "", "----------HEADER CHUNK--------------", "Sabit 4 byte", "0001   4D   077   M",
    "0002   54   084   T", "0003   68   104   h", "0004   64   100   d", "", "Sabit 4 byte",
    "0005   00   000   " + Z, "0006   00   000   " + Z, "0007   00   000   " + Z, "0008   06   006   \x06",
    "", "Midi Format tipi 2 byte", "0009   00   000   " + Z, "0010   00   000   " + Z,
    "0=single 1=Multi/syncron 2=Multi/asyncron ", "", "Track sayısı", "0011   00   000   " + Z + "   *256^1",
    "0012   01   001   \x01   *256^0", "", "Çeyrek nota Tick sayısı", "0013   00   000   " + Z + "   *256^1",
    "0014   60   096   `   *256^0", "Çeyrek nota Tick sayısı= 96", "", "",
    "----------TRACK CHUNK--------------", "Sabit 4 byte", "0015   4D   077   M", "0016   54   084   T",
    "0017   72   114   r", "0018   6B   107   k", "", "byte olarak track uzunlugu",
    "0019   00   000   " + Z + "   *256^3", "0020   00   000   " + Z + "   *256^2",
    "0021   00   000   " + Z + "   *256^1", "0022   1D   029   \x1D   *256^0", "Bu trackde Byte sayısı= 29",
    "", "", "----------EVENTS--------------", "0023   80   128   \u0080   NOTE-OFF   Kanal= 0",
    "0024   3C   060   <   Pitch=C ", "0025   40   064   @   Velo.= 64 ", "0026   82   130   \u0082",
    "0027   F2   242   ò   ", "0028   70   112   p   Tik= 47472", "0029   00   000   " + Z + "   ",
    "0030   00   000   " + Z + "   ", "0031   90   144       NOTE-ON   Kanal= 0",
    "0032   3C   060   <   Pitch=C ", "0033   64   100   d   Velo.= 100 ", "0034   30   048   0   Tik= 48",
    "0035   90   144       NOTE-ON   Kanal= 0", "0036   3E   062   >   Pitch=D ",
    "0037   50   080   P   Velo.= 80 ", "0038   83   131   \u0083", "0039   60   096   `   Tik= 480",
    "0040   E0   224   à   PTCHBND   Kanal= 0", "0041   20   032    ", "0042   41   065   A   03.91 Cent",
    "0043   FF   255   ÿ   SysExMsg başl.  ", "0044   51   081   Q", "0045   03   003   \x03",
    "0046   07   007   \x07   *256^2", "0047   A1   161   ¡   *256^1", "0048   20   032       *256^0",
    "çeyrek nota =  500000 MICRO saniye", "metronom    = 120 adet/dörtlük", "",
    "0049   FF   255   ÿ   SysExMsg başl.  ", "0050   2F   047   /", "", "", "", "Toplam Tick =     48000",
    "Eser süresi =     .4 dakika"};
// clang-format on

TEST(DumpReport, WritesTheWorkedExampleLineByLine) {
  const Dumped dump = Dump(kWorkedFile);
  EXPECT_FALSE(dump.walk.stop);
  EXPECT_TRUE(dump.walk.tickWarnings.empty());
  EXPECT_EQ(dump.lines, kWorkedExample);
}

TEST(DumpReport, EarlierBuildsReadNoMetaEventsAddNoFloorAndNoSummary) {
  const Bytes file =
      WithHeader({0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x80, 0x3C, 0x40, 0x00, 0xFF, 0x2F, 0x00});
  // clang-format off
  const Lines earlier = {
      "0023   FF   255   ÿ   SysExMsg başl.  ", "0024   51   081   Q   ", "0025   03   003   \x03   ",
      "0026   07   007   \x07   ", "0027   A1   161   ¡   ", "0028   20   032       ",
      "0029   80   128   \u0080   NOTE-OFF   Kanal= 0", "0030   3C   060   <   Pitch=C ",
      "0031   40   064   @   Velo.= 64 ", "0032   00   000   " + Z + "   Tik= 0",
      "0033   FF   255   ÿ   SysExMsg başl.  ", "0034   2F   047   /   SysExMsg biter", "0035   00   000   " + Z + "   "};
  // clang-format on
  const Lines tessaro5 = Dump(file, Build::Tessaro5).lines;
  EXPECT_EQ(Events(tessaro5, 2), earlier);
  EXPECT_EQ(Lines(tessaro5.end() - 2, tessaro5.end()), (Lines{"", ""}));
  EXPECT_EQ(Dump(file, Build::Lumbric5).lines, tessaro5);
}

// What the walk decodes is the walk's test; these rows are about how the report prints it.
TEST(DumpReport, AnnotatesEachByteTheWalkExamines) {
  const struct {
    const char* name;
    Bytes events;
    Lines lines;  // the events section
  } rows[] = {
      // clang-format off
      {"0x90 examined is blank, read as a velocity it is itself", {0x90, 0x3C, 0x90, 0x00},
       {"0023   90   144       NOTE-ON   Kanal= 0", "0024   3C   060   <   Pitch=C ",
        "0025   90   144   \u0090   Velo.= 144 ", "0026   00   000   " + Z + "   Tik= 0"}},
      {"a fourth delta byte: two lines, an empty line, on from the pitch", {0x90, 0x3C, 0x40, 0x82, 0x82, 0x82, 0x00},
       {"0023   90   144       NOTE-ON   Kanal= 0", "0024   3C   060   <   Pitch=C ",
        "0025   40   064   @   Velo.= 64 ", "0026   82   130   \u0082", "0027   82   130   \u0082   ", "",
        "0024   3C   060   <   ", "0025   40   064   @   ", "0026   82   130   \u0082   ",
        "0027   82   130   \u0082   ", "0028   82   130   \u0082   ", "0029   00   000   " + Z + "   "}},
      {"13 and 129 examined are blank; other status bytes get nothing", {0x0D, 0x81, 0xA0, 0x9F},
       {"0023   0D   013       ", "0024   81   129       ", "0025   A0   160   \u00A0   ",
        "0026   9F   159   \u009F   "}},
      {"13, 129 and 144 read as data show as themselves",
       {0x90, 0x3C, 0x40, 0x81, 0x00, 0xE0, 0x0D, 0x40, 0xE0, 0x7F, 0x7F, 0xFF, 0x51, 0x90, 0x07, 0xA1, 0x20, 0xFF, 0x90},
       {"0023   90   144       NOTE-ON   Kanal= 0", "0024   3C   060   <   Pitch=C ", "0025   40   064   @   Velo.= 64 ",
        "0026   81   129   \u0081", "0027   00   000   " + Z + "   Tik= 128", "0028   E0   224   à   PTCHBND   Kanal= 0",
        "0029   0D   013   \r", "0030   40   064   @   00.32 Cent", "0031   E0   224   à   PTCHBND   Kanal= 0",
        "0032   7F   127   \x7F", "0033   7F   127   \x7F   199.98 Cent", "0034   FF   255   ÿ   SysExMsg başl.  ",
        "0035   51   081   Q", "0036   90   144   \u0090", "0037   07   007   \x07   *256^2", "0038   A1   161   ¡   *256^1",
        "0039   20   032       *256^0", "çeyrek nota =  500000 MICRO saniye", "metronom    = 120 adet/dörtlük", "",
        "0040   FF   255   ÿ   SysExMsg başl.  ", "0041   90   144   \u0090", ""}},
      // clang-format on
  };
  for (const auto& row : rows) {
    const Dumped dump = Dump(WithHeader(row.events));
    ASSERT_FALSE(dump.walk.stop) << row.name;
    EXPECT_EQ(Events(dump.lines), row.lines) << row.name;
  }
}

TEST(DumpReport, HeaderBytesShowTheByteItselfWhateverItIs) {
  Bytes file = WithHeader({});
  file[4] = 0x90;   // position 5
  file[12] = 0x0D;  // position 13
  file[13] = 0x81;  // position 14
  const Lines lines = Dump(file).lines;
  ASSERT_GE(lines.size(), 28u);
  EXPECT_EQ(lines[10] + lines[25] + lines[26] + lines[27],
            "0005   90   144   \u00900013   0D   013   \r   *256^10014   81   129   \u0081   *256^0"
            "Çeyrek nota Tick sayısı= 3457");
}

TEST(DumpReport, PositionsOfFiveDigitsWidenTheColumn) {
  const Lines lines = Dump(WithHeader(Bytes(10000, 0x00))).lines;
  ASSERT_EQ(lines.size(), 46u + 10000u + 4u);
  EXPECT_EQ(lines[46 + 9999 - 23], "9999   00   000   " + Z + "   ");
  EXPECT_EQ(lines[46 + 10000 - 23], "10000   00   000   " + Z + "   ");
}

TEST(DumpReport, TheMetronomeRoundsHalvesUpAndTheDurationTakesTheLastTempo) {
  // A tempo of 8000000 is 7.5 quarter notes a minute. 30000 ticks at the last
  // tempo, 1000000, are half a minute; at the first they would be 4 minutes.
  const Lines lines = Dump(WithHeader({0xFF, 0x51, 0x03, 0x7A, 0x12, 0x00, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40,
                                       0x90, 0x3C, 0x40, 0x81, 0xEA, 0x30}))
                          .lines;
  ASSERT_GE(lines.size(), 54u);
  EXPECT_EQ(lines[52], "çeyrek nota =  8000000 MICRO saniye");
  EXPECT_EQ(lines[53], "metronom    = 08 adet/dörtlük");
  EXPECT_EQ(Lines(lines.end() - 2, lines.end()),
            (Lines{"Toplam Tick =     30000", "Eser süresi =     .5 dakika"}));
}

// Where and why each walk stops is the walk's test; here what the report keeps.
TEST(DumpReport, AStoppedWalkKeepsEveryLineWrittenBeforeTheStop) {
  Bytes tooManyTicks;
  for (int i = 0; i < 1025; ++i)
    tooManyTicks.insert(tooManyTicks.end(), {0x90, 0x3C, 0x40, 0xFF, 0xFF, 0x7F});
  const struct {
    const char* name;
    Bytes bytes;
    std::size_t lineCount;
    Lines lastLines;
  } rows[] = {
      // clang-format off
      {"file shorter than the header: the texts after byte 4", {'M', 'T', 'h', 'd'}, 10,
       {"0003   68   104   h", "0004   64   100   d", "", "Sabit 4 byte"}},
      {"tempo 0: the tempo line, no metronome", WithHeader({0xFF, 0x51, 0x03, 0x00, 0x00, 0x00}), 53,
       {"0028   00   000   " + Z + "   *256^0", "çeyrek nota =  0 MICRO saniye"}},
      {"tick total past 2^31 - 1: the open tick line is ended", WithHeader(tooManyTicks), 46 + 1025 * 6,
       {"6171   FF   255   ÿ   ", "6172   7F   127   \x7F   Tik= 2097151"}},
      // clang-format on
  };
  for (const auto& row : rows) {
    const Dumped dump = Dump(row.bytes);
    ASSERT_TRUE(dump.walk.stop) << row.name;
    ASSERT_EQ(dump.lines.size(), row.lineCount) << row.name;
    EXPECT_EQ(Lines(dump.lines.end() - static_cast<std::ptrdiff_t>(row.lastLines.size()), dump.lines.end()),
              row.lastLines)
        << row.name;
  }
}

}  // namespace
}  // namespace midi
