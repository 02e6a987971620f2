#include "midi/walk.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support.h"

namespace midi {
namespace {

using test::Bytes;
using test::ImageOf;
using test::WithHeader;

// Writes what the walk tells as a compact trace: "@23" for an examined byte,
// then the decoded parts of its event.
class TraceListener : public WalkListener {
 public:
  void TicksPerQuarter(std::int32_t tpq) override { Add("tpq:", tpq); }
  void TrackLength(std::int32_t length) override { Add("trk:", length); }
  void Examined(Pos pos, const FetchedByte&) override { Add("@", pos); }
  void Pitch(Pos, const FetchedByte& b) override { Add("pitch:", NoteName(b.value)); }
  void Velocity(Pos, const FetchedByte& b) override { Add("velo:", b.value); }
  void DeltaByte(Pos pos, const FetchedByte& b, int index) override {
    Add("dbyte", index, ":", pos, "=", b.HexText());
  }
  void Delta(Pos pos, const FetchedByte&, std::int32_t delta) override { Add("delta:", pos, "=", delta); }
  void BendLsb(Pos, const FetchedByte& b) override { Add("lsb:", b.HexText()); }
  void BendMsb(Pos, const FetchedByte& b, std::int16_t bend, double cents) override {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", cents);
    Add("msb:", b.HexText(), " bend:", bend, " cents:", std::string_view(text));
  }
  void MetaType(Pos, const FetchedByte& b) override { Add("type:", b.HexText()); }
  void MetaLength(Pos, const FetchedByte& b) override { Add("len:", b.HexText()); }
  void TempoByte(Pos, const FetchedByte& b, int exponent) override { Add("t", exponent, ":", b.HexText()); }
  void Tempo(std::int32_t tempo) override { Add("tempo:", tempo); }
  void Metronome(double qpm) override {
    char text[32];
    std::snprintf(text, sizeof text, "%g", qpm);
    Add("qpm:", std::string_view(text));
  }

  std::string trace;

