#pragma once

// Runs a terminal companion as a user would, for the end-to-end tests.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace cli::test {

struct Finished {
  int status = -1;  // the exit status; -1 when the program did not exit by itself
  std::string out;  // what it wrote to standard output
  std::string err;  // and to standard error
};

inline std::string ReadAll(std::FILE* file) {
  std::string text;
  std::rewind(file);
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, n);
  std::fclose(file);
  return text;
}

// Runs `program` with `args` in `folder` and waits for it. Its regional settings
// are LANG=`lang` alone: none of the LC_ variables or LANG of the tests' own
// environment reach it.
inline Finished Run(const std::string& program, const std::vector<std::string>& args,
                    const std::filesystem::path& folder, const std::string& lang = "C") {
  std::string setting = "LANG=" + lang;
  std::vector<char*> envp = {setting.data()};
  for (char** variable = environ; *variable != nullptr; ++variable) {
    const std::string_view name(*variable);
    if (!name.starts_with("LC_") && !name.starts_with("LANG=")) envp.push_back(*variable);
  }
  envp.push_back(nullptr);
  std::vector<std::string> words = {program};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fileno(out), STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, fileno(err), STDERR_FILENO);
  posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  Finished finished;
  pid_t pid = 0;
  if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()) == 0) {
    int status = 0;
    if (waitpid(pid, &status, 0) == pid && WIFEXITED(status)) finished.status = WEXITSTATUS(status);
  }
  posix_spawn_file_actions_destroy(&actions);
  finished.out = ReadAll(out);
  finished.err = ReadAll(err);
  return finished;
}

}  // namespace cli::test
