#include "midi/report.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "midi/codepage.h"
#include "midi/numbers.h"
#include "support.h"

namespace midi::test {

using namespace std::string_literals;

TEST(Numbers, WriteTheReportsNumberForms) {
  const struct {
    const char* name;
    std::string text, expected;
  } rows[] = {
      // clang-format off
      {"a binary neighbour of 0.4 reads as 0.4", SignBlankText(0.39999999999999997), " .4"},
      {"one", SignBlankText(1.0), " 1"},
      {"above one", SignBlankText(2.5), " 2.5"},
      {"negative", SignBlankText(-0.25), "-.25"},
      {"two thirds round up at the 15th digit", SignBlankText(2.0 / 3.0), " .666666666666667"},
      {"15 whole digits stay plain", SignBlankText(123456789012345.0), " 123456789012345"},
      {"from 1E15 on, an exponent", SignBlankText(1e15), " 1E+15"},
      {"1E-4 stays plain", SignBlankText(0.0001), " .0001"},
      {"below 1E-4, an exponent", SignBlankText(0.00005), " 5E-05"},
      {"an exponent with decimals", SignBlankText(8.333333333333334e-06), " 8.33333333333333E-06"},
      {"a negative whole number", SignBlankText(std::int32_t{-5}), "-5"},
      {"a whole number padded", PatternText(std::int32_t{7}, "000"), "007"},
      {"a negative whole number padded", PatternText(std::int32_t{-5}, "00"), "-05"},
      {"a bend of 128 is a half", PatternText(3.125, "00.00", ','), "03,13"},
      {"a bend of -128 is a half", PatternText(-3.125, "00.00", '.'), "-03.13"},
      {"the bottom of the bend", PatternText(-200.0, "00.00", ','), "-200,00"},
      {"no bend", PatternText(0.0, "00.00", ','), "00,00"},
      {"a small negative rounds to zero without a sign", PatternText(-0.004, "00.00", '.'), "00.00"},
      {"a decimal half that binary holds just below", PatternText(1.005, "00.00", '.'), "01.01"},
      {"a carry into a new digit", PatternText(99.996, "00.00", '.'), "100.00"},
      {"a metronome of 7.5 rounds up", PatternText(7.5, "00", '.'), "08"},
      // clang-format on
  };
  for (const auto& row : rows) EXPECT_EQ(row.text, row.expected) << row.name;
  EXPECT_THROW(PatternText(std::int32_t{1}, "0.0"), std::invalid_argument);
}

TEST(Windows1254, WritesTheTurkishLettersAsTheCodePageHasThem) {
  const std::pair<const char*, const char*> rows[] = {
      {"ÇçĞğİıÖöŞşÜü", "\xC7\xE7\xD0\xF0\xDD\xFD\xD6\xF6\xDE\xFE\xDC\xFC"},
      {"€‚ƒ„…†‡ˆ‰Š‹Œ‘’“”•–—˜™š›œŸ",  // above 0x7F and not Latin-1
       "\x80\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9A\x9B\x9C"
       "\x9F"},
      {"éÿ\u00A0", "\xE9\xFF\xA0"},             // Latin-1 letters and signs the code page keeps
      {"Ð\u0080Ā中\xF1\x80\x80\x80", "?????"},  // replaced by the code page, or lacking in it
      {"\xFF!a\xC3", "?!a?"},                   // not UTF-8, and a cut sequence
  };
  for (const auto& [utf8, bytes] : rows) EXPECT_EQ(Windows1254(utf8), bytes) << utf8;
}

struct Dumped {
  std::string report;
  WalkOutcome walk;
};

Dumped Dump(const Bytes& bytes, Build build = Build::Tessaro5Vu) {
  MidiImage image = ImageOf(bytes);
  image.MidiFileName = "song.txt";
  Pos scanPos = 0;
  Dumped dump;
  StringSink sink(dump.report);
  DumpReport(image, scanPos, build, '.', sink, dump.walk);
  return dump;
}

// Whole reports, checked by reading them against the rules (golden/, Windows-1254
// with CR LF). What the walk decodes is the walk's test; these are about how the
// report prints it. The earlier builds read no meta events, add no floor to a
// note off's delta and end on two empty lines instead of the summary.
TEST(DumpReport, WritesEachByteWithWhatTheWalkMadeOfIt) {
  Bytes header = WithHeader({});
  header[4] = 0x90;                      // position 5
  header[12] = 0x0D;                     // position 13
  header[13] = 0x81;                     // position 14
  header[20] = 0x27, header[21] = 0x10;  // a track of 10000 bytes, none there
  const struct {
    const char* golden;
    Bytes bytes;
    Build build = Build::Tessaro5Vu;
    bool stops = false;
  } rows[] = {
      // clang-format off
      // The worked example at 31-42, after a note off with a three-byte delta that
      // brings the tick total to 48000, and followed by a Set Tempo of 500000.
      {"song.txt", WithHeader({0x80, 0x3C, 0x40, 0x82, 0xF2, 0x70, 0x00, 0x00,            // 23-30
                               0x90, 0x3C, 0x64, 0x30, 0x90, 0x3E, 0x50, 0x83, 0x60, 0xE0, 0x20, 0x41,  // 31-42
                               0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0xFF, 0x2F, 0x00})},   // 43-51
      // 0x90 examined is blank; read as a velocity it is itself.
      {"velocity.txt", WithHeader({0x90, 0x3C, 0x90, 0x00})},
      // A fourth delta byte: two lines, an empty line, on from the pitch.
      {"fourth_delta.txt", WithHeader({0x90, 0x3C, 0x40, 0x82, 0x82, 0x82, 0x00})},
      // 13 and 129 examined are blank; other status bytes get nothing.
      {"status_bytes.txt", WithHeader({0x0D, 0x81, 0xA0, 0x9F})},
      // 13, 129 and 144 read as data show as themselves; a metronome of 7.5 rounds up.
      {"data_bytes.txt", WithHeader({0x90, 0x3C, 0x40, 0x81, 0x00, 0xE0, 0x0D, 0x40, 0xE0, 0x7F, 0x7F,
                                     0xFF, 0x51, 0x90, 0x7A, 0x12, 0x00, 0xFF, 0x90})},
      {"earlier.txt", WithHeader({0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x80, 0x3C, 0x40, 0x00, 0xFF, 0x2F, 0x00}),
       Build::Tessaro5},
      {"header.txt", header},  // header bytes show the byte itself, whatever it is
      // A stopped walk keeps every line written before the stop.
      {"cut_header.txt", {'M', 'T', 'h', 'd'}, Build::Tessaro5Vu, true},
      {"tempo0.txt", WithHeader({0xFF, 0x51, 0x03, 0x00, 0x00, 0x00}), Build::Tessaro5Vu, true},
      // clang-format on
  };
  for (const auto& row : rows) {
    const Dumped dump = Dump(row.bytes, row.build);
    EXPECT_EQ(dump.walk.stop.has_value(), row.stops) << row.golden;
    const Bytes golden = ReadFile(std::string(MIDI_GOLDEN_DIR "/") + row.golden);
    EXPECT_EQ(dump.report, std::string(golden.begin(), golden.end())) << row.golden;
    EXPECT_EQ(Dump(row.bytes, Build::Lumbric5).report, Dump(row.bytes, Build::Tessaro5).report) << row.golden;
  }
}

TEST(DumpReport, EndsAsTheFileAndTheTicksSay) {
  Bytes tooManyTicks;  // a tick total past 2^31 - 1 stops the walk, the open tick line ended
  for (int i = 0; i < 1025; ++i)
    tooManyTicks.insert(tooManyTicks.end(), {0x90, 0x3C, 0x40, 0xFF, 0xFF, 0x7F});
  const struct {
    Bytes bytes;
    std::string end;
  } rows[] = {
      {WithHeader(Bytes(10000, 0x00)),  // positions of five digits widen the column
       "9999   00   000   \0   \r\n10000   00   000   \0   \r\n"s},
      // 30000 ticks at the last tempo, 1000000, are half a minute; at the first they would be 4 minutes.
      {WithHeader({0xFF, 0x51, 0x03, 0x7A, 0x12, 0x00, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40, 0x90, 0x3C, 0x40,
                   0x81, 0xEA, 0x30}),
       "Toplam Tick =     30000\r\nEser s\xFCresi =     .5 dakika\r\n"},
      {WithHeader(tooManyTicks), "6171   FF   255   \xFF   \r\n6172   7F   127   \x7F   Tik= 2097151\r\n"},
  };
  for (const auto& row : rows) EXPECT_NE(Dump(row.bytes).report.find(row.end), std::string::npos) << row.end;
  EXPECT_EQ(std::ranges::count(Dump(WithHeader(tooManyTicks)).report, '\n'), 46 + 1025 * 6);
}

}  // namespace midi::test
