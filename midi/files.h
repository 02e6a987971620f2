#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "midi/sink.h"

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

// A file being saved whole: its bytes go into a temporary file beside it as they
// come, and Place puts it in under its name. The temporary file is made new,
// exclusively, under a short name drawn at random (a dot and at most 13 letters
// and digits, never longer than the file's own name), so that it fits wherever
// the file's name fits, and never through a link or over a file that stands. Every byte saved
// goes through Write and every file put in place through Place, so nothing
// appears under the name before Place, and a file never placed leaves no
// temporary file behind.
class TemporaryFile : public ByteSink {
 public:
  // Something other than a file in the way (a folder, say) would refuse the
  // rename only at the end; then nothing is written at all.
  explicit TemporaryFile(std::filesystem::path path);
  ~TemporaryFile() override;
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  // Appends `bytes`. After a failed write the rest is taken and dropped, so that
  // the maker can run to its end; Place then fails.
  void Write(std::string_view bytes) override;

  // Closes the temporary file. False, with the temporary file gone, when it could
  // not be made or a write or the close failed.
  bool Close();

  // Renames the closed temporary file over the path. False, with the temporary
  // file gone and what stood at the path as it was, when the rename failed.
  bool Place();

  // Drops the temporary file.
  void Discard();

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
  std::filesystem::path temporary_;
  int file_ = -1;        // the temporary file, open for writing
  bool made_ = false;    // the temporary file stands and is ours
  bool failed_ = false;  // a write, the close or the rename failed
  bool placed_ = false;
};

// Writes `content` as the whole new content of `path`. Returns false, leaving
// any older file of that name as it was and no temporary file behind, when
// anything fails.
bool SaveWhole(const std::filesystem::path& path, std::string_view content);

// One file of a set that is saved together.
struct WholeFile {
  std::filesystem::path path;
  std::string_view content;
};

// Saves every file whole, or none: every temporary file is written before any is
// placed, and the older files are set aside (renamed to names drawn as for a
// temporary file, over nothing that stands) until all the new ones stand, so that a failure at any point puts
// them back. Returns the index of the file that could not be saved, with the older files as they were and no
// temporary file behind; empty when all were saved.
std::optional<std::size_t> SaveAllWhole(std::span<const WholeFile> files);

// Removes the file `path` if one stands there; anything else of that name stays.
void RemoveFile(const std::filesystem::path& path);

// Where a file stands on disk: the same for every name that leads to it (a
// link, another hard link, another case of the name on a folder that ignores
// case).
struct FileId {
  std::uintmax_t device = 0;
  std::uintmax_t inode = 0;
  auto operator<=>(const FileId&) const = default;
};

// Empty when nothing stands at `path`.
std::optional<FileId> FileIdOf(const std::filesystem::path& path);

// A test's hand in the file layer: while one lives, the writes into temporary
// files and the renames of the saves are counted from 1, and the one of each
// kind named here fails, as on a full disk or a folder taken away mid-save. A
// failing write writes half of its bytes first. One at a time; none lives
// outside the tests and the fuzz targets.
class FileFaults {
 public:
  FileFaults();
  ~FileFaults();
  FileFaults(const FileFaults&) = delete;
  FileFaults& operator=(const FileFaults&) = delete;

  std::int64_t failingWrite = 0;   // 0: no write fails
  std::int64_t failingRename = 0;  // 0: no rename fails
  std::int64_t writes = 0;         // the writes so far
  std::int64_t renames = 0;        // the renames so far
  // The names of temporary and set-aside files, taken in this order before any
  // is drawn at random.
  std::vector<std::string> names;
};

}  // namespace midi
