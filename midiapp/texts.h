#pragma once

#include <string_view>

#include "midi/build.h"

// Every text the MIDI tool's window shows besides the core's, in one place. UTF-8.
namespace midiapp::texts {

inline constexpr std::string_view kNoMidiFiles = "midi dosyalarınızı uygulama klasörüne taşıyın.";

inline constexpr std::string_view kStart = "Start";
inline constexpr std::string_view kTest = "TEST";
inline constexpr std::string_view kToTxt = "to TXT";

// The window's caption, which also titles every message box. The current build
// kept the caption of the earlier one.
constexpr std::string_view Caption(midi::Build build) {
  return build == midi::Build::Lumbric5 ? "Lumbric sürüm 5" : "Tessaro5";
}

}  // namespace midiapp::texts
