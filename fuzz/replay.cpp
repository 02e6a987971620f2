// Runs a fuzz target without libFuzzer over the inputs its arguments name, so
// that the normal test run checks the target's properties on the seeds. An
// argument is a file, a folder of files, or a ".hex" list of "name hex" lines
// ('#' begins a comment). Each argument must exist and give at least one
// input, and each hex line must be whole pairs of hex digits: a corpus that
// went missing or came out empty would otherwise let the test pass on the
// seeds alone. The targets' scratch folder lives in a fresh temporary folder
// that is removed at the end.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

int runs = 0;

void Run(const std::string& bytes) {
  // A copy of exactly the input's size, so that a read past its end is caught.
  const std::vector<std::uint8_t> input(bytes.begin(), bytes.end());
  LLVMFuzzerTestOneInput(input.data(), input.size());
  ++runs;
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Runs every input of the list; false, after saying where, at a line whose hex
// is not whole pairs of hex digits.
bool RunHexList(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    std::istringstream fields(line);
    std::string name, hex;
    if (!(fields >> name) || name.starts_with('#')) continue;
    fields >> hex;
    std::string bytes;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
      const int high = HexDigit(hex[i]);
      const int low = i + 1 < hex.size() ? HexDigit(hex[i + 1]) : -1;
      if (high < 0 || low < 0) {
        std::fprintf(stderr, "%s:%d: not whole pairs of hex digits\n", path.c_str(), number);
        return false;
      }
      bytes.push_back(static_cast<char>(high * 16 + low));
    }
    Run(bytes);
  }
  return true;
}

// Runs the inputs one argument names; false, after saying why, when it is
// missing, malformed or gives none.
bool RunArgument(const std::filesystem::path& path) {
  namespace fs = std::filesystem;
  const int before = runs;
  if (!fs::exists(path)) {
    std::fprintf(stderr, "%s: missing\n", path.c_str());
    return false;
  }
  if (fs::is_directory(path)) {
    for (const auto& entry : fs::directory_iterator(path))
      if (entry.is_regular_file()) Run(ReadFile(entry.path()));
  } else if (path.extension() == ".hex") {
    if (!RunHexList(path)) return false;
  } else {
    Run(ReadFile(path));
  }
  if (runs == before) {
    std::fprintf(stderr, "%s: no inputs\n", path.c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  char scratch[] = "/tmp/mt-replay-XXXXXX";
  if (::mkdtemp(scratch) == nullptr || ::setenv("TMPDIR", scratch, 1) != 0) return 2;
  bool whole = argc > 1;
  for (int i = 1; i < argc; ++i) whole = RunArgument(argv[i]) && whole;
  fs::remove_all(scratch);
  std::printf("%d inputs\n", runs);
  return whole ? 0 : 1;
}
