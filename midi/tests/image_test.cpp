#include "midi/image.h"

#include <gtest/gtest.h>

#include <optional>

#include "support.h"

namespace midi {
namespace {

using test::Bytes;
using test::ImageOf;

// The walks' own reading of bytes (values, hex texts) shows in every report line;
// here only what no walk reaches: positions before the first byte, and no image.
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

TEST(BigEndianNumber, ReadsMostSignificantByteFirstUpTo2To31Minus1) {
  const MidiImage image = ImageOf({0x01, 0xE0, 0x07, 0xA1, 0x20, 0x7F, 0xFF, 0xFF, 0xFF});
  EXPECT_EQ(BigEndianNumber(image, 1, 2), 480);
  EXPECT_EQ(BigEndianNumber(image, 3, 3), 500000);
  EXPECT_EQ(BigEndianNumber(image, 6, 4), INT32_MAX);
}

TEST(HexToStr, ReadsDigitPairsAsCharacterCodes) {
  const struct {
    std::string_view hex;
    std::string text;
  } rows[] = {
      {"4D546864", "MThd"},           // the header tag
      {"", ""},                       // nothing gives nothing
      {"414", std::string("A\x04")},  // an odd last digit is read alone
      {"4G", std::string("\x04")},    // reading stops at the first non-hex character
      {"G4", std::string(1, '\0')},   // no digit at all gives 0
  };
  for (const auto& row : rows) EXPECT_EQ(hex_to_str(row.hex), row.text) << row.hex;
}

TEST(ReadVarLen, ReadsQuantityAndAdvancesPositionOrStops) {
  const struct {
    Bytes bytes;
    std::int16_t value;
    std::int16_t posAfter;  // for a stop, the position where it stops
    std::optional<ReadFailure::Kind> stop;
  } rows[] = {
      {{0x7F}, 127, 2, {}},
      {{0x81, 0x00}, 128, 3, {}},
      {{0x81, 0x80, 0x00}, 16384, 4, {}},
      {{0x00, 0x99}, 0, 2, {}},
      {{0x81, 0xFF, 0x7F}, 32767, 4, {}},
      {{0x82, 0x80, 0x00}, 0, 3, ReadFailure::Kind::Overflow},  // above 32767
      {{0x81}, 0, 2, ReadFailure::Kind::Truncated},             // cut after a continued byte
  };
  for (const auto& row : rows) {
    std::int16_t pos = 1;
    try {
      EXPECT_EQ(readVarLen(ImageOf(row.bytes), pos), row.value);
      EXPECT_FALSE(row.stop) << "read " << row.bytes.size() << " bytes";
      EXPECT_EQ(pos, row.posAfter);
    } catch (const ReadFailure& failure) {
      EXPECT_EQ(failure.kind(), row.stop) << "read " << row.bytes.size() << " bytes";
      EXPECT_EQ(failure.position(), row.posAfter);
    }
  }
}

}  // namespace
}  // namespace midi