 private:
  template <typename... Parts>
  void Add(const Parts&... parts) {
    if (!trace.empty()) trace += ' ';
    (Append(parts), ...);
  }
  void Append(std::string_view text) { trace += text; }
  void Append(const char* text) { trace += text; }
  void Append(std::int32_t number) { trace += std::to_string(number); }
};

struct WalkRun {
  std::string trace;
  WalkOutcome outcome;
  Pos scanPos = 0;
};

WalkRun RunWalk(const Bytes& bytes, WalkRules rules = {}) {
  const MidiImage image = ImageOf(bytes);
  TraceListener listener;
  WalkRun run;
  EventWalk(image, run.scanPos, rules, listener, run.outcome);
  // The header part of the trace is the same everywhere; keep only the events.
  const std::string header = "tpq:96 trk:" + std::to_string(bytes.size() - 22);
  const std::string& trace = listener.trace;
  run.trace = trace.rfind(header, 0) == 0 ? trace.substr(std::min(trace.size(), header.size() + 1)) : trace;
  return run;
}

struct WalkCase {
  const char* name;
  Bytes events;
  std::string trace;
  std::int32_t tickTotal;
  int warnings;          // delta times that would need a fourth byte; the rows put that note event at 23
  WalkRules rules = {};  // the scanner's, unless the row is about the dump or the earlier builds
};

void ExpectWalks(const WalkCase& row) {
  const WalkRun run = RunWalk(WithHeader(row.events), row.rules);
  ASSERT_FALSE(run.outcome.stop) << row.name;
  EXPECT_EQ(run.trace, row.trace) << row.name;
  EXPECT_EQ(run.outcome.tickTotal, row.tickTotal) << row.name;
  EXPECT_EQ(run.outcome.tickWarnings, std::vector<Pos>(static_cast<std::size_t>(row.warnings), 23))
      << row.name;
}

TEST(EventWalk, DecodesEventsOfTheFirstChannel) {
  const WalkCase rows[] = {
      // clang-format off
      {"end of track moves six bytes, past the end", {0x00, 0xFF, 0x2F, 0x00}, "@23 @24 type:2F", 0, 0},
      {"note off with delta 0 counts nothing in the scanner", {0x80, 0x3D, 0x40, 0x00},
       "@23 pitch:C# velo:64 delta:26=0", 0, 0},
      {"second channel is passed over byte by byte", {0x91, 0x3C, 0x40, 0x00}, "@23 @24 @25 @26", 0, 0},
      {"running status: one note event only", {0x90, 0x47, 0x40, 0x00, 0x3E, 0x40, 0x00},
       "@23 pitch:B  velo:64 delta:26=0 @27 @28 @29", 0, 0},
      {"two-byte delta", {0x90, 0x3C, 0x40, 0x81, 0x00}, "@23 pitch:C  velo:64 dbyte0:26=81 delta:27=128", 128, 0},
      {"three-byte delta", {0x90, 0x3C, 0x40, 0x81, 0x80, 0x00},
       "@23 pitch:C  velo:64 dbyte0:26=81 dbyte1:27=80 delta:28=16384", 16384, 0},
      {"a fourth delta byte warns once and the walk goes on after the status byte",
       {0x90, 0x3C, 0x40, 0x81, 0x81, 0x81, 0x00},
       "@23 pitch:C  velo:64 dbyte0:26=81 dbyte1:27=81 @24 @25 @26 @27 @28 @29", 0, 1},
      {"bend at the centre", {0xE0, 0x00, 0x40}, "@23 lsb:00 msb:40 bend:0 cents:0.00", 0, 0},
      {"bend at the top", {0xE0, 0x7F, 0x7F}, "@23 lsb:7F msb:7F bend:8191 cents:199.98", 0, 0},
      {"bend at the bottom", {0xE0, 0x00, 0x00}, "@23 lsb:00 msb:00 bend:-8192 cents:-200.00", 0, 0},
      {"set tempo", {0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00},
       "@23 type:51 len:03 t2:07 t1:A1 t0:20 tempo:500000 qpm:120 @29", 0, 0},
      {"end of track into the next chunk id", {0xFF, 0x2F, 0x00, 0x00, 0x4D, 0x54, 0x72, 0x6B},
       "@23 type:2F @29 @30", 0, 0},
      {"a long text meta event: bytes after the six are examined",
       {0xFF, 0x01, 0x05, 0x41, 0x42, 0x43, 0x90, 0x3C, 0x40, 0x00},
       "@23 type:01 @29 pitch:C  velo:64 delta:32=0", 0, 0},
      {"a delta after a bend that begins with 0x90 is taken for a note on",
       {0xE0, 0x00, 0x40, 0x90, 0x10, 0x20, 0x05},
       "@23 lsb:00 msb:40 bend:0 cents:0.00 @26 pitch:E  velo:32 delta:29=5", 5, 0},
      {"other status bytes are passed over", {0xA0, 0xB0, 0xC0, 0xD0, 0xF0, 0xE5, 0x9F},
       "@23 @24 @25 @26 @27 @28 @29", 0, 0},
      {"tick total adds the deltas", {0x90, 0x3C, 0x40, 0x30, 0x80, 0x3C, 0x40, 0x83, 0x60},
       "@23 pitch:C  velo:64 delta:26=48 @27 pitch:C  velo:64 dbyte0:30=83 delta:31=480", 528, 0},
      {"header only", {}, "", 0, 0},
      {"earlier builds examine an end of track byte by byte", {0xFF, 0x2F, 0x00}, "@23 @24 @25", 0, 0,
       {.metaEvents = false}},
      {"earlier builds take a tempo byte equal to 0x90 for a note on",
       {0xFF, 0x51, 0x03, 0x90, 0x3C, 0x40, 0x00}, "@23 @24 @25 @26 pitch:C  velo:64 delta:29=0", 0, 0,
       {.metaEvents = false}},
      {"the dump's floor: note off, delta 0 counts 1", {0x80, 0x3C, 0x40, 0x00},
       "@23 pitch:C  velo:64 delta:26=1", 1, 0, {.noteOffFloor = true}},
      {"the dump's floor: not after a note on", {0x90, 0x3C, 0x40, 0x00}, "@23 pitch:C  velo:64 delta:26=0",
       0, 0, {.noteOffFloor = true}},
      {"the dump's floor: not for a two-byte delta of 0", {0x80, 0x3C, 0x40, 0x80, 0x00},
       "@23 pitch:C  velo:64 dbyte0:26=80 delta:27=0", 0, 0, {.noteOffFloor = true}},
      // clang-format on
  };
  for (const auto& row : rows) ExpectWalks(row);
}

TEST(EventWalk, StopsWithoutReadingOutsideTheImage) {
  const struct {
    const char* name;
    Bytes bytes;
    ReadFailure::Kind kind;
    Pos position;
    std::string trace;  // what was told before the stop
  } rows[] = {
      // clang-format off
      {"21 bytes", Bytes(21, 0), ReadFailure::Kind::Truncated, 22, "tpq:0"},
      {"track length of 2^31", test::Header(96, 0x80000000u), ReadFailure::Kind::Overflow, 19, "tpq:96"},
      {"note on without velocity", WithHeader({0x90, 0x3C}), ReadFailure::Kind::Truncated, 25, "@23 pitch:C "},
      {"fourth-byte check past the end", WithHeader({0x90, 0x3C, 0x40, 0x81, 0x80}), ReadFailure::Kind::Truncated,
       28, "@23 pitch:C  velo:64 dbyte0:26=81 dbyte1:27=80"},
      {"bend without its MSB", WithHeader({0xE0, 0x00}), ReadFailure::Kind::Truncated, 25, "@23 lsb:00"},
      {"tempo cut", WithHeader({0xFF, 0x51, 0x03, 0x07, 0xA1}), ReadFailure::Kind::Truncated, 28,
       "@23 type:51 len:03 t2:07 t1:A1"},
      {"bend whose MSB x 128 + LSB passes 32767", WithHeader({0xE0, 0x80, 0xFF}), ReadFailure::Kind::Overflow,
       23, "@23 lsb:80"},
      // clang-format on
  };
  for (const auto& row : rows) {
    const WalkRun run = RunWalk(row.bytes);
    ASSERT_TRUE(run.outcome.stop) << row.name;
    EXPECT_EQ(run.outcome.stop->kind(), row.kind) << row.name;
    EXPECT_EQ(run.outcome.stop->position(), row.position) << row.name;
    EXPECT_EQ(run.trace, row.trace) << row.name;
  }
}

TEST(EventWalk, WalksFilesLongerThan32767Bytes) {
  Bytes events(40000, 0x00);
  events.insert(events.end(), {0x90, 0x3C, 0x40, 0x05});
  const WalkRun run = RunWalk(WithHeader(events));
  ASSERT_FALSE(run.outcome.stop);
  EXPECT_EQ(run.outcome.tickTotal, 5);
  EXPECT_EQ(run.scanPos, 22 + 40004 + 1);
}

}  // namespace
}  // namespace midi
