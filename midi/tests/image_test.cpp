#include "midi/image.h"

#include <gtest/gtest.h>

#include <optional>

#include "support.h"

namespace midi::test {

// The walks read bytes and numbers in every report line; a variable-length
// quantity of at most 32767 only here: its value and the position after it,
// or why and where it stops.
TEST(ReadVarLen, ReadsUpTo32767OrStops) {
  using Kind = ReadFailure::Kind;
  const struct {
    Bytes bytes;
    std::int16_t value, after;  // or where it stops
    std::optional<Kind> stop;
  } rows[] = {{{0x00, 0x99}, 0, 2, {}},
              {{0x81, 0xFF, 0x7F}, 32767, 4, {}},
              {{0x82, 0x80, 0x00}, 0, 3, Kind::Overflow},
              {{0x81}, 0, 2, Kind::Truncated}};  // cut after a continued byte
  for (const auto& row : rows) {
    std::int16_t pos = 1;
    try {
      EXPECT_EQ(readVarLen(ImageOf(row.bytes), pos), row.value);
      EXPECT_EQ(pos, row.after);
      EXPECT_FALSE(row.stop);
    } catch (const ReadFailure& failure) {
      EXPECT_EQ(failure.kind(), row.stop);
      EXPECT_EQ(failure.position(), row.after);
    }
  }
}

TEST(HexToStr, ReadsDigitPairsAsCharacterCodes) {
  const std::pair<std::string_view, std::string> rows[] = {
      {"4D546864", "MThd"},
      {"4d60", "M`"},
      {"FfaA", "\xFF\xAA"},  // the last digits of both cases
      {"", ""},
      {"414", std::string("A\x04")},  // an odd last digit alone
      {"4G", "\x04"},
      {"G4", {'\0'}},  // reading stops at the first non-hex character
  };
  for (const auto& [hex, text] : rows) EXPECT_EQ(hex_to_str(hex), text) << hex;
}

}  // namespace midi::test
