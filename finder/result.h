#pragma once

#include <span>
#include <string>
#include <string_view>

#include "finder/search.h"

namespace finder {

inline constexpr std::string_view kResultFile = "sonuc.csv";

// The result table of a run as UTF-8 text with CR LF line ends: the heading, a
// line of 55 hyphens, and a line of fixed columns for each of `rows` (step,
// Cent, Count, share at columns 6, 16, 32 and 40), numbers with `separator`.
std::string ResultTable(std::span<const StepRow> rows, char separator);

}  // namespace finder
