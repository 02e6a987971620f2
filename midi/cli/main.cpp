// tessaro-cli: the MIDI tool's commands for many files at once, from a terminal.
// Each file is loaded as the window loads a chosen entry, and the command writes
// exactly what the window writes, beside the file.

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "midi/build.h"
#include "midi/cli/cents.h"
#include "midi/cli/texts.h"
#include "midi/files.h"
#include "midi/messages.h"
#include "midi/split.h"
#include "midi/tool.h"
#include "midiapp/decimal.h"

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

// Whether everything printed reached standard output; told on standard error
// when not.
bool OutputWritten() {
  if (std::cout.flush()) return true;
  std::cerr << texts::kProgram << ": " << texts::kOutputFailed << '\n';
  return false;
}

[[noreturn]] void WrongCommandLine(std::string_view problem) {
  std::cerr << texts::kProgram << ": " << problem << "\n\n" << texts::kUsage;
  std::exit(kWrongCommandLine);
}

// Options may stand anywhere before "--"; the first other argument is the
// command, the rest are files.
Options Parse(const std::vector<std::string_view>& args) {
  Options options;
  // The window's rule, so that the same user gets the same report from both.
  options.separator = midiapp::SystemDecimalSeparator();
  std::optional<Command> command;
  bool optionsEnd = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (!optionsEnd && arg.starts_with("--")) {
      if (arg == "--") {
        optionsEnd = true;
      } else if (arg == "--help") {
        std::cout << texts::kUsage;
        std::exit(OutputWritten() ? kAllDone : kSomeFailed);
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

// Every message goes to standard error with the file's name in front.
void Tell(const std::string& file, const std::vector<std::string>& messages) {
  for (const std::string& message : messages) std::cerr << file << ": " << message << '\n';
}

// Writes BaseName_cent.txt beside the image; true when it was written.
bool WriteCents(const MidiTool& tool, const std::string& file) {
  const CentTable table = CentTableOf(tool.image(), ScanPackets(tool.image()));
  for (const SkippedPacket& skipped : table.skipped) {
    Tell(file, {skipped.why == SkippedPacket::Why::NoNoteOn ? texts::NoNoteOn(skipped.number)
                                                            : texts::Unreadable(skipped.number)});
  }
  if (table.rows == 0) {
    Tell(file, {std::string(texts::kNoCentRows)});
    return false;
  }
  const std::string name = tool.image().BaseName + "_cent.txt";
  if (!SaveWhole(tool.folder() / name, table.text)) {
    Tell(file, {messages::CannotWrite(name)});
    return false;
  }
  return true;
}

// The files that the command writes for the file `path`, as LoadImage and the
// commands name them.
std::vector<std::string> OutputsOf(Command command, const std::filesystem::path& path) {
  const std::string base = path.stem().string();
  switch (command) {
    case Command::Test:
      return {};
    case Command::Dump:
      return {base + ".txt"};
    case Command::Split:
      return {base + "_13.mid", base + "_24.mid"};
    case Command::Cents:
      return {base + "_cent.txt"};
  }
  return {};
}

// An output that is one of the files given to read, `inputs`, by any name:
// never written over.
std::optional<std::string> InputInTheWay(Command command, const std::filesystem::path& path,
                                         const std::set<FileId>& inputs) {
  for (const std::string& output : OutputsOf(command, path)) {
    const std::optional<FileId> id = FileIdOf(path.parent_path() / output);
    if (id && inputs.contains(*id)) return output;
  }
  return std::nullopt;
}

// Runs the command on one file as the window would on the entry of that file;
// true when it was done. A delta time that cannot be decoded is a warning, not a
// failure: TEST counts them and to TXT goes on after them.
bool RunOn(const Options& options, const std::set<FileId>& inputs, const std::string& file) {
  const std::filesystem::path path(file);
  if (const std::optional<std::string> input = InputInTheWay(options.command, path, inputs)) {
    Tell(file, {texts::InputNotReplaced(*input)});
    return false;
  }
  MidiTool tool(options.build, path.parent_path());
  tool.DecimalSeparator = options.separator;
  const LoadOutcome load = tool.LoadImage(path.stem().string(), path.filename().string());
  Tell(file, messages::Of(load));
  if (load.kind != LoadOutcome::Kind::Loaded) return false;
  switch (options.command) {
    case Command::Test: {
      const TestOutcome test = tool.TestEt();
      Tell(file, messages::Of(test));
      if (test.walk.stop) return false;
      std::cout << file << ": " << test.walk.tickWarnings.size() << '\n';
      return true;
    }
    case Command::Dump: {
      TxtOutcome dump = tool.TxtYaz();
      Tell(file, messages::BeforeSave(dump));
      tool.SaveReport(dump);
      Tell(file, messages::AfterSave(dump));
      return dump.written && !dump.walk.stop;
    }
    case Command::Split: {
      const StartOutcome split = tool.MidiYaz();
      Tell(file, messages::Of(split));
      return split.kind == StartOutcome::Kind::Written;
    }
    case Command::Cents:
      return WriteCents(tool, file);
  }
  return false;
}

}  // namespace
}  // namespace midi::cli

int main(int argc, char** argv) {
  using namespace midi::cli;
  const Options options = Parse(std::vector<std::string_view>(argv + 1, argv + argc));
  // Taken before any file is written.
  std::set<midi::FileId> inputs;
  for (const std::string& file : options.files) {
    if (const std::optional<midi::FileId> id = midi::FileIdOf(file)) inputs.insert(*id);
  }
  bool allDone = true;
  for (const std::string& file : options.files) allDone = RunOn(options, inputs, file) && allDone;
  allDone = OutputWritten() && allDone;
  return allDone ? kAllDone : kSomeFailed;
}
