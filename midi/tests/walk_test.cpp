#include "midi/walk.h"

#include <gtest/gtest.h>

#include <optional>

#include "support.h"

namespace midi::test {

// What the walk decodes shows in every report line (report_test.cpp), and TEST's
// warnings and stops by build in tool_test.cpp; here the ticks it counts and
// where it stops. Most rows end in a note whose delta counts only if the walk
// reached its status byte.
TEST(EventWalk, CountsTheTicksOfTheFirstChannelsNoteEventsOrStops) {
  constexpr WalkRules kEarlier{.metaEvents = false}, kDump{.noteOffFloor = true};
  const Bytes endThenNotes = {0xFF, 0x2F, 0x00, 0x90, 0x3C, 0x40, 0x05, 0x90, 0x3C, 0x40, 0x07};
  const Bytes tempoOf0x90 = {0xFF, 0x51, 0x03, 0x90, 0x3C, 0x40, 0x05};
  Bytes longFile = WithHeader(Bytes(40000, 0x00));
  longFile.insert(longFile.end(), {0xE0, 0x00});
  using Kind = ReadFailure::Kind;
  const struct {
    const char* name;
    Bytes bytes;
    std::int32_t tickTotal = 0;
    WalkRules rules = {};           // the scanner's, unless the row is about the dump or the earlier builds
    std::optional<Kind> stop = {};  // and where
    Pos at = 0;
    std::size_t warnings = 0;  // delta times not decoded
  } rows[] = {
      // clang-format off
      {"end of track moves six bytes", WithHeader(endThenNotes), 7},
      {"earlier builds examine an end of track byte by byte", WithHeader(endThenNotes), 12, kEarlier},
      {"set tempo moves past its data", WithHeader(tempoOf0x90), 0},
      {"a long text meta event: bytes after the six are examined",
       WithHeader({0xFF, 0x01, 0x05, 0x41, 0x42, 0x43, 0x90, 0x3C, 0x40, 0x05}), 5},
      {"second channel is passed over", WithHeader({0x91, 0x3C, 0x40, 0x05}), 0},
      {"running status: one note event only", WithHeader({0x90, 0x47, 0x40, 0x00, 0x3E, 0x40, 0x05}), 0},
      {"a delta after a bend that begins with 0x90 is taken for a note on",
       WithHeader({0xE0, 0x00, 0x40, 0x90, 0x10, 0x20, 0x05}), 5},
      {"one-, two- and three-byte deltas add up",
       WithHeader({0x90, 0x3C, 0x40, 0x30, 0x80, 0x3C, 0x40, 0x83, 0x60, 0x90, 0x3C, 0x40, 0x81, 0x80, 0x00}), 16912},
      {"a three-byte delta moves on past its last byte",
       WithHeader({0x90, 0x3C, 0x40, 0x81, 0x80, 0x00, 0x90, 0x3C, 0x40, 0x05}), 16389},
      {"a first delta byte of 0x80 is continued", WithHeader({0x90, 0x3C, 0x40, 0x80, 0x05}), 5},
      // Not decoded, so the walk goes on after the status, and the 0x80 is a note off
      // whose delta is the next note on's pitch.
      {"a third delta byte of 0x80 is continued",
       WithHeader({0x90, 0x3C, 0x40, 0x81, 0x81, 0x80, 0x00, 0x90, 0x3C, 0x40, 0x05}), 60, {}, {}, 0, 1},
      {"the scanner counts a note off's delta 0 as 0", WithHeader({0x80, 0x3C, 0x40, 0x00}), 0},
      {"the dump counts it as 1", WithHeader({0x80, 0x3C, 0x40, 0x00}), 1, kDump},
      {"the dump's floor: not after a note on", WithHeader({0x90, 0x3C, 0x40, 0x00}), 0, kDump},
      {"the dump's floor: not for a two-byte delta of 0", WithHeader({0x80, 0x3C, 0x40, 0x80, 0x00}), 0, kDump},
      {"track length of 2^31", Header(0x80000000u), 0, {}, Kind::Overflow, 19},
      {"note on without velocity", WithHeader({0x90, 0x3C}), 0, {}, Kind::Truncated, 25},
      {"fourth-byte check past the end", WithHeader({0x90, 0x3C, 0x40, 0x81, 0x80}), 0, {}, Kind::Truncated, 28},
      {"bend without its MSB", WithHeader({0xE0, 0x00}), 0, {}, Kind::Truncated, 25},
      {"bend without its MSB past 32767", longFile, 0, {}, Kind::Truncated, 22 + 40003},
      {"tempo cut", WithHeader({0xFF, 0x51, 0x03, 0x07, 0xA1}), 0, {}, Kind::Truncated, 28},
      // clang-format on
  };
  for (const auto& row : rows) {
    Pos scanPos = 0;
    WalkListener silent;
    WalkOutcome outcome;
    EventWalk(ImageOf(row.bytes), scanPos, row.rules, silent, outcome);
    EXPECT_EQ(outcome.stop ? std::optional(outcome.stop->kind()) : std::nullopt, row.stop) << row.name;
    EXPECT_EQ(outcome.stop ? outcome.stop->position() : 0, row.at) << row.name;
    if (row.stop) continue;
    EXPECT_EQ(outcome.tickTotal, row.tickTotal) << row.name;
    EXPECT_EQ(outcome.tickWarnings.size(), row.warnings) << row.name;
    EXPECT_GT(scanPos, static_cast<Pos>(row.bytes.size())) << row.name;
  }
}

}  // namespace midi::test
