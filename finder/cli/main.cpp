// orvette-cli: the finder's run on one source table, from a terminal. It reads
// the table, runs the search with the window's settings and prints what the
// chart shows: the found degree, the step rows and the summary.

#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "finder/chart.h"
#include "finder/cli/chart_text.h"
#include "finder/cli/texts.h"
#include "finder/finder.h"
#include "finder/format.h"
#include "finder/number.h"
#include "finder/window.h"

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

// The window of the table in a terminal: every message goes to standard error
// with the table's name in front.
class TerminalWindow : public Window {
 public:
  explicit TerminalWindow(std::string fileName) : fileName_(std::move(fileName)) {}

  void ShowMessage(std::string_view text) override {
    std::cerr << fileName_ << ": " << text << '\n';
    ++messages_;
  }
  void HideInputs() override {}
  void SetBusyPointer(bool) override {}
  void RequestClose() override {}

  int messages() const { return messages_; }

 private:
  std::string fileName_;
  int messages_ = 0;
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

[[noreturn]] void WrongCommandLine(std::string_view problem) {
  std::cerr << texts::kProgram << ": " << problem << "\n\n" << texts::kUsage;
  std::exit(kWrongCommandLine);
}

Options Parse(const std::vector<std::string_view>& args) {
  Options options;
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
      if (number && !IsDecimal(text)) WrongCommandLine(texts::NotANumber(arg, text));
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

int Run(const Options& options) {
  const char separator = LocaleDecimalSeparator();
  const std::filesystem::path path(options.table);
  TerminalWindow window(options.table);
  Finder finder(window);
  finder.KaynakOku(path.parent_path(), path.filename().string());
  if (window.messages() > 0) return kFailed;
  if (finder.SourceCount() == 0) {
    window.ShowMessage(texts::kNoRecords);
    return kFailed;
  }

  finder.Settings = options.settings;
  if (options.curve) {
    finder.DegreeMeasured = [separator](std::int16_t degree, float measure) {
      std::cout << degree << ' ' << ShortForm(measure, separator) << '\n';
    };
  }
  const bool found = finder.Basla();
  // After a run that tried no degree, or stopped at the found one, the current
  // degree lies within the range; only a search that ran past it lies beyond.
  const bool noneQualified = !found && finder.CurrentDegree() > finder.StopDegree();
  if (options.curve) std::cout << '\n';
  if (found) {
    ChartText chart;
    RaporCiz(chart, finder, separator);
    std::cout << finder.CurrentDegree() << '\n' << chart.Lines();
  }
  if (options.csv && (found || noneQualified)) {
    const int before = window.messages();
    finder.SonucYaz(path.parent_path(), separator);
    if (window.messages() > before) return kFailed;
  }
  if (found) return kFound;
  return noneQualified ? kNoneQualified : kFailed;
}

}  // namespace
}  // namespace finder::cli

int main(int argc, char** argv) {
  using namespace finder::cli;
  return Run(Parse(std::vector<std::string_view>(argv + 1, argv + argc)));
}
