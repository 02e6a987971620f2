#pragma once

#include <cstddef>
#include <cstdint>
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

// The system calls SaveWhole makes, one step of a save each. The finder uses
// the system's own; a test derives from it to make any one step fail.
class SaveCalls {
 public:
  virtual ~SaveCalls() = default;
  // Creates `path` anew for writing: its descriptor, or -1.
  virtual int Create(const std::filesystem::path& path);
  // Writes up to `size` bytes of `data`: how many it wrote, or -1 with errno set.
  virtual std::int64_t Write(int file, const char* data, std::size_t size);
  // Puts what was written on the disk.
  virtual bool Flush(int file);
  virtual bool Close(int file);
  virtual bool Rename(const std::filesystem::path& from, const std::filesystem::path& to);
};

// The system's own calls.
SaveCalls& SystemCalls();

// Where SaveWhole writes `path` before renaming it into place: in the same
// folder, under a name of fixed length made from the file's own name, so that
// it fits wherever that name fits however long the name is.
std::filesystem::path TemporaryPath(const std::filesystem::path& path);

// Writes `content` as the whole new content of `path`: into its temporary file
// (TemporaryPath), then renamed over it. Returns false, leaving any older file
// of that name as it was and no temporary file behind, when any step fails: a
// full disk, a folder that cannot be written, something in the way.
bool SaveWhole(const std::filesystem::path& path, std::string_view content, SaveCalls& calls = SystemCalls());

}  // namespace finder
