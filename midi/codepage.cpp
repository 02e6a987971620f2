#include "midi/codepage.h"

#include <array>
#include <cstdint>
#include <utility>

namespace midi {
namespace {

// Code points of the bytes 0x80 .. 0x9F; 0 marks a byte the code page leaves
// undefined.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0,      0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0,      0x0178};

// The six places where the code page puts Turkish letters instead of Latin-1's.
constexpr std::array<std::pair<std::uint8_t, char32_t>, 6> kTurkishLetters = {{
    {0xD0, 0x011E},  // Ğ
    {0xDD, 0x0130},  // İ
    {0xDE, 0x015E},  // Ş
    {0xF0, 0x011F},  // ğ
    {0xFD, 0x0131},  // ı
    {0xFE, 0x015F},  // ş
}};

char ByteOf(char32_t c) {
  if (c < 0x80) return static_cast<char>(c);
  for (const auto& [byte, letter] : kTurkishLetters) {
    if (letter == c) return static_cast<char>(byte);
    if (byte == c) return '?';
  }
  if (c >= 0xA0 && c <= 0xFF) return static_cast<char>(c);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] != 0 && kHighControls[i] == c) return static_cast<char>(0x80 + i);
  }
  return '?';
}

}  // namespace

std::string Windows1254(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<std::uint8_t>(utf8[i]);
    int length = 0;
    char32_t c = 0;
    if (lead < 0x80) {
      length = 1;
      c = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      length = 2;
      c = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3;
      c = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4;
      c = lead & 0x07;
    }
    bool valid = length > 0 && i + static_cast<std::size_t>(length) <= utf8.size();
    for (int k = 1; valid && k < length; ++k) {
      const auto next = static_cast<std::uint8_t>(utf8[i + static_cast<std::size_t>(k)]);
      valid = (next & 0xC0) == 0x80;
      c = (c << 6) | (next & 0x3F);
    }
    if (!valid) {
      out.push_back('?');
      ++i;
      continue;
    }
    out.push_back(ByteOf(c));
    i += static_cast<std::size_t>(length);
  }
  return out;
}

}  // namespace midi
