// tessaro-cli: the MIDI tool's commands for many files at once, from a terminal.
// Each file is loaded as the window loads a chosen entry, and the command writes
// exactly what the window writes, beside the file.

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "midi/build.h"
#include "midi/cli/cents.h"
#include "midi/cli/terminal.h"
#include "midi/cli/texts.h"
#include "midi/save.h"
#include "midi/split.h"
#include "midi/tool.h"

namespace midi::cli {
namespace {

constexpr int kAllDone = 0;
constexpr int kSomeFailed = 1;
constexpr int kWrongCommandLine = 2;

enum class Command { Test, Dump, Split, Cents };

struct Options {
  Build build = Build::Tessaro5Vu;
  char separator = '.';
  Command command = Command::Test;
  std::vector<std::string> files;
};

// The decimal separator of the user's regional settings, when it is one ASCII
// character; otherwise the point. The numeric locale is set back to "C"
// afterwards, so that nothing else reads or writes numbers by it.
char LocaleDecimalSeparator() {
  char separator = '.';
  if (std::setlocale(LC_NUMERIC, "") != nullptr) {
    const std::string_view point = std::localeconv()->decimal_point;
    if (point.size() == 1 && static_cast<unsigned char>(point[0]) < 0x80) separator = point[0];
  }
  std::setlocale(LC_NUMERIC, "C");
  return separator;
}

std::optional<Build> BuildNamed(std::string_view name) {
  if (name == "Tessaro5Vu") return Build::Tessaro5Vu;
  if (name == "Tessaro5") return Build::Tessaro5;
  if (name == "Lumbric5") return Build::Lumbric5;
  return std::nullopt;
}

std::optional<Command> CommandNamed(std::string_view name) {
  if (name == "test") return Command::Test;
  if (name == "dump") return Command::Dump;
  if (name == "split") return Command::Split;
  if (name == "cents") return Command::Cents;
  return std::nullopt;
}

[[noreturn]] void WrongCommandLine(std::string_view problem) {
  std::cerr << texts::kProgram << ": " << problem << "\n\n" << texts::kUsage;
  std::exit(kWrongCommandLine);
}

// Options may stand anywhere before "--"; the first other argument is the
// command, the rest are files.
Options Parse(const std::vector<std::string_view>& args) {
  Options options;
  options.separator = LocaleDecimalSeparator();
  std::optional<Command> command;
  bool optionsEnd = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (!optionsEnd && arg.starts_with("--")) {
      if (arg == "--") {
        optionsEnd = true;
      } else if (arg == "--help") {
        std::cout << texts::kUsage;
        std::exit(kAllDone);
      } else if (arg == "--build" || arg == "--decimal-separator") {
        if (i + 1 == args.size()) WrongCommandLine(texts::MissingValue(arg));
        const std::string_view value = args[++i];
        if (arg == "--build") {
          const std::optional<Build> build = BuildNamed(value);
          if (!build) WrongCommandLine(texts::UnknownBuild(value));
          options.build = *build;
        } else {
          if (value.size() != 1 || static_cast<unsigned char>(value[0]) >= 0x80) {
            WrongCommandLine(texts::BadSeparator(value));
          }
          options.separator = value[0];
        }
      } else {
        WrongCommandLine(texts::UnknownOption(arg));
      }
    } else if (!command) {
      command = CommandNamed(arg);
      if (!command) WrongCommandLine(texts::UnknownCommand(arg));
    } else {
      options.files.emplace_back(arg);
    }
  }
  if (!command || options.files.empty()) WrongCommandLine(texts::kCommandAndFiles);
  options.command = *command;
  return options;
}

// Writes BaseName_cent.txt beside the image; true when it was written.
bool WriteCents(const MidiTool& tool, TerminalWindow& window) {
  const CentTable table = CentTableOf(tool.image(), ScanPackets(tool.image()));
  for (const SkippedPacket& skipped : table.skipped) {
    window.Note(skipped.why == SkippedPacket::Why::NoNoteOn ? texts::NoNoteOn(skipped.number)
                                                            : texts::Unreadable(skipped.number));
  }
  if (table.rows == 0) {
    window.ShowMessage(texts::kNoCentRows);
    return false;
  }
  const std::string name = tool.image().BaseName + "_cent.txt";
  if (!SaveWhole(tool.folder() / name, table.text)) {
    window.ShowMessage(messages::CannotWrite(name));
    return false;
  }
  return true;
}

// Runs the command on one file as the window would on the entry of that file;
// true when it was done.
bool RunOn(const Options& options, const std::string& file) {
  const std::filesystem::path path(file);
  TerminalWindow window(file);
  MidiTool tool(window, options.build, path.parent_path());
  tool.DecimalSeparator = options.separator;
  if (!tool.LoadImage(path.stem().string(), path.filename().string())) return false;
  switch (options.command) {
    case Command::Test:
      tool.TestEt();
      if (window.failed()) return false;
      std::cout << file << ": " << window.tickWarnings() << '\n';
      return true;
    case Command::Dump:
      tool.TxtYaz();
      return !window.failed();
    case Command::Split:
      tool.MidiYaz();
      return !window.failed();
    case Command::Cents:
      return WriteCents(tool, window);
  }
  return false;
}

}  // namespace
}  // namespace midi::cli

int main(int argc, char** argv) {
  using namespace midi::cli;
  const Options options = Parse(std::vector<std::string_view>(argv + 1, argv + argc));
  bool allDone = true;
  for (const std::string& file : options.files) allDone = RunOn(options, file) && allDone;
  return allDone ? kAllDone : kSomeFailed;
}
