// Runs the README's terminal examples, every ```console block, and compares
// what the programs print with what the README shows.
//
// A block's lines that begin with "$ " are commands; the lines below a command,
// up to the next one, are what it prints, standard output and standard error
// as a terminal shows them. A line "..." stands for any number of lines the
// README leaves out (lines that may vary). Every command must end with status 0;
// an example of a failure shows its status itself (`|| echo "status $?"`).
//
// Each block runs on its own, in one shell, in a fresh scratch folder laid out
// like the repository's root after scripts/run: demo/midi/ with the MIDI tool's
// three builds and the sample MIDI files made at build time, demo/finder/ with
// the finder and its sample tables, and finder/samples/ as the repository holds
// it. The companions are on PATH. The commands run on a terminal of their own
// (a pseudo-terminal), so standard output is line-buffered and the two streams
// come in the order a user sees them.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Command {
  std::string text;
  std::vector<std::string> shown;  // what the README shows it printing
};

struct Block {
  std::string name;  // the heading above it and its number under that heading
  int line = 0;      // the README line of its opening fence
  std::vector<Command> commands;
  bool closed = false;  // by a closing fence before the README's end
};

constexpr char kMarker = '\036';  // ends a command's output in the shell's transcript

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    while (!line.empty() && line.back() == '\r') line.pop_back();  // a terminal shows no CR
    lines.push_back(line);
  }
  return lines;
}

// "tessaro-cli" and "First run: a walkthrough" become "tessaro_cli" and
// "First_run_a_walkthrough": test names take letters, digits and '_'.
std::string Slug(const std::string& heading) {
  std::string slug;
  for (const char c : heading) {
    const bool word = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    if (word)
      slug += c;
    else if (!slug.empty() && slug.back() != '_')
      slug += '_';
  }
  while (!slug.empty() && slug.back() == '_') slug.pop_back();
  return slug.empty() ? "top" : slug;
}

std::vector<Block> ConsoleBlocks(const std::string& readme) {
  std::vector<Block> blocks;
  std::string heading;
  std::map<std::string, int> underHeading;
  bool inConsole = false, inOther = false;  // inside a console block, inside another one
  int number = 0;
  for (const std::string& line : Lines(readme)) {
    ++number;
    if (inConsole || inOther) {
      if (line == "```") {
        if (inConsole) blocks.back().closed = true;
        inConsole = inOther = false;
      } else if (inConsole && line.starts_with("$ ")) {
        blocks.back().commands.push_back({line.substr(2), {}});
      } else if (inConsole && !blocks.back().commands.empty()) {
        blocks.back().commands.back().shown.push_back(line);
      } else if (inConsole) {
        blocks.back().commands.push_back({"", {line}});  // output before any command: a fault
      }
    } else if (line == "```console") {
      inConsole = true;
      const std::string slug = Slug(heading);
      blocks.push_back({slug + "_" + std::to_string(++underHeading[slug]), number, {}});
    } else if (line.starts_with("```")) {
      inOther = true;
    } else if (line.starts_with("#")) {
      heading = line.substr(line.find_first_not_of('#'));
    }
  }
  return blocks;
}

// The printed lines match the shown ones, where "..." takes any run of lines.
bool Matches(const std::vector<std::string>& shown, std::size_t s, const std::vector<std::string>& printed,
             std::size_t p) {
  if (s == shown.size()) return p == printed.size();
  if (shown[s] == "...") {
    for (std::size_t q = p; q <= printed.size(); ++q)
      if (Matches(shown, s + 1, printed, q)) return true;
    return false;
  }
  return p < printed.size() && shown[s] == printed[p] && Matches(shown, s + 1, printed, p + 1);
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

void Copy(const fs::path& from, const fs::path& to) {
  fs::create_directories(to.parent_path());
  fs::copy_file(from, to, fs::copy_options::overwrite_existing);
}

void CopyMatching(const fs::path& folder, const std::string& extension, const fs::path& to) {
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.is_regular_file() && entry.path().extension() == extension)
      Copy(entry.path(), to / entry.path().filename());
}

// A fresh temporary folder, removed with the object.
class TemporaryFolder {
 public:
  TemporaryFolder() {
    char name[] = "/tmp/mt-readme-XXXXXX";
    if (::mkdtemp(name) == nullptr) throw std::runtime_error("no scratch folder");
    path_ = name;
  }
  ~TemporaryFolder() { fs::remove_all(path_); }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

// The scratch root, laid out as described above, with a home folder and the
// commands' script beside it; removed with the object, also when the layout
// fails halfway.
class Scratch {
 public:
  Scratch() {
    const fs::path root = this->root();
    fs::create_directories(home());
    const fs::path midi = root / "demo" / "midi", finder = root / "demo" / "finder";
    for (const char* program : {"Tessaro5Vu", "Tessaro5", "Lumbric5"})
      Copy(fs::path(MIDIAPP_DIR) / program, midi / program);
    CopyMatching(MIDIAPP_SAMPLES_DIR, ".mid", midi);
    Copy(ORVETTE_APP, finder / "Orvette101A");
    CopyMatching(FINDER_SAMPLES_DIR, ".txt", finder);
    fs::create_directories(root / "finder");
    fs::copy(FINDER_SAMPLES_DIR, root / "finder" / "samples", fs::copy_options::recursive);
  }
  fs::path root() const { return folder_.path() / "root"; }
  fs::path home() const { return folder_.path() / "home"; }
  fs::path script() const { return folder_.path() / "commands.sh"; }

