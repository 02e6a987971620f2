#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

// The MIDI tool's file work: the commands compute bytes from bytes, and this is
// where they are read from the folder and saved into it.
namespace midi {

// A file read whole.
struct FileBytes {
  enum class Status { Read, Empty, Unreadable };
  Status status = Status::Unreadable;
  std::vector<std::uint8_t> bytes;
};

// Reads `path` whole. A file longer than `maxLength`, or one too large for
// memory, is unreadable.
FileBytes ReadWhole(const std::filesystem::path& path, std::uintmax_t maxLength);

// Writes `content` as the whole new content of `path`: into the temporary file
// `path` + ".part" beside it, then renamed over it. Returns false, leaving any
// older file of that name as it was and no temporary file behind, when anything
// fails.
bool SaveWhole(const std::filesystem::path& path, std::string_view content);

// One file of a set that is saved together.
struct WholeFile {
  std::filesystem::path path;
  std::string_view content;
};

// Saves every file whole, or none: every temporary file is written before any is
// renamed into place, and something other than a file standing at a name (a
// folder) fails the save before anything is written. Returns the index of the
// file that could not be saved, with older files left as they were and no
// temporary file behind; empty when all were saved.
std::optional<std::size_t> SaveAllWhole(std::span<const WholeFile> files);

// Removes the file `path` if one stands there; anything else of that name stays.
void RemoveFile(const std::filesystem::path& path);

}  // namespace midi
