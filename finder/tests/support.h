#pragma once

// Helpers shared by the finder's tests and fuzz targets: a scratch folder, the
// sample tables, a finder with a table read for a run, the message of an
// outcome and a canvas that writes down what is drawn.

#include <algorithm>
#include <bit>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "finder/canvas.h"
#include "finder/finder.h"
#include "finder/messages.h"
#include "finder/source.h"

namespace finder::test {

// A fresh empty folder under the system's temporary folder, removed afterwards.
class ScratchFolder {
 public:
  ScratchFolder() : path_(std::filesystem::temp_directory_path() / ("finder-test-" + Unique())) {
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

  // Writes a new file of that name, its folders made first. An older one is
  // removed rather than truncated, which would make the file system flush it on close.
  void Write(const std::string& name, std::string_view text) const {
    std::filesystem::create_directories((path_ / name).parent_path());
    std::filesystem::remove(path_ / name);
    std::ofstream(path_ / name, std::ios::binary)
        .write(text.data(), static_cast<std::streamsize>(text.size()));
  }

 private:
  static std::string Unique() { return std::to_string(std::random_device()()); }
  std::filesystem::path path_;
};

// The whole of a file's bytes; none when it cannot be read.
inline std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

#ifdef FINDER_SAMPLES_DIR
// A table of the demo folder, finder/samples.
inline std::string Sample(const char* name) {
  return ReadAll(std::filesystem::path(FINDER_SAMPLES_DIR) / name);
}
#endif

inline SearchSettings Single(std::string degree, Criterion criterion, std::string limit) {
  return {.span = Span::Single, .degreeText = degree, .criterion = criterion, .centLimitText = limit};
}

inline SearchSettings Range(std::string start, std::string stop, Criterion criterion, std::string limit) {
  return {.span = Span::Range,
          .startText = start,
          .stopText = stop,
          .criterion = criterion,
          .centLimitText = limit};
}

// A finder with `text` read as its source table.
struct Fixture {
  explicit Fixture(std::string_view text) { finder.KaynakOku(text); }

  RunOutcome Run(const SearchSettings& settings) { return finder.Basla(settings); }

  Finder finder;
};

// What the user is told of an outcome; "" when nothing.
template <typename Outcome, typename... FileName>
std::string Said(const Outcome& outcome, const FileName&... fileName) {
  return messages::MessageOf(outcome, fileName...).value_or("");
}

// What is drawn, a line a call: "clear", "legends", `text 10,23 red "0"`,
// "line 50,250 50,450 red 3", "box 55,450 65,250 magenta", "refresh".
class DrawnCanvas : public Canvas {
 public:
  void Clear() override { out << "clear\n"; }
  void ShowLegends() override { out << "legends\n"; }
  void Text(std::int32_t x, std::int32_t y, Rgb colour, std::string_view text) override {
    out << "text " << x << ',' << y << ' ' << Name(colour) << " \"" << text << "\"\n";
  }
  void Line(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, Rgb colour,
            std::int32_t width) override {
    out << "line " << x1 << ',' << y1 << ' ' << x2 << ',' << y2 << ' ' << Name(colour) << ' ' << width
        << '\n';
  }
  void Box(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, Rgb colour) override {
    out << "box " << x1 << ',' << y1 << ' ' << x2 << ',' << y2 << ' ' << Name(colour) << '\n';
  }
  void Refresh() override { out << "refresh\n"; }

  std::ostringstream out;

 private:
  static const char* Name(Rgb colour) {
    const Rgb colours[] = {kBlack, kRed, kBlue, kMagenta, kLightGrey};
    const char* names[] = {"black", "red", "blue", "magenta", "grey", "other"};
    return names[std::find(std::begin(colours), std::end(colours), colour) - colours];
  }
};

// The table of the worked examples: 0, 386 and 702 cents with durations 2, 1 and 1.
inline constexpr std::string_view kThreePitches = "0,2\r\n386,1\r\n702,1\r\n";

inline std::uint32_t Bits(float value) { return std::bit_cast<std::uint32_t>(value); }

}  // namespace finder::test
