#include "finder/result.h"

#include <cstddef>
#include <vector>

#include "finder/format.h"

namespace finder {
namespace {

// Blanks up to column `column` (the first character of a line is column 1),
// then `field`. A line that already reaches the column gets one blank.
void Field(std::string& line, std::size_t column, std::string_view field) {
  if (line.size() + 1 < column) {
    line.resize(column - 1, ' ');
  } else {
    line += ' ';
  }
  line += field;
}

}  // namespace

std::string ResultTable(const Finder& finder, char separator) {
  std::string text = "Derece      Cent           Adet       Süre\r\n";
  text += std::string(55, '-') + "\r\n";
  if (!finder.Found()) return text;
  const std::vector<StepRecord>& steps = finder.StepTable();
  for (std::size_t k = 0; k < steps.size(); ++k) {
    const StepRecord& step = steps[k];
    if (!(step.Duration > 0.0f)) continue;
    std::string line;
    Field(line, 6, FormatNumber(static_cast<double>(k), "000", separator));
    Field(line, 16, FormatNumber(step.Cent, "000.0000", separator));
    Field(line, 32, FormatNumber(step.Count, "00", separator));
    Field(line, 40, FormatNumber(step.Duration / finder.MaxDuration(), "0.00000", separator));
    text += line + "\r\n";
  }
  return text;
}

}  // namespace finder
