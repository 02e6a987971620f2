#pragma once

// What the MIDI core's benchmarks share: a file of packets, and a scratch folder
// holding it.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace midi::bench {

// A melody of packets (a bend, a note on with a two-byte delta, a note off on
// the first channel) after a Set Tempo, about `size` bytes in all.
inline std::vector<std::uint8_t> PacketFile(std::size_t size) {
  std::vector<std::uint8_t> bytes = {'M', 'T', 'h',  'd',  0,    0,    0,    6,    0,    0,
                                     0,   1,   0x03, 0xE8, 'M',  'T',  'r',  'k',  0,    0,
                                     0,   0,   0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00};
  std::uint8_t pitch = 60;
  while (bytes.size() + 16 < size) {
    const auto lsb = static_cast<std::uint8_t>(bytes.size() & 0x7F);
    bytes.insert(bytes.end(),
                 {0xE0, lsb, 0x41, 0x00, 0x90, pitch, 0x64, 0x83, 0x60, 0x80, pitch, 0x40, 0x00});
    pitch = static_cast<std::uint8_t>(48 + (pitch + 7) % 36);
  }
  bytes.insert(bytes.end(), {0xFF, 0x2F, 0x00});
  const std::size_t track = bytes.size() - 22;
  for (int k = 0; k < 4; ++k)
    bytes[18 + static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(track >> (24 - 8 * k));
  return bytes;
}

// A fresh folder holding `name`.mid with `bytes`, removed afterwards.
class FolderWithFile {
 public:
  FolderWithFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    std::random_device seed;
    path_ = std::filesystem::temp_directory_path() / ("midi-bench-" + std::to_string(seed()));
    std::filesystem::create_directories(path_);
    std::ofstream(path_ / (name + ".mid"), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  ~FolderWithFile() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  FolderWithFile(const FolderWithFile&) = delete;
  FolderWithFile& operator=(const FolderWithFile&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace midi::bench
