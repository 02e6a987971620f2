#include "midi/image.h"

#include <gtest/gtest.h>

#include "support.h"

namespace midi {
namespace {

using test::Bytes;
using test::ImageOf;

TEST(ByteFetch, GivesEachBytesValueAndTwoDigitHex) {
  const MidiImage image = ImageOf({0x4D, 0x05, 0xFF, 0x00, 0x90});
  const struct {
    Pos pos;
    std::int32_t value;
    std::string_view hex;
  } rows[] = {{1, 77, "4D"}, {2, 5, "05"}, {3, 255, "FF"}, {4, 0, "00"}, {5, 144, "90"}};
  for (const auto& row : rows) {
    const FetchedByte byte = ByteFetch(image, row.pos);
    EXPECT_EQ(byte.value, row.value) << "position " << row.pos;
    EXPECT_EQ(byte.HexText(), row.hex) << "position " << row.pos;
  }
}

TEST(ByteFetch, StopsAtPositionsOutsideTheImage) {
  const MidiImage loaded = ImageOf({1, 2, 3});
  const MidiImage empty;
  const struct {
    const MidiImage* image;
    Pos pos;
  } rows[] = {{&loaded, 0}, {&loaded, 4}, {&loaded, -1}, {&loaded, INT32_MAX}, {&empty, 1}};
  for (const auto& row : rows) {
    try {
      ByteFetch(*row.image, row.pos);
      ADD_FAILURE() << "position " << row.pos << " was read";
    } catch (const ReadFailure& failure) {
      EXPECT_EQ(failure.kind(), ReadFailure::Kind::Truncated);
      EXPECT_EQ(failure.position(), row.pos);
    }
  }
}

TEST(BigEndianNumber, ReadsMostSignificantByteFirst) {
  const MidiImage image = ImageOf({0x01, 0xE0, 0x07, 0xA1, 0x20, 0x7F, 0xFF, 0xFF, 0xFF});
  EXPECT_EQ(BigEndianNumber(image, 1, 2), 480);
  EXPECT_EQ(BigEndianNumber(image, 3, 3), 500000);
  EXPECT_EQ(BigEndianNumber(image, 6, 4), INT32_MAX);
  EXPECT_EQ(BigEndianNumber(image, 7, 3), 0xFFFFFF);
}

TEST(BigEndianNumber, FourBytesOf2To31OrMoreOverflow) {
  const MidiImage image = ImageOf({0x80, 0x00, 0x00, 0x00});
  try {
    BigEndianNumber(image, 1, 4);
    ADD_FAILURE() << "no overflow";
  } catch (const ReadFailure& failure) {
    EXPECT_EQ(failure.kind(), ReadFailure::Kind::Overflow);
    EXPECT_EQ(failure.position(), 1);
  }
}

TEST(Nibblize, SplitsHighAndLowNibble) {
  const struct {
    std::int32_t value;
    std::int16_t msb, lsb;
  } rows[] = {{0x90, 9, 0}, {0xFF, 15, 15}, {0, 0, 0}, {0x0F, 0, 15}, {0xE5, 14, 5}};
  for (const auto& row : rows) {
    std::int16_t msb = -1;
    std::int16_t lsb = -1;
    Nibblize(row.value, msb, lsb);
    EXPECT_EQ(msb, row.msb) << row.value;
    EXPECT_EQ(lsb, row.lsb) << row.value;
  }
}

TEST(NoteNames, NamePitchClassesTwoCharactersWide) {
  EXPECT_EQ(NoteName(60), "C ");
  EXPECT_EQ(NoteName(61), "C#");
  EXPECT_EQ(NoteName(71), "B ");
  EXPECT_EQ(NoteName(0), "C ");
  EXPECT_EQ(NoteName(255), "D#");
  for (std::string_view name : NoteNames) EXPECT_EQ(name.size(), 2u);
}

TEST(HexToStr, ReadsDigitPairsAsCharacterCodes) {
  const struct {
    std::string_view hex;
    std::string text;
  } rows[] = {
      {"4D546864", "MThd"},
      {"", ""},
      {"414", std::string("A\x04")},
      {"4d", "M"},
      {"4G", std::string("\x04")},   // reading stops at the first non-hex character
      {"G4", std::string(1, '\0')},  // no digit at all gives 0
      {"FF", "\xFF"},
  };
  for (const auto& row : rows) EXPECT_EQ(hex_to_str(row.hex), row.text) << row.hex;
}

TEST(ReadVarLen, ReadsQuantityAndAdvancesPosition) {
  const struct {
    Bytes bytes;
    std::int16_t value;
    std::int16_t posAfter;
  } rows[] = {
      {{0x7F}, 127, 2},
      {{0x81, 0x00}, 128, 3},
      {{0x81, 0x80, 0x00}, 16384, 4},
      {{0x00, 0x99}, 0, 2},
      {{0x81, 0xFF, 0x7F}, 32767, 4},
  };
  for (const auto& row : rows) {
    const MidiImage image = ImageOf(row.bytes);
    std::int16_t pos = 1;
    EXPECT_EQ(readVarLen(image, pos), row.value);
    EXPECT_EQ(pos, row.posAfter);
  }
}

TEST(ReadVarLen, StopsOnOverflowAndOnTheImagesEnd) {
  const struct {
    const char* name;
    Bytes bytes;
    ReadFailure::Kind kind;
    Pos position;
  } rows[] = {
      {"above 32767", {0x82, 0x80, 0x00}, ReadFailure::Kind::Overflow, 3},
      {"cut after a continued byte", {0x81}, ReadFailure::Kind::Truncated, 2},
  };
  for (const auto& row : rows) {
    const MidiImage image = ImageOf(row.bytes);
    std::int16_t pos = 1;
    try {
      readVarLen(image, pos);
      ADD_FAILURE() << row.name;
    } catch (const ReadFailure& failure) {
      EXPECT_EQ(failure.kind(), row.kind) << row.name;
      EXPECT_EQ(failure.position(), row.position) << row.name;
    }
  }
}

}  // namespace
}  // namespace midi
