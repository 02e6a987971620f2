#include "midi/image.h"

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>

#include "support.h"

namespace midi::test {

// The walks' reading of bytes and numbers shows in every report line; here only
// what no walk reaches. Reading stops with the kind and the position, or gives
// the value and the position after it.
TEST(Image, ReadsBytesAndQuantitiesOrStopsOutsideTheImage) {
  const MidiImage empty;
  const struct {
    MidiImage image;
    Pos pos;
    bool varLen;  // a variable-length quantity, not a byte
    std::int32_t value;
    Pos after;  // or where it stops
    std::optional<ReadFailure::Kind> stop;
  } rows[] = {
      {ImageOf({1, 2, 3}), 3, false, 3, 3, {}},
      {ImageOf({1, 2, 3}), 0, false, 0, 0, ReadFailure::Kind::Truncated},
      {ImageOf({1, 2, 3}), 4, false, 0, 4, ReadFailure::Kind::Truncated},
      {ImageOf({1, 2, 3}), -1, false, 0, -1, ReadFailure::Kind::Truncated},
      {ImageOf({1, 2, 3}), INT32_MAX, false, 0, INT32_MAX, ReadFailure::Kind::Truncated},
      {empty, 1, false, 0, 1, ReadFailure::Kind::Truncated},
      {ImageOf({0x00, 0x99}), 1, true, 0, 2, {}},
      {ImageOf({0x81, 0xFF, 0x7F}), 1, true, 32767, 4, {}},
      {ImageOf({0x82, 0x80, 0x00}), 1, true, 0, 3, ReadFailure::Kind::Overflow},  // above 32767
      {ImageOf({0x81}), 1, true, 0, 2, ReadFailure::Kind::Truncated},  // cut after a continued byte
  };
  for (const auto& row : rows) {
    std::int16_t pos = static_cast<std::int16_t>(row.pos);
    try {
      const std::int32_t value =
          row.varLen ? readVarLen(row.image, pos) : ByteFetch(row.image, row.pos).value;
      EXPECT_FALSE(row.stop) << row.pos;
      EXPECT_EQ(value, row.value);
      EXPECT_EQ(row.varLen ? pos : row.after, row.after);
    } catch (const ReadFailure& failure) {
      EXPECT_EQ(failure.kind(), row.stop) << row.pos;
      EXPECT_EQ(failure.position(), row.after);
    }
  }
}

TEST(HexToStr, ReadsDigitPairsAsCharacterCodes) {
  const std::pair<std::string_view, std::string> rows[] = {
      {"4D546864", "MThd"},
      {"4d60", "M`"},
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

}  // namespace midi::test
