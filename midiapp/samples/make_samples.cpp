// Writes the sample MIDI files of the demo folder: microtonal melodies written as
// packets (pitch bend, note on, note off on the first channel) after a Set Tempo.
//
//   make_samples FOLDER
//
// rast.mid        the Rast scale up and down, in commas of 1200/53 cents
// rast_uzun.mid   the same melody repeated until the file passes 32767 bytes
// rast_es.mid     the melody with a rest too long for a three-byte delta time,
//                 which TEST reports as "Çok büyük Tick ! !"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr int kTicksPerQuarter = 480;
constexpr double kComma = 1200.0 / 53.0;

// Rast in commas from the tonic: 9 + 8 + 5 + 9 + 9 + 8 + 5 = 53.
constexpr int kRastCommas[] = {0, 9, 17, 22, 31, 40, 48, 53};

void AppendVarLen(Bytes& out, std::uint32_t value) {
  std::uint8_t groups[4];
  int n = 0;
  do {
    groups[n++] = value & 0x7F;
    value >>= 7;
  } while (value != 0);
  while (n-- > 1) out.push_back(static_cast<std::uint8_t>(groups[n] | 0x80));
  out.push_back(groups[0]);
}

// One packet: a bend that tunes `key` to `cents` above middle C, the note on,
// and the note off after `ticks`; `restAfter` ticks pass before the next event.
void AppendPacket(Bytes& track, double cents, std::uint32_t ticks, std::uint32_t restAfter) {
  const int key = 60 + static_cast<int>(std::lround(cents / 100.0));
  const double bendCents = cents - 100.0 * (key - 60);
  const int bend = 8192 + static_cast<int>(std::lround(bendCents * 40.96));
  track.insert(track.end(), {0xE0, static_cast<std::uint8_t>(bend & 0x7F), static_cast<std::uint8_t>(bend >> 7)});
  track.insert(track.end(), {0x00, 0x90, static_cast<std::uint8_t>(key), 0x64});
  AppendVarLen(track, ticks);
  track.insert(track.end(), {0x80, static_cast<std::uint8_t>(key), 0x40});
  AppendVarLen(track, restAfter);
}

void AppendMelody(Bytes& track, std::uint32_t lastRest) {
  const int count = static_cast<int>(std::size(kRastCommas));
  for (int i = 0; i < 2 * count - 1; ++i) {
    const int degree = i < count ? i : 2 * count - 2 - i;
    const bool last = i == 2 * count - 2;
    const std::uint32_t ticks = last ? 2 * kTicksPerQuarter : kTicksPerQuarter;
    AppendPacket(track, kRastCommas[degree] * kComma, ticks, last ? lastRest : 0);
  }
}

Bytes MidiFile(const Bytes& events) {
  Bytes track = {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20};  // 120 quarter notes a minute
  track.push_back(0x00);
  track.insert(track.end(), events.begin(), events.end());
  track.insert(track.end(), {0xFF, 0x2F, 0x00});
  const auto length = static_cast<std::uint32_t>(track.size());
  Bytes file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, kTicksPerQuarter >> 8, kTicksPerQuarter & 0xFF,
                'M', 'T', 'r', 'k', static_cast<std::uint8_t>(length >> 24), static_cast<std::uint8_t>(length >> 16),
                static_cast<std::uint8_t>(length >> 8), static_cast<std::uint8_t>(length)};
  file.insert(file.end(), track.begin(), track.end());
  return file;
}

bool Write(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_samples FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];

  Bytes rast;
  AppendMelody(rast, 0);

  Bytes longMelody;
  while (longMelody.size() <= 33000) AppendMelody(longMelody, kTicksPerQuarter);

  // 0x81 0x81 0x81 0x00 would be a four-byte delta: 2,113,664 ticks of rest.
  Bytes withLongRest;
  AppendMelody(withLongRest, 0);
  withLongRest.pop_back();
  withLongRest.insert(withLongRest.end(), {0x81, 0x81, 0x81, 0x00});
  AppendMelody(withLongRest, 0);

  const bool ok = Write(folder + "/rast.mid", MidiFile(rast)) &&
                  Write(folder + "/rast_uzun.mid", MidiFile(longMelody)) &&
                  Write(folder + "/rast_es.mid", MidiFile(withLongRest));
  if (!ok) std::fprintf(stderr, "make_samples: cannot write into %s\n", folder.c_str());
  return ok ? 0 : 1;
}
