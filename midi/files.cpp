#include "midi/files.h"

#include <memory>
#include <new>
#include <system_error>
#include <utility>

namespace midi {
namespace {

// The faults a test asked for; none outside the tests.
FileFaults* faults = nullptr;

std::filesystem::path WithSuffix(const std::filesystem::path& path, const char* suffix) {
  std::filesystem::path named = path;
  named += suffix;
  return named;
}

// Every rename of a save goes through here.
bool Rename(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (faults != nullptr && ++faults->renames == faults->failingRename) return false;
  std::error_code error;
  std::filesystem::rename(from, to, error);
  return !error;
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

TemporaryFile::TemporaryFile(std::filesystem::path path)
    : path_(std::move(path)), temporary_(WithSuffix(path_, ".part")) {
  if (Replaceable(path_)) out_.open(temporary_, std::ios::binary | std::ios::trunc);
  // A temporary file that could not be opened was never made: what stands at
  // its name stays.
  made_ = out_.is_open();
  failed_ = !made_;
}

TemporaryFile::~TemporaryFile() {
  if (!placed_) Discard();
}

void TemporaryFile::Write(std::string_view bytes) {
  if (failed_) return;
  if (faults != nullptr && ++faults->writes == faults->failingWrite) {
    out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size() / 2));
    failed_ = true;
    return;
  }
  out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  failed_ = !out_;
}

bool TemporaryFile::Close() {
  if (out_.is_open()) {
    out_.close();  // a full disk may show only here, when the last bytes go out
    if (!out_) failed_ = true;
  }
  if (failed_) Discard();
  return !failed_;
}

bool TemporaryFile::Place() {
  if (placed_) return true;
  if (!Close()) return false;
  if (!Rename(temporary_, path_)) {
    failed_ = true;
    Discard();
    return false;
  }
  placed_ = true;
  return true;
}

void TemporaryFile::Discard() {
  if (!made_ || placed_) return;
  if (out_.is_open()) out_.close();
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
  std::vector<bool> setAside(files.size(), false);
  const auto aside = [&](std::size_t i) { return WithSuffix(files[i].path, ".old.part"); };
  const auto undo = [&](std::size_t failed) {
    for (std::size_t i = 0; i <= failed; ++i) {
      if (i < failed) Remove(files[i].path);
      if (setAside[i]) Rename(aside(i), files[i].path);
    }
  };
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (IsFile(files[i].path)) {
      if (!Rename(files[i].path, aside(i))) {
        undo(i);
        return i;
      }
      setAside[i] = true;
    }
    if (!temporaries[i]->Place()) {
      undo(i);
      return i;
    }
  }
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (setAside[i]) Remove(aside(i));
  }
  return std::nullopt;
}

void RemoveFile(const std::filesystem::path& path) {
  if (IsFile(path)) Remove(path);
}

FileFaults::FileFaults() { faults = this; }

FileFaults::~FileFaults() { faults = nullptr; }

}  // namespace midi