 private:
  TemporaryFolder folder_;
};

struct Transcript {
  std::string text;
  bool finished = false;  // false when no terminal could be had or the shell had to be stopped
};

// Runs the script with bash on a pseudo-terminal of its own, in raw mode so
// that line ends come through as the programs write them.
Transcript RunOnTerminal(const fs::path& script, const fs::path& home) {
  termios raw{};
  ::cfmakeraw(&raw);
  winsize size{};
  size.ws_row = 24;
  size.ws_col = 80;
  int terminal = -1;
  const pid_t shell = ::forkpty(&terminal, nullptr, &raw, &size);
  if (shell < 0) return {};
  Transcript transcript;
  if (shell == 0) {
    const int none = ::open("/dev/null", O_RDONLY);
    ::dup2(none, STDIN_FILENO);
    const std::string path = "PATH=" TESSARO_CLI_DIR ":" ORVETTE_CLI_DIR ":/usr/local/bin:/usr/bin:/bin";
    const std::string homeVariable = "HOME=" + home.string();
    std::vector<std::string> environment = {path, homeVariable, "LANG=C.UTF-8", "TERM=dumb",
                                            "QT_QPA_PLATFORM=offscreen"};
    if (const char* fonts = std::getenv("FONTCONFIG_FILE"))
      environment.push_back(std::string("FONTCONFIG_FILE=") + fonts);
    std::vector<char*> pointers;
    for (std::string& variable : environment) pointers.push_back(variable.data());
    pointers.push_back(nullptr);
    char bash[] = "/bin/bash", noprofile[] = "--noprofile", norc[] = "--norc";
    std::string file = script.string();
    char* arguments[] = {bash, noprofile, norc, file.data(), nullptr};
    ::execve(bash, arguments, pointers.data());
    ::_exit(127);
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
  for (;;) {
    pollfd ready{terminal, POLLIN, 0};
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    const int polled = ::poll(&ready, 1, static_cast<int>(left.count()));
    if (polled < 0 && errno != EINTR) break;
    if (polled <= 0) continue;  // the deadline, checked above, or a signal
    char buffer[4096];
    const ssize_t got = ::read(terminal, buffer, sizeof buffer);
    if (got > 0)
      transcript.text.append(buffer, static_cast<std::size_t>(got));
    else if (got == 0 || errno != EINTR) {  // EIO: every program on the terminal has ended
      transcript.finished = true;
      break;
    }
  }
  if (!transcript.finished) ::kill(-shell, SIGKILL);  // the shell leads a session of its own
  int status = 0;
  ::waitpid(shell, &status, 0);
  ::close(terminal);
  return transcript;
}

void PrintTo(const Block& block, std::ostream* out) {
  *out << block.name << " (README line " << block.line << ")";
}

class ConsoleBlock : public testing::TestWithParam<Block> {};

TEST_P(ConsoleBlock, PrintsWhatTheReadmeShows) {
  const Block& block = GetParam();
  const Scratch scratch;
  std::string script = "cd '" + scratch.root().string() + "' || exit 1\n";
  for (const Command& command : block.commands) {
    ASSERT_FALSE(command.text.empty()) << "README line " << block.line << ": output shown before any command";
    script += command.text + "\nprintf '\\036%d\\n' \"$?\"\n";
  }
  std::ofstream(scratch.script()) << script;
  const Transcript transcript = RunOnTerminal(scratch.script(), scratch.home());
  ASSERT_TRUE(transcript.finished) << "README line " << block.line
                                   << ": no pseudo-terminal, or the commands did not end in 120 s";

  std::size_t at = 0;
  for (const Command& command : block.commands) {
    SCOPED_TRACE("README line " + std::to_string(block.line) + ": $ " + command.text);
    const std::size_t marker = transcript.text.find(kMarker, at);
    ASSERT_NE(marker, std::string::npos) << "the shell ended before this command did\n"
                                         << transcript.text.substr(at);
    const std::vector<std::string> printed = Lines(transcript.text.substr(at, marker - at));
    const std::size_t end = transcript.text.find('\n', marker);
    const std::string status = transcript.text.substr(marker + 1, end - marker - 1);
    at = end == std::string::npos ? transcript.text.size() : end + 1;
    EXPECT_TRUE(Matches(command.shown, 0, printed, 0)) << "The README shows:\n"
                                                       << Joined(command.shown) << "The programs print:\n"
                                                       << Joined(printed);
    EXPECT_EQ(status, "0") << "the command failed";
  }
}

const std::vector<Block>& ReadmeBlocks() {
  static const std::vector<Block> blocks = ConsoleBlocks(ReadFile(README_PATH));
  return blocks;
}

INSTANTIATE_TEST_SUITE_P(Readme, ConsoleBlock, testing::ValuesIn(ReadmeBlocks()),
                         [](const testing::TestParamInfo<Block>& info) { return info.param.name; });

// Guards the parse: a README that could not be read, or whose fences changed
// form, would otherwise leave nothing to run, and a block left open would take
// the rest of the README for output.
TEST(Readme, HasConsoleExamplesEachWithACommandAndClosed) {
  ASSERT_FALSE(ReadmeBlocks().empty());
  for (const Block& block : ReadmeBlocks()) {
    EXPECT_FALSE(block.commands.empty()) << "README line " << block.line;
    EXPECT_TRUE(block.closed) << "README line " << block.line;
  }
}

}  // namespace
