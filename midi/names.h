#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace midi {

// The entries of the name list for `folder`: one per file whose name ends in
// ".mid" in any letter case, sorted by name without regard to case, each without
// its last four characters. Empty when the folder cannot be read.
std::vector<std::string> ListMidiNames(const std::filesystem::path& folder);

}  // namespace midi
