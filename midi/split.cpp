#include "midi/split.h"

namespace midi {
namespace {

constexpr std::uint8_t kPitchBend = 0xE0;
constexpr std::uint8_t kNoteOn = 0x90;
constexpr std::uint8_t kNoteOff = 0x80;

// The earlier build puts the h of the header tag MThd back into Split13.
constexpr Offset kHeaderTagH = 2;
constexpr std::uint8_t kLetterH = 104;

bool Has(Offset event) { return event != kNoEvent; }

// Edits of one copy. Every edit checks both ends, so nothing is read or written
// outside the copy.
class CopyEditor {
 public:
  explicit CopyEditor(std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}

  void Silence(const Packet& packet) {
    if (Has(packet.NoteOnPos)) Put(packet.NoteOnPos + 2, 0);
    if (Has(packet.NoteOffPos)) Put(packet.NoteOffPos + 2, 0);
  }

  // `to` takes the key of `from`'s note on (into both its note on and note off)
  // and `from`'s bend, one byte at a time in this order.
  void TakePitch(const Packet& to, const Packet& from) {
    if (Has(from.NoteOnPos)) {
      if (Has(to.NoteOnPos)) Copy(to.NoteOnPos + 1, from.NoteOnPos + 1);
      if (Has(to.NoteOffPos)) Copy(to.NoteOffPos + 1, from.NoteOnPos + 1);
    }
    Copy(to.BendPos + 1, from.BendPos + 1);
    Copy(to.BendPos + 2, from.BendPos + 2);
  }

  void Put(Offset at, std::uint8_t value) {
    if (Inside(at)) bytes_[static_cast<std::size_t>(at)] = value;
  }

 private:
  bool Inside(Offset at) const { return at >= 0 && static_cast<std::size_t>(at) < bytes_.size(); }

  void Copy(Offset to, Offset from) {
    if (Inside(from)) Put(to, bytes_[static_cast<std::size_t>(from)]);
  }

  std::vector<std::uint8_t>& bytes_;
};

}  // namespace

PacketTable ScanPackets(const MidiImage& image) {
  PacketTable table;
  for (Offset at = kFirstScannedOffset; at < image.FileLength(); ++at) {
    const std::uint8_t value = image.MidiBytes[static_cast<std::size_t>(at)];
    if (value == kPitchBend) {
      table.push_back(Packet{.BendPos = at});
    } else if (value == kNoteOn && !table.empty()) {
      table.back().NoteOnPos = at;
    } else if (value == kNoteOff && !table.empty()) {
      table.back().NoteOffPos = at;
    }
  }
  return table;
}

void PairStep(SplitCopies& copies, const PacketTable& table, std::int32_t k, Build build) {
  const auto packet = [&](std::int32_t number) -> const Packet& {
    return table[static_cast<std::size_t>(number - 1)];
  };
  const auto n = static_cast<std::int32_t>(table.size());
  const bool carries = build == Build::Tessaro5Vu;
  CopyEditor split24(copies.Split24);
  CopyEditor split13(copies.Split13);

  split24.Silence(packet(k));
  if (carries && k < n - 1) split24.TakePitch(packet(k + 2), packet(k + 1));
  split13.Silence(packet(k + 1));
  if (carries) split13.TakePitch(packet(k + 1), packet(k));
}

std::optional<SplitCopies> SplitImage(const MidiImage& image, const PacketTable& table, Build build,
                                      const AfterPairStep& afterPairStep) {
  SplitCopies copies{image.MidiBytes, image.MidiBytes};
  const auto n = static_cast<std::int32_t>(table.size());
  for (std::int32_t PacketIndex = 1; PacketIndex <= n - 1; PacketIndex += 2) {
    PairStep(copies, table, PacketIndex, build);
    if (!afterPairStep(PacketIndex)) return std::nullopt;
  }
  // An odd last packet has no partner; it must not sound in Split24 either.
  if (n % 2 == 1) CopyEditor(copies.Split24).Silence(table.back());
  if (build == Build::Tessaro5) CopyEditor(copies.Split13).Put(kHeaderTagH, kLetterH);
  return copies;
}

}  // namespace midi
