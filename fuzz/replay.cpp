// Runs a fuzz target without libFuzzer over the inputs its arguments name, so
// that the normal test run checks the target's properties on the seeds. An
// argument is a file, a folder of files, or a ".hex" list of "name hex" lines
// ('#' begins a comment). The targets' scratch folder lives in a fresh
// temporary folder that is removed at the end.

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

void RunHexList(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string name, hex;
    if (!(fields >> name) || name.starts_with('#')) continue;
    fields >> hex;
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
      bytes.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    Run(bytes);
  }
}

}  // namespace

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  char scratch[] = "/tmp/mt-replay-XXXXXX";
  if (::mkdtemp(scratch) == nullptr || ::setenv("TMPDIR", scratch, 1) != 0) return 2;
  for (int i = 1; i < argc; ++i) {
    const fs::path path = argv[i];
    if (fs::is_directory(path)) {
      for (const auto& entry : fs::directory_iterator(path))
        if (entry.is_regular_file()) Run(ReadFile(entry.path()));
    } else if (path.extension() == ".hex") {
      RunHexList(path);
    } else {
      Run(ReadFile(path));
    }
  }
  fs::remove_all(scratch);
  std::printf("%d inputs\n", runs);
  return runs > 0 ? 0 : 1;
}
