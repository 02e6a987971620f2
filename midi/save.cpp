#include "midi/save.h"

#include <fstream>
#include <system_error>

namespace midi {
namespace {

std::filesystem::path TemporaryFor(const std::filesystem::path& path) {
  std::filesystem::path temporary = path;
  temporary += ".part";
  return temporary;
}

// Writes `content` into the temporary file of `path`; removes it again on failure.
bool WriteTemporary(const std::filesystem::path& path, std::string_view content) {
  const std::filesystem::path temporary = TemporaryFor(path);
  std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  out.close();
  if (!out) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    return false;
  }
  return true;
}

// Renames the temporary file of `path` over it; removes it on failure.
bool PlaceTemporary(const std::filesystem::path& path) {
  const std::filesystem::path temporary = TemporaryFor(path);
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  if (error) {
    std::filesystem::remove(temporary, error);
    return false;
  }
  return true;
}

// Something other than a file in the way (a folder, say) refuses the rename only
// at the end, so it is looked for before anything is written.
bool Replaceable(const std::filesystem::path& path) {
  std::error_code ignored;
  const std::filesystem::file_status status = std::filesystem::status(path, ignored);
  return !std::filesystem::exists(status) || std::filesystem::is_regular_file(status);
}

}  // namespace

bool SaveWhole(const std::filesystem::path& path, std::string_view content) {
  return WriteTemporary(path, content) && PlaceTemporary(path);
}

std::optional<std::size_t> SaveAllWhole(std::span<const WholeFile> files) {
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (!Replaceable(files[i].path)) return i;
  }
  const auto discardTemporaries = [&](std::size_t from, std::size_t to) {
    std::error_code ignored;
    for (std::size_t i = from; i < to; ++i) std::filesystem::remove(TemporaryFor(files[i].path), ignored);
  };
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (!WriteTemporary(files[i].path, files[i].content)) {
      discardTemporaries(0, i);
      return i;
    }
  }
  // Every file is written and nothing else stands in the way, so a rename here
  // fails only in a rare race; the files renamed before it then stay in place.
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (!PlaceTemporary(files[i].path)) {
      discardTemporaries(i + 1, files.size());
      return i;
    }
  }
  return std::nullopt;
}

}  // namespace midi
