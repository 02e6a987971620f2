#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// The finder's file layer: the commands compute from bytes and to bytes; this
// reads the picked source file and saves what Print gives. Every file the
// finder writes goes through SaveWhole.
namespace finder {

// The whole content of a file, or nothing when it cannot be read.
std::optional<std::string> ReadWhole(const std::filesystem::path& path);

// Writes `content` as the whole new content of `path`: into the temporary file
// `path` + ".part" beside it, then renamed over it. Returns false, leaving any
// older file of that name as it was and no temporary file behind, when anything
// fails.
bool SaveWhole(const std::filesystem::path& path, std::string_view content);

}  // namespace finder
