#pragma once

namespace midi {

// The three builds of the MIDI tool come from one set of sources; the core takes
// the build as a value so that one test binary covers all three.
enum class Build {
  Tessaro5Vu,  // the current build
  Tessaro5,    // the earlier build
  Lumbric5,    // the earliest build
};

// Only the current build decodes meta events (0xFF); the earlier ones pass them over.
constexpr bool DecodesMetaEvents(Build build) { return build == Build::Tessaro5Vu; }

}  // namespace midi
