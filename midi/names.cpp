#include "midi/names.h"

#include <algorithm>
#include <string_view>
#include <system_error>

namespace midi {
namespace {

constexpr std::string_view kExtension = ".mid";

unsigned char FoldCase(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

bool EndsInMid(std::string_view name) {
  if (name.size() <= kExtension.size()) return false;  // ".mid" alone would give an empty entry
  const std::string_view tail = name.substr(name.size() - kExtension.size());
  return std::equal(tail.begin(), tail.end(), kExtension.begin(),
                    [](char a, char b) { return FoldCase(a) == static_cast<unsigned char>(b); });
}

int CompareIgnoringCase(std::string_view a, std::string_view b) {
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
    const unsigned char x = FoldCase(a[i]);
    const unsigned char y = FoldCase(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// Names that differ only in case keep a fixed order between them.
bool BeforeIgnoringCase(const std::string& a, const std::string& b) {
  const int order = CompareIgnoringCase(a, b);
  return order < 0 || (order == 0 && a < b);
}

}  // namespace

std::vector<MidiName> ListMidiNames(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::error_code ignored;
    if (!it->is_regular_file(ignored)) continue;
    std::string name = it->path().filename().string();
    if (EndsInMid(name)) names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end(), BeforeIgnoringCase);
  std::vector<MidiName> list;
  list.reserve(names.size());
  for (std::string& name : names) {
    std::string entry = name.substr(0, name.size() - kExtension.size());
    list.push_back({std::move(entry), std::move(name)});
  }
  return list;
}

}  // namespace midi
