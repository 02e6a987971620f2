#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace midi {

// One entry of the name list and the file behind it.
struct MidiName {
  std::string entry;     // the file's name without its last four characters
  std::string fileName;  // the file's name as it stands in the folder: "Song.MID"

  friend bool operator==(const MidiName&, const MidiName&) = default;
};

// The name list for `folder`: one entry per file whose name ends in ".mid" in
// any letter case, sorted by name without regard to case. Empty when the folder
// cannot be read.
std::vector<MidiName> ListMidiNames(const std::filesystem::path& folder);

}  // namespace midi
