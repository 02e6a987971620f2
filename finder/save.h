#pragma once

#include <filesystem>
#include <string_view>

namespace finder {

// Writes `content` as the whole new content of `path`: into the temporary file
// `path` + ".part" beside it, then renamed over it. Returns false, leaving any
// older file of that name as it was and no temporary file behind, when anything
// fails.
bool SaveWhole(const std::filesystem::path& path, std::string_view content);

}  // namespace finder
