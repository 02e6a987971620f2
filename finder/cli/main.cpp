// orvette-cli: the finder's run on one source table, from a terminal. It reads
// the table, runs the search with the window's settings and prints what the
// chart shows: the found degree, the step rows and the summary.

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "finder/app/decimal_separator.h"
#include "finder/chart.h"
#include "finder/cli/texts.h"
#include "finder/files.h"
#include "finder/finder.h"
#include "finder/format.h"
#include "finder/messages.h"
#include "finder/number.h"
#include "finder/result.h"

namespace finder::cli {
namespace {

constexpr int kFound = 0;
constexpr int kFailed = 1;
constexpr int kWrongCommandLine = 2;
constexpr int kNoneQualified = 3;

struct Options {
  std::string table;
  SearchSettings settings;
  bool csv = false;
  bool curve = false;
};

[[noreturn]] void WrongCommandLine(std::string_view problem) {
  std::cerr << texts::kProgram << ": " << problem << "\n\n" << texts::kUsage;
  std::exit(kWrongCommandLine);
}

// The numbers of the options may have `separator`, the user's, as their
// decimal point, as the window's boxes may.
Options Parse(const std::vector<std::string_view>& args, char separator) {
  Options options;
  options.settings.decimalSeparator = separator;
  bool single = false;
  bool range = false;
  bool optionsEnd = false;
  std::vector<std::string_view> tables;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    // The next argument, which must be a number for the degree and limit options.
    const auto value = [&](bool number) {
      if (i + 1 == args.size()) WrongCommandLine(texts::MissingValue(arg));
      const std::string_view text = args[++i];
      if (number && !IsDecimal(text, separator)) WrongCommandLine(texts::NotANumber(arg, text));
      return std::string(text);
    };
    if (optionsEnd || !arg.starts_with("--")) {
      tables.push_back(arg);
    } else if (arg == "--") {
      optionsEnd = true;
    } else if (arg == "--help") {
      std::cout << texts::kUsage;
      std::exit(kFound);
    } else if (arg == "--single") {
      single = true;
      options.settings.span = Span::Single;
      options.settings.degreeText = value(true);
    } else if (arg == "--range") {
      range = true;
      options.settings.span = Span::Range;
      options.settings.startText = value(true);
      options.settings.stopText = value(true);
    } else if (arg == "--criterion") {
      const std::string criterion = value(false);
      if (criterion == "max") {
        options.settings.criterion = Criterion::MaxDeviation;
      } else if (criterion == "std") {
        options.settings.criterion = Criterion::StandardDeviation;
      } else {
        WrongCommandLine(texts::UnknownCriterion(criterion));
      }
    } else if (arg == "--limit") {
      options.settings.centLimitText = value(true);
    } else if (arg == "--csv") {
      options.csv = true;
    } else if (arg == "--curve") {
      options.curve = true;
    } else {
      WrongCommandLine(texts::UnknownOption(arg));
    }
  }
  if (single && range) WrongCommandLine(texts::kSingleOrRange);
  if (tables.size() != 1) WrongCommandLine(texts::kOneTable);
  options.table = tables.front();
  return options;
}

// What the window would show in a box: on standard error, with the table's name in front.
void Say(const std::string& table, std::string_view text) { std::cerr << table << ": " << text << '\n'; }

// Reads the table into `finder`; false, having said why, when there is nothing to search.
bool ReadTable(Finder& finder, const std::string& table) {
  const std::filesystem::path path(table);
  const SourceOutcome read = finder.KaynakOku(ReadWhole(path));
  if (const std::optional<std::string> message = messages::MessageOf(read, path.filename().string())) {
    Say(table, *message);
    return false;
  }
  if (read.records == 0) {
    Say(table, texts::kNoRecords);
    return false;
  }
  return true;
}

// One line per degree tried: the degree and its measure.
void PrintCurve(const std::vector<DegreeMeasure>& curve, char separator) {
  for (const DegreeMeasure& point : curve)
    std::cout << point.degree << ' ' << ShortForm(point.measure, separator) << '\n';
}

// A row of the chart under the header's columns: each text from its column on
// (the first is column 0), at least one blank after the text before it.
std::string RowLine(const RowTexts& texts) {
  std::string line;
  const auto place = [&line](std::size_t column, const std::string& text) {
    line.resize(std::max(column, line.size() + 1), ' ');
    line += text;
  };
  place(1, texts.step);
  place(6, texts.cent);
  place(16, texts.count);
  place(20, texts.share);
  return line;
}

// What the chart shows of a run that found a degree: the degree alone, the
// column header, a line per row, an empty line and the summary's lines.
void PrintChart(const RunOutcome& run, char separator) {
  std::string_view header = kColumnHeader;
  header.remove_suffix(header.size() - header.find_last_not_of(' ') - 1);
  std::cout << run.degree << '\n' << header << '\n';
  for (const StepRow& row : run.rows) std::cout << RowLine(TextsOf(row, separator)) << '\n';
  std::cout << '\n';
  for (const std::string& line : SummaryLines(run, separator)) std::cout << line << '\n';
}

// Print, into the table's folder; false, having said why, when nothing was written.
bool WriteResultFile(const Finder& finder, const std::string& table, char separator) {
  PrintOutcome printed = PrintOutcome::NoRun;
  if (const std::optional<std::string> bytes = finder.SonucYaz(separator)) {
    const std::filesystem::path file = std::filesystem::path(table).parent_path() / kResultFile;
    printed = SaveWhole(file, *bytes) ? PrintOutcome::Written : PrintOutcome::Unwritable;
  }
  if (const std::optional<std::string> message = messages::MessageOf(printed)) Say(table, *message);
  return printed == PrintOutcome::Written;
}

int ExitStatus(RunOutcome::Status status) {
  switch (status) {
    case RunOutcome::Status::Found:
      return kFound;
    case RunOutcome::Status::NoneQualified:
      return kNoneQualified;
    default:
      return kFailed;
  }
}

int Run(const Options& options) {
  const char separator = options.settings.decimalSeparator;
  Finder finder;
  if (!ReadTable(finder, options.table)) return kFailed;
  const RunOutcome run = finder.Basla(options.settings);
  if (options.curve) PrintCurve(run.curve, separator);
  if (const std::optional<std::string> message = messages::MessageOf(run)) Say(options.table, *message);
  if (options.curve) std::cout << '\n';  // the curve's end, also when no degree was tried
  if (run.status == RunOutcome::Status::Found) PrintChart(run, separator);
  // Print follows a run that found a degree or that none qualified; one that
  // failed leaves any older file alone.
  const bool printable =
      run.status == RunOutcome::Status::Found || run.status == RunOutcome::Status::NoneQualified;
  if (options.csv && printable && !WriteResultFile(finder, options.table, separator)) return kFailed;
  return ExitStatus(run.status);
}

}  // namespace
}  // namespace finder::cli

int main(int argc, char** argv) {
  using namespace finder::cli;
  return Run(Parse(std::vector<std::string_view>(argv + 1, argv + argc), finder::SystemDecimalSeparator()));
}
