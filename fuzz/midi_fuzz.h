#pragma once

// The MIDI tool's commands as a fuzz target sees them: the input is the file,
// loaded into each of the three builds with a window that only counts.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "midi/tool.h"

namespace fuzz {

class CountingWindow : public midi::Window {
 public:
  void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
  void SetBusyPointer(bool busy) override { busyDepth += busy ? 1 : -1; }
  bool PumpEvents() override { return ++pumps != closeAtPump; }
  void DrawMeter(std::int32_t row) override { Require(row >= 0 && row <= 236); }
  void RefreshNameList() override { ++refreshes; }

  std::vector<std::string> messages;
  int busyDepth = 0;
  int pumps = 0;
  int closeAtPump = -1;  // PumpEvents reports the window closing at this pump
  int refreshes = 0;
};

constexpr midi::Build kBuilds[] = {midi::Build::Tessaro5Vu, midi::Build::Tessaro5, midi::Build::Lumbric5};

// Writes the input as song.mid into an empty folder and loads it into `tool`;
// false (with its message) for an empty input.
inline bool LoadInput(midi::MidiTool& tool, const std::uint8_t* data, std::size_t size) {
  EmptyFolder();
  WriteInput("song.mid", data, size);
  return tool.LoadImage("song");
}

}  // namespace fuzz
