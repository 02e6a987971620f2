#include "finder/codepage.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace finder {
namespace {

// The characters of bytes 0x80 .. 0x9F; 0 where the code page has none.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0,      0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0,      0x0178,
};

// Where the code page puts the Turkish letters instead of Latin-1's Icelandic ones.
struct Turkish {
  std::uint8_t byte;
  char32_t latin1;
  char32_t turkish;
};
constexpr Turkish kTurkish[] = {
    {0xD0, 0x00D0, 0x011E}, {0xDD, 0x00DD, 0x0130}, {0xDE, 0x00DE, 0x015E},
    {0xF0, 0x00F0, 0x011F}, {0xFD, 0x00FD, 0x0131}, {0xFE, 0x00FE, 0x015F},
};

std::optional<std::uint8_t> ByteOf(char32_t c) {
  if (c < 0x80) return static_cast<std::uint8_t>(c);
  for (const Turkish& t : kTurkish) {
    if (c == t.turkish) return t.byte;
    if (c == t.latin1) return std::nullopt;
  }
  if (c >= 0xA0 && c <= 0xFF) return static_cast<std::uint8_t>(c);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] != 0 && kHighControls[i] == c) return static_cast<std::uint8_t>(0x80 + i);
  }
  return std::nullopt;
}

// The character that starts at `at`, and how many bytes it takes; nothing for
// a malformed sequence.
std::optional<char32_t> Decode(std::string_view text, std::size_t at, std::size_t& length) {
  const auto lead = static_cast<std::uint8_t>(text[at]);
  length = 1;
  if (lead < 0x80) return lead;
  // Lead bytes: how many continuation bytes follow, the lead's payload bits,
  // and the smallest character that needs that many bytes.
  std::size_t extra = 0;
  char32_t least = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    extra = 1;
    least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    extra = 2;
    least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    extra = 3;
    least = 0x10000;
  } else {
    return std::nullopt;
  }
  char32_t c = lead & (0x3Fu >> extra);
  if (text.size() - at <= extra) return std::nullopt;
  for (std::size_t i = 1; i <= extra; ++i) {
    const auto next = static_cast<std::uint8_t>(text[at + i]);
    if ((next & 0xC0u) != 0x80u) return std::nullopt;
    c = (c << 6) | (next & 0x3Fu);
  }
  if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
  length = extra + 1;
  return c;
}

}  // namespace

std::string Windows1254(std::string_view utf8) {
  std::string bytes;
  bytes.reserve(utf8.size());
  std::size_t length = 1;
  for (std::size_t at = 0; at < utf8.size(); at += length) {
    const std::optional<char32_t> c = Decode(utf8, at, length);
    const std::optional<std::uint8_t> byte = c ? ByteOf(*c) : std::nullopt;
    bytes.push_back(byte ? static_cast<char>(*byte) : '?');
  }
  return bytes;
}

}  // namespace finder
