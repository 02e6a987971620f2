#include "midi/image.h"

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>

#include "support.h"

namespace midi {
namespace {

using test::Bytes;
using test::ImageOf;

// The walks' reading of bytes and numbers shows in every report line; here only
// what no walk reaches.
TEST(ByteFetch, StopsAtPositionsOutsideTheImage) {
  const MidiImage loaded = ImageOf({1, 2, 3}), empty;
  const std::pair<const MidiImage*, Pos> rows[] = {
      {&loaded, 0}, {&loaded, 4}, {&loaded, -1}, {&loaded, INT32_MAX}, {&empty, 1}};
  for (const auto& [image, pos] : rows) {
    try {
      ByteFetch(*image, pos);
      ADD_FAILURE() << "position " << pos << " was read";
    } catch (const ReadFailure& failure) {
      EXPECT_EQ(failure.kind(), ReadFailure::Kind::Truncated);
      EXPECT_EQ(failure.position(), pos);
    }
  }
}

TEST(HexToStr, ReadsDigitPairsAsCharacterCodes) {
  const std::pair<std::string_view, std::string> rows[] = {
      {"4D546864", "MThd"},
      {"4d6a", "Mj"},
      {"", ""},
      {"414", std::string("A\x04")},  // an odd last digit alone
      {"4G", "\x04"},
      {"G4", {'\0'}},  // reading stops at the first non-hex character
  };
  for (const auto& [hex, text] : rows) EXPECT_EQ(hex_to_str(hex), text) << hex;
}

TEST(Nibblize, SplitsIntoSixteensAndRestWithinSixteenBits) {
  std::int16_t msb = 0, lsb = 0;
  Nibblize(0x4D, msb, lsb);
  EXPECT_EQ(msb * 100 + lsb, 413);
  Nibblize(INT16_MIN * 16, msb, lsb);
  EXPECT_EQ(msb, INT16_MIN);
  EXPECT_THROW(Nibblize(INT16_MIN * 16 - 16, msb, lsb), std::overflow_error);
  EXPECT_THROW(Nibblize(INT16_MAX * 16 + 16, msb, lsb), std::overflow_error);
}

TEST(ReadVarLen, ReadsQuantityAndAdvancesPositionOrStops) {
  const struct {
    Bytes bytes;
    std::int16_t value, posAfter;  // for a stop, the position where it stops
    std::optional<ReadFailure::Kind> stop;
  } rows[] = {
      {{0x00, 0x99}, 0, 2, {}},
      {{0x81, 0xFF, 0x7F}, 32767, 4, {}},
      {{0x82, 0x80, 0x00}, 0, 3, ReadFailure::Kind::Overflow},  // above 32767
      {{0x81}, 0, 2, ReadFailure::Kind::Truncated},             // cut after a continued byte
  };
  for (const auto& row : rows) {
    std::int16_t pos = 1;
    try {
      EXPECT_EQ(readVarLen(ImageOf(row.bytes), pos), row.value);
      EXPECT_FALSE(row.stop) << row.value;
      EXPECT_EQ(pos, row.posAfter);
    } catch (const ReadFailure& failure) {
      EXPECT_EQ(failure.kind(), row.stop) << row.posAfter;
      EXPECT_EQ(failure.position(), row.posAfter);
    }
  }
}

}  // namespace
}  // namespace midi
