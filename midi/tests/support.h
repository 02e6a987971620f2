#pragma once

// Helpers shared by the MIDI core's tests: Start's progress recorded, image and
// melody builders, and scratch folders.

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "midi/image.h"
#include "midi/progress.h"
#include "midi/tool.h"

namespace midi::test {

using Bytes = std::vector<std::uint8_t>;

// Start's progress: the pair steps told, and a window that closes after a given
// number of them.
class RecordingProgress : public StartProgress {
 public:
  bool PairStepDone(std::int32_t k) override {
    steps.push_back(k);
    return static_cast<int>(steps.size()) <= stepsBeforeClose;
  }

  std::vector<std::int32_t> steps;
  int stepsBeforeClose = INT32_MAX;
};

// The 22 bytes of a header chunk and a first track header.
inline Bytes Header(std::int32_t ticksPerQuarter = 96, std::uint32_t trackLength = 0) {
  // clang-format off
  return {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1,
          static_cast<std::uint8_t>(ticksPerQuarter >> 8), static_cast<std::uint8_t>(ticksPerQuarter & 0xFF),
          'M', 'T', 'r', 'k',
          static_cast<std::uint8_t>(trackLength >> 24), static_cast<std::uint8_t>(trackLength >> 16),
          static_cast<std::uint8_t>(trackLength >> 8), static_cast<std::uint8_t>(trackLength)};
  // clang-format on
}

// A header followed by `events` (positions 23 on).
inline Bytes WithHeader(const Bytes& events) {
  // Copied rather than inserted: GCC 12 warns wrongly about an insert after the header.
  const Bytes header = Header(96, static_cast<std::uint32_t>(events.size()));
  Bytes bytes(header.size() + events.size());
  std::copy(header.begin(), header.end(), bytes.begin());
  std::copy(events.begin(), events.end(), bytes.begin() + static_cast<std::ptrdiff_t>(header.size()));
  return bytes;
}

// One note of a melody: its key and the two data bytes of its pitch bend.
struct Note {
  std::uint8_t key, lsb, msb;
};

// A packet as the melodies here lay it out: bend, delta 00, note on, delta 60,
// note off, delta 00.
inline Bytes PacketOf(Note n) {
  return {0xE0, n.lsb, n.msb, 0x00, 0x90, n.key, 0x64, 0x60, 0x80, n.key, 0x40, 0x00};
}

// A valid MIDI file: a Set Tempo as the track's first 8 event bytes (which the
// split passes over), `parts` one after the other, end of track.
inline Bytes Melody(const std::vector<Bytes>& parts) {
  Bytes events = {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00};
  for (const Bytes& part : parts) events.insert(events.end(), part.begin(), part.end());
  events.insert(events.end(), {0xFF, 0x2F, 0x00});
  return WithHeader(events);
}

inline Bytes Melody(const std::vector<Note>& notes) {
  std::vector<Bytes> packets;
  for (Note n : notes) packets.push_back(PacketOf(n));
  return Melody(packets);
}

inline MidiImage ImageOf(Bytes bytes, std::string baseName = "song") {
  MidiImage image;
  image.MidiBytes = std::move(bytes);
  image.MidiFileName = baseName + ".mid";
  image.BaseName = std::move(baseName);
  return image;
}

// A fresh empty folder under the system's temporary folder, removed afterwards.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::random_device seed;
    path_ = std::filesystem::temp_directory_path() / ("midi-test-" + std::to_string(seed()));
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

  void Write(const std::string& name, const Bytes& bytes) const {
    std::ofstream out(path_ / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }

  Bytes Read(const std::string& name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

 private:
  std::filesystem::path path_;
};

// A scratch folder holding song.mid, and a tool of `build` working there with
// the song loaded.
struct SongFolder {
  explicit SongFolder(const Bytes& song, Build build = Build::Tessaro5Vu) : tool(build, folder.path()) {
    folder.Write("song.mid", song);
    tool.LoadImage("song");
  }

  // to TXT as the window gives it: made, then saved.
  TxtOutcome TxtYaz() {
    TxtOutcome outcome = tool.TxtYaz();
    tool.SaveReport(outcome);
    return outcome;
  }

  ScratchFolder folder;
  MidiTool tool;
};

}  // namespace midi::test
