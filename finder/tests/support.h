#pragma once

// Helpers shared by the finder's tests: a canvas double that records what the
// report draws, a scratch folder, source texts written from records, a finder
// with a table read for a run, and the message of an outcome.

#include <charconv>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
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
  ScratchFolder() {
    std::random_device seed;
    path_ = std::filesystem::temp_directory_path() / ("finder-test-" + std::to_string(seed()));
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

  // Writes a new file of that name. An older one is removed first rather than
  // truncated, which would make the file system flush it on close.
  void Write(const std::string& name, std::string_view text) const {
    std::error_code ignored;
    std::filesystem::remove(path_ / name, ignored);
    std::ofstream out(path_ / name, std::ios::binary);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
  }

 private:
  std::filesystem::path path_;
};

// The whole of a file's bytes; none when it cannot be read.
inline std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A source text of the records' Cent and Duration, one record a line, each
// number written in the shortest fixed form that reads back as the same float.
inline std::string SourceText(const std::vector<SourceRecord>& records) {
  std::string text;
  char number[128];
  for (const SourceRecord& record : records) {
    const auto fixed = [&](float value) {
      return std::string(number,
                         std::to_chars(number, number + sizeof number, value, std::chars_format::fixed).ptr);
    };
    text += fixed(record.Cent) + "," + fixed(record.Duration) + "\r\n";
  }
  return text;
}

// Records every call in order as a line: "clear", "legends", "refresh",
// `text 10,23 red "0"`, "line 50,250 50,450 red 3", "box 55,450 65,250 magenta".
class RecordingCanvas : public Canvas {
 public:
  void Clear() override { calls.emplace_back("clear"); }
  void ShowLegends() override { calls.emplace_back("legends"); }
  void Text(std::int32_t x, std::int32_t y, Rgb colour, std::string_view text) override {
    calls.push_back("text " + Point(x, y) + " " + Name(colour) + " \"" + std::string(text) + "\"");
  }
  void Line(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, Rgb colour,
            std::int32_t width) override {
    calls.push_back("line " + Point(x1, y1) + " " + Point(x2, y2) + " " + Name(colour) + " " +
                    std::to_string(width));
  }
  void Box(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, Rgb colour) override {
    calls.push_back("box " + Point(x1, y1) + " " + Point(x2, y2) + " " + Name(colour));
  }
  void Refresh() override { calls.emplace_back("refresh"); }

  std::vector<std::string> calls;

 private:
  static std::string Point(std::int32_t x, std::int32_t y) {
    return std::to_string(x) + "," + std::to_string(y);
  }
  static std::string Name(Rgb colour) {
    const struct {
      Rgb colour;
      const char* name;
    } names[] = {
        {kBlack, "black"}, {kRed, "red"}, {kBlue, "blue"}, {kMagenta, "magenta"}, {kLightGrey, "grey"}};
    for (const auto& entry : names) {
      if (entry.colour == colour) return entry.name;
    }
    return "other";
  }
};

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

inline bool Found(const RunOutcome& run) { return run.status == RunOutcome::Status::Found; }

// What the user is told of an outcome; "" when nothing.
template <typename Outcome, typename... FileName>
std::string Said(const Outcome& outcome, const FileName&... fileName) {
  return messages::MessageOf(outcome, fileName...).value_or("");
}

// The table of the worked examples: 0, 386 and 702 cents with durations 2, 1 and 1.
inline constexpr std::string_view kThreePitches = "0,2\r\n386,1\r\n702,1\r\n";

}  // namespace finder::test
