#include "midi/report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "midi/codepage.h"
#include "midi/numbers.h"
#include "report_support.h"
#include "support.h"

namespace midi {
namespace {

using test::Bytes;
using test::ImageOf;
using test::ReportLines;
using test::WithHeader;
using Lines = std::vector<std::string>;

// The character column of a zero byte.
const std::string Z(1, '\0');

// Whole numbers show in every report line.
TEST(SignBlankText, FractionsHaveAtMost15DigitsAndNoZeroBeforeThePoint) {
  const struct {
    const char* name;
    double x;
    const char* text;
  } rows[] = {
      {"a binary neighbour of 0.4 reads as 0.4", 0.39999999999999997, " .4"},
      {"above one", 2.5, " 2.5"},
      {"whole", 600000.0, " 600000"},
      {"negative", -0.25, "-.25"},
      {"two thirds round up at the 15th digit", 2.0 / 3.0, " .666666666666667"},
      {"15 whole digits stay plain", 123456789012345.0, " 123456789012345"},
      {"from 1E15 on, an exponent", 1e15, " 1E+15"},
      {"1E-4 stays plain", 0.0001, " .0001"},
      {"below 1E-4, an exponent", 0.00005, " 5E-05"},
      {"an exponent with digits after the point", 8.333333333333334e-06, " 8.33333333333333E-06"},
  };
  for (const auto& row : rows) EXPECT_EQ(SignBlankText(row.x), row.text) << row.name;
}

TEST(PatternText, DecimalsRoundHalvesAwayFromZeroWithTheGivenSeparator) {
  const struct {
    const char* name;
    double x;
    const char* pattern;
    const char* withPoint;
    const char* withComma;
  } rows[] = {
      {"a bend of 128 is a half", 3.125, "00.00", "03.13", "03,13"},
      {"a bend of -128 is a half", -3.125, "00.00", "-03.13", "-03,13"},
      {"the bottom of the bend", -200.0, "00.00", "-200.00", "-200,00"},
      {"the top of the bend", 8191 / 40.96, "00.00", "199.98", "199,98"},
      {"a small negative rounds to zero without a sign", -0.004, "00.00", "00.00", "00,00"},
      {"a decimal half that binary holds just below", 1.005, "00.00", "01.01", "01,01"},
      {"a carry into a new digit", 99.996, "00.00", "100.00", "100,00"},
      {"a metronome of 7.5 rounds up", 7.5, "00", "08", "08"},
      {"a metronome below a half", 8.4, "00", "08", "08"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(PatternText(row.x, row.pattern, '.'), row.withPoint) << row.name;
    EXPECT_EQ(PatternText(row.x, row.pattern, ','), row.withComma) << row.name;
  }
}

TEST(Windows1254, WritesTheTurkishLettersAsTheCodePageHasThem) {
  const struct {
    const char* name;
    const char* utf8;
    const char* bytes;
  } rows[] = {
      {"Turkish letters", "ÇçĞğİıÖöŞşÜü", "\xC7\xE7\xD0\xF0\xDD\xFD\xD6\xF6\xDE\xFE\xDC\xFC"},
      {"letters above 0x7F that are not Latin-1", "€ƒ‘", "\x80\x83\x91"},
      {"a Latin-1 letter the code page keeps", "é", "\xE9"},
      {"a Latin-1 letter the code page replaced", "Ð", "?"},
      {"a letter the code page lacks", "中", "?"},
      {"a byte that is not UTF-8", "\xFF!", "?!"},
      {"a cut sequence", "a\xC3", "a?"},
  };
  for (const auto& row : rows) EXPECT_EQ(Windows1254(row.utf8), row.bytes) << row.name;
}

struct Dumped {
  Lines lines;
  WalkOutcome walk;
};

Dumped Dump(const Bytes& bytes, Build build = Build::Tessaro5Vu, char separator = '.') {
  MidiImage image = ImageOf(bytes);
  image.MidiFileName = "song.txt";
  Pos ScanPos = 0;
  std::string report;
  StringSink sink(report);
  Dumped dump;
  DumpReport(image, ScanPos, build, separator, sink, dump.walk);
  dump.lines = ReportLines(report);
  return dump;
}

// The lines from the first event on (the head, header chunk and track chunk
// sections are 46 lines).
Lines FromEvents(const Lines& lines) {
  return lines.size() < 46 ? Lines{} : Lines(lines.begin() + 46, lines.end());
}

TEST(DumpReport, WritesAWholeFileLineByLineInBothSeparators) {
  // The text's worked example at 31-42, after a note off with a three-byte delta
  // that brings the tick total to 48000, and followed by a Set Tempo of 500000.
  const Bytes file = WithHeader({
      0x80, 0x3C, 0x40, 0x82, 0xF2, 0x70, 0x00, 0x00,                          // 23-30
      0x90, 0x3C, 0x64, 0x30, 0x90, 0x3E, 0x50, 0x83, 0x60, 0xE0, 0x20, 0x41,  // 31-42
      0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,                                      // 43-48
      0xFF, 0x2F, 0x00,                                                        // 49-51
  });
  for (const char separator : {'.', ','}) {
    const Lines expected = {
        "song.txt",
        "",
        "----------HEADER CHUNK--------------",
        "Sabit 4 byte",
        "0001   4D   077   M",
        "0002   54   084   T",
        "0003   68   104   h",
        "0004   64   100   d",
        "",
        "Sabit 4 byte",
        "0005   00   000   " + Z,
        "0006   00   000   " + Z,
        "0007   00   000   " + Z,
        "0008   06   006   \x06",
        "",
        "Midi Format tipi 2 byte",
        "0009   00   000   " + Z,
        "0010   00   000   " + Z,
        "0=single 1=Multi/syncron 2=Multi/asyncron ",
        "",
        "Track sayısı",
        "0011   00   000   " + Z + "   *256^1",
        "0012   01   001   \x01   *256^0",
        "",
        "Çeyrek nota Tick sayısı",
        "0013   00   000   " + Z + "   *256^1",
        "0014   60   096   `   *256^0",
        "Çeyrek nota Tick sayısı= 96",
        "",
        "",
        "----------TRACK CHUNK--------------",
        "Sabit 4 byte",
        "0015   4D   077   M",
        "0016   54   084   T",
        "0017   72   114   r",
        "0018   6B   107   k",
        "",
        "byte olarak track uzunlugu",
        "0019   00   000   " + Z + "   *256^3",
        "0020   00   000   " + Z + "   *256^2",
        "0021   00   000   " + Z + "   *256^1",
        "0022   1D   029   \x1D   *256^0",
        "Bu trackde Byte sayısı= 29",
        "",
        "",
        "----------EVENTS--------------",
        "0023   80   128   €   NOTE-OFF   Kanal= 0",
        "0024   3C   060   <   Pitch=C ",
        "0025   40   064   @   Velo.= 64 ",
        "0026   82   130   ‚",
        "0027   F2   242   ò   ",
        "0028   70   112   p   Tik= 47472",
        "0029   00   000   " + Z + "   ",
        "0030   00   000   " + Z + "   ",
        "0031   90   144       NOTE-ON   Kanal= 0",
        "0032   3C   060   <   Pitch=C ",
        "0033   64   100   d   Velo.= 100 ",
        "0034   30   048   0   Tik= 48",
        "0035   90   144       NOTE-ON   Kanal= 0",
        "0036   3E   062   >   Pitch=D ",
        "0037   50   080   P   Velo.= 80 ",
        "0038   83   131   ƒ",
        "0039   60   096   `   Tik= 480",
        "0040   E0   224   à   PTCHBND   Kanal= 0",
        "0041   20   032    ",
        separator == '.' ? "0042   41   065   A   03.91 Cent" : "0042   41   065   A   03,91 Cent",
        "0043   FF   255   ÿ   SysExMsg başl.  ",
        "0044   51   081   Q",
        "0045   03   003   \x03",
        "0046   07   007   \x07   *256^2",
        "0047   A1   161   ¡   *256^1",
        "0048   20   032       *256^0",
        "çeyrek nota =  500000 MICRO saniye",
        "metronom    = 120 adet/dörtlük",
        "",
        "0049   FF   255   ÿ   SysExMsg başl.  ",
        "0050   2F   047   /",
        "",
        "",
        "",
        "Toplam Tick =     48000",
        "Eser süresi =     .4 dakika",
    };
    const Dumped dump = Dump(file, Build::Tessaro5Vu, separator);
    EXPECT_FALSE(dump.walk.stop);
    EXPECT_TRUE(dump.walk.tickWarnings.empty());
    ASSERT_EQ(dump.lines.size(), expected.size()) << separator;
    for (std::size_t i = 0; i < expected.size(); ++i)
      EXPECT_EQ(dump.lines[i], expected[i]) << "line " << i + 1;
  }
}

TEST(DumpReport, EarlierBuildsReadNoMetaEventsAddNoFloorAndNoSummary) {
  const Bytes file =
      WithHeader({0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x80, 0x3C, 0x40, 0x00, 0xFF, 0x2F, 0x00});
  const Lines earlier = {
      "0023   FF   255   ÿ   SysExMsg başl.  ",
      "0024   51   081   Q   ",
      "0025   03   003   \x03   ",
      "0026   07   007   \x07   ",
      "0027   A1   161   ¡   ",
      "0028   20   032       ",
      "0029   80   128   €   NOTE-OFF   Kanal= 0",
      "0030   3C   060   <   Pitch=C ",
      "0031   40   064   @   Velo.= 64 ",
      "0032   00   000   " + Z + "   Tik= 0",
      "0033   FF   255   ÿ   SysExMsg başl.  ",
      "0034   2F   047   /   SysExMsg biter",
      "0035   00   000   " + Z + "   ",
      "",
      "",
  };
  EXPECT_EQ(FromEvents(Dump(file, Build::Tessaro5).lines), earlier);
  EXPECT_EQ(FromEvents(Dump(file, Build::Lumbric5).lines), earlier);
}

// What the walk decodes is the walk's test; these rows are about how the report
// prints it.
TEST(DumpReport, AnnotatesEachByteTheWalkExamines) {
  const struct {
    const char* name;
    Bytes events;
    std::size_t warnings;
    Lines lines;  // the events section
  } rows[] = {
      // clang-format off
      {"0x90 examined is blank, read as a velocity it is itself", {0x90, 0x3C, 0x90, 0x00}, 0,
       {"0023   90   144       NOTE-ON   Kanal= 0", "0024   3C   060   <   Pitch=C ",
        "0025   90   144   \u0090   Velo.= 144 ", "0026   00   000   " + Z + "   Tik= 0"}},
      {"a one-byte delta 0 after a note off counts one tick", {0x80, 0x3D, 0x40, 0x00}, 0,
       {"0023   80   128   €   NOTE-OFF   Kanal= 0", "0024   3D   061   =   Pitch=C#",
        "0025   40   064   @   Velo.= 64 ", "0026   00   000   " + Z + "   Tik= 1"}},
      {"a fourth delta byte: two lines, the warning, an empty line, on from the pitch",
       {0x90, 0x3C, 0x40, 0x82, 0x82, 0x82, 0x00}, 1,
       {"0023   90   144       NOTE-ON   Kanal= 0", "0024   3C   060   <   Pitch=C ",
        "0025   40   064   @   Velo.= 64 ", "0026   82   130   ‚", "0027   82   130   ‚   ", "",
        "0024   3C   060   <   ", "0025   40   064   @   ", "0026   82   130   ‚   ",
        "0027   82   130   ‚   ", "0028   82   130   ‚   ", "0029   00   000   " + Z + "   "}},
      {"system labels",
       {0xF0, 0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8, 0xF9, 0xFA, 0xFB, 0xFC, 0xFD, 0xFE}, 0,
       {"0023   F0   240   ğ   SysExMsg başl.  ", "0024   F1   241   ñ   Time code       ",
        "0025   F2   242   ò   Position pointer", "0026   F3   243   ó   Song select     ",
        "0027   F4   244   ô   Undefined       ", "0028   F5   245   õ   Undefined       ",
        "0029   F6   246   ö   Tune request    ", "0030   F7   247   ÷   EOX bitiş       ",
        "0031   F8   248   ø   Clock           ", "0032   F9   249   ù   (undefined)     ",
        "0033   FA   250   ú   Start           ", "0034   FB   251   û   Continue        ",
        "0035   FC   252   ü   Stop            ", "0036   FD   253   ı   Undefined       ",
        "0037   FE   254   ş   Active Sensing  "}},
      {"13 and 129 examined are blank; other status bytes get nothing", {0x0D, 0x81, 0xA0, 0x9F, 0xE5}, 0,
       {"0023   0D   013       ", "0024   81   129       ", "0025   A0   160   \u00A0   ",
        "0026   9F   159   Ÿ   ", "0027   E5   229   å   "}},
      // clang-format on
  };
  for (const auto& row : rows) {
    const Dumped dump = Dump(WithHeader(row.events));
    ASSERT_FALSE(dump.walk.stop) << row.name;
    // The events section, without the summary's four lines.
    const Lines events = FromEvents(dump.lines);
    ASSERT_GE(events.size(), 4u) << row.name;
    EXPECT_EQ(Lines(events.begin(), events.end() - 4), row.lines) << row.name;
    EXPECT_EQ(dump.walk.tickWarnings.size(), static_cast<std::size_t>(row.warnings)) << row.name;
  }
}

TEST(DumpReport, HeaderBytesShowTheByteItselfWhateverItIs) {
  Bytes file = WithHeader({});
  file[11] = 0x0A;  // position 12
  file[12] = 0x0D;  // position 13
  file[13] = 0x90;  // position 14
  const Lines lines = Dump(file).lines;
  ASSERT_GE(lines.size(), 28u);
  EXPECT_EQ(lines[22], "0012   0A   010   \n   *256^0");
  EXPECT_EQ(lines[25], "0013   0D   013   \r   *256^1");
  EXPECT_EQ(lines[26], "0014   90   144   \u0090   *256^0");
  EXPECT_EQ(lines[27], "Çeyrek nota Tick sayısı= 3472");
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
  EXPECT_EQ(lines[lines.size() - 2], "Toplam Tick =     30000");
  EXPECT_EQ(lines.back(), "Eser süresi =     .5 dakika");
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
    ReadFailure::Kind kind;
    Pos position;
  } rows[] = {
      // clang-format off
      {"file shorter than the header: the texts after byte 4, nothing more", {'M', 'T', 'h', 'd'}, 10,
       {"0003   68   104   h", "0004   64   100   d", "", "Sabit 4 byte"}, ReadFailure::Kind::Truncated, 5},
      {"file cut inside a note", WithHeader({0x90, 0x3C}), 48,
       {"----------EVENTS--------------", "0023   90   144       NOTE-ON   Kanal= 0",
        "0024   3C   060   <   Pitch=C "},
       ReadFailure::Kind::Truncated, 25},
      {"tempo 0: the tempo line, no metronome", WithHeader({0xFF, 0x51, 0x03, 0x00, 0x00, 0x00}), 53,
       {"0026   00   000   " + Z + "   *256^2", "0027   00   000   " + Z + "   *256^1",
        "0028   00   000   " + Z + "   *256^0", "çeyrek nota =  0 MICRO saniye"},
       ReadFailure::Kind::ZeroTempo, 23},
      {"tick total past 2^31 - 1: the open tick line is ended", WithHeader(tooManyTicks), 46 + 1025 * 6,
       {"6171   FF   255   ÿ   ", "6172   7F   127   \x7F   Tik= 2097151"},
       ReadFailure::Kind::Overflow, 6167},
      // clang-format on
  };
  for (const auto& row : rows) {
    const Dumped dump = Dump(row.bytes);
    ASSERT_TRUE(dump.walk.stop) << row.name;
    EXPECT_EQ(dump.walk.stop->kind(), row.kind) << row.name;
    EXPECT_EQ(dump.walk.stop->position(), row.position) << row.name;
    ASSERT_EQ(dump.lines.size(), row.lineCount) << row.name;
    EXPECT_EQ(Lines(dump.lines.end() - static_cast<std::ptrdiff_t>(row.lastLines.size()), dump.lines.end()),
              row.lastLines)
        << row.name;
  }
}

}  // namespace
}  // namespace midi
