#pragma once

// Helpers shared by the finder's tests: a window double that records what the
// core asks of it, a scratch folder and source texts written from records.

#include <bit>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "finder/source.h"
#include "finder/window.h"

namespace finder::test {

// Records every call in order: the message texts as they are, "hide" and "close".
class RecordingWindow : public Window {
 public:
  void ShowMessage(std::string_view text) override { calls.emplace_back(text); }
  void HideInputs() override { calls.emplace_back("hide"); }
  void RequestClose() override { calls.emplace_back("close"); }

  std::vector<std::string> calls;
};

// A fresh empty folder under the system's temporary folder, removed afterwards.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::random_device seed;
    path_ = std::filesystem::temp_directory_path() / ("finder-test-" + std::to_string(seed()));
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

  // Writes a new file of that name. An older one is removed first rather than
  // truncated, which would make the file system flush it on close.
  void Write(const std::string& name, std::string_view text) const {
    std::error_code ignored;
    std::filesystem::remove(path_ / name, ignored);
    std::ofstream out(path_ / name, std::ios::binary);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
  }

 private:
  std::filesystem::path path_;
};

// A source text of the records' Cent and Duration, one record a line, each
// number written in the shortest fixed form that reads back as the same float.
inline std::string SourceText(const std::vector<SourceRecord>& records) {
  std::string text;
  char number[128];
  for (const SourceRecord& record : records) {
    const auto fixed = [&](float value) {
      return std::string(number,
                         std::to_chars(number, number + sizeof number, value, std::chars_format::fixed).ptr);
    };
    text += fixed(record.Cent) + "," + fixed(record.Duration) + "\r\n";
  }
  return text;
}

inline std::uint32_t Bits(float value) { return std::bit_cast<std::uint32_t>(value); }

}  // namespace finder::test
