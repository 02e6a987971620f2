#include "midi/files.h"

#include <fstream>
#include <new>
#include <system_error>

namespace midi {
namespace {

std::filesystem::path TemporaryFor(const std::filesystem::path& path) {
  std::filesystem::path temporary = path;
  temporary += ".part";
  return temporary;
}

// A file being saved: written into its temporary file, then put in place. Every
// byte saved goes through Write and every file put in place through Place.
class TemporaryFile {
 public:
  explicit TemporaryFile(const std::filesystem::path& path)
      : path_(path), temporary_(TemporaryFor(path)), out_(temporary_, std::ios::binary | std::ios::trunc) {}

  bool Write(std::string_view bytes) {
    out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out_);
  }

  // Ends the writing. On failure the temporary file goes again; one that could
  // not be opened was never made, and what stands at its name stays.
  bool Close() {
    if (!out_.is_open()) return false;
    out_.close();
    if (out_) return true;
    Discard();
    return false;
  }

  // Renames the closed temporary file over the path; removes it on failure.
  bool Place() {
    std::error_code error;
    std::filesystem::rename(temporary_, path_, error);
    if (!error) return true;
    Discard();
    return false;
  }

  void Discard() {
    std::error_code ignored;
    std::filesystem::remove(temporary_, ignored);
  }

 private:
  std::filesystem::path path_;
  std::filesystem::path temporary_;
  std::ofstream out_;
};

// Writes `content` whole into `file`'s temporary file; leaves none on failure.
bool WriteWhole(TemporaryFile& file, std::string_view content) {
  file.Write(content);
  return file.Close();  // a failed write leaves the stream failed, so the close tells it
}

// Something other than a file in the way (a folder, say) refuses the rename only
// at the end, so it is looked for before anything is written.
bool Replaceable(const std::filesystem::path& path) {
  std::error_code ignored;
  const std::filesystem::file_status status = std::filesystem::status(path, ignored);
  return !std::filesystem::exists(status) || std::filesystem::is_regular_file(status);
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

bool SaveWhole(const std::filesystem::path& path, std::string_view content) {
  TemporaryFile file(path);
  return WriteWhole(file, content) && file.Place();
}

std::optional<std::size_t> SaveAllWhole(std::span<const WholeFile> files) {
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (!Replaceable(files[i].path)) return i;
  }
  std::vector<TemporaryFile> temporaries;
  temporaries.reserve(files.size());
  const auto discard = [&](std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i) temporaries[i].Discard();
  };
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (!WriteWhole(temporaries.emplace_back(files[i].path), files[i].content)) {
      discard(0, i);
      return i;
    }
  }
  // Every file is written and nothing else stands in the way, so a rename here
  // fails only in a rare race; the files renamed before it then stay in place.
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (!temporaries[i].Place()) {
      discard(i + 1, files.size());
      return i;
    }
  }
  return std::nullopt;
}

void RemoveFile(const std::filesystem::path& path) {
  std::error_code ignored;
  if (std::filesystem::is_regular_file(path, ignored)) std::filesystem::remove(path, ignored);
}

}  // namespace midi
