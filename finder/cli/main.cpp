// orvette-cli: the finder's run on one source table, from a terminal. It reads
// the table (the finder's own or a Scala scale), runs the search with the
// window's settings and prints what the chart shows: the found degree, the step
// rows and the summary. On request it also writes the table it read, the scale
// tempered into the found degree, and a plot of the measures.

#include <QByteArray>
#include <QGuiApplication>
#include <QtGlobal>
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "finder/app/decimal_separator.h"
#include "finder/chart.h"
#include "finder/cli/plot.h"
#include "finder/cli/texts.h"
#include "finder/files.h"
#include "finder/finder.h"
#include "finder/format.h"
#include "finder/messages.h"
#include "finder/number.h"
#include "finder/result.h"
#include "finder/scala.h"

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
  std::string tableOut;  // --table: the pitch table read, in the finder's source format
  std::string sclOut;    // --scl: the scale tempered into the found degree
  std::string plotOut;   // --plot: the measures over the degrees, SVG or PNG
};

// Whether a file name ends in `ending`, in any letter case.
bool EndsWith(std::string_view name, std::string_view ending) {
  if (name.size() < ending.size()) return false;
  return std::equal(ending.begin(), ending.end(), name.end() - static_cast<std::ptrdiff_t>(ending.size()),
                    [](char a, char b) {
                      return std::tolower(static_cast<unsigned char>(a)) ==
                             std::tolower(static_cast<unsigned char>(b));
                    });
}

// What the run's status becomes once standard output has taken all: a write
// that failed there (a full disk, a closed pipe) is a failure, said on
// standard error.
int Finish(int status) {
  if (std::cout.flush()) return status;
  std::cerr << texts::kProgram << ": " << texts::kOutputFailed << '\n';
  return kFailed;
}

[[noreturn]] void WrongCommandLine(std::string_view problem) {
  std::cerr << texts::kProgram << ": " << problem << "\n\n" << texts::kUsage;
  std::exit(kWrongCommandLine);
}

// The numbers of the options take a period or a comma as their decimal point,
// as the window's boxes do; `separator`, the user's, is the one of the texts
// written.
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
      if (number && !IsDecimal(text, ',')) WrongCommandLine(texts::NotANumber(arg, text));
      return std::string(text);
    };
    if (optionsEnd || !arg.starts_with("--")) {
      tables.push_back(arg);
    } else if (arg == "--") {
      optionsEnd = true;
    } else if (arg == "--help") {
      std::cout << texts::kUsage;
      std::exit(Finish(kFound));
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
    } else if (arg == "--table") {
      options.tableOut = value(false);
    } else if (arg == "--scl") {
      options.sclOut = value(false);
    } else if (arg == "--plot") {
      options.plotOut = value(false);
      if (!PlotFormatOf(options.plotOut)) WrongCommandLine(texts::PlotEnding(options.plotOut));
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

// Reads the table into `finder`, a Scala scale by way of the source format it
// is written in; false, having said why, when there is nothing to search.
bool ReadTable(Finder& finder, const std::string& table) {
  const std::filesystem::path path(table);
  std::optional<std::string> text = ReadWhole(path);
  if (text && EndsWith(table, ".scl")) {
    const ScalaReading scale = ParseScala(*text);
    if (const std::optional<std::string> message = messages::MessageOf(scale)) {
      Say(table, *message);
      return false;
    }
    text = SourceTableText(scale.records);
  }
  const SourceOutcome read = finder.KaynakOku(text);
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

// Saves `bytes` whole as `file`; false, having said so, when it cannot.
bool Save(const std::string& table, const std::string& file, std::string_view bytes) {
  if (SaveWhole(file, bytes)) return true;
  Say(table, messages::CannotWrite(std::filesystem::path(file).filename().string()));
  return false;
}

// The plot of the run's measures. Qt draws it offscreen, whatever display
// there is, and its own notices stay off the terminal, which carries the
// companion's texts only.
bool WritePlot(const std::string& file, const RunOutcome& run, const std::string& table, char separator) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << text.toStdString() << '\n';
  });
  int argc = 1;
  char name[] = "orvette-cli";
  char* argv[] = {name, nullptr};
  const QGuiApplication application(argc, argv);
  PlotData data{
      .title = texts::PlotTitle(std::filesystem::path(table).filename().string(), run.start, run.stop),
      .curve = {},
      .limit = static_cast<float>(LeadingNumber(run.settings.centLimitText)),
      .found = run.status == RunOutcome::Status::Found ? std::optional(run.degree) : std::nullopt,
      .criterion = run.settings.criterion,
      .separator = separator};
  for (const DegreeMeasure& point : run.curve) data.curve.push_back({point.degree, point.measure});
  const QByteArray bytes = DrawPlot(data, *PlotFormatOf(file));
  if (bytes.isEmpty()) {
    Say(table, messages::CannotWrite(std::filesystem::path(file).filename().string()));
    return false;
  }
  return Save(table, file, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
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

// The first file that the run would write over the table it reads, whatever
// the spelling of either name (a link, "./", another way through the
// folders): its name as given, or nothing.
std::optional<std::string> OverwritesTable(const Options& options) {
  std::vector<std::string> outputs = {options.tableOut, options.sclOut, options.plotOut};
  if (options.csv)
    outputs.push_back((std::filesystem::path(options.table).parent_path() / kResultFile).string());
  for (const std::string& output : outputs) {
    std::error_code error;  // a file that is not there is not the table
    if (!output.empty() && std::filesystem::equivalent(output, options.table, error) && !error) return output;
  }
  return std::nullopt;
}

int Run(const Options& options) {
  const char separator = options.settings.decimalSeparator;
  if (const std::optional<std::string> output = OverwritesTable(options)) {
    Say(options.table, texts::OverwritesTable(std::filesystem::path(*output).filename().string()));
    return kFailed;
  }
  Finder finder;
  if (!ReadTable(finder, options.table)) return kFailed;
  if (!options.tableOut.empty() &&
      !Save(options.table, options.tableOut, SourceTableText(finder.SourceTable()))) {
    return kFailed;
  }
  const RunOutcome run = finder.Basla(options.settings);
  if (options.curve) PrintCurve(run.curve, separator);
  if (const std::optional<std::string> message = messages::MessageOf(run)) Say(options.table, *message);
  if (options.curve) std::cout << '\n';  // the curve's end, also when no degree was tried
  const bool found = run.status == RunOutcome::Status::Found;
  if (found) PrintChart(run, separator);
  // Print and the plot follow a run that found a degree or that none
  // qualified; one that failed leaves any older file alone.
  const bool searched = found || run.status == RunOutcome::Status::NoneQualified;
  if (options.csv && searched && !WriteResultFile(finder, options.table, separator)) return kFailed;
  if (!options.sclOut.empty() && found) {
    const std::string bytes =
        TemperedScale(std::filesystem::path(options.sclOut).filename().string(),
                      std::filesystem::path(options.table).filename().string(), finder.StepTable());
    if (!Save(options.table, options.sclOut, bytes)) return kFailed;
  }
  if (!options.plotOut.empty() && searched && !WritePlot(options.plotOut, run, options.table, separator)) {
    return kFailed;
  }
  return ExitStatus(run.status);
}

}  // namespace
}  // namespace finder::cli

int main(int argc, char** argv) {
  using namespace finder::cli;
  return Finish(
      Run(Parse(std::vector<std::string_view>(argv + 1, argv + argc), finder::SystemDecimalSeparator())));
}
