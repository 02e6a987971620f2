#pragma once

// Runs a terminal companion as a user would, for the end-to-end tests.

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace cli::test {

struct Finished {
  int status = -1;  // the exit status; -1 when the program did not exit by itself
  std::string out;  // what it wrote to standard output
  std::string err;  // and to standard error
};

// Runs `program` with `args` (no single quotes in them) in `folder` and waits
// for it, with LANG=`lang` and none of the tests' own LC_ALL or LC_NUMERIC. Its
// output goes beside the folder, not into it.
inline Finished Run(const std::string& program, const std::vector<std::string>& args,
                    const std::filesystem::path& folder, const std::string& lang = "C") {
  const std::string out = folder.string() + ".out", err = folder.string() + ".err";
  std::string command =
      "cd '" + folder.string() + "' && env -u LC_ALL -u LC_NUMERIC LANG=" + lang + " '" + program + "'";
  for (const std::string& arg : args) command += " '" + arg + "'";
  const int status = std::system((command + " >'" + out + "' 2>'" + err + "'").c_str());
  const auto read = [](const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::filesystem::remove(path);
    return text;
  };
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, read(out), read(err)};
}

}  // namespace cli::test
