#include "midi/image.h"

#include <cstdint>
#include <stdexcept>

namespace midi {
namespace {

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

void FetchOutside(Pos p) { throw ReadFailure(ReadFailure::Kind::Truncated, p); }

std::int32_t BigEndianNumber(const MidiImage& image, Pos first, int n) {
  if (n == 2) return ByteFetch(image, first).value * 256 + ByteFetch(image, first + 1).value;
  double sum = 0.0;
  for (int k = 0; k < n; ++k) {
    const Pos pos = first + k;
    double term = ByteFetch(image, pos).value;
    for (int e = k; e < n - 1; ++e) term *= 256.0;
    sum += term;
    if (sum >= 2147483648.0) throw ReadFailure(ReadFailure::Kind::Overflow, pos);
  }
  return static_cast<std::int32_t>(sum);
}

void Nibblize(std::int32_t Value, std::int16_t& Msb, std::int16_t& Lsb) {
  const std::int32_t high = Value / 16;
  if (high < INT16_MIN || high > INT16_MAX) throw std::overflow_error("Nibblize: value out of range");
  Msb = static_cast<std::int16_t>(high);
  Lsb = static_cast<std::int16_t>(Value - 16 * high);
}

std::int16_t readVarLen(const MidiImage& image, std::int16_t& Pos) {
  const auto next = [&]() {
    const std::int32_t c = ByteFetch(image, Pos).value;
    Pos = CheckedNarrow16(Pos + 1, Pos);
    return c;
  };
  std::int32_t c = next();
  if ((c & 0x80) == 0) return static_cast<std::int16_t>(c);
  std::int16_t value = static_cast<std::int16_t>(c & 0x7F);
  do {
    const midi::Pos at = Pos;
    c = next();
    value = CheckedNarrow16(value * 128 + (c & 0x7F), at);
  } while ((c & 0x80) != 0);
  return value;
}

std::string hex_to_str(std::string_view p_hex) {
  std::string text;
  for (std::size_t i = 0; i < p_hex.size(); i += 2) {
    int code = 0;
    for (std::size_t j = i; j < i + 2 && j < p_hex.size(); ++j) {
      const int digit = HexDigitValue(p_hex[j]);
      if (digit < 0) break;
      code = code * 16 + digit;
    }
    text.push_back(static_cast<char>(code));
  }
  return text;
}

}  // namespace midi
