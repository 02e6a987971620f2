#include "midi/walk.h"

#include <gtest/gtest.h>

#include "support.h"

namespace midi {
namespace {

using test::Bytes;
using test::WithHeader;

WalkOutcome Walk(const Bytes& bytes, WalkRules rules, Pos& scanPos) {
  WalkListener silent;
  WalkOutcome outcome;
  EventWalk(test::ImageOf(bytes), scanPos, rules, silent, outcome);
  return outcome;
}

// What the walk decodes shows in every report line (report_test.cpp); here what
// TEST keeps of it. Most rows end in a note whose delta counts only if the walk
// reached its status byte.
TEST(EventWalk, CountsTheTicksOfTheFirstChannelsNoteEvents) {
  constexpr WalkRules kEarlier{.metaEvents = false}, kDump{.noteOffFloor = true};
  const Bytes endThenNotes = {0xFF, 0x2F, 0x00, 0x90, 0x3C, 0x40, 0x05, 0x90, 0x3C, 0x40, 0x07};
  const Bytes tempoOf0x90 = {0xFF, 0x51, 0x03, 0x90, 0x3C, 0x40, 0x05};
  const struct {
    const char* name;
    Bytes events;
    std::int32_t tickTotal;
    std::size_t warnings = 0;  // all on the note event at 23
    WalkRules rules = {};      // the scanner's, unless the row is about the dump or the earlier builds
  } rows[] = {
      // clang-format off
      {"end of track moves six bytes", endThenNotes, 7},
      {"earlier builds examine an end of track byte by byte", endThenNotes, 12, 0, kEarlier},
      {"set tempo moves past its data", tempoOf0x90, 0},
      {"earlier builds take a tempo byte of 0x90 for a note on", tempoOf0x90, 5, 0, kEarlier},
      {"a long text meta event: bytes after the six are examined",
       {0xFF, 0x01, 0x05, 0x41, 0x42, 0x43, 0x90, 0x3C, 0x40, 0x05}, 5},
      {"second channel is passed over", {0x91, 0x3C, 0x40, 0x05}, 0},
      {"running status: one note event only", {0x90, 0x47, 0x40, 0x00, 0x3E, 0x40, 0x05}, 0},
      {"a delta after a bend that begins with 0x90 is taken for a note on",
       {0xE0, 0x00, 0x40, 0x90, 0x10, 0x20, 0x05}, 5},
      {"one-, two- and three-byte deltas add up",
       {0x90, 0x3C, 0x40, 0x30, 0x80, 0x3C, 0x40, 0x83, 0x60, 0x90, 0x3C, 0x40, 0x81, 0x80, 0x00}, 16912},
      {"a fourth delta byte warns and the walk goes on after the status byte",
       {0x90, 0x3C, 0x40, 0x81, 0x81, 0x81, 0x00, 0x90, 0x3C, 0x40, 0x05}, 5, 1},
      {"header only", {}, 0},
      {"the scanner counts a note off's delta 0 as 0", {0x80, 0x3C, 0x40, 0x00}, 0},
      {"the dump counts it as 1", {0x80, 0x3C, 0x40, 0x00}, 1, 0, kDump},
      {"the dump's floor: not after a note on", {0x90, 0x3C, 0x40, 0x00}, 0, 0, kDump},
      {"the dump's floor: not for a two-byte delta of 0", {0x80, 0x3C, 0x40, 0x80, 0x00}, 0, 0, kDump},
      // clang-format on
  };
  for (const auto& row : rows) {
    Pos scanPos = 0;
    const Bytes bytes = WithHeader(row.events);
    const WalkOutcome outcome = Walk(bytes, row.rules, scanPos);
    ASSERT_FALSE(outcome.stop) << row.name;
    EXPECT_EQ(outcome.tickTotal, row.tickTotal) << row.name;
    EXPECT_EQ(outcome.tickWarnings, std::vector<Pos>(row.warnings, 23)) << row.name;
    EXPECT_GT(scanPos, static_cast<Pos>(bytes.size())) << row.name;
  }
}

TEST(EventWalk, StopsWithoutReadingOutsideTheImage) {
  Bytes longFile = WithHeader(Bytes(40000, 0x00));
  longFile.insert(longFile.end(), {0xE0, 0x00});
  const struct {
    const char* name;
    Bytes bytes;
    ReadFailure::Kind kind;
    Pos position;
  } rows[] = {
      {"21 bytes", Bytes(21, 0), ReadFailure::Kind::Truncated, 22},
      {"track length of 2^31", test::Header(0x80000000u), ReadFailure::Kind::Overflow, 19},
      {"note on without velocity", WithHeader({0x90, 0x3C}), ReadFailure::Kind::Truncated, 25},
      {"fourth-byte check past the end", WithHeader({0x90, 0x3C, 0x40, 0x81, 0x80}),
       ReadFailure::Kind::Truncated, 28},
      {"bend without its MSB", WithHeader({0xE0, 0x00}), ReadFailure::Kind::Truncated, 25},
      {"bend without its MSB past 32767", longFile, ReadFailure::Kind::Truncated, 22 + 40003},
      {"tempo cut", WithHeader({0xFF, 0x51, 0x03, 0x07, 0xA1}), ReadFailure::Kind::Truncated, 28},
      {"tempo 0", WithHeader({0xFF, 0x51, 0x03, 0x00, 0x00, 0x00}), ReadFailure::Kind::ZeroTempo, 23},
      {"bend whose MSB x 128 + LSB passes 32767", WithHeader({0xE0, 0x80, 0xFF}), ReadFailure::Kind::Overflow,
       23},
  };
  for (const auto& row : rows) {
    Pos scanPos = 0;
    const WalkOutcome outcome = Walk(row.bytes, {}, scanPos);
    ASSERT_TRUE(outcome.stop) << row.name;
    EXPECT_EQ(outcome.stop->kind(), row.kind) << row.name;
    EXPECT_EQ(outcome.stop->position(), row.position) << row.name;
  }
}

}  // namespace
}  // namespace midi
