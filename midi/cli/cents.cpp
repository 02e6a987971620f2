#include "midi/cli/cents.h"

#include <optional>

namespace midi::cli {
namespace {

// A bend of b units is b / 40.96 = 25 b / 1024 cents, so a pitch counted in
// 1/1024 cent is a whole number and the table's digits are rounded only once.
constexpr std::int64_t kUnitsPerCent = 1024;
constexpr std::int64_t kBendUnits = 25;
constexpr std::int64_t kOctave = 1200 * kUnitsPerCent;

// Four decimals: finer than the bend's resolution of 0.0244 cent, and as fine
// as the float the finder reads a pitch into keeps near 1200.
constexpr std::int64_t kDecimals = 10000;

// The byte at 0-based `offset`, or nothing past either end of the image.
std::optional<std::int32_t> ByteAt(const MidiImage& image, std::int64_t offset) {
  if (offset < 0 || offset >= image.FileLength()) return std::nullopt;
  return image.MidiBytes[static_cast<std::size_t>(offset)];
}

// A standard MIDI delta time from `offset` on: 7 bits a byte, at most four bytes.
std::optional<std::int32_t> DeltaTimeAt(const MidiImage& image, std::int64_t offset) {
  std::int32_t ticks = 0;
  for (int i = 0; i < 4; ++i) {
    const std::optional<std::int32_t> byte = ByteAt(image, offset + i);
    if (!byte) return std::nullopt;
    ticks = ticks * 128 + (*byte & 0x7F);
    if (*byte < 0x80) return ticks;
  }
  return std::nullopt;
}

// "1199.9756" from a pitch in 1/1024 cent, folded into 0 to below 1200 cents,
// rounded to four decimals with halves up. A pitch that rounds to 1200 is 0.
std::string CentText(std::int64_t units) {
  units %= kOctave;
  if (units < 0) units += kOctave;
  std::int64_t scaled = (units * kDecimals + kUnitsPerCent / 2) / kUnitsPerCent;
  if (scaled == 1200 * kDecimals) scaled = 0;
  std::string fraction = std::to_string(scaled % kDecimals);
  fraction.insert(0, 4 - fraction.size(), '0');
  return std::to_string(scaled / kDecimals) + "." + fraction;
}

}  // namespace

CentTable CentTableOf(const MidiImage& image, const PacketTable& packets) {
  CentTable table;
  for (std::size_t i = 0; i < packets.size(); ++i) {
    const Packet& packet = packets[i];
    const auto number = static_cast<std::int32_t>(i + 1);
    if (packet.NoteOnPos == kNoEvent) {
      table.skipped.push_back({number, SkippedPacket::Why::NoNoteOn});
      continue;
    }
    const std::optional<std::int32_t> lsb = ByteAt(image, packet.BendPos + std::int64_t{1});
    const std::optional<std::int32_t> msb = ByteAt(image, packet.BendPos + std::int64_t{2});
    const std::optional<std::int32_t> key = ByteAt(image, packet.NoteOnPos + std::int64_t{1});
    const std::optional<std::int32_t> ticks = DeltaTimeAt(image, packet.NoteOnPos + std::int64_t{3});
    if (!lsb || !msb || !key || !ticks) {
      table.skipped.push_back({number, SkippedPacket::Why::Unreadable});
      continue;
    }
    const std::int64_t bend = *msb * 128 + *lsb - 8192;
    const std::int64_t units = (*key % 12) * 100 * kUnitsPerCent + bend * kBendUnits;
    table.text += CentText(units) + "," + std::to_string(*ticks) + "\r\n";
    ++table.rows;
  }
  return table;
}

}  // namespace midi::cli
