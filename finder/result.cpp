#include "finder/result.h"

#include <cstddef>

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

std::string ResultTable(std::span<const StepRow> rows, char separator) {
  std::string text = "Derece      Cent           Adet       Süre\r\n";
  text += std::string(55, '-') + "\r\n";
  for (const StepRow& row : rows) {
    std::string line;
    Field(line, 6, FormatNumber(row.step, "000", separator));
    Field(line, 16, FormatNumber(row.cent, "000.0000", separator));
    Field(line, 32, FormatNumber(row.count, "00", separator));
    Field(line, 40, FormatNumber(row.share, "0.00000", separator));
    text += line + "\r\n";
  }
  return text;
}

}  // namespace finder
