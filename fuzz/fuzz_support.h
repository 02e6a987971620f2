#pragma once

// What the fuzz targets share: a scratch folder of this process, in which each
// input is written as a file and read back by the command under test.

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <unistd.h>

namespace fuzz {

// A folder of this process under $TMPDIR, emptied before each input.
inline const std::filesystem::path& Folder() {
  static const std::filesystem::path folder = [] {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("mt-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(path);
    return path;
  }();
  return folder;
}

inline void EmptyFolder() {
  std::error_code ignored;
  for (const auto& entry : std::filesystem::directory_iterator(Folder(), ignored))
    std::filesystem::remove_all(entry.path(), ignored);
}

inline void WriteInput(const std::string& name, const std::uint8_t* data, std::size_t size) {
  std::ofstream(Folder() / name, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

inline std::uintmax_t SizeOf(const std::string& name) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(Folder() / name, error);
  return error ? UINTMAX_MAX : size;
}

inline bool Exists(const std::string& name) { return std::filesystem::exists(Folder() / name); }

// A property of the command that the input broke: stop the fuzzer here.
inline void Require(bool holds) {
  if (!holds) std::abort();
}

// No temporary file of a save may stay behind.
inline void RequireNoTemporaries() {
  std::error_code ignored;
  for (const auto& entry : std::filesystem::directory_iterator(Folder(), ignored))
    Require(entry.path().extension() != ".part");
}

}  // namespace fuzz
