#pragma once

#include <cstdint>
#include <string>

#include "midi/walk.h"

// What each command of the MIDI tool did. The window and tessaro-cli present
// these; midi/messages.h turns them into the user's texts.
namespace midi {

// LoadImage: the file became the image, or why not. A failed load leaves the
// previous image.
struct LoadOutcome {
  enum class Kind { Loaded, Empty, Unreadable };
  Kind kind = Kind::Unreadable;
  std::string fileName;  // the file as named in the folder: "Song.MID"
};

// TEST: what the walk met.
struct TestOutcome {
  bool loaded = false;  // false: there was no image, nothing was walked
  WalkOutcome walk;
};

// to TXT. TxtYaz writes the report into its temporary file, so that the walk's
// warnings are shown before the report appears under its name; SaveReport then
// puts it in place and fills `written`.
struct TxtOutcome {
  bool loaded = false;           // false: there was no image, nothing was made
  std::string name;              // the report's file name: BaseName.txt
  std::uint64_t reportSize = 0;  // the report's bytes; after a stop, every line before it
  WalkOutcome walk;
  bool written = false;
};

// Start: the files written, or why not.
struct StartOutcome {
  enum class Kind {
    NoImage,     // nothing loaded
    NoPackets,   // no pitch bend to start a packet
    Closed,      // the window closed during the split; nothing written
    NotWritten,  // a file could not be saved; the older files stay as they were
    Written,     // both files saved
  };
  Kind kind = Kind::NoImage;
  std::int32_t packets = 0;  // packets the scan found
  std::string name13;        // BaseName_13.mid: odd packets sound
  std::string name24;        // BaseName_24.mid: even packets sound
  std::string unwritten;     // NotWritten: the file that could not be saved
};

}  // namespace midi
