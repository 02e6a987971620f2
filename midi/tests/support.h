#pragma once

// The MIDI side's test helpers: byte builders, scratch folders and Start's
// progress.

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "midi/tool.h"

namespace midi::test {

using Bytes = std::vector<std::uint8_t>;
using Messages = std::vector<std::string>;

// A header chunk and a first track header: 22 bytes.
inline Bytes Header(std::uint32_t trackLength) {
  const auto b = [&](int shift) { return static_cast<std::uint8_t>(trackLength >> shift); };
  return {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96, 'M', 'T', 'r', 'k', b(24), b(16), b(8), b(0)};
}

// A header followed by `events` (positions 23 on).
inline Bytes WithHeader(const Bytes& events) {
  Bytes bytes = Header(static_cast<std::uint32_t>(events.size()));
  bytes.resize(22 + events.size());
  std::copy(events.begin(), events.end(), bytes.begin() + 22);
  return bytes;
}

// A packet of the first channel: bend, delta 00, note on, delta 60, note off, delta 00.
struct Note {
  std::uint8_t key, lsb, msb;
};
inline Bytes PacketOf(Note n) {
  return {0xE0, n.lsb, n.msb, 0x00, 0x90, n.key, 0x64, 0x60, 0x80, n.key, 0x40, 0x00};
}

// A valid file: a Set Tempo (the track's first 8 event bytes), `parts`, end of track.
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

inline MidiImage ImageOf(Bytes bytes) {
  MidiImage image;
  image.MidiBytes = std::move(bytes);
  image.MidiFileName = "song.mid";
  image.BaseName = "song";
  return image;
}

// Start's progress: the pair steps told.
struct RecordingProgress : StartProgress {
  bool PairStepDone(std::int32_t k) override {
    steps.push_back(k);
    return true;
  }
  std::vector<std::int32_t> steps;
};

inline Bytes ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A fresh folder under the system's temporary folder, removed afterwards.
class ScratchFolder {
 public:
  ScratchFolder()
      : path_(std::filesystem::temp_directory_path() / ("midi-" + std::to_string(std::random_device()()))) {
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
    std::ofstream(path_ / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  Bytes Read(const std::string& name) const { return ReadFile(path_ / name); }
  std::set<std::string> Names() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_))
      names.insert(entry.path().filename());
    return names;
  }

 private:
  std::filesystem::path path_;
};

// A scratch folder holding song.mid, and a tool of `build` there with it loaded.
struct SongFolder {
  explicit SongFolder(const Bytes& song, Build build = Build::Tessaro5Vu) : tool(build, folder.path()) {
    folder.Write("song.mid", song);
    tool.LoadImage("song");
  }
  ScratchFolder folder;
  MidiTool tool;
};

}  // namespace midi::test
