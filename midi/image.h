#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "midi/failure.h"

namespace midi {

// The walks step at most six bytes past a position inside the image, so an
// image a few bytes short of 2^31 keeps every position within 32 bits.
inline constexpr std::uintmax_t kMaxImageLength = INT32_MAX - 8;

// The chosen MIDI file, held whole in memory.
struct MidiImage {
  std::vector<std::uint8_t> MidiBytes;  // the file's bytes, index 0 first
  std::string BaseName;                 // the list entry: the file name without ".mid"
  std::string MidiFileName;             // the file read, BaseName + ".mid" in any letter case; the
                                        // text dump puts its own name here

  // Length in bytes; 0 while nothing is loaded.
  std::int32_t FileLength() const { return static_cast<std::int32_t>(MidiBytes.size()); }

  // The same bytes as text, one character per byte: character p (from 1) is
  // MidiBytes[p - 1].
  std::string_view MidiText() const {
    return {reinterpret_cast<const char*>(MidiBytes.data()), MidiBytes.size()};
  }

  bool Loaded() const { return !MidiBytes.empty(); }
};

// A byte as the walks see it: its value and its two-digit upper-case hex text.
struct FetchedByte {
  std::int32_t value;
  std::array<char, 2> hex;

  std::string_view HexText() const { return {hex.data(), hex.size()}; }
};

// Stops the walk at a position outside the image (ReadFailure Truncated).
[[noreturn]] void FetchOutside(Pos p);

// The byte at 1-based position p. A position outside 1 .. FileLength stops the
// walk: nothing outside the image is ever read. Inline: the walks fetch every
// byte of a file this way.
inline FetchedByte ByteFetch(const MidiImage& image, Pos p) {
  if (p < 1 || p > image.FileLength()) FetchOutside(p);
  static constexpr char kHexDigits[] = "0123456789ABCDEF";
  const std::uint8_t value = image.MidiBytes[static_cast<std::size_t>(p - 1)];
  return {value, {kHexDigits[value >> 4], kHexDigits[value & 0x0F]}};
}

// The n-byte number (n = 2, 3 or 4) stored most significant byte first from
// position `first` on. Three and four bytes are summed in double precision and
// held to signed 32 bits after each byte; 2^31 or more is an overflow.
std::int32_t BigEndianNumber(const MidiImage& image, Pos first, int n);

// High and low nibble of a value: Msb = Value / 16, Lsb = Value - 16 * Msb.
void Nibblize(std::int32_t Value, std::int16_t& Msb, std::int16_t& Lsb);

// Reads a variable-length quantity from position Pos on and advances Pos past
// it. Signed 16-bit throughout: a value above 32767, or Pos passing 32767, is
// an overflow. No command uses it; it reads the loaded image, not the file.
std::int16_t readVarLen(const MidiImage& image, std::int16_t& Pos);

// Turns hex digit pairs into the characters with those codes ("4D546864"
// gives "MThd"). A pair is read up to its first non-hex character; an odd last
// digit is read alone.
std::string hex_to_str(std::string_view p_hex);

// Note names by pitch class; every entry is two characters wide.
inline constexpr std::array<std::string_view, 12> NoteNames = {"C ", "C#", "D ", "D#", "E ", "F ",
                                                               "F#", "G ", "G#", "A ", "A#", "B "};

inline std::string_view NoteName(std::int32_t pitch) { return NoteNames[pitch % 12]; }

}  // namespace midi
