#include "finder/files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <system_error>

namespace finder {

std::optional<std::string> ReadWhole(const std::filesystem::path& path) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string text(static_cast<std::size_t>(size), '\0');
  if (!in.read(text.data(), static_cast<std::streamsize>(size))) return std::nullopt;
  return text;
}

int SaveCalls::Create(const std::filesystem::path& path) {
  // Exclusive, and no link followed: the temporary file is always a new one of
  // ours, never something a link standing at its name points to.
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
}

std::int64_t SaveCalls::Write(int file, const char* data, std::size_t size) {
  return ::write(file, data, size);
}

bool SaveCalls::Flush(int file) { return ::fsync(file) == 0; }

bool SaveCalls::Close(int file) { return ::close(file) == 0; }

bool SaveCalls::Rename(const std::filesystem::path& from, const std::filesystem::path& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

SaveCalls& SystemCalls() {
  static SaveCalls calls;
  return calls;
}

namespace {

// Writes all of `content`, however few bytes each call takes.
bool WriteAll(SaveCalls& calls, int file, std::string_view content) {
  while (!content.empty()) {
    const std::int64_t written = calls.Write(file, content.data(), content.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    content.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace

std::filesystem::path TemporaryPath(const std::filesystem::path& path) {
  // The name's bytes hashed (64-bit FNV-1a): one name always gives the same
  // temporary, so that one a cut-off save left behind is found and replaced.
  std::uint64_t hash = 0xcbf29ce484222325u;
  for (const char c : path.filename().string()) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x100000001b3u;
  }
  char name[] = ".orvette-0000000000000000.part";
  constexpr char kDigits[] = "0123456789abcdef";
  for (int i = 0; i < 16; ++i) name[9 + i] = kDigits[(hash >> (60 - 4 * i)) & 0xF];
  return path.parent_path() / name;
}

bool SaveWhole(const std::filesystem::path& path, std::string_view content, SaveCalls& calls) {
  const std::filesystem::path temporary = TemporaryPath(path);
  std::error_code ignored;
  // One left by a save that was cut off (a crash, a power cut) is stale.
  std::filesystem::remove(temporary, ignored);
  const int file = calls.Create(temporary);
  if (file < 0) return false;
  // The data reach the disk before the rename, so that a crash leaves the old
  // file or the new one, never a new name on missing data.
  bool written = WriteAll(calls, file, content) && calls.Flush(file);
  written = calls.Close(file) && written;
  if (written && calls.Rename(temporary, path)) return true;
  std::filesystem::remove(temporary, ignored);
  return false;
}

}  // namespace finder
