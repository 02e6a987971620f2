#include "midi/files.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <new>
#include <random>
#include <string>
#include <system_error>
#include <utility>

namespace midi {
namespace {

// The faults a test asked for; none outside the tests.
FileFaults* faults = nullptr;

// Another name tried when one stands at the chosen name already; a folder that
// refuses this many names refuses the save.
constexpr int kNameTries = 100;

// A name of our own beside `path`, for its temporary or set-aside file: a dot,
// then letters and digits drawn at random, never longer than the file's own
// name (nor than 14 bytes), so that it fits wherever that name fits. No dot
// follows, so that it never ends in ".mid" and never joins the window's list.
std::filesystem::path NameBeside(const std::filesystem::path& path) {
  static constexpr std::string_view kCharacters = "abcdefghijklmnopqrstuvwxyz0123456789";
  static std::mt19937 draw(std::random_device{}());
  std::uniform_int_distribution<std::size_t> pick(0, kCharacters.size() - 1);
  if (faults != nullptr && !faults->names.empty()) {
    std::filesystem::path named = path.parent_path() / faults->names.front();
    faults->names.erase(faults->names.begin());
    return named;
  }
  const std::size_t own = path.filename().native().size();
  const std::size_t length = own < 3 ? 3 : (own > 14 ? 14 : own);
  std::string name = ".";
  while (name.size() < length) name += kCharacters[pick(draw)];
  return path.parent_path() / name;
}

// Every rename of a save goes through here. `replace`: what stands at `to` goes;
// otherwise the rename fails with EEXIST rather than put anything aside.
bool Rename(const std::filesystem::path& from, const std::filesystem::path& to, bool replace) {
  if (faults != nullptr && ++faults->renames == faults->failingRename) {
    errno = EIO;
    return false;
  }
  if (replace) return ::rename(from.c_str(), to.c_str()) == 0;
#ifdef RENAME_NOREPLACE
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
#endif
  // A file system that cannot refuse for us: a look first.
  std::error_code error;
  if (std::filesystem::symlink_status(to, error).type() != std::filesystem::file_type::not_found) {
    errno = EEXIST;
    return false;
  }
  return ::rename(from.c_str(), to.c_str()) == 0;
}

// Renames the file `path` to a fresh name beside it, which nothing stood at.
std::optional<std::filesystem::path> SetAside(const std::filesystem::path& path) {
  for (int tries = 0; tries < kNameTries; ++tries) {
    std::filesystem::path aside = NameBeside(path);
    if (Rename(path, aside, false)) return aside;
    if (errno != EEXIST) return std::nullopt;
  }
  return std::nullopt;
}

bool IsFile(const std::filesystem::path& path) {
  std::error_code ignored;
  return std::filesystem::is_regular_file(path, ignored);
}

// A name that a file can be renamed over: nothing stands there, or a file.
bool Replaceable(const std::filesystem::path& path) {
  std::error_code ignored;
  const std::filesystem::file_status status = std::filesystem::status(path, ignored);
  return !std::filesystem::exists(status) || std::filesystem::is_regular_file(status);
}

void Remove(const std::filesystem::path& path) {
  std::error_code ignored;
  std::filesystem::remove(path, ignored);
}

}  // namespace

FileBytes ReadWhole(const std::filesystem::path& path, std::uintmax_t maxLength) {
  FileBytes file;
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size > maxLength) return file;
  if (size == 0) {
    file.status = FileBytes::Status::Empty;
    return file;
  }
  try {
    file.bytes.resize(static_cast<std::size_t>(size));
  } catch (const std::bad_alloc&) {
    return file;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in.read(reinterpret_cast<char*>(file.bytes.data()), static_cast<std::streamsize>(size))) {
    file.bytes.clear();
    return file;
  }
  file.status = FileBytes::Status::Read;
  return file;
}

TemporaryFile::TemporaryFile(std::filesystem::path path) : path_(std::move(path)) {
  failed_ = true;
  if (!Replaceable(path_)) return;
  // Made new and exclusively ours: a file or a link that stands at the name
  // drawn is never opened, written through or removed; another name is drawn.
  for (int tries = 0; tries < kNameTries; ++tries) {
    temporary_ = NameBeside(path_);
    file_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (file_ >= 0 || errno != EEXIST) break;
  }
  made_ = file_ >= 0;
  failed_ = !made_;
}

TemporaryFile::~TemporaryFile() {
  if (!placed_) Discard();
}

void TemporaryFile::Write(std::string_view bytes) {
  if (failed_) return;
  if (faults != nullptr && ++faults->writes == faults->failingWrite) {
    bytes = bytes.substr(0, bytes.size() / 2);
    failed_ = true;
  }
  while (!bytes.empty()) {
    const ssize_t written = ::write(file_, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      failed_ = true;
      return;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
}

bool TemporaryFile::Close() {
  if (file_ >= 0) {
    // A full disk may show only here, when the last bytes go out.
    if (::close(file_) != 0) failed_ = true;
    file_ = -1;
  }
  if (failed_) Discard();
  return !failed_;
}

bool TemporaryFile::Place() {
  if (placed_) return true;
  if (!Close()) return false;
  if (!Rename(temporary_, path_, true)) {
    failed_ = true;
    Discard();
    return false;
  }
  placed_ = true;
  return true;
}

void TemporaryFile::Discard() {
  if (!made_ || placed_) return;
  if (file_ >= 0) {
    ::close(file_);
    file_ = -1;
  }
  Remove(temporary_);
  made_ = false;
  failed_ = true;
}

bool SaveWhole(const std::filesystem::path& path, std::string_view content) {
  TemporaryFile file(path);
  file.Write(content);
  return file.Place();
}

std::optional<std::size_t> SaveAllWhole(std::span<const WholeFile> files) {
  std::vector<std::unique_ptr<TemporaryFile>> temporaries;
  for (std::size_t i = 0; i < files.size(); ++i) {
    TemporaryFile& file = *temporaries.emplace_back(std::make_unique<TemporaryFile>(files[i].path));
    file.Write(files[i].content);
    if (!file.Close()) return i;  // the temporary files made so far go with `temporaries`
  }
  // An older file is renamed aside before its new one is placed, and comes back
  // if any later step fails, so that the set is never half old, half new.
  std::vector<std::optional<std::filesystem::path>> asides(files.size());
  const auto undo = [&](std::size_t failed) {
    for (std::size_t i = 0; i <= failed; ++i) {
      if (i < failed) Remove(files[i].path);
      if (asides[i]) Rename(*asides[i], files[i].path, true);
    }
  };
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (IsFile(files[i].path)) {
      asides[i] = SetAside(files[i].path);
      if (!asides[i]) {
        undo(i);
        return i;
      }
    }
    if (!temporaries[i]->Place()) {
      undo(i);
      return i;
    }
  }
  for (const std::optional<std::filesystem::path>& aside : asides) {
    if (aside) Remove(*aside);
  }
  return std::nullopt;
}

void RemoveFile(const std::filesystem::path& path) {
  if (IsFile(path)) Remove(path);
}

std::optional<FileId> FileIdOf(const std::filesystem::path& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return std::nullopt;
  return FileId{static_cast<std::uintmax_t>(status.st_dev), static_cast<std::uintmax_t>(status.st_ino)};
}

FileFaults::FileFaults() { faults = this; }

FileFaults::~FileFaults() { faults = nullptr; }

}  // namespace midi
